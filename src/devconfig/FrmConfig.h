#pragma once
// The configuration window's public field as its openers see it.
#include <QString>

namespace ludra {

struct CampiFrmConfig {
    QString SetModello;   // the model to preselect when the window loads
};

extern CampiFrmConfig FrmConfig;

void AzzeraFrmConfig();

} // namespace ludra
