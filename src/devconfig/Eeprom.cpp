#include "devconfig/Eeprom.h"

#include "base/Finestre.h"
#include "base/CampoIntero.h"
#include "link/Conversioni.h"
#include "link/SequenzaDaFinestra.h"
#include "monitor/Variabili.h"
#include "platform/Cp1252.h"
#include "platform/Dialogs.h"
#include "project/Registri.h"
#include "device/MemoriaControllore.h"
#include "transfer/Trasferimenti.h"

#include <algorithm>

namespace ludra {

namespace {

constexpr long long kMaxIndirizzo = 65535;
constexpr long long kMaxLong = 4294967295LL;

bool rifiuta(const QString& testo)
{
    platform::msgBox(testo, platform::MsgButtons::Ok, platform::MsgIcon::Exclamation);
    return false;
}

QString numeroNonValido(const QString& campo, long long minimo, long long massimo)
{
    return QStringLiteral("%1: inserire un numero intero da %2 a %3.")
        .arg(campo)
        .arg(minimo)
        .arg(massimo);
}

// A typed whole number of the field `controllo` (the window's control name).
std::optional<long long> campo(const QString& testo, const QString& nome, long long minimo,
                               long long massimo, const QString& controllo)
{
    const auto v = CampoIntero(testo, minimo, massimo);
    if (!v) {
        rifiuta(numeroNonValido(nome, minimo, massimo));
        CampoRifiutato(QStringLiteral("frm_eeprom"), controllo);
    }
    return v;
}

// Texts of the single-entry layout: n characters, blank-padded.
void copiaConSpazi(const QString& t, int n, std::uint8_t* destinazione)
{
    const QByteArray b = platform::toCp1252(t.left(n));
    for (int i = 0; i < n; ++i)
        destinazione[i] = i < b.size() ? std::uint8_t(b[i]) : std::uint8_t(' ');
}

QString nonZero(int da, int a)
{
    QByteArray b;
    for (int i = da; i <= a; ++i)
        if (BuffMemoria[std::size_t(i)] != 0)
            b += char(BuffMemoria[std::size_t(i)]);
    return platform::fromCp1252(b);
}

int byteDaScrivere(Larghezza l)
{
    switch (l) {
    case Larghezza::Byte: return 1;
    case Larghezza::Int: return 2;
    case Larghezza::Long: return 4;
    case Larghezza::Float: return 0;
    }
    return 0;
}

const std::array<QString, 4> kNomiPuntatori = {
    QStringLiteral("Punt Prog"), QStringLiteral("Dim Prog"), QStringLiteral("Dim Reg Eprom"),
    QStringLiteral("Punt Web Pages")};

// A read or write of the tool is a short command of its own, refused, with a box,
// while something else holds the link; a refused one changes nothing else on screen.
const QString kLettura = QStringLiteral("EEPROM read");
const QString kScrittura = QStringLiteral("EEPROM write");

} // namespace

bool LeggiMacEeprom(CampiEeprom& c)
{
    const SequenzaDaFinestra sequenza(kLettura, TipoSequenza::Breve);
    if (!sequenza)
        return false;
    if (!LeggiMemoria(kIndirizzoMac, 3)) {
        c.txt_MAC.fill(QString());
        return false;
    }
    // Byte 4 is shown on the left, in txt_MAC(2).
    c.txt_MAC[2] = ByteInHex(BuffMemoria[0]);
    c.txt_MAC[1] = ByteInHex(BuffMemoria[1]);
    c.txt_MAC[0] = ByteInHex(BuffMemoria[2]);
    return true;
}

bool ScriviMacEeprom(const CampiEeprom& c)
{
    const SequenzaDaFinestra sequenza(kScrittura, TipoSequenza::Breve);
    if (!sequenza)
        return false;
    std::array<std::uint8_t, 3> mac{};
    for (int i = 0; i < 3; ++i) {
        const auto b = HexInByte2(c.txt_MAC[std::size_t(2 - i)].trimmed().toUpper());
        if (!b)
            return rifiuta(QStringLiteral("MAC: ogni campo vuole due cifre esadecimali."));
        mac[std::size_t(i)] = *b;
    }
    std::copy(mac.begin(), mac.end(), BuffMemoria.begin());
    return ScriviMemoria(kIndirizzoMac, 3);
}

bool LeggiPuntatori(CampiEeprom& c)
{
    const SequenzaDaFinestra sequenza(kLettura, TipoSequenza::Breve);
    if (!sequenza)
        return false;
    if (!LeggiMemoria(kIndirizzoPuntatori, 16)) {
        c.txt_punt.fill(QString());
        return false;
    }
    for (std::size_t k = 0; k < 4; ++k) {
        const auto* e = BuffMemoria.data() + 4 * k;
        c.txt_punt[k] =
            QString::number(static_cast<qulonglong>(BytesInLong(e[3], e[2], e[1], e[0], false)));
    }
    return true;
}

bool ScriviPuntatori(const CampiEeprom& c)
{
    const SequenzaDaFinestra sequenza(kScrittura, TipoSequenza::Breve);
    if (!sequenza)
        return false;
    std::array<QuartettoByte, 4> valori{};
    for (std::size_t k = 0; k < 4; ++k) {
        const auto v = campo(c.txt_punt[k], kNomiPuntatori[k], 0, kMaxLong,
                             QStringLiteral("txt_punt_%1").arg(k));
        if (!v)
            return false;
        double d = double(*v);
        const QuartettoByte q = *LongInBytes(d, false);   // bits 16-23, 24-31, 0-7, 8-15
        valori[k] = {q[2], q[3], q[0], q[1]};
    }
    bool tutti = true;
    for (std::size_t k = 0; k < 4; ++k) {
        std::copy(valori[k].begin(), valori[k].end(), BuffMemoria.begin());
        tutti = ScriviMemoria(kIndirizzoPuntatori + 4 * int(k), 4) && tutti;
    }
    return tutti;
}

bool PuntatoriPredefiniti(CampiEeprom& c)
{
    c.txt_punt = {QString::number(PuntProg), QString::number(DimProg),
                  QString::number(DimRegEprom), QString::number(PuntWebPages)};
    return ScriviPuntatori(c);
}

namespace {

std::optional<int> indirizzoVoce(const CampiEeprom& c)
{
    const auto base = BaseVariabili();
    if (!base) {
        rifiuta(QStringLiteral("Nessun modello di controllore scelto."));
        return std::nullopt;
    }
    // Only the table's own entries: a larger index would land in the web pages.
    const auto indice = campo(c.txt_WebReg[0], QStringLiteral("Puntatore"), 0, kMaxVariabili - 1,
                              QStringLiteral("txt_WebReg_0"));
    if (!indice)
        return std::nullopt;
    return *base + kDimVoceVariabile * int(*indice);
}

} // namespace

bool ScriviVoceWeb(const CampiEeprom& c)
{
    const SequenzaDaFinestra sequenza(kScrittura, TipoSequenza::Breve);
    if (!sequenza)
        return false;
    const auto a = indirizzoVoce(c);
    if (!a)
        return false;
    const auto registro = campo(c.txt_WebReg[1], QStringLiteral("Registro"), 0, kMaxIndirizzo,
                                 QStringLiteral("txt_WebReg_1"));
    if (!registro)
        return false;
    const auto tipo = campo(c.txt_WebReg[2], QStringLiteral("Formato In"), 0, 255,
                             QStringLiteral("txt_WebReg_2"));
    if (!tipo)
        return false;
    // The controller would get "?" for a character its code page lacks.
    for (const auto& [i, nome] : {std::pair{3, QStringLiteral("Formato Out")},
                                  std::pair{4, QStringLiteral("Label")}}) {
        if (const QString fuori = platform::primoFuoriCp1252(c.txt_WebReg[std::size_t(i)]);
            !fuori.isEmpty()) {
            rifiuta(platform::rifiutoFuoriCp1252(nome, fuori, true));
            CampoRifiutato(QStringLiteral("frm_eeprom"), QStringLiteral("txt_WebReg_%1").arg(i));
            return false;
        }
    }
    const CoppiaByte w = *WordInBytes(double(*registro));
    BuffMemoria[0] = w[0];
    BuffMemoria[1] = w[1];
    BuffMemoria[2] = std::uint8_t(*tipo);
    copiaConSpazi(c.txt_WebReg[3], 5, BuffMemoria.data() + 3);
    BuffMemoria[8] = 0;
    copiaConSpazi(c.txt_WebReg[4], 6, BuffMemoria.data() + 9);
    BuffMemoria[15] = 0;
    return ScriviMemoria(*a, kDimVoceVariabile);
}

bool LeggiVoceWeb(CampiEeprom& c)
{
    const SequenzaDaFinestra sequenza(kLettura, TipoSequenza::Breve);
    if (!sequenza)
        return false;
    const auto a = indirizzoVoce(c);
    if (!a || !LeggiMemoria(*a, kDimVoceVariabile))
        return false;
    c.txt_WebReg[1] = QString::number(BytesInWord(BuffMemoria[1], BuffMemoria[0], false));
    c.txt_WebReg[2] = QString::number(BuffMemoria[2]);
    c.txt_WebReg[3] = nonZero(3, 8);
    c.txt_WebReg[4] = nonZero(9, 15);
    return true;
}

bool LeggiValore(CampiEeprom& c)
{
    const SequenzaDaFinestra sequenza(kLettura, TipoSequenza::Breve);
    if (!sequenza)
        return false;
    const auto indirizzo = campo(c.txt_start, QStringLiteral("Registro"), 0, kMaxIndirizzo - 3,
                                   QStringLiteral("txt_start"));
    if (!indirizzo)
        return false;
    if (!LeggiMemoria(int(*indirizzo), 4)) {
        // What the buffer still holds is another transfer's: show nothing.
        c.txt_byte.fill(QString());
        if (c.larghezza != Larghezza::Float)
            c.txt_valore.clear();
        return false;
    }
    const auto& e = BuffMemoria;
    for (std::size_t i = 0; i < 4; ++i)
        c.txt_byte[i] = QString::number(e[i]);
    switch (c.larghezza) {
    case Larghezza::Byte: c.txt_valore = QString::number(e[0]); break;
    case Larghezza::Int: c.txt_valore = QString::number(BytesInWord(e[1], e[0], false)); break;
    case Larghezza::Long:
        c.txt_valore =
            QString::number(static_cast<qulonglong>(BytesInLong(e[3], e[2], e[1], e[0], false)));
        break;
    case Larghezza::Float: break;
    }
    return true;
}

void DividiValore(CampiEeprom& c)
{
    QuartettoByte b{};
    std::optional<long long> v;
    switch (c.larghezza) {
    case Larghezza::Byte:
        if ((v = CampoIntero(c.txt_valore, -128, 255)))
            b[0] = (*WordInBytes(double(*v)))[0];
        break;
    case Larghezza::Int:
        if ((v = CampoIntero(c.txt_valore, -32768, 65535))) {
            const CoppiaByte w = *WordInBytes(double(*v));
            b[0] = w[0];
            b[1] = w[1];
        }
        break;
    case Larghezza::Long:
        if ((v = CampoIntero(c.txt_valore, 0, kMaxLong))) {
            double d = double(*v);
            const QuartettoByte q = *LongInBytes(d, false);
            b = {q[2], q[3], q[0], q[1]};
        }
        break;
    case Larghezza::Float: v = 0; break;
    }
    for (std::size_t i = 0; i < 4; ++i)
        c.txt_byte[i] = v ? QString::number(b[i]) : QString();
}

bool ScriviValore(const CampiEeprom& c)
{
    const SequenzaDaFinestra sequenza(kScrittura, TipoSequenza::Breve);
    if (!sequenza)
        return false;
    const int n = byteDaScrivere(c.larghezza);
    if (n == 0)
        return false;
    const auto indirizzo = campo(c.txt_start, QStringLiteral("Registro"), 0,
                                 kMaxIndirizzo - (n - 1), QStringLiteral("txt_start"));
    if (!indirizzo)
        return false;
    static const std::array<QString, 4> nomi = {QStringLiteral("L"), QStringLiteral("H"),
                                                QStringLiteral("Exp"), QStringLiteral("Byte 4")};
    std::array<std::uint8_t, 4> b{};
    for (int i = 0; i < n; ++i) {
        const auto v = campo(c.txt_byte[std::size_t(i)], nomi[std::size_t(i)], 0, 255,
                             QStringLiteral("txt_valore%1").arg(QLatin1Char(char('A' + i))));
        if (!v)
            return false;
        b[std::size_t(i)] = std::uint8_t(*v);
    }
    std::copy_n(b.begin(), n, BuffMemoria.begin());
    return ScriviMemoria(int(*indirizzo), n);
}

namespace {

constexpr Finestra kFinestraEeprom = Finestra::frm_eeprom;

} // namespace

bool CopiaEeprom(const CampiEeprom& c)
{
    const auto n =
        campo(c.Text4, QStringLiteral("n bytes"), 0, kMaxIndirizzo, QStringLiteral("Text4"));
    if (!n)
        return false;
    const auto da =
        campo(c.Text3, QStringLiteral("da"), 0, kMaxIndirizzo - *n, QStringLiteral("Text3"));
    if (!da)
        return false;
    const auto a =
        campo(c.Text5, QStringLiteral("a"), 0, kMaxIndirizzo - *n, QStringLiteral("Text5"));
    if (!a)
        return false;
    const SequenzaDaFinestra sequenza(QStringLiteral("EEPROM copy"), TipoSequenza::Dispositivo,
                                      kFinestraEeprom);
    if (!sequenza)
        return false;
    PuntatoreAttesa clessidra;
    // A destination above the source and within its reach would be written before it is
    // read: such a copy runs from the top down, so that every byte read is still the
    // source's.
    const bool discendente = *a > *da && *a - *da < *n;
    for (long long k = 1; k <= *n; ++k) {
        const long long i = discendente ? *n + 1 - k : k;
        const int sorgente = int(*da + i);
        // A failed step ends the copy: the link layer has reported it, and a copy with
        // holes in it would pass for a good one.
        if (!LeggiMemoria(sorgente, std::min(4, 65536 - sorgente)))
            return false;
        // Element 0 is the byte at the source; the write sends it alone.
        if (!ScriviMemoria(int(*a + i), 1))
            return false;
    }
    return true;
}

bool CancellaLogger(int da, int a)
{
    const SequenzaDaFinestra sequenza(QStringLiteral("Logger clear"), TipoSequenza::Dispositivo,
                                      kFinestraEeprom);
    if (!sequenza)
        return false;
    PuntatoreAttesa clessidra;
    for (int indirizzo = da; indirizzo <= a; ++indirizzo) {
        BuffMemoria[0] = kByteLoggerVuoto;
        // With the link down every request would fail in turn, each with its message.
        if (!ScriviMemoria(indirizzo, 1))
            return false;
    }
    return true;
}

namespace {

struct Blocchi {
    int primo;
    int limite;
};

std::optional<Blocchi> blocchi(const CampiEeprom& c)
{
    const auto da = campo(c.Text1, QStringLiteral("da"), 0, kMaxIndirizzo, QStringLiteral("Text1"));
    if (!da)
        return std::nullopt;
    const auto a = campo(c.Text2, QStringLiteral("a"), *da, kMaxIndirizzo, QStringLiteral("Text2"));
    if (!a)
        return std::nullopt;
    return Blocchi{int(*da / kDimBloccoTrasferimento), int(*a / kDimBloccoTrasferimento) + 1};
}

} // namespace

bool EepromInFile(const CampiEeprom& c)
{
    const auto b = blocchi(c);
    if (!b)
        return false;
    const SequenzaDaFinestra sequenza(QStringLiteral("EEPROM to file"), TipoSequenza::Dispositivo,
                                      kFinestraEeprom);
    return sequenza && UploadFileHex(b->primo, b->limite, true);
}

bool FileInEeprom(const CampiEeprom& c)
{
    const auto b = blocchi(c);
    if (!b)
        return false;
    const SequenzaDaFinestra sequenza(QStringLiteral("File to EEPROM"), TipoSequenza::Dispositivo,
                                      kFinestraEeprom);
    return sequenza && DownloadFileHex(b->primo, b->limite, true);
}

} // namespace ludra
