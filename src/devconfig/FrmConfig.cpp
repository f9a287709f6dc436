#include "devconfig/FrmConfig.h"

namespace ludra {

CampiFrmConfig FrmConfig;

void AzzeraFrmConfig() { FrmConfig = CampiFrmConfig{}; }

} // namespace ludra
