#pragma once

namespace ludra::ui {

class Principale;

// Ties the parts together: every child window's factory under the name the commands
// open it by, and the hooks through which the logic of one area reaches another's
// (saving from the close question, the editor from the ladder and the project reader,
// the page compiler from the program compiler).
void Collega(Principale& principale);

} // namespace ludra::ui
