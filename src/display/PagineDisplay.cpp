#include "display/PagineDisplay.h"

namespace ludra {

ListaPagine PagineDisplay;

} // namespace ludra
