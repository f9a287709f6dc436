#pragma once
// Whole-line edits of the current unit: open the editor on a line, delete, insert,
// move, copy, paste, and write back the line saved before the last delete or paste.
// Lines move through line 0, the copy buffer and swap slot; the rows follow through
// DuplicaRung and SelezionaRung. Every operation refuses a line the unit does not hold.
#include "ladder/RigaLadder.h"

#include <functional>

namespace ludra {

void ModificaRung(int r);
void CancellaRung(int r);
// Right after AggiungiRung: opens a blank line at pos + 1 by moving the lines below it
// down one; pos -1 (Insert Before with no current line) counts as 0.
void InserisciRung(int pos);
void SpostaRungSu(int r);
void SpostaRungGiu(int r);
void CopiaRung(int r);
void IncollaRung(int r);
void SalvaRungUndo(int r);
// Writes the saved line back: in place after a paste, re-inserted at its old index
// after a delete. Refuses an index the unit cannot take.
void RipristinaRung();

// How the undo record was taken.
enum class TipoUndo { Nessuno, Cancellazione, Incolla };

struct StatoUndo {
    bool valido = false;  // "rung_redo" may write it back
    TipoUndo tipo = TipoUndo::Nessuno;
    int sezione = 0;
    RigaLadder riga;      // the row as it showed the saved line
};
const StatoUndo& Undo();
// Line 0 of the current unit holds a copied line that Paste may use.
bool CopiaDisponibile();
// The undo record may be written back into the current unit.
bool RipristinoDisponibile();
// "rung_paste" and "rung_redo" as the current unit allows them (after a unit change).
void AggiornaPulsantiRung();

// Forgets the undo record and the copied line; disables "rung_paste" and "rung_redo".
void AzzeraUndo();

} // namespace ludra
