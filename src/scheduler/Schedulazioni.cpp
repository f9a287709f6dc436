#include "scheduler/Schedulazioni.h"

namespace ludra {

ListaScheduler Schedulazioni;

void AzzeraSchedulazioni() { Schedulazioni = ListaScheduler{}; }

} // namespace ludra
