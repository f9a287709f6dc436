#pragma once
// The project's linearisation tables: up to nine named lists of 2 to 32 points. A
// function block refers to a table by its index, which is its identity.
#include <QString>
#include <array>
#include <cstdint>

namespace ludra {

struct Tabella {
    QString Nome;                      // shown in every table list; matched case-sensitively
    std::uint8_t NumPunti = 0;         // 2..32
    std::array<double, 33> Ingresso{}; // points 0..NumPunti-1 in use
    std::array<double, 33> Uscita{};
    std::int16_t Blocco1 = 0;          // placement in controller memory
    std::int16_t Blocco2 = 0;

    bool operator==(const Tabella&) const = default;
};

inline constexpr int kMaxTabelle = 9;
extern std::array<Tabella, kMaxTabelle> Tabelle;
extern std::uint8_t NumTabelle;        // tables 0..NumTabelle-1 in use

// The names of the tables in use, in index order.
QStringList NomiTabelle();

// Empties the store (as before the first start).
void AzzeraTabelle();

} // namespace ludra
