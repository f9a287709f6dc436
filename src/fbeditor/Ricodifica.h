#pragma once
#include <QString>

namespace ludra {

// Rebuilds line riga of the current unit through the editor, without showing it: the
// line is laid out from its block triple and argument texts and confirmed again, so
// the fields no file holds (delay, data length, register types, row) come back.
// Empty when the line was rebuilt; else the editor's reason, and the line untouched.
QString RicodificaRiga(int riga);

} // namespace ludra
