#pragma once
// The executing line: the controller's program counter (register 13, the index of the
// command record executing) marked in the ladder view.
#include "compiler/Compilatore.h"

#include <optional>

namespace ludra {

// Reads register 13 and moves the red line-number mark from the line marked before to
// the line that wrote the record executing, scrolling the view when that line of the
// current unit lies outside it; then redraws the status bar. A failed read marks the
// previous counter's line again.
void AggiornaPC();

// The line marked now, if any.
std::optional<OrigineRecord> RigaEvidenziata();

// Forgets the mark (a fresh process has none).
void AzzeraContatoreProgramma();

} // namespace ludra
