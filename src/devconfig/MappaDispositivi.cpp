#include "devconfig/MappaDispositivi.h"

#include "link/Conversioni.h"
#include "link/StatoLink.h"
#include "platform/Cp1252.h"

#include <QStringList>

namespace ludra {
namespace {

using G = GruppoDispositivo;

constexpr std::array<ModelloDispositivo, kNumModelli> kModelli = {{
    {"KVR5200", G::Controllore, 0, false, false, false},
    {"KVR5200-IO", G::Controllore, 2, true, false, false},
    {"KVR5200-DL", G::Controllore, 0, false, true, false},
    {"KVR5200-DL-IO", G::Controllore, 2, true, true, false},
    {"KVR5460", G::Controllore, 0, false, true, true},
    {"KVR1104", G::IngressiAnalogici, 4, false, false, false},
    {"KVR1113", G::IngressiAnalogici, 4, false, false, false},
    {"KVR1121", G::IngressiAnalogici, 4, false, false, false},
    {"KVR1135", G::IngressiAnalogici, 8, false, false, false},
    {"KVR1142", G::IngressiAnalogici, 8, false, false, false},
    {"KVR1167", G::UsciteAnalogiche, 2, false, false, false},
    {"KVR1173", G::UsciteAnalogiche, 4, false, false, false},
    {"KVR1186", G::UsciteAnalogiche, 8, false, false, false},
    {"KVR1212", G::DigitaliIO, 4, true, false, false},
    {"KVR1225", G::DigitaliIO, 8, false, false, false},
    {"KVR1231", G::DigitaliIO, 0, false, false, false},
    {"KVR1249", G::DigitaliIO, 8, false, false, false},
}};

constexpr TipoIngresso kTensioneCorrente[] = {{"10 V", 4}, {"20 mA", 6}};
constexpr TipoIngresso kMillivoltTermocoppie[] = {
    {"50 mV", 0}, {"100 mV", 1}, {"250 mV", 2}, {"1000 mV", 3}, {"Tc J", 4}, {"Tc K", 14},
    {"Tc T", 15}, {"Tc E", 16},  {"Tc R", 17},  {"Tc S", 18},    {"Tc B", 19}, {"Tc N", 20}};
constexpr TipoIngresso kResistenze[] = {{"Res.H", 7}, {"Res.L", 8},  {"Pt100", 23}, {"Ni100", 24},
                                        {"Pt1K", 25},  {"Ni1k", 26}, {"Pot.L", 27}, {"Pot.H", 28}};

} // namespace

const std::array<const char*, 8> TestiBaud = {"1200",  "2400",  "4800",  "9600",
                                              "19200", "38400", "57600", "115200"};

const std::array<ModelloDispositivo, kNumModelli>& ModelliDispositivo() { return kModelli; }

const ModelloDispositivo* TrovaModello(const QString& nome)
{
    for (const ModelloDispositivo& m : kModelli)
        if (nome == QLatin1String(m.nome))
            return &m;
    return nullptr;
}

GruppoDispositivo GruppoDi(const QString& nome)
{
    const ModelloDispositivo* m = TrovaModello(nome);
    return m ? m->gruppo : G::Nessuno;
}

std::optional<int> CodiceBaud(const QString& testo)
{
    for (std::size_t i = 0; i < TestiBaud.size(); ++i)
        if (testo == QLatin1String(TestiBaud[i]))
            return int(i);
    return std::nullopt;
}

std::span<const TipoIngresso> TipiIngresso(const QString& modello)
{
    if (modello == QLatin1String("KVR1113") || modello == QLatin1String("KVR1135"))
        return kTensioneCorrente;
    if (modello == QLatin1String("KVR1121") || modello == QLatin1String("KVR1142"))
        return kMillivoltTermocoppie;
    if (modello == QLatin1String("KVR1104"))
        return kResistenze;
    return {};
}

QString TestoHex(std::uint8_t b) { return QString::number(b, 16).toUpper(); }

QString TestoFirmware(std::uint8_t r1hi, std::uint8_t r1lo, std::uint8_t r2hi, std::uint8_t r2lo)
{
    const std::array<std::uint8_t, 4> b = {r1hi, r1lo, r2hi, r2lo};
    QString testo;
    for (std::uint8_t c : b)
        testo += r2lo == 'H' ? platform::fromCp1252(QByteArray(1, char(c))) : QString::number(c);
    return testo;
}

QString TestoNome(std::uint8_t r3hi, std::uint8_t r3lo, std::uint8_t r4hi, std::uint8_t r4lo)
{
    // One byte a character, in the Windows code page.
    QByteArray b;
    for (std::uint8_t c : {r3lo, r3hi, r4lo, r4hi})
        b += char(c);
    return platform::fromCp1252(b);
}

bool CanaleRotto(const QString& modello, std::uint8_t bitRottura, int canale)
{
    if (canale < 0 || canale >= kNumCanali)
        return false;
    if (modello == QLatin1String("KVR1104"))
        return (bitRottura >> canale) & 1;
    // Two break bits per channel on the other models; channels 4..7 have none.
    if (canale >= 4)
        return false;
    return (bitRottura >> (2 * canale)) & 3;
}

std::optional<RegistriLetti> RegistriLetti::DaRisposta(int primo, int quanti)
{
    if (quanti < 1 || quanti > kMaxRegistriLetti || LenRx < 3 + 2 * quanti ||
        BuffRx[2] != 2 * quanti)
        return std::nullopt;
    RegistriLetti r;
    r.primo_ = primo;
    r.quanti_ = quanti;
    for (int i = 0; i < 2 * quanti; ++i)
        r.byte_[std::size_t(i)] = BuffRx[std::size_t(3 + i)];
    return r;
}

std::uint8_t RegistriLetti::hi(int r) const
{
    const int i = r - primo_;
    return i >= 0 && i < quanti_ ? byte_[std::size_t(2 * i)] : 0;
}

std::uint8_t RegistriLetti::lo(int r) const
{
    const int i = r - primo_;
    return i >= 0 && i < quanti_ ? byte_[std::size_t(2 * i + 1)] : 0;
}

std::int16_t RegistriLetti::conSegno(int r) const
{
    return std::int16_t(BytesInWord(hi(r), lo(r), true));
}

} // namespace ludra
