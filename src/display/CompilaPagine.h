#pragma once
// The display-page compiler: every page becomes one program unit (page slot p into unit
// p + 1) of one display-object line per object and a closing Return line.
#include "display/PagineDisplay.h"

#include <array>
#include <cstdint>

namespace ludra {

// The 32 argument bytes of one object's line. Bytes no kind names are 0; a text longer
// than its space is cut so that its closing 0 byte still fits.
std::array<std::uint8_t, 32> DescrittoreOggetto(const OggettoDisplay& oggetto);

// Rewrites units 1..NumPagine from PagineDisplay; the ladder cursor returns to the main
// program.
void CompilaOggetti();

} // namespace ludra
