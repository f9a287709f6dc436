#include "discovery/Dispositivi.h"

#include "discovery/Ricerca.h"

namespace ludra {

std::array<Dispositivo, kMaxDispositivi + 1> Dispositivi{};
bool RicercaController = false;
bool RicercaGateway = false;
ReteRicerca IndirizziRicerca;

void AzzeraRicerca()
{
    Dispositivi.fill(Dispositivo{});
    RicercaController = false;
    RicercaGateway = false;
    IndirizziRicerca = ReteRicerca{};
    RicercaDispositivi::istanza().Azzera();
}

} // namespace ludra
