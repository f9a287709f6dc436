#pragma once
// The names a save of a set writes beside its files ("f~new", "<segno>~putback", ...) are
// longer than the files' own: a name that fits the folder may leave no room for them.
#include "platform/InsiemeFile.h"

#include <QString>

namespace ludra::platform {

// Whether every name a save of `insieme` makes fits the limit of the folder it stands
// in; false with `errore` naming the file, the longest name made beside it and the limit,
// before anything is written.
bool NomiEntroLimite(const InsiemeFile& insieme, QString& errore);

} // namespace ludra::platform
