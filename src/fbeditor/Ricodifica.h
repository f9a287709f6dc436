#pragma once

namespace ludra {

// Rebuilds line riga of the current unit through the editor, without showing it: the
// line is laid out from its block triple and argument texts and confirmed again, so
// the fields no file holds (delay, data length, register types, row) come back.
// False, with the line untouched, when the block does not encode.
bool RicodificaRiga(int riga);

} // namespace ludra
