#include "monitor/AggiornaRegistri.h"

#include "app/Notifiche.h"

namespace ludra {

void AggiornaRegistri_new(bool leggi)
{
    // The read of the window's page comes with the register window's refresh; until
    // then the window redraws what the table holds.
    (void)leggi;
    emit Notifiche::istanza().registriCambiati();
}

} // namespace ludra
