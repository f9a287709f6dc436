#include "tables/Tabelle.h"

#include <QStringList>
#include <algorithm>

namespace ludra {

std::array<Tabella, kMaxTabelle> Tabelle;
std::uint8_t NumTabelle = 0;

QStringList NomiTabelle()
{
    QStringList nomi;
    const int n = std::min<int>(NumTabelle, kMaxTabelle);
    for (int i = 0; i < n; ++i)
        nomi << Tabelle[std::size_t(i)].Nome;
    return nomi;
}

void AzzeraTabelle()
{
    Tabelle = {};
    NumTabelle = 0;
}

} // namespace ludra
