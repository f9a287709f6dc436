#include "base/Notifiche.h"

namespace ludra {

Notifiche& Notifiche::istanza()
{
    static Notifiche n;
    return n;
}

} // namespace ludra
