#include "tables/InputTab.h"

namespace ludra {

CampiInputTab InputTab;

} // namespace ludra
