#include "app/Impostazioni.h"

#include "app/Avvio.h"
#include "base/BarraStrumenti.h"
#include "base/CampoIntero.h"
#include "base/Testi.h"
#include "link/Sequenza.h"
#include "link/StatoLink.h"
#include "platform/Dialogs.h"
#include "project/Registri.h"

#include <cmath>
#include <iterator>
#include <optional>

namespace ludra {

const QStringList& ModelliImpostazioni()
{
    static const QStringList modelli = {"KVR5200",       "KVR5200-IO", "KVR5200-DL",
                                        "KVR5200-DL-IO", "KVR5460",    "KVR1750-MBTCP"};
    return modelli;
}

const QStringList& VelocitaSeriali()
{
    static const QStringList velocita = {"1200",  "2400",  "9600",  "19200",
                                         "38400", "57600", "115200"};
    return velocita;
}

int MillisecondiAnimazione(int posizione)
{
    const int p = qBound(0, posizione, kUltimaPosizioneAnimazione);
    return p == 0 ? 500 : p * 1000;
}

int PosizioneAnimazione(int millisecondi)
{
    if (millisecondi < 750)
        return 0;
    return qBound(1, int(std::lround(millisecondi / 1000.0)), kUltimaPosizioneAnimazione);
}

QString TestoAnimazione(int posizione)
{
    return QString::number(MillisecondiAnimazione(posizione) / 1000.0);
}

ModuloImpostazioni CaricaImpostazioni()
{
    ModuloImpostazioni m;
    m.lingua = Lingua;
    m.modello = Controllore.Modello;
    m.canale = Controllore.Canale != 0 ? 1 : 0;
    // Every field shows what is in force, so OK on either page stores back what the
    // user did not touch (the time-out and the modem flag included).
    m.ip = Controllore.IP;
    m.porta = QStringLiteral("502");
    m.timeoutTcp = QString::number(Controllore.Timeout);
    m.modem = Controllore.Modem;
    m.baud = Controllore.Baud;
    if (m.canale == 1) {
        m.indiceCom = qBound(0, int(Controllore.Porta) - 1, kPorteCom - 1);
    } else {
        m.porta = QString::number(Controllore.Porta);
    }
    m.nodo = QString::number(Controllore.Nodo);
    m.posizioneAnimazione = PosizioneAnimazione(TempoAnimazione);
    m.posizioneMostrata = m.posizioneAnimazione;
    m.aggiorna = AggiornaAuto;
    return m;
}

namespace {

// The typed fields, top to bottom; nothing when one is refused. A field that still shows
// the setting in force keeps it, whatever its range: a time-out the device search set
// must not block an OK on the workspace page, where it cannot be mended.
struct CampiDigitati {
    std::uint8_t nodo = 0;
    std::uint16_t porta = 0;
    std::int16_t timeout = 0;
};

std::optional<CampiDigitati> campiDigitati(const ModuloImpostazioni& m)
{
    struct Campo {
        const QString& testo;
        QString nome;
        const char* controllo;
        long long minimo;
        long long massimo;
        long long inVigore;
    };
    const Campo campi[] = {
        {m.nodo, Testi.t(91), "txt_address", 0, 255, Controllore.Nodo},
        {m.porta, Testi.t(96), "txt_port", 1, 65535, Controllore.Porta},
        {m.timeoutTcp, QStringLiteral("Timeout (mSec)"), "txt_timeoutTCP", 1, 32767,
         Controllore.Timeout},
    };
    // The serial channel stores neither the TCP port nor the time-out.
    const std::size_t letti = m.canale == 0 ? std::size(campi) : 1;
    long long valori[std::size(campi)] = {};
    for (std::size_t i = 0; i < letti; ++i) {
        const Campo& c = campi[i];
        if (c.testo.trimmed() == QString::number(c.inVigore)) {
            valori[i] = c.inVigore;
            continue;
        }
        const std::optional<long long> v = CampoIntero(c.testo, c.minimo, c.massimo);
        if (!v) {
            platform::msgBox(FuoriCampo(c.nome, c.minimo, c.massimo), platform::MsgButtons::Ok,
                             platform::MsgIcon::Exclamation);
            CampoRifiutato(QStringLiteral("frm_Settings"), QString::fromLatin1(c.controllo));
            return std::nullopt;
        }
        valori[i] = *v;
    }
    return CampiDigitati{std::uint8_t(valori[0]), std::uint16_t(valori[1]),
                         std::int16_t(valori[2])};
}

} // namespace

bool SalvaImpostazioni(const ModuloImpostazioni& m)
{
    if (ComandoRifiutato(QStringLiteral("Settings OK"), Effetto::Dispositivo))
        return false;
    const std::optional<CampiDigitati> d = campiDigitati(m);
    if (!d)
        return false;
    const CambioDispositivo cambio(QStringLiteral("Settings OK"));
    Controllore.Modello = m.modello;
    if (m.canale == 0) {
        Controllore.Canale = 0;
        Controllore.IP = m.ip.trimmed();
        Controllore.Porta = d->porta;
        Controllore.Timeout = d->timeout;
        TimeoutRTU = SecondiAttesaSeriale(double(d->timeout));
    } else {
        Controllore.Canale = 1;
        Controllore.Porta = std::uint16_t(qBound(0, m.indiceCom, kPorteCom - 1) + 1);
        Controllore.Baud = m.baud;
        Controllore.Modem = m.modem;
    }
    Controllore.Nodo = d->nodo;
    // An interval the slider has no position for stays until the slider is moved.
    if (m.posizioneAnimazione != m.posizioneMostrata)
        TempoAnimazione = std::int16_t(MillisecondiAnimazione(m.posizioneAnimazione));
    AggiornaAuto = m.aggiorna;
    ImpostaModello();
    return true;
}

} // namespace ludra
