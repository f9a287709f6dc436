#include "devconfig/ScritturaConfig.h"

#include "base/CampoIntero.h"
#include "base/Testi.h"
#include "devconfig/MappaDispositivi.h"
#include "link/Conversioni.h"
#include "link/Richiesta.h"
#include "link/Sequenza.h"
#include "link/SequenzaDaFinestra.h"
#include "link/StatoLink.h"
#include "platform/Cp1252.h"
#include "platform/Dialogs.h"
#include "platform/Waiter.h"

#include <initializer_list>
#include <vector>

namespace ludra {
namespace {

using G = GruppoDispositivo;
constexpr double kPausaScrittura = 0.1;

// A window's single write is a short command of its own; inside a frame's write it is
// part of that sequence.
EsitoScrittura invia(const std::vector<std::uint8_t>& trama)
{
    const SequenzaDaFinestra sequenza(QStringLiteral("Configuration write"), TipoSequenza::Breve);
    if (!sequenza)
        return EsitoScrittura::Fallito;
    for (std::size_t i = 0; i < trama.size(); ++i)
        BuffTx[i] = trama[i];
    LenTx = std::int16_t(trama.size());
    return InviaRichiesta(true) == kComOk ? EsitoScrittura::Scritto : EsitoScrittura::Fallito;
}

// A typed value refused: the message, and the focus on the window's control.
EsitoScrittura rifiuta(const QString& messaggio, const QString& controllo = QString())
{
    platform::msgBox(messaggio);
    if (!controllo.isEmpty())
        CampoRifiutato(QStringLiteral("frm_Config"), controllo);
    return EsitoScrittura::NonValido;
}

std::optional<int> intero(const QString& testo, int minimo, int massimo)
{
    const std::optional<long long> v = CampoIntero(testo, minimo, massimo);
    return v ? std::optional<int>(int(*v)) : std::nullopt;
}

std::optional<std::uint8_t> byteCampo(const QString& testo, const char* nome,
                                      const QString& controllo)
{
    const std::optional<int> v = intero(testo, 0, 255);
    if (!v) {
        rifiuta(QStringLiteral("%1 must be included between 0 and 255").arg(QLatin1String(nome)),
                controllo);
        return std::nullopt;
    }
    return std::uint8_t(*v);
}

std::optional<std::uint8_t> slave(const QString& indirizzo)
{
    const std::optional<std::uint8_t> a = IndirizzoSlave(indirizzo);
    if (!a)
        rifiuta(QStringLiteral("Slave address must be included between 0 and 255"),
                QStringLiteral("Indirizzo"));
    return a;
}

std::uint8_t maschera(const std::array<bool, 8>& bit)
{
    std::uint8_t m = 0;
    for (std::size_t i = 0; i < bit.size(); ++i)
        if (bit[i])
            m = std::uint8_t(m | 1U << i);
    return m;
}

std::uint8_t coil(bool acceso) { return acceso ? std::uint8_t(kCoilAcceso) : 0; }

EsitoScrittura nome(std::uint8_t a, const QString& testo)
{
    if (testo.size() < 4)
        return rifiuta(QStringLiteral("Name length must be 4 characters"),
                       QStringLiteral("txt_nome"));
    // The device would get "?" for a character its code page lacks.
    if (const QString fuori = platform::primoFuoriCp1252(testo.left(4)); !fuori.isEmpty())
        return rifiuta(platform::rifiutoFuoriCp1252(QStringLiteral("Name"), fuori),
                       QStringLiteral("txt_nome"));
    const QByteArray c = platform::toCp1252(testo.left(4));
    const EsitoScrittura e = invia({a, 16, 0, kRegNome, 0, 2, 4, std::uint8_t(c[1]),
                                    std::uint8_t(c[0]), std::uint8_t(c[3]), std::uint8_t(c[2])});
    if (e == EsitoScrittura::Scritto)
        platform::pause(kPausaScrittura, Sequenza::arrestata);
    return e;
}

EsitoScrittura nuovoIndirizzo(std::uint8_t a, const QString& testo)
{
    const std::optional<int> n = intero(testo, 1, 247);
    if (!n)
        return rifiuta(QStringLiteral("Address must be included between 1 and 247"),
                       QStringLiteral("txt_add"));
    return invia({a, 6, 0, kRegNodo, 0, std::uint8_t(*n)});
}

// The code of a port's baud box; a box the read left empty (the device holds a code the
// list does not show) is refused rather than sent as a speed nobody chose.
std::optional<int> codiceBaud(const CampiConfig& c, int porta)
{
    const std::optional<int> codice = CodiceBaud(c.baud[std::size_t(porta)]);
    if (!codice)
        rifiuta(QStringLiteral("Choose a baud rate"), QStringLiteral("cmb_baud_%1").arg(porta));
    return codice;
}

EsitoScrittura porta0(const QString& modello, std::uint8_t a, const CampiConfig& c)
{
    const std::optional<int> codice = codiceBaud(c, 0);
    if (!codice)
        return EsitoScrittura::NonValido;
    const std::optional<std::uint8_t> ritardo =
        byteCampo(c.ritardo[0], "Delay", QStringLiteral("txt_delay_0"));
    if (!ritardo)
        return EsitoScrittura::NonValido;
    const std::optional<std::uint8_t> wdt =
        byteCampo(c.wdt, "Watchdog time", QStringLiteral("txt_wdt_0"));
    if (!wdt)
        return EsitoScrittura::NonValido;
    if (invia({a, 6, 0, kRegBaud, 0, std::uint8_t(*codice + kBaudScrittura)}) != EsitoScrittura::Scritto)
        return EsitoScrittura::Fallito;
    platform::pause(kPausaScrittura, Sequenza::arrestata);
    if (invia({a, 6, 0, kRegRitardo, 0, *ritardo}) != EsitoScrittura::Scritto)
        return EsitoScrittura::Fallito;
    platform::pause(kPausaScrittura, Sequenza::arrestata);
    // The analog modules keep their watchdog time where the read finds it.
    const G g = GruppoDi(modello);
    const int registro =
        g == G::IngressiAnalogici || g == G::UsciteAnalogiche ? kRegWdtModuli : kRegWdt;
    if (invia({a, 6, 0, std::uint8_t(registro), 0, *wdt}) != EsitoScrittura::Scritto)
        return EsitoScrittura::Fallito;
    return invia({a, 5, 0, kCoilWdt, coil(c.wdtAbilitato), 0});
}

EsitoScrittura orologio(const QString& modello, std::uint8_t a, const CampiConfig& c)
{
    const ModelloDispositivo* m = TrovaModello(modello);
    if (!m || !m->orologio)
        return EsitoScrittura::Niente;
    QString errore;
    int campo = -1;
    const auto b = ByteOrologio(c.Text3, &errore, &campo);
    if (!b)
        return rifiuta(errore, QStringLiteral("Text3_%1").arg(campo));
    return invia({a, 16, 0, kRegOrologio, 0, 4, 8, (*b)[0], (*b)[1], (*b)[2], (*b)[3], (*b)[4],
                  (*b)[5], (*b)[6], (*b)[7]});
}

EsitoScrittura display(const QString& modello, std::uint8_t a, const CampiConfig& c)
{
    const ModelloDispositivo* m = TrovaModello(modello);
    if (!m || !m->display)
        return EsitoScrittura::Niente;
    const int v = (c.dispPos.value_or(false) ? 32768 : 0) + 256 * (c.contrasto & 15) + (c.luminosita & 15);
    return invia({a, 6, 0, kRegStatiUscite, std::uint8_t(v >> 8), std::uint8_t(v & 0xFF)});
}

EsitoScrittura porta1(const QString& modello, std::uint8_t a, const CampiConfig& c)
{
    const std::optional<std::uint8_t> d =
        byteCampo(c.ritardo[1], "Delay", QStringLiteral("txt_delay_1"));
    if (!d)
        return EsitoScrittura::NonValido;
    // Only the controllers have a second port to set; the modules get code 0.
    const std::optional<int> codice = GruppoDi(modello) == G::Controllore ? codiceBaud(c, 1) : 0;
    if (!codice)
        return EsitoScrittura::NonValido;
    const std::uint8_t k = std::uint8_t(*codice);
    const EsitoScrittura e = invia({a, 16, 0, kRegPorta1, 0, 2, 4, k, *d, k, *d});
    if (e == EsitoScrittura::Scritto)
        platform::pause(kPausaScrittura, Sequenza::arrestata);
    return e;
}

// A name of the table (1-based), matched without regard to case; or its number.
std::optional<int> voce(const QString& testo, std::span<const QString> nomi,
                        std::span<const char* const> inglesi)
{
    const QString t = testo.trimmed();
    if (t.isEmpty())
        return std::nullopt;
    for (std::size_t i = 1; i < nomi.size(); ++i)
        if (t.compare(nomi[i], Qt::CaseInsensitive) == 0 ||
            t.compare(QLatin1String(inglesi[i]), Qt::CaseInsensitive) == 0)
            return int(i);
    return intero(t, 1, int(nomi.size()) - 1);
}

// A decimal number 0..99 in the clock's BCD.
std::uint8_t bcd(int v) { return std::uint8_t((v / 10) << 4 | v % 10); }

} // namespace

const std::array<const char*, 8> GiorniInglesi = {
    "", "Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
const std::array<const char*, 13> MesiInglesi = {
    "",     "January", "February",  "March",   "April",    "May",     "June",
    "July", "August",  "September", "October", "November", "December"};

std::optional<std::array<std::uint8_t, 8>> ByteOrologio(const std::array<QString, 8>& Text3,
                                                        QString* errore, int* campo)
{
    auto rifiutato = [&](const char* testo, int k) {
        if (errore)
            *errore = QString::fromLatin1(testo);
        if (campo)
            *campo = k;
        return std::nullopt;
    };
    const auto t0 = intero(Text3[0], 0, 59);
    const auto t1 = intero(Text3[1], 0, 59);
    const auto t3 = intero(Text3[3], 0, 59);
    if (!t0 || !t1 || !t3)
        return rifiutato("The time fields must be numbers from 0 to 59", !t0 ? 0 : !t1 ? 1 : 3);
    const auto giorno = voce(Text3[4], Testi.Giorni, GiorniInglesi);
    if (!giorno)
        return rifiutato("The weekday is not a day of the week", 4);
    const auto data = intero(Text3[5], 1, 31);
    if (!data)
        return rifiutato("The day must be a number from 1 to 31", 5);
    const auto mese = voce(Text3[6], Testi.Mesi, MesiInglesi);
    if (!mese)
        return rifiutato("The month is not a month of the year", 6);
    const auto anno = intero(Text3[7], 2000, 2099);
    if (!anno)
        return rifiutato("The year must be a number from 2000 to 2099", 7);
    return std::array<std::uint8_t, 8>{0,          bcd(*t3),          bcd(*t1),   bcd(*t0),
                                       std::uint8_t(*giorno), bcd(*data), bcd(*mese),
                                       bcd(*anno - 2000)};
}

EsitoScrittura ScriviFrame(int indice, const QString& modello, const QString& indirizzo,
                           const CampiConfig& campi)
{
    const SequenzaDaFinestra sequenza(QStringLiteral("Configuration write"),
                                      TipoSequenza::Dispositivo, Finestra::frm_Config);
    if (!sequenza)
        return EsitoScrittura::Fallito;
    if (indice == 6 || indice < 0 || indice > 8)
        return EsitoScrittura::Niente;
    const std::optional<std::uint8_t> a = slave(indirizzo);
    if (!a)
        return EsitoScrittura::NonValido;
    switch (indice) {
    case 0:
        return nome(*a, campi.txt_nome);
    case 1:
        platform::pause(kPausaScrittura, Sequenza::arrestata);
        return invia({*a, 6, 0, kRegStatiUscite, maschera(campi.bitAccensione),
                      maschera(campi.bitSicuro)});
    case 2:
        return nuovoIndirizzo(*a, campi.txt_add);
    case 3:
        return porta0(modello, *a, campi);
    case 4:
        return orologio(modello, *a, campi);
    case 5:
        return display(modello, *a, campi);
    case 7:
        if (!campi.tipoIngresso)
            return rifiuta(QStringLiteral("Choose an input type"));
        platform::pause(kPausaScrittura, Sequenza::arrestata);
        return invia({*a, 6, 0, kRegTipoIngresso, 0, std::uint8_t(*campi.tipoIngresso)});
    default:
        return porta1(modello, *a, campi);
    }
}

EsitoScrittura ScriviUscitaAnalogica(const QString& indirizzo, int canale, const QString& valore)
{
    if (canale < 0 || canale >= kNumCanali)
        return EsitoScrittura::Niente;
    const std::optional<std::uint8_t> a = slave(indirizzo);
    if (!a)
        return EsitoScrittura::NonValido;
    const std::optional<int> v = intero(valore, 0, 65535);
    if (!v)
        return rifiuta(QStringLiteral("Output value must be included between 0 and 65535"),
                       QStringLiteral("txt_Output_%1").arg(canale));
    return invia({*a, 6, 0, std::uint8_t(kRegValori + canale), std::uint8_t(*v >> 8),
                  std::uint8_t(*v & 0xFF)});
}

EsitoScrittura ScriviTipiUscite(const QString& indirizzo, const CampiConfig& campi)
{
    const std::optional<std::uint8_t> a = slave(indirizzo);
    if (!a)
        return EsitoScrittura::NonValido;
    std::array<bool, 8> volt{};
    for (std::size_t i = 0; i < volt.size(); ++i)
        volt[i] = campi.tipoUscita[i] == 1;
    return invia({*a, 6, 0, kRegTipoUscite, 0, maschera(volt)});
}

EsitoScrittura ScriviValoriSicuri(const QString& indirizzo, const CampiConfig& campi)
{
    const std::optional<std::uint8_t> a = slave(indirizzo);
    if (!a)
        return EsitoScrittura::NonValido;
    std::vector<std::uint8_t> trama = {*a, 16, 0, kRegSicuri, 0, kNumCanali, 2 * kNumCanali};
    for (int i = 0; i < kNumCanali; ++i) {
        const std::optional<int> v = intero(campi.sicuro[std::size_t(i)], -32768, 65535);
        if (!v)
            return rifiuta(QStringLiteral("Safe value %1 must be included between -32768 and 65535")
                               .arg(i),
                           QStringLiteral("txt_Safe_%1").arg(i));
        const CoppiaByte b = *WordInBytes(*v);   // [low, high]; fits by the check above
        trama.push_back(b[1]);
        trama.push_back(b[0]);
    }
    return invia(trama);
}

EsitoScrittura AzzeraLatch(const QString& indirizzo)
{
    const std::optional<std::uint8_t> a = slave(indirizzo);
    if (!a)
        return EsitoScrittura::NonValido;
    return invia({*a, 15, 0, kCoilLatch, 0, 8, 1, 0});
}

EsitoScrittura Sincronizza()
{
    AttendiRisposta = false;
    const EsitoScrittura e = invia({255, 6, 0, kRegSincronismo, 0, 0});
    AttendiRisposta = true;
    return e;
}

EsitoScrittura ScriviAbilitazioni(const QString& indirizzo, const CampiConfig& campi)
{
    const std::optional<std::uint8_t> a = slave(indirizzo);
    if (!a)
        return EsitoScrittura::NonValido;
    platform::pause(kPausaScrittura, Sequenza::arrestata);
    return invia({*a, 6, 0, kRegStatiUscite, 0, maschera(campi.abilitato)});
}

EsitoScrittura ScriviUscitaDigitale(const QString& modello, const QString& indirizzo, int indice,
                                    const CampiConfig& campi)
{
    if (indice < 0 || indice >= kNumCanali)
        return EsitoScrittura::Niente;
    const std::optional<std::uint8_t> a = slave(indirizzo);
    if (!a)
        return EsitoScrittura::NonValido;
    if (modello == QLatin1String("KVR5200-IO") || modello == QLatin1String("KVR5200-DL-IO"))
        return invia({*a, 6, 0, kRegUsciteDigitali, maschera(campi.bitUscita), 0});
    return invia({*a, 5, 0, std::uint8_t(kCoilUscite + indice),
                  coil(campi.bitUscita[std::size_t(indice)]), 0});
}

EsitoScrittura ScriviEvento(const QString& indirizzo, int numeroCoil, bool acceso)
{
    const std::optional<std::uint8_t> a = slave(indirizzo);
    if (!a)
        return EsitoScrittura::NonValido;
    return invia({*a, 5, 0, std::uint8_t(numeroCoil), coil(acceso), 0});
}

} // namespace ludra
