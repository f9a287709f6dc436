#pragma once
// Whole-line edits of the current unit: open the editor on a line, delete, insert,
// move, copy, paste, and write back the line saved before the last delete or paste.
// Lines move through line 0, the copy buffer and swap slot; the rows follow through
// DuplicaRung and SelezionaRung. Every operation refuses a line the unit does not hold.
#include "ladder/RigaLadder.h"

#include <functional>
#include <optional>

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

// How the undo record was taken: a paste or an editor's commit is written back in place.
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

// Saves line r of unit sezione, as the editor's commit is about to replace it.
void SalvaRungUndo(int sezione, int r);

// Forgets the undo record and the copied line, and the editor's line (the project they
// belong to is going); disables "rung_paste" and "rung_redo".
void AzzeraUndo();

// The line the function-block editor was opened on. It follows the line as lines are
// deleted, inserted and moved above or onto it, so that the editor writes there
// whichever line is current by then; it is lost once that line is deleted or its
// project closed. An editor not opened on a line (free) edits the current line.
struct LineaEditor {
    int sezione = 0;
    int riga = 0;
};
struct LegameEditor {
    enum class Stato { Libero, Legato, Perso } stato = Stato::Libero;
    LineaEditor linea;
};
void LegaEditor(int sezione, int riga);
// Puts back a binding taken with Legame() (around a line rebuilt by the project reader).
void LegaEditor(const LegameEditor& legame);
void SciogliEditor();
LegameEditor Legame();
// The line the editor writes: the one it was opened on, the current one when free,
// none when lost or out of the units' range.
std::optional<LineaEditor> LineaDellEditor();

} // namespace ludra
