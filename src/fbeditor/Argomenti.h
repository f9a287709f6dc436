#pragma once
// The argument records of the function block being edited. They are process-wide so
// that the register window can drop a clicked register into the focused argument, and
// they keep their content after the editor closes.
#include <QString>
#include <array>
#include <cstdint>

namespace ludra {

// Value types, named by NomiTipi.
enum TipoValore : std::uint8_t {
    kUInt = 0,
    kInt = 1,
    kULong = 2,
    kLong = 3,
    kFloat = 4,
    kKFlt = 5,
    kKLong = 6,
    kHex = 7,
    kAscii = 8,
    kBin = 9,
    kTable = 10,
};
inline constexpr int kNumTipi = 11;

struct Argomento {
    QString Nome;                          // row caption; "" = the block has no such argument
    std::uint8_t Tipo = 0;                 // value type 0..10
    double Valore = 0;                     // register number or constant
    bool Registro = false;                 // a register reference ("%R"), fillable from the register window
    std::array<bool, kNumTipi> TipoAmmesso{};

    bool operator==(const Argomento&) const = default;
};

inline constexpr int kNumArgomenti = 8;
extern std::array<Argomento, kNumArgomenti> Argomenti;

} // namespace ludra
