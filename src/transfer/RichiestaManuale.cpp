#include "transfer/RichiestaManuale.h"

#include "base/CampoIntero.h"
#include "link/Richiesta.h"
#include "link/SequenzaDaFinestra.h"
#include "link/StatoLink.h"
#include "platform/Dialogs.h"
#include "platform/Waiter.h"

#include <algorithm>
#include <memory>

namespace ludra {
namespace {

// The longest request the fields can make: header, count and every data field.
constexpr int kMassimoByte = kCampoConteggio + 1 + kByteDatiManuali;
// RTU appends two checksum bytes to the transmit buffer; TCP carries the length in one.
static_assert(kMassimoByte + 2 <= int(kDimBuffer) && kMassimoByte <= 255);

bool cicloInCorso = false;

struct Lettore {
    const QStringList& campi;
    QString errore;
    int campoErrato = -1;

    QString testo(int campo) const { return campo < campi.size() ? campi[campo] : QString(); }

    void rifiuta(int campo, const QString& perche)
    {
        if (!errore.isEmpty())
            return;
        errore = perche;
        campoErrato = campo;
    }

    // A byte 0..255; a negative value down to `minimo` is taken as value + 256.
    std::uint8_t byte(int campo, int minimo = 0)
    {
        const std::optional<long long> v = CampoIntero(testo(campo), minimo, 255);
        if (!v) {
            rifiuta(campo, QStringLiteral("%1: \"%2\" is not a whole number from %3 to 255.")
                               .arg(NomeCampoComando(campo), testo(campo))
                               .arg(minimo));
            return 0;
        }
        return std::uint8_t(*v < 0 ? *v + 256 : *v);
    }
};

} // namespace

QString NomeCampoComando(int campo)
{
    static const char* const intestazione[] = {"ADD", "FUN", "ST H", "ST L", "N\u00b0 H",
                                               "N\u00b0 L", "CNT"};
    if (campo >= 0 && campo <= kCampoConteggio)
        return QString::fromUtf8(intestazione[campo]);
    const int registro = (campo - 5) / 2;
    return QStringLiteral("DATA %1 %2")
        .arg(registro)
        .arg(campo % 2 == 1 ? QLatin1Char('H') : QLatin1Char('L'));
}

TramaManuale CostruisciTramaManuale(const QStringList& campi)
{
    Lettore l{campi, {}};
    TramaManuale t;
    for (int campo = 0; campo < 4; ++campo)
        t.byte.push_back(l.byte(campo));
    t.byte.push_back(l.byte(4, -256));
    t.byte.push_back(l.byte(5, -256));
    const QString funzione = l.testo(1);
    const bool conDati = funzione == QLatin1String("15") || funzione == QLatin1String("16")
                         || funzione == QLatin1String("32");
    if (conDati || funzione == QLatin1String("20"))
        t.byte.push_back(l.byte(kCampoConteggio));
    if (conDati && l.errore.isEmpty()) {
        const int n = t.byte.back();
        if (n > kByteDatiManuali) {
            l.rifiuta(kCampoConteggio, QStringLiteral("CNT: at most %1 data bytes can be sent.")
                                           .arg(kByteDatiManuali));
        } else {
            for (int k = 1; k <= n; ++k)
                t.byte.push_back(l.byte(kCampoConteggio + k));
        }
    }
    if (!l.errore.isEmpty()) {
        t.byte.clear();
        t.errore = l.errore;
        t.campo = l.campoErrato;
    }
    return t;
}

std::optional<std::uint8_t> InviaRichiestaManuale(const QStringList& campi)
{
    const TramaManuale trama = CostruisciTramaManuale(campi);
    if (!trama.valida()) {
        platform::msgBox(trama.errore, platform::MsgButtons::Ok, platform::MsgIcon::Exclamation);
        CampoRifiutato(QStringLiteral("frm_dialoga"),
                       QStringLiteral("txt_comando_%1").arg(trama.campo));
        return std::nullopt;
    }
    const QString nome = QStringLiteral("Manual request");
    // A request queued for a loop goes out once this has returned: what it answers then
    // shows in the monitor.
    auto esito = std::make_shared<std::optional<std::uint8_t>>();
    const auto invia = [nome, byte = trama.byte, esito] {
        const Sequenza sequenza(nome, TipoSequenza::Breve);
        if (!sequenza)
            return;
        std::copy(byte.begin(), byte.end(), BuffTx.begin());
        LenTx = std::int16_t(byte.size());
        struct Monitor {
            Monitor() { MonitorCom = true; }
            ~Monitor() { MonitorCom = false; }
        } monitor;
        *esito = InviaRichiesta(true);
    };
    ComandoBreve(nome, invia);
    return *esito;
}

bool CicloManualeInCorso() { return cicloInCorso; }

void FermaCicloManuale()
{
    StopCom = 1;
}

void InviaCiclica(const CicloManuale& ciclo)
{
    if (cicloInCorso)
        return;
    // Closing the window ends the loop between two rounds, as the stop button does.
    const SequenzaDaFinestra sequenza(QStringLiteral("Cyclic requests"));
    if (!sequenza)
        return;
    cicloInCorso = true;
    struct Fine {
        ~Fine() { cicloInCorso = false; }
    } fine;
    platform::Waiter& w = platform::waiter();
    auto finito = [&ciclo] { return StopCom == 1 || !ciclo.aperta() || Sequenza::arrestata(); };
    StopCom = 0;
    do {
        const qint64 inizio = w.nowMs();
        const std::optional<std::uint8_t> esito = InviaRichiestaManuale(ciclo.campi());
        if (!ciclo.aperta())
            return;
        if (!esito)
            return;   // the fields make no request: one message, not one per round
        ciclo.tempo(w.nowMs() - inizio);
        // Without a connection every round would fail at once with the same message.
        if (*esito == kNonConnesso)
            return;
        w.pumpOnce();
        const qint64 resta = inizio + kIntervalloMinimoMs - w.nowMs();
        if (!finito() && resta > 0)
            w.waitUntil(finito, resta);
    } while (!finito());
}

QString TestoTempoRisposta(qint64 ms, const QLocale& locale)
{
    QLocale l = locale;
    l.setNumberOptions(l.numberOptions() & ~QLocale::OmitGroupSeparator);
    return l.toString(ms);
}

} // namespace ludra
