// The row operations the line edits build on: append, copy one line onto another,
// select, and add a program unit.
#include "ladder/Interno.h"
#include "ladder/OperazioniRung.h"
#include "ladder/VistaLadder.h"

#include <algorithm>

namespace ludra {

using namespace ladder;

bool AggiungiRung()
{
    if (!subValido())
        return false;
    CaricaProgram();
    Sezione& sezione = sezioneCorrente();
    // Lines are 1 to 100: a full unit has no room for another.
    if (sezione.NumRung >= kMaxRung)
        return false;
    sezione.NumRung = std::int16_t(std::max<int>(sezione.NumRung, 0) + 1);
    const int n = sezione.NumRung;
    UltimaRiga = std::int16_t(n);

    // A new line is blank: what a deleted line left beyond the end must not come back.
    sezione.Rung[std::size_t(n)] = RungVuoto();
    VistaProgram& v = Vista();
    v.righe[std::size_t(SubCorrente)][std::size_t(n)] = RigaNuova(n);
    notificaRiga(SubCorrente, n);

    // The bar covers every line; from the fourth line on the view follows the new one.
    BarraScorrimento& b = v.VScroll;
    b.max = n;
    if (n < 4) {
        b.visibile = false;
        b.valore = 0;
    } else {
        b.visibile = true;
        b.valore = std::clamp(b.valore + 1, 0, b.max);
    }
    VScroll_Change();
    return true;
}

void DuplicaRung(int sorgente, int destinazione)
{
    if (!subValido())
        return;
    Sezione& sezione = sezioneCorrente();
    const auto nella = [&](int r) {
        return r >= 0 && r <= sezione.NumRung && RigaEsiste(SubCorrente, r);
    };
    if (!nella(sorgente) || !nella(destinazione) || sorgente == destinazione)
        return;
    auto& righe = Vista().righe[std::size_t(SubCorrente)];
    const RigaLadder& da = righe[std::size_t(sorgente)];
    RigaLadder& a = righe[std::size_t(destinazione)];
    a.prendiContenuto(da);
    // The picture box is shown whatever the source shows, empty when it has no picture.
    a.immagineVisibile = true;

    Rung copia = sezione.Rung[std::size_t(sorgente)];
    copia.Descrizione = da.txt_desc;   // the description arrives through the box
    sezione.Rung[std::size_t(destinazione)] = copia;
    notificaRiga(SubCorrente, destinazione);
}

void SelezionaRung(int riga)
{
    if (!lineaValida(riga))
        return;
    VistaProgram& v = Vista();
    auto& righe = v.righe[std::size_t(SubCorrente)];
    int& rossa = v.rigaRossa[std::size_t(SubCorrente)];
    // Only one frame is red: the one of the line that was current, and any other left
    // red in this unit, go back to the colour of the drawing area.
    for (const int vecchia : {int(RungCorrente), rossa}) {
        if (vecchia != riga && vecchia >= 0 && vecchia <= kMaxRung
            && righe[std::size_t(vecchia)].caricata) {
            righe[std::size_t(vecchia)].coloreBordo = colore::kFacciaPulsante;
            notificaRiga(SubCorrente, vecchia);
        }
    }
    righe[std::size_t(riga)].coloreBordo = colore::kRosso;
    rossa = riga;
    RungCorrente = std::int16_t(riga);
    notificaRiga(SubCorrente, riga);
}

bool NuovaSub()
{
    // Units are 0 to 9: nine subroutine units at most.
    if (NumSub < 0 || NumSub >= kNumSezioni - 1)
        return false;
    CaricaProgram();
    NumSub = std::int16_t(NumSub + 1);
    const int u = NumSub;
    SubCorrente = std::int16_t(u);
    Sezioni[std::size_t(u)].NumRung = 0;
    RimuoviRighe(u);
    AggiornaPulsantiRung();
    notificaVista();
    AggiungiRung();
    SelezionaRung(sezioneCorrente().NumRung);
    return true;
}

} // namespace ludra
