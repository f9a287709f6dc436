#pragma once
// The command dispatch of the main window: toolbar keys and menu items.
#include <QString>

namespace ludra {

// Toolbar1_ButtonClick: sets StopCom, runs the key's action, ends with AggiornaStato.
void Toolbar1_ButtonClick(const QString& chiave);

// One menu item's click, by the item's name ("mnu_new", "mnu_FB_Break", ...). Unlike a
// toolbar click it neither sets StopCom nor redraws the status bar.
void ClickMenu(const QString& nome);

// The close of the main window: asks whether to save the project (Yes, No, Cancel).
// False keeps the program running: Cancel, or a save the user asked for that did not
// happen. When the system ends the session (`sistema`) there is no Cancel and the close
// always goes on.
bool MDIForm_Unload(bool sistema = false);

// The breakpoint toggle of the current line, shared by the toolbar and the pop-up menu.
void InvertiBreak();

} // namespace ludra
