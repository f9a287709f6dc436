#include "fbeditor/Ricodifica.h"

#include "fbeditor/CompilaComando.h"
#include "fbeditor/StatoComandi.h"

namespace ludra {

bool RicodificaRiga(int riga)
{
    StatoComandi& editor = StatoComandi::istanza();
    editor.Carica();
    editor.CaricaRiga(riga);
    const bool scritta = CompilaComando() == kComandoScritto;
    editor.Scarica();
    return scritta;
}

} // namespace ludra
