#pragma once
// Writing a value the user typed into a controller register in the register's value
// type: one register, a 32-bit pair or an IEEE single pair.
#include "link/Sequenza.h"

#include <cstdint>

namespace ludra {

// How a type entry of the set-register dialog is written.
enum class ScritturaTipo { Nessuna, Parola, Long, Float };
ScritturaTipo ScritturaPerTipo(int tipo);

// Writes v into register r (and r + 1 for the pairs) by the type's write, with function
// 6 requests; what the controller confirms goes into TabellaRegistri, a failed request
// is reported by the link and logged as "Error". The value must already be in range
// for the type (ValoreNonValido). Asked for while a command or a loop holds the link, it
// is written in its turn; refused, with a box, while a long operation holds it (see
// ComandoBreve).
EsitoComando ScriviValoreRegistro(int tipo, double valore, int r);

} // namespace ludra
