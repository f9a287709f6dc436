#pragma once
// Process-wide values that start-up sets, and the pictures of the main window's
// image list.
#include <QString>
#include <vector>

namespace ludra {

struct ImmagineLista {
    const char* chiave;
    int risorsa;      // bitmap resource id
};

// The 47 pictures of ImageList1, in the order CaricaImmagini adds them.
const std::vector<ImmagineLista>& ElencoImmagini();

// Steps 7 and 9 to 15 of start-up: workspace, project cursor, link defaults and the
// register table of the default model.
void ImpostaStatoIniziale();

// Returns every process-wide value to its zero state, as a fresh process has it: each
// area resets its own (tests/app/azzeramento.py checks that every global is named).
void AzzeraStatoProcesso();

} // namespace ludra
