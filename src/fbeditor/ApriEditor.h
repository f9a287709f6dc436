#pragma once
// Opening a program line in the function-block editor.

namespace ludra {

// Loads and shows the editor window, then lays it out for line riga of the current
// unit (which becomes the current line) and shows the line's argument texts when the
// line is loaded. Nothing is written into the line until the user confirms the block.
void ApriEditor(int riga);

} // namespace ludra
