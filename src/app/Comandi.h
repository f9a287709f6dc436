#pragma once
// The command dispatch of the main window: toolbar keys and menu items.
#include <QString>

namespace ludra {

// Toolbar1_ButtonClick: sets StopCom, runs the key's action, ends with AggiornaStato.
void Toolbar1_ButtonClick(const QString& chiave);

// One menu item's click, by the item's name ("mnu_new", "mnu_FB_Break", ...). Unlike a
// toolbar click it neither sets StopCom nor redraws the status bar.
void ClickMenu(const QString& nome);

// The close of the main window: asks whether to save the project. False keeps the
// program running: the user asked to save and the save did not happen.
bool MDIForm_Unload();

// The breakpoint toggle of the current line, shared by the toolbar and the pop-up menu.
void InvertiBreak();

} // namespace ludra
