#include "link/Impostazioni.h"

#include "app/Avvio.h"
#include "app/Testi.h"
#include "link/Sequenza.h"
#include "link/StatoLink.h"
#include "project/Registri.h"

#include <algorithm>
#include <cmath>
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

std::optional<long> InteroDaTesto(const QString& testo, long minimo, long massimo)
{
    bool ok = false;
    const double v = testo.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return std::nullopt;
    const double arrotondato = std::nearbyint(v);   // halves to the even neighbour
    if (arrotondato < double(minimo) || arrotondato > double(massimo))
        return std::nullopt;
    return long(arrotondato);
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
    // The slider has no 0: an interval of none would send requests back to back.
    m.secondiAnimazione = qBound(kMinSecondiAnimazione, int(std::nearbyint(TempoAnimazione / 1000.0)),
                                 kMaxSecondiAnimazione);
    m.secondiMostrati = m.secondiAnimazione;
    m.aggiorna = AggiornaAuto;
    return m;
}

std::int16_t SecondiAttesaSeriale(double millisecondi)
{
    if (!(millisecondi > 0))
        return 1;
    const double s = std::nearbyint(std::min(millisecondi, 32767.0) / 1000.0);   // halves to even
    return std::int16_t(std::max(1.0, s));
}

bool SalvaImpostazioni(const ModuloImpostazioni& m)
{
    if (ComandoRifiutato(QStringLiteral("Settings OK"), Effetto::Dispositivo))
        return false;
    Controllore.Modello = m.modello;
    if (m.canale == 0) {
        Controllore.Canale = 0;
        Controllore.IP = m.ip.trimmed();
        if (const auto porta = InteroDaTesto(m.porta, 1, 65535))
            Controllore.Porta = std::uint16_t(*porta);
        if (const auto timeout = InteroDaTesto(m.timeoutTcp, 1, 32767)) {
            Controllore.Timeout = std::int16_t(*timeout);
            TimeoutRTU = SecondiAttesaSeriale(double(*timeout));
        }
    } else {
        Controllore.Canale = 1;
        Controllore.Porta = std::uint16_t(qBound(0, m.indiceCom, kPorteCom - 1) + 1);
        Controllore.Baud = m.baud;
        Controllore.Modem = m.modem;
    }
    if (const auto nodo = InteroDaTesto(m.nodo, 0, 255))
        Controllore.Nodo = std::uint8_t(*nodo);
    // The slider shows the interval rounded to whole seconds: storing it back untouched
    // would turn the start-up 500 ms into 0 or 1000.
    if (m.secondiAnimazione != m.secondiMostrati)
        TempoAnimazione = std::int16_t(
            qBound(kMinSecondiAnimazione, m.secondiAnimazione, kMaxSecondiAnimazione) * 1000);
    AggiornaAuto = m.aggiorna;
    ImpostaModello();
    return true;
}

} // namespace ludra
