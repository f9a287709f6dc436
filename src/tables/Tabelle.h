#pragma once
// The project's linearisation tables and their place in controller memory.
#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <optional>

namespace ludra {

inline constexpr int kMaxTabelle = 9;
inline constexpr int kMaxPunti = 32;
// Controller memory is counted in blocks of 34 bytes from the start of the data area;
// block k begins (k - 1) x 34 bytes after it.
inline constexpr int kDimBloccoTabella = 34;

struct Tabella {
    QString Nome;
    std::uint8_t NumPunti = 0;               // 2..32
    std::array<double, kMaxPunti + 1> Ingresso{};
    std::array<double, kMaxPunti + 1> Uscita{};
    std::int16_t Blocco1 = 0;                // set only by AllocaTabelle
    std::int16_t Blocco2 = 0;

    bool operator==(const Tabella&) const = default;
};

extern std::array<Tabella, kMaxTabelle> Tabelle;
extern std::uint8_t NumTabelle;        // tables 0..NumTabelle-1 in use

// The names of the tables in use, in index order.
QStringList NomiTabelle();

// Places tables 0..NumTabelle-1 downward from TopTabelle - 20: each table takes two runs
// of blocks, Blocco1 directly below Blocco2, and the next table lies directly below the
// previous table's Blocco1. A placement that would not fit a 16-bit block number ends
// the pass; the tables not yet placed keep their old numbers.
void AllocaTabelle();

// The lowest block any placed table uses, or nothing when there is no table.
std::optional<int> BloccoPiuBasso();

// Empties the store (as before the first start).
void AzzeraTabelle();

} // namespace ludra
