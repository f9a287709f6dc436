#include "fbeditor/Ricodifica.h"

#include "fbeditor/CompilaComando.h"
#include "fbeditor/StatoComandi.h"
#include "fbeditor/TabellaFunzioni.h"
#include "ladder/OperazioniRung.h"
#include "project/Progetto.h"

namespace ludra {

QString RicodificaRiga(int riga)
{
    if (SubCorrente < 0 || SubCorrente >= kNumSezioni || riga < 0 || riga > kMaxRung)
        return kErroreValori;
    const Rung& letta = Sezioni[std::size_t(SubCorrente)].Rung[std::size_t(riga)];
    // A triple no block stands for would come back as the block the lookup falls back
    // on, a read of register 0.
    if (!CodiceDaTripla(letta.Classe, letta.Funzione, letta.SubOp))
        return QStringLiteral("No function block has class %1, function %2, sub-operation %3")
            .arg(letta.Classe)
            .arg(letta.Funzione)
            .arg(letta.SubOp);
    StatoComandi& editor = StatoComandi::istanza();
    // An editor the user has open keeps the line it was opened on.
    const LegameEditor legame = Legame();
    editor.Carica();
    editor.CaricaRiga(riga);
    const bool scritta = CompilaComando(Lettura::File) == kComandoScritto;
    editor.Scarica();
    LegaEditor(legame);
    return scritta ? QString() : kErroreValori;
}

} // namespace ludra
