#pragma once
// The rung commands as the toolbar and the Function Block pop-up menu give them; each
// acts on the current line and does nothing when there is none.
namespace ludra {

void ComandoModifica();
// Asks "Delete Function Block ?"; OK deletes the current line.
void ComandoCancella();
// Appends a line, then opens it before or after the current line.
void ComandoInserisci(bool prima);
void ComandoSu();
void ComandoGiu();
void ComandoCopia();
void ComandoIncolla();
void ComandoRipristina();
// The breakpoint toggle: the line's Break and its row's mark.
void ComandoBreak();

} // namespace ludra
