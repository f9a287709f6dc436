#include "link/Richiesta.h"

#include "base/BarraStato.h"
#include "base/Log.h"
#include "link/Canali.h"
#include "link/Checksum.h"
#include "link/Conversioni.h"
#include "link/Monitor.h"
#include "link/RispostaTcp.h"
#include "link/Sequenza.h"
#include "link/StatoLink.h"
#include "link/TramaModbus.h"
#include "platform/Dialogs.h"
#include "platform/Ricezione.h"
#include "platform/Waiter.h"

#include <QByteArray>
#include <QTimer>
#include <vector>

namespace ludra {
namespace {

// Line silence that ends a serial reply whose end its bytes cannot tell.
constexpr qint64 kSilenzioRtuMs = kSilenzioRispostaMs;

bool inCorso = false;
std::vector<std::function<void()>> allaFine;
int generazione = 0;   // posted actions of an earlier generation are dropped

// Posted to the event loop, never run inside the request that queued them.
void eseguiAllaFine()
{
    std::vector<std::function<void()>> azioni;
    azioni.swap(allaFine);
    for (auto& a : azioni)
        QTimer::singleShot(0, [a = std::move(a), g = generazione] {
            if (g == generazione)
                a();
        });
}

struct Esito {
    std::uint8_t codice = kComOk;
    QString guasto;          // set for a failure inside the request
    bool nelLog = false;     // the failure goes to the Log too, whatever Messaggi asks
};

Esito guasto(QString descrizione) { return {kComTimeout, std::move(descrizione)}; }

// The device sent more than what waits to be read may hold: a flood, no reply.
Esito troppi() { return {kComTimeout, platform::TestoTroppiByte(), true}; }

// Whatever came before this request is not its reply and goes; a flood of it is said.
void scartaPrima(qint64 scartati)
{
    if (scartati + StringaRx.size() > platform::kMaxInAttesa) {
        LogStart();
        LogWrite(platform::TestoTroppiByte());
    }
    StringaRx.clear();
}

std::span<const Byte> byteDi(const QByteArray& a)
{
    return {reinterpret_cast<const Byte*>(a.constData()), std::size_t(a.size())};
}

// Moves the chosen reply into BuffRx; false when it does not fit.
bool caricaRisposta(std::span<const Byte> risposta)
{
    if (risposta.size() > BuffRx.size())
        return false;
    std::copy(risposta.begin(), risposta.end(), BuffRx.begin());
    LenRx = std::int16_t(risposta.size());
    return true;
}

void mostraNelMonitor()
{
    if (MonitorCom)
        MonitorRisposte::istanza().mostra(std::span(BuffRx).first(std::size_t(LenRx)));
}

// Collects the serial reply: it ends as soon as the bytes form the whole reply the
// request implies, otherwise 0.05 s after the last byte, and in any case after
// TimeoutRTU seconds. Returns where the reply starts in StringaRx (a late reply may
// precede it), or nothing when no byte came.
std::optional<int> attesaSeriale(std::span<const Byte> richiesta)
{
    platform::Waiter& w = platform::waiter();
    platform::PortaSeriale& porta = MSComm1();
    const qint64 limite = w.nowMs() + qint64(qMax<std::int16_t>(0, TimeoutRTU)) * 1000;
    qint64 ultimo = 0;
    bool ricevuto = false;
    std::optional<int> inizio;
    auto raccogli = [&] {
        if (DatiRicevuti == 1) {
            DatiRicevuti = 0;
            ricevuto = true;
            ultimo = w.nowMs();
        }
        if (porta.inAttesa() > 0 && StringaRx.size() <= platform::kMaxInAttesa)
            StringaRx += porta.input();
    };
    w.pumpOnce();
    raccogli();
    for (;;) {
        // Past the bound it is a flood, no reply. A reply is judged only once what the
        // system holds has been read too, so that a flood behind it shows.
        if (StringaRx.size() > platform::kMaxInAttesa)
            break;
        if (ricevuto && porta.nonLetti() == 0
            && (inizio = FineRisposteRtu(richiesta, byteDi(StringaRx))))
            break;
        const qint64 adesso = w.nowMs();
        if (adesso >= limite || !porta.aperta())
            break;
        qint64 fine = limite;
        if (ricevuto) {
            if (adesso - ultimo > kSilenzioRtuMs)
                break;
            fine = qMin(fine, ultimo + kSilenzioRtuMs + 1);
        }
        // A wait that gives up before its time (the application is quitting) ends this one.
        if (!w.waitUntil([&porta] { return DatiRicevuti == 1 || !porta.aperta(); }, fine - adesso)
            && w.nowMs() < fine)
            break;
        raccogli();
    }
    if (porta.aperta() && StringaRx.size() <= platform::kMaxInAttesa)
        StringaRx += porta.input();
    if (StringaRx.isEmpty())
        return std::nullopt;
    return inizio.value_or(0);
}

Esito richiestaRtu(bool messaggi)
{
    if (LenTx < 0 || LenTx > std::int16_t(kDimBuffer) - 2)
        return guasto(QStringLiteral("Request too long for the transmit buffer"));
    if (MonitorCom)
        MonitorRisposte::istanza().svuota();
    CalcolaCRC(BuffTx, LenTx);
    BuffTx[std::size_t(LenTx)] = Byte(CRCLo);
    BuffTx[std::size_t(LenTx) + 1] = Byte(CRCHi);
    LenTx = std::int16_t(LenTx + 2);
    const std::vector<Byte> richiesta(BuffTx.begin(), BuffTx.begin() + LenTx);

    platform::PortaSeriale& porta = MSComm1();
    if (!porta.aperta())
        return guasto(QStringLiteral("Serial port not open"));
    scartaPrima(porta.scarta());
    DatiRicevuti = 0;
    if (!porta.output(QByteArray(reinterpret_cast<const char*>(richiesta.data()),
                                 qsizetype(richiesta.size()))))
        return guasto(QStringLiteral("Serial write failed: ") + porta.errore());
    if (!AttendiRisposta)
        return {};

    const auto inizio = attesaSeriale(richiesta);
    const QByteArray ricevuti = StringaRx;
    StringaRx.clear();
    platform::waiter().pumpOnce();
    if (ricevuti.size() > platform::kMaxInAttesa)
        return troppi();
    if (!inizio)
        return {kComTimeout, {}};
    if (!caricaRisposta(byteDi(ricevuti).subspan(std::size_t(*inizio))))
        return guasto(QStringLiteral("Reply longer than the receive buffer"));
    mostraNelMonitor();
    if (!ControllaCRC(BuffRx, LenRx - 2)) {
        if (messaggi)
            platform::msgBox(QStringLiteral("CheckSum Rx Errato"));
        return {kComTimeout, {}};
    }
    if (BuffRx[0] != richiesta[0]) {
        if (messaggi)
            platform::msgBox(QStringLiteral("Risposta Errata (indirizzo)"));
        return {kComErrore, {}};
    }
    if (BuffRx[1] != richiesta[1]) {
        if (messaggi)
            platform::msgBox(QStringLiteral("Risposta Errata (funzione)"));
        return {kComErrore, {}};
    }
    if (LenRx - 2 < LunghezzaMinimaRisposta(std::span(richiesta).first(richiesta.size() - 2)))
        return guasto(QStringLiteral("Reply shorter than the request asked for"));
    return {};
}

Esito richiestaTcp()
{
    if (LenTx < 0 || LenTx > 255)
        return guasto(QStringLiteral("Request too long for the transmit buffer"));
    if (MonitorCom)
        MonitorRisposte::istanza().svuota();
    const std::vector<Byte> richiesta(BuffTx.begin(), BuffTx.begin() + LenTx);
    const Byte nodo = BuffTx[0];
    const Byte funzione = BuffTx[1];
    QByteArray trama(6, '\0');
    trama[5] = char(LenTx);
    trama.append(reinterpret_cast<const char*>(richiesta.data()), qsizetype(richiesta.size()));

    platform::SocketTcp& socket = Winsock1();
    // One yield, so events already queued run before the frame leaves.
    platform::waiter().pumpOnce();
    scartaPrima(socket.scarta());
    DatiRicevuti = 0;
    // With no connection nothing can answer: no point in waiting for it.
    const bool inviato = socket.connesso() && socket.invia(trama);
    if (!AttendiRisposta)
        return {};

    std::optional<RispostaTcp> risposta;
    if (inviato)
        risposta = AttesaRispostaTcp(richiesta, Controllore.Timeout);
    const QByteArray ricevuti = StringaRx;
    StringaRx.clear();
    DatiRicevuti = 0;
    platform::waiter().pumpOnce();

    if (ricevuti.size() > platform::kMaxInAttesa)
        return troppi();
    if (!risposta)
        return {kComTimeout, {}};
    const auto trama_ = byteDi(ricevuti).subspan(std::size_t(risposta->inizio));
    if (trama_.size() < 8)
        return guasto(QStringLiteral("Reply too short (%1 bytes)").arg(trama_.size()));
    if (risposta->lunghezza > int(kDimBuffer) || trama_.size() - 6 > kDimBuffer)
        return guasto(QStringLiteral("Reply longer than the receive buffer"));
    caricaRisposta(trama_.subspan(6));
    mostraNelMonitor();
    if (BuffRx[0] != nodo || BuffRx[1] != funzione)
        return {kComErrore, {}};
    if (LenRx < LunghezzaMinimaRisposta(richiesta))
        return guasto(QStringLiteral("Reply shorter than the request asked for"));
    return {};
}

std::uint8_t concludi(Esito esito, bool messaggi)
{
    // Behind a link that does not answer, each command waiting would cost a time-out.
    if (esito.codice == kComTimeout || esito.codice == kNonConnesso)
        ScartaComandiInCoda();
    if (!esito.guasto.isEmpty() && messaggi)
        platform::msgBox(esito.guasto, platform::MsgButtons::Ok, platform::MsgIcon::Critical,
                         QStringLiteral("VUV-ODO"));
    if (esito.codice == kComTimeout || esito.codice == kComErrore)
        StopCom = 1;
    BarraStato& barra = BarraStato::istanza();
    switch (esito.codice) {
    case kComOk:
        barra.setPannello(4, QStringLiteral("Com OK"));
        break;
    case kComTimeout:
        barra.setPannello(4, QStringLiteral("Com TimeOut"));
        LogStart();
        if (esito.nelLog)
            LogWrite(esito.guasto);
        LogWrite(QStringLiteral("Com Timeout"));
        break;
    default:
        barra.setPannello(4, QStringLiteral("Com Error"));
        LogStart();
        LogWrite(QStringLiteral("Com Error"));
        if (esito.codice == kNonConnesso && messaggi)
            platform::msgBox(QStringLiteral("Controller not connected"), platform::MsgButtons::Ok,
                             platform::MsgIcon::Exclamation);
        break;
    }
    return esito.codice;
}

} // namespace

bool RichiestaInCorso() { return inCorso; }

void AnnullaAllaFineRichiesta()
{
    allaFine.clear();
    ++generazione;
}

void AllaFineRichiesta(std::function<void()> azione)
{
    allaFine.push_back(std::move(azione));
    if (!inCorso)
        eseguiAllaFine();
}

std::uint8_t InviaRichiesta(bool Messaggi)
{
    // Refused without sending, and without ending the running sequence's own loop:
    // outside any sequence, from a handler running inside a sequence's wait, or once
    // the sequence has been asked to stop.
    if (InvioRifiutato(QStringLiteral("Request")))
        return kComTimeout;
    if (inCorso) {
        // The last guard: a request waiting now keeps its frames.
        LogStart();
        LogWrite(QStringLiteral("Request refused: another request is waiting for its reply"));
        return kComTimeout;
    }
    if (!Controllore.Connesso)
        return concludi({kNonConnesso, {}}, Messaggi);
    Esito esito;
    {
        // Keys and clicks are taken while the reply is awaited: a key for the link joins
        // the command queue in its order (a loop ends at its next safe point), and what
        // would ask the user runs once the reply is in, when this scope ends.
        const platform::AttesaRisposta attesa;
        inCorso = true;
        struct Fine {
            ~Fine() { inCorso = false; }
        } fine;
        BarraStato::istanza().setPannello(4, QString());
        esito = ModoCom == kModoRtu ? richiestaRtu(Messaggi) : richiestaTcp();
        inCorso = false;
    }
    eseguiAllaFine();
    return concludi(esito, Messaggi);
}

} // namespace ludra
