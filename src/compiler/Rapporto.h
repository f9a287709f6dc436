#pragma once
// The compile report in the Log.
#include <cstdint>

namespace ludra {

// Separator, "Compiling", the error check, the resource usage and "Compiled".
void RapportoSuccesso(std::int32_t byteInUso);

// Separator, "Compiling", then the error list of the line errors found.
void RapportoErrori();

// A compile that ended on a fault: the error list alone, without separator.
void RapportoGuasto();

} // namespace ludra
