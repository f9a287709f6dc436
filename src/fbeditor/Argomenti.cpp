#include "fbeditor/Argomenti.h"

namespace ludra {

std::array<Argomento, kNumArgomenti> Argomenti;

} // namespace ludra
