#pragma once
// The wait of the value dialogs (set-register dialog, table window, image window): the
// opener hands its values over, opens the dialog and keeps the events running until
// the dialog closes by one of its buttons or its close box.
#include "base/Finestre.h"

#include <QString>
#include <functional>

namespace ludra {

extern bool DialogoAperto;     // a value dialog is open and its opener waits
extern QString TestoDialogo;   // the text handed to the free-text dialog and back

// Opens the named dialog and waits for it. The presets run first (only once the dialog
// is granted), so an open dialog's values are never overwritten. One value dialog at a
// time: while one is open the open one comes to the front untouched, and the result is
// false at once; so it is when the dialog cannot be opened. Nothing waits then.
bool ApriDialogoValori(Finestra finestra, const std::function<void()>& preimposta);

// The same dialog, but its opener does not wait: it returns once the dialog is shown
// (true), and `allaChiusura` runs when the dialog closes. What runs under the opener (a
// download, a debugger loop) goes on while the dialog stands.
bool MostraDialogoValori(Finestra finestra, const std::function<void()>& preimposta,
                         std::function<void()> allaChiusura);

// The dialog's side: it closes (OK, Cancel or its close box) and its opener goes on.
// Only the dialog that was opened can end the wait; the same window opened on its own
// (the table window from its menu) closes without touching another dialog's wait.
void ChiudiDialogoValori(Finestra finestra);

// Whether the named dialog is the one its opener waits for.
bool DialogoInAttesa(Finestra finestra);

} // namespace ludra
