#include "tables/Tabelle.h"

#include "project/Registri.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace ludra {

std::array<Tabella, kMaxTabelle> Tabelle;
std::uint8_t NumTabelle = 0;

namespace {

int tabelleInUso() { return std::min<int>(NumTabelle, kMaxTabelle); }

bool in16(double v)
{
    return v >= std::numeric_limits<std::int16_t>::min() &&
           v <= std::numeric_limits<std::int16_t>::max();
}

} // namespace

void AllocaTabelle()
{
    double base = double(TopTabelle) - 20;
    for (int t = 0; t < tabelleInUso(); ++t) {
        Tabella& tab = Tabelle[std::size_t(t)];
        const double s = std::floor((double(tab.NumPunti) - 1) / 8) + 1;
        const double b2 = base - s;
        const double b1 = base - 2 * s;
        if (!in16(b2) || !in16(b1))
            return;
        tab.Blocco2 = std::int16_t(b2);
        tab.Blocco1 = std::int16_t(b1);
        // The next table's runs start directly below this one's, so no two overlap.
        base = b1;
    }
}

std::optional<int> BloccoPiuBasso()
{
    std::optional<int> minimo;
    for (int t = 0; t < tabelleInUso(); ++t) {
        const Tabella& tab = Tabelle[std::size_t(t)];
        const int basso = std::min<int>(tab.Blocco1, tab.Blocco2);
        if (!minimo || basso < *minimo)
            minimo = basso;
    }
    return minimo;
}

QStringList NomiTabelle()
{
    QStringList nomi;
    for (int i = 0; i < tabelleInUso(); ++i)
        nomi << Tabelle[std::size_t(i)].Nome;
    return nomi;
}

void AzzeraTabelle()
{
    Tabelle = {};
    NumTabelle = 0;
}

} // namespace ludra
