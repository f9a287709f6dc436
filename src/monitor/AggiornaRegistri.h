#pragma once
// Reading the controller's registers into the register table for the register window,
// and clearing the first user registers.
#include <cstdint>

namespace ludra {

// The first register on the register window's screen (its scroll position). The window
// keeps it up to date while it is loaded; once it is closed the last position stays.
extern int PrimoRegistroSchermo;

inline constexpr int kRegistriPerLettura = 32;

// With leggi: one function 4 request for the 32 registers from the first register on
// screen; on a whole reply their values and Cambiato flags are stored. Then, and only
// when something may have changed, the register window redraws. A failed or short
// reply leaves the table and the screen as they were. Asked for while a command or a
// loop holds the link, it takes its turn (merged with one already waiting); while a
// long operation holds it, it is refused with a box (see ComandoBreve).
void AggiornaRegistri_new(bool leggi);

// Stores the registers of a function 4 reply in BuffRx/LenRx for the 32 registers read
// from `primo`; false, and the table untouched, when the reply does not carry all 32.
bool LeggiRispostaRegistri(int primo);

// Writes zero into the sixteen registers from PrimoRegUtente with one function 16
// request. The link reports a failure; the caller refreshes.
void ClearRegistri();

} // namespace ludra
