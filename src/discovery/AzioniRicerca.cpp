// What the search window does with the selected device, and the diagram.
#include "debug/ComandiDebug.h"
#include "discovery/Dispositivi.h"
#include "discovery/ProtocolloRicerca.h"
#include "discovery/Ricerca.h"
#include "link/Connessione.h"
#include "link/Sequenza.h"
#include "link/SequenzaDaFinestra.h"
#include "link/StatoLink.h"
#include "platform/Dialogs.h"
#include "platform/Shell.h"
#include "platform/Waiter.h"
#include "project/Registri.h"

#include <QScopedValueRollback>
#include <QStringList>

namespace ludra {
namespace {

// The controller models, with or without the display controller.
bool modelloController(const QString& m, bool conDisplay)
{
    return ModelloControllore(m) && (conDisplay || m != QLatin1String("KVR5460"));
}

// The selected record, or nothing when the selection is the root or an unused record.
const Dispositivo* selezionato(int indice, int numero)
{
    if (indice < 1 || indice > numero || indice > kMaxDispositivi)
        return nullptr;
    return &Dispositivi[std::size_t(indice)];
}

void selezionareDispositivo()
{
    platform::msgBox(QStringLiteral("Selezionare dispositivo"));
}

} // namespace

void RicercaDispositivi::SetAsController()
{
    if (const std::function<void()> azione = SetAsControllerScelto())
        azione();
}

std::function<void()> RicercaDispositivi::SetAsControllerScelto()
{
    const Dispositivo* d = selezionato(IndiceDispositivo, NumeroDispositivi);
    if (!d) {
        selezionareDispositivo();
        return {};
    }
    return [this, d = *d] { impostaController(d); };
}

void RicercaDispositivi::impostaController(const Dispositivo& d)
{
    // The reconnect and the mode read go out together: nothing started meanwhile lands
    // between them.
    const Sequenza sequenza(QStringLiteral("Set as Controller"), TipoSequenza::Connessione,
                            Finestra::frm_search);
    if (!sequenza)
        return;
    // Closing the window gives the connect up.
    const QScopedValueRollback connessione(inConnessione_, true);
    const CambioDispositivo cambio(QStringLiteral("Set as Controller"));
    Controllore.Canale = d.Canale;
    Controllore.IP = d.IP;
    Controllore.Porta = d.Porta;
    Controllore.Nodo = d.Init ? 10 : d.Nodo;
    Disconnetti();
    Connetti();
    Controllore.ModoDebug = ModoDebugDopoConnessione();
}

void RicercaDispositivi::Elenco_DblClick()
{
    const Dispositivo* d = selezionato(IndiceDispositivo, NumeroDispositivi);
    if (!d)
        return;
    if (d->Modello == QLatin1String("KVR1750-MBTCP")) {
        if (platform::msgBox(QStringLiteral("Write default prog?"), platform::MsgButtons::OkCancel)
            == platform::MsgResult::Ok)
            ProgrammaDefault();
    } else if (modelloController(d->Modello, false) && !d->IP.isEmpty()) {
        platform::shell().open(QStringLiteral("http://") + d->IP);
    }
}

void RicercaDispositivi::SetIP()
{
    // Refused before the address is asked: nothing typed is lost.
    if (RifiutoAnticipato(QStringLiteral("Set IP")))
        return;
    const std::optional<QString> risposta = platform::dialogs().inputBox(
        QStringLiteral("Insert IP address"), QString::fromLatin1(platform::kAppTitle), QString());
    if (!risposta)
        return;
    const Dispositivo* d = selezionato(IndiceDispositivo, NumeroDispositivi);
    // A device is reached by its MAC address: a record without one (a module found by a
    // Modbus scan) would address nobody, or the wrong device.
    if (!d || d->MacTesto.isEmpty()) {
        selezionareDispositivo();
        return;
    }
    const std::optional<Ip4> ip = LeggiIndirizzoIP(*risposta);
    if (!ip) {
        platform::msgBox(QStringLiteral("Invalid IP address: ") + *risposta, platform::MsgButtons::Ok,
                         platform::MsgIcon::Exclamation);
        return;
    }
    const SequenzaDaFinestra sequenza(QStringLiteral("Set IP"), TipoSequenza::Breve);
    if (!sequenza)
        return;
    RicercaController = false;
    RicercaGateway = false;
    const std::vector<Destinazione> destinazioni = DestinazioniRicerca();
    const QStringList errori = destinazioni.empty()
                                   ? QStringList{QString::fromLatin1(kNessunaRete)}
                                   : inviaRicerca(TramaImpostaIP(d->Mac, *ip), destinazioni);
    if (!errori.isEmpty())
        platform::msgBox(QStringLiteral("Send failed: ") + errori.join(QStringLiteral("; ")),
                         platform::MsgButtons::Ok, platform::MsgIcon::Exclamation);
}

void RicercaDispositivi::DisegnaRete()
{
    righe_.clear();
    righe_.push_back({200, 201, 203, 203, 203});
    for (int i = 1; i <= kMaxDispositivi; ++i) {
        const QString& m = Dispositivi[std::size_t(i)].Modello;
        if (modelloController(m, true))
            righe_.push_back({203, 204, 206, 201, 203});
        else if (m == QLatin1String("KVR1000"))
            righe_.push_back({203, 203, 203, 204, 207});
    }
    emit reteDisegnata();
}

} // namespace ludra
