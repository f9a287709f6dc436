#pragma once
// The program units as the compiler walks them.
#include "compiler/Compilatore.h"
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

// Line `line` of the current unit, for one step of a compile; nullptr when the unit or
// the line does not exist.
Rung* riga(int line);

// One step of a compile on line `line` of the current unit: the count fault when the
// line does not exist.
template <class Passo>
EsitoRiga suRiga(int line, Passo passo)
{
    Rung* r = riga(line);
    if (!r) {
        EsitoRiga esito;
        esito.Guasto = guasti::Conteggio;
        return esito;
    }
    return passo(*r);
}

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
