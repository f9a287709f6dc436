#include "base/ui/FinestraPrincipale.h"

namespace ludra::ui {
namespace {
FinestraPrincipale* corrente = nullptr;
}

FinestraPrincipale* finestraPrincipale() { return corrente; }

void setFinestraPrincipale(FinestraPrincipale* finestra) { corrente = finestra; }

} // namespace ludra::ui
