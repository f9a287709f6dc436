#include "devconfig/FrmConfig.h"

namespace ludra {

CampiFrmConfig FrmConfig;

} // namespace ludra
