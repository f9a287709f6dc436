#include "discovery/Dispositivi.h"

#include "discovery/Ricerca.h"

namespace ludra {

std::array<Dispositivo, kMaxDispositivi + 1> Dispositivi{};
bool RicercaController = false;
bool RicercaGateway = false;
ReteRicerca IndirizziRicerca;

std::vector<Destinazione> DestinazioniRicerca()
{
    const ReteRicerca& r = IndirizziRicerca;
    if (r.broadcast != QLatin1String(ReteRicerca::kBroadcastLimitato))
        return {{QString(), r.broadcast}};
    const std::vector<platform::InterfacciaIPv4> interfacce =
        r.interfacce ? r.interfacce() : platform::InterfacceBroadcast();
    if (interfacce.empty())
        return {};
    std::vector<Destinazione> d{{QString(), r.broadcast}};
    for (const platform::InterfacciaIPv4& i : interfacce)
        d.push_back({i.indirizzo, i.broadcast});
    return d;
}

void AzzeraRicerca()
{
    Dispositivi.fill(Dispositivo{});
    RicercaController = false;
    RicercaGateway = false;
    IndirizziRicerca = ReteRicerca{};
    RicercaDispositivi::istanza().Azzera();
}

} // namespace ludra
