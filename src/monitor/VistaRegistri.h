#pragma once
// How one row of the register window reads: label, name, value in the register's
// value type, type name and colours, all from TabellaRegistri.
#include <QString>
#include <cstdint>

namespace ludra {

struct RigaRegistro {
    QString etichetta;
    QString nome;
    QString valore;
    QString tipo;
    std::uint32_t coloreNome = 0;     // &HBBGGRR
    std::uint32_t coloreValore = 0;
    bool operator==(const RigaRegistro&) const = default;
};

// Row of register r (0..NumRegistri); the second register of a 32-bit pair shows "---".
RigaRegistro DescriviRegistro(int r);

// The value of register r as its type writes it (no pair rule).
QString TestoValoreRegistro(int r);

// Whether a value type spans two registers (r low word, r + 1 high word).
bool TipoDoppio(int formato);

} // namespace ludra
