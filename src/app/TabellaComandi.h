#pragma once
// Every toolbar key and menu item once: what it shows, what it does to a running
// controller sequence and what it runs. The toolbar and menu models are built from it
// and the dispatch reads it.
#include "base/BarraStrumenti.h"
#include "base/Menu.h"

#include <QString>
#include <functional>
#include <vector>

namespace ludra {

struct Comando {
    const char* nome;       // toolbar key or menu item; nullptr for a toolbar separator
    const char* padre;      // a menu item's menu ("" for the bar); nullptr for a toolbar key
    int testo;              // the menu caption's text id; -1 for a fixed caption
    const char* caption;    // the fixed menu caption, or the toolbar key's tooltip
    const char* immagine;   // the toolbar key's picture
    bool attivo;            // at start: a key enabled, a menu item visible
    Effetto effetto;
    void (*azione)();       // none for a menu of the bar or a separator
    // A menu item acting on what a window has selected: at the click, the action bound
    // to that selection (empty, after saying so, when there is none), for its turn.
    std::function<void()> (*lega)() = nullptr;
    // It may ask the user in a box of its own (a question, a file dialog): clicked while
    // a device's reply is awaited, it runs once the reply is in.
    bool chiede = false;
};

const std::vector<Comando>& TabellaComandi();
// The toolbar key or menu item of that name; nullptr for none.
const Comando* TrovaComando(const QString& nome);

// CreaToolBar: the toolbar model's 36 entries, in order.
void CreaToolBar();
// The menu bar and the pop-up menus, with their start captions and visibility.
void CreaMenu();

} // namespace ludra
