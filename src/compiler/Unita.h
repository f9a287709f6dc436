#pragma once
// The program units as the compiler walks them.
#include "project/Progetto.h"

namespace ludra::unita {

// The unit SubCorrente names, or nullptr when it names none.
Sezione* corrente();

// The line count of a unit, kept to the lines a unit can hold.
int righe(const Sezione& s);

// Communication and local-operation lines write a record; blank lines do not.
bool emetteRecord(const Rung& r);

// The number of display-page units this compile emits after the main program: the
// page count for the KVR5460, none for the other models.
int pagineEmesse();

bool modelloDisplay();

// While one lives, labels are looked up in a table of the units made when it was made,
// instead of walking every line of every unit for each jump: a compile makes one once
// its units hold the lines it compiles, which then stay as they are until it ends.
class TabellaEtichette {
public:
    TabellaEtichette();
    ~TabellaEtichette();
    TabellaEtichette(const TabellaEtichette&) = delete;
    TabellaEtichette& operator=(const TabellaEtichette&) = delete;
};

} // namespace ludra::unita
