#include "base/Numeri.h"

#include <QByteArray>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace ludra {
namespace {

bool cifra(char c) { return c >= '0' && c <= '9'; }

// The whole text less the characters that never count, as ASCII; any other character
// becomes '?', which ends every number.
QByteArray compatto(const QString& testo)
{
    QByteArray s;
    s.reserve(testo.size());
    for (const QChar c : testo) {
        if (SpazioNumero(c))
            continue;
        s.append(c.unicode() < 128 ? char(c.unicode()) : '?');
    }
    return s;
}

double interoInBase(const QByteArray& s, qsizetype da, int base)
{
    double v = 0;
    for (qsizetype i = da; i < s.size(); ++i) {
        const char c = s[i];
        int d = -1;
        if (cifra(c))
            d = c - '0';
        else if (c >= 'A' && c <= 'F')
            d = c - 'A' + 10;
        else if (c >= 'a' && c <= 'f')
            d = c - 'a' + 10;
        if (d < 0 || d >= base)
            break;
        v = v * base + d;
    }
    return v;
}

// The decimal text s, digits with at most one "." and an optional exponent "e" with
// an optional sign and digits, read without the C library, whose locale may make a
// comma the decimal point. Beyond the range of a double: an infinity when the
// magnitude is 1 or more, else 0.
double decimale(const QByteArray& s)
{
    double v = 0;
    const char* fine = s.constData() + s.size();
    if (std::from_chars(s.constData(), fine, v).ec != std::errc::result_out_of_range)
        return v;
    // Where the first significant digit stands: the power of ten of the value, give or
    // take one, which is all an out-of-range value needs.
    const qsizetype punto = s.indexOf('.');
    const qsizetype e = s.indexOf('e');
    const qsizetype finePunto = punto >= 0 ? punto : (e >= 0 ? e : s.size());
    qsizetype primo = 0;
    while (primo < s.size() && (s[primo] == '0' || s[primo] == '.'))
        ++primo;
    long long esponente = 0;
    if (e >= 0) {
        const char* inizio = s.constData() + e + 1;
        if (*inizio == '+')
            ++inizio;
        // Far beyond any double either way; kept small enough to add to.
        constexpr long long kOltre = 1'000'000'000'000;
        if (std::from_chars(inizio, fine, esponente).ec == std::errc::result_out_of_range)
            esponente = *inizio == '-' ? -kOltre : kOltre;
        esponente = std::clamp(esponente, -kOltre, kOltre);
    }
    const long long posizione = primo < finePunto ? finePunto - primo : finePunto - primo + 1;
    return posizione + esponente > 0 ? std::numeric_limits<double>::infinity() : 0.0;
}

} // namespace

bool SpazioNumero(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n');
}

double LeggiNumero(const QString& testo)
{
    const QByteArray s = compatto(testo);
    if (s.size() >= 2 && s[0] == '&') {
        const char p = char(s[1] | 0x20);
        if (p == 'h')
            return interoInBase(s, 2, 16);
        if (p == 'o')
            return interoInBase(s, 2, 8);
        return 0;
    }

    qsizetype i = 0;
    const bool negativo = i < s.size() && s[i] == '-';
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        ++i;
    const qsizetype inizio = i;
    qsizetype cifre = 0;
    while (i < s.size() && cifra(s[i])) {
        ++i;
        ++cifre;
    }
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && cifra(s[i])) {
            ++i;
            ++cifre;
        }
    }
    if (cifre == 0)
        return 0;
    QByteArray numero = s.mid(inizio, i - inizio);
    // An exponent counts only when at least one digit follows its letter and sign.
    if (i < s.size() && (s[i] == 'E' || s[i] == 'e' || s[i] == 'D' || s[i] == 'd')) {
        qsizetype j = i + 1;
        if (j < s.size() && (s[j] == '+' || s[j] == '-'))
            ++j;
        const qsizetype cifreEsponente = j;
        while (j < s.size() && cifra(s[j]))
            ++j;
        if (j > cifreEsponente)
            numero += 'e' + s.mid(i + 1, j - i - 1);
    }
    const double v = decimale(numero);
    return negativo ? -v : v;
}

QString TestoNumero(double valore)
{
    if (std::isnan(valore) || valore == 0)
        return QStringLiteral(" 0");   // -0 too
    const QString segno = valore < 0 ? QStringLiteral("-") : QStringLiteral(" ");
    if (std::isinf(valore))
        return segno + QStringLiteral("1E+309");
    // The 15 significant digits first, and the form from the number they make: deciding
    // on the value itself would show a value just below 1E-04 as " 1E-04", which shows
    // again as " .0001", and one just below 1E+15 with all its binary digits.
    const QByteArray e = QByteArray::number(std::fabs(valore), 'e', 14);   // d.dddddddddddddde+x
    const qsizetype pe = e.indexOf('e');
    QByteArray cifre = e.left(1) + e.mid(2, pe - 2);
    int esponente = e.mid(pe + 1).toInt();
    // The largest doubles round up past the largest double: they show one digit lower,
    // so the text still reads back as a number.
    if (std::isinf(decimale(cifre + 'e' + QByteArray::number(esponente - 14)))) {
        for (qsizetype i = cifre.size() - 1; i >= 0 && cifre[i]-- == '0'; --i)
            cifre[i] = '9';
    }
    while (cifre.size() > 1 && cifre.endsWith('0'))
        cifre.chop(1);
    QByteArray corpo;
    if (esponente >= 15 || esponente < -4) {
        // d.ddddE+xx, at least two exponent digits.
        corpo = cifre.left(1);
        if (cifre.size() > 1)
            corpo += '.' + cifre.mid(1);
        const QByteArray e10 = QByteArray::number(std::abs(esponente));
        corpo += (esponente < 0 ? "E-" : "E+") + e10.rightJustified(2, '0');
    } else if (esponente < 0) {
        corpo = '.' + QByteArray(-esponente - 1, '0') + cifre;
    } else {
        const qsizetype interi = esponente + 1;
        corpo = cifre.leftJustified(interi, '0');
        if (cifre.size() > interi)
            corpo = cifre.left(interi) + '.' + cifre.mid(interi);
    }
    return segno + QString::fromLatin1(corpo);
}

} // namespace ludra
