#include "base/Numeri.h"

#include <QByteArray>
#include <cmath>
#include <cstdlib>

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
        if (c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n'))
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

} // namespace

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
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        ++i;
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
    QByteArray numero = s.left(i);
    // An exponent counts only when at least one digit follows its letter and sign.
    if (i < s.size() && (s[i] == 'E' || s[i] == 'e' || s[i] == 'D' || s[i] == 'd')) {
        qsizetype j = i + 1;
        if (j < s.size() && (s[j] == '+' || s[j] == '-'))
            ++j;
        const qsizetype inizio = j;
        while (j < s.size() && cifra(s[j]))
            ++j;
        if (j > inizio)
            numero += 'e' + s.mid(i + 1, j - i - 1);
    }
    return std::strtod(numero.constData(), nullptr);
}

QString TestoNumero(double valore)
{
    if (std::isnan(valore))
        return QStringLiteral(" 0");
    if (valore == 0)
        return QStringLiteral(" 0");   // -0 too
    const double a = std::fabs(valore);
    QString corpo;
    if (std::isinf(valore)) {
        corpo = QStringLiteral("1E+309");
    } else if (a >= 1e15 || a < 1e-4) {
        // d.ddddE+xx with at most 15 significant digits and at least two exponent digits.
        QString e = QString::number(a, 'e', 14);
        const qsizetype pe = e.indexOf(QLatin1Char('e'));
        QString mantissa = e.left(pe);
        QString esponente = e.mid(pe + 1);
        if (mantissa.contains(QLatin1Char('.'))) {
            while (mantissa.endsWith(QLatin1Char('0')))
                mantissa.chop(1);
            if (mantissa.endsWith(QLatin1Char('.')))
                mantissa.chop(1);
        }
        const QChar segno = esponente[0];
        QString cifre = esponente.mid(1);
        while (cifre.size() > 2 && cifre.startsWith(QLatin1Char('0')))
            cifre.remove(0, 1);
        if (cifre.size() < 2)
            cifre.prepend(QLatin1Char('0'));
        // Rounding to 15 digits can carry 9.99...E+14 over to 1E+15 and back into range;
        // the exponent form stays right for it either way.
        corpo = mantissa + QLatin1Char('E') + segno + cifre;
    } else {
        corpo = QString::number(a, 'g', 15);
        if (corpo.contains(QLatin1Char('e'))) {
            // 'g' chose the exponent form for a value the fixed form must show.
            corpo = QString::number(a, 'f', 15 - 1 - int(std::floor(std::log10(a))));
            if (corpo.contains(QLatin1Char('.'))) {
                while (corpo.endsWith(QLatin1Char('0')))
                    corpo.chop(1);
                if (corpo.endsWith(QLatin1Char('.')))
                    corpo.chop(1);
            }
        }
        if (corpo.startsWith(QLatin1String("0.")))
            corpo.remove(0, 1);
    }
    return (valore < 0 ? QStringLiteral("-") : QStringLiteral(" ")) + corpo;
}

} // namespace ludra
