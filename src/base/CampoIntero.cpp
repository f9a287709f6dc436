#include "base/CampoIntero.h"

#include <cmath>

namespace ludra {

std::optional<long long> CampoIntero(const QString& testo, long long minimo, long long massimo)
{
    const QString t = testo.trimmed();
    if (t.isEmpty())
        return std::nullopt;
    bool ok = false;
    long long valore = 0;
    if (t.startsWith(QLatin1String("&H"), Qt::CaseInsensitive)) {
        valore = t.mid(2).toLongLong(&ok, 16);
        if (!ok || t.size() == 2 || t.mid(2).startsWith(QLatin1Char('-')) ||
            t.mid(2).startsWith(QLatin1Char('+')))
            return std::nullopt;
    } else {
        const double d = t.toDouble(&ok);
        // Beyond this every long long check below is meaningless; no field goes near it.
        if (!ok || !std::isfinite(d) || std::fabs(d) > 1e15)
            return std::nullopt;
        valore = std::llround(d);
    }
    if (valore < minimo || valore > massimo)
        return std::nullopt;
    return valore;
}

} // namespace ludra
