#pragma once
// Encoding of one argument value into the four bytes of its slot in a line.
#include <array>
#include <cstdint>

namespace ludra {

using SlotArgomento = std::array<std::uint8_t, 4>;

// Encodes the value by its value type, low byte first:
// - uInt, Int: 16 bits and two zero bytes; -65536..65535, a negative value counting
//   from 65536 (the sum is written back into valore);
// - uLong, K_Long: 32 bits unsigned, 0..4294967295;
// - Long: 32 bits two's complement, -4294967296..4294967295 (a negative value is
//   written back plus 2^32);
// - K_Flt: the IEEE 754 single, within the single's range;
// - Float, Hex, ASCII, Bin, Table and any other type: nothing, the bytes stay.
// A fraction rounds to the nearest integer, halves to even. A value that does not fit
// (or is not a number) gives false and leaves both the bytes and valore as they were.
bool CodificaArgomento(double& valore, std::uint8_t formato, SlotArgomento& slot);

// Trasf: encodes valore by formato into slot nPar of line nRung of the current unit.
// False, with nothing written, for a value that does not fit or a line, slot or unit
// outside its range.
bool Trasf(double& valore, std::uint8_t formato, int nRung, int nPar);

} // namespace ludra
