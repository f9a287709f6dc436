#include "fbeditor/ApriEditor.h"

#include "base/Finestre.h"
#include "fbeditor/StatoComandi.h"

namespace ludra {

void ApriEditor(int riga)
{
    // The window first: loading it starts it on its first tab, which the line's block
    // then replaces.
    if (HostFinestre* host = hostFinestre())
        host->mostra(Finestra::comandi, true);
    StatoComandi::istanza().CaricaRiga(riga);
}

} // namespace ludra
