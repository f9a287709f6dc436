#pragma once
// Opening and closing the project as a whole: the empty project, closing one with
// everything it holds, and the model cleared as before the first start.

namespace ludra {

// The empty project "Project" with one blank line selected, the ladder view placed and
// the function-block and compile buttons on.
void InitProgetto();

// Closes the current project after offering to save it (OffriSalvataggio, then
// ChiudiProgetto). Returns false, with the project still open, when the user asked to
// save it and the save did not happen.
bool NuovoProgetto(bool tieniVista = false);

// The save question: false when the user asked to save the project and the save did
// not happen.
bool OffriSalvataggio();

// Empties every unit and the tables, images, display pages, logger objects and register
// names and types, unloads the ladder view, forgets the undo record and the copied line,
// and switches the function-block and compile buttons off. Opening a project keeps the
// ladder window (`tieniVista`): it shows the next project at once rather than being
// built again.
void ChiudiProgetto(bool tieniVista);

// Clears the whole model (as before the first start).
void AzzeraProgetto();

} // namespace ludra
