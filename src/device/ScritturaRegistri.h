#pragma once
// Writing a value into the controller's holding registers by its value type (function
// 6, one request per register) and, when the controller confirms, into TabellaRegistri,
// so the register window shows it without a new read. A value the type cannot carry is
// not sent at all: nothing goes out, "Error" goes to the Log and the table keeps its
// values.
#include <cstdint>

namespace ludra {

// One 16-bit register ("uInt", "Int", "K_Long", "Hex", "Bin"): the value is rounded to
// the nearest whole number (halves to even) and a negative one taken as value + 65536,
// both written back into `valore`. Range -32768..65535.
void ScriviRegistro(double& valore, double nonUsato, std::int16_t n);

// A 32-bit integer ("uLong", "Long") into registers n (low word) and n + 1 (high word);
// a negative value is written back as value + 2^32. Range -2^31..2^32 - 1.
void ScriviRegistroLong(double& valore, double nonUsato, std::int16_t n);

// An IEEE single ("Float") into registers n (low word) and n + 1 (high word). Any value
// a single can hold, infinities and NaN excluded.
void ScriviRegistroFloat(double& valore, double nonUsato, std::int16_t n);

} // namespace ludra
