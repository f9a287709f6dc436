#include "platform/Cp1252.h"

#include <QList>
#include <array>

namespace ludra::platform {
namespace {

// 0x80..0x9F; 0 marks the five bytes the code page leaves undefined, which are read as
// the control character of the same value, as Windows does.
constexpr std::array<char16_t, 32> kAlti = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

} // namespace

QString fromCp1252(QByteArrayView byte)
{
    QString testo;
    testo.reserve(byte.size());
    for (const char c : byte) {
        const auto b = static_cast<unsigned char>(c);
        if (b >= 0x80 && b <= 0x9F && kAlti[b - 0x80] != 0)
            testo += QChar(kAlti[b - 0x80]);
        else
            testo += QChar(char16_t(b));
    }
    return testo;
}

QByteArray toCp1252(const QString& testo)
{
    QByteArray byte;
    byte.reserve(testo.size());
    for (const QChar c : testo) {
        const char16_t u = c.unicode();
        if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
            byte += char(u);
            continue;
        }
        char scelto = '?';
        for (std::size_t i = 0; i < kAlti.size(); ++i) {
            if (kAlti[i] == u || (kAlti[i] == 0 && u == 0x80 + i)) {
                scelto = char(0x80 + i);
                break;
            }
        }
        byte += scelto;
    }
    return byte;
}

QString primoFuoriCp1252(const QString& testo)
{
    for (qsizetype i = 0; i < testo.size(); ++i) {
        // Most texts are Latin-1 alone, which the code page holds at the same places.
        if (const char16_t u = testo[i].unicode(); u < 0x80 || (u >= 0xA0 && u <= 0xFF))
            continue;
        const qsizetype n =
            testo[i].isHighSurrogate() && i + 1 < testo.size() && testo[i + 1].isLowSurrogate()
                ? 2
                : 1;
        const QString c = testo.sliced(i, n);
        if (fromCp1252(toCp1252(c)) != c)
            return c;
        i += n - 1;
    }
    return {};
}

QString rifiutoFuoriCp1252(const QString& campo, const QString& carattere, bool italiano)
{
    const QList<uint> codici = carattere.toUcs4();
    const uint codice = codici.isEmpty() ? 0 : codici.first();
    // An accent that combines with the letter before it shows on a dotted circle, as
    // alone it would sit on the quotation mark (a letter typed as "e" and U+0301).
    const QString mostrato = !carattere.isEmpty() && carattere.front().isMark()
                                 ? QChar(0x25CC) + carattere
                                 : carattere;
    return (italiano ? QStringLiteral("%1: il carattere \"%2\" (U+%3) non è nella codifica "
                                      "Windows-1252 e non si può scrivere")
                     : QStringLiteral("%1: the character \"%2\" (U+%3) is not in the "
                                      "Windows-1252 code page and cannot be written"))
        .arg(campo, mostrato,
             QString::number(codice, 16).toUpper().rightJustified(4, QLatin1Char('0')));
}

bool RigheCp1252::prossima(QString& riga)
{
    if (finite())
        return false;
    qsizetype fine = byte_.indexOf('\n', pos_);
    if (fine < 0)
        fine = byte_.size();
    const qsizetype dopo = fine + 1;
    if (fine > pos_ && byte_[fine - 1] == '\r')
        --fine;
    riga = fromCp1252(QByteArrayView(byte_).sliced(pos_, fine - pos_));
    pos_ = dopo;
    return true;
}

} // namespace ludra::platform
