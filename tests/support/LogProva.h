#pragma once
// Reading the Log as the tests do: a mark, the lines written since it, a report line.
#include "base/Log.h"

#include <QStringList>

namespace ludra::test {

// How many lines the Log holds now: the mark logDa() reads from.
inline int righeLog() { return int(LogModello::istanza().righe().size()); }

// The Log lines after the first `da`.
inline QStringList logDa(int da) { return LogModello::istanza().righe().mid(da); }

// Whether the Log holds `riga` as a report writes it (indented by two blanks).
inline bool logContiene(const QString& riga)
{
    return LogModello::istanza().righe().contains(QStringLiteral("  ") + riga);
}

// The Log lines after the separator of the last report (all lines when there is none).
inline QStringList righeRapporto()
{
    const QStringList righe = LogModello::istanza().righe();
    for (int i = int(righe.size()) - 1; i >= 0; --i)
        if (righe[i].startsWith(QStringLiteral("-- ")))
            return righe.mid(i + 1);
    return righe;
}

} // namespace ludra::test
