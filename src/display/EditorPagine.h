#pragma once
// Editing the display pages: pages and objects created, deleted, moved and reordered,
// with the designer's current page and object.
#include "base/ListaOggetti.h"
#include "display/PagineDisplay.h"
#include "display/TipiOggetto.h"

#include <QString>
#include <QStringList>
#include <cstdint>

namespace ludra {

// The object a kind button creates (kinds in button order, 0 Label .. 7 Image).
OggettoDisplay OggettoNuovo(int tipo);

// The object list's line for slot i.
QString VoceOggetto(int slot, const OggettoDisplay& oggetto);
// The page list: "PAGE [1]", ...
QStringList VociPagine();
// The object list of a page.
QStringList VociOggetti(int pagina);

// Copies page src over page dst (objects 1..NumOggetti of src).
void CopiaPagina(const PaginaDisplay& src, PaginaDisplay& dst);
void CopiaPagina(int src, int dst);

// The designer's editing state. Every operation returns whether it changed anything;
// one whose precondition fails changes nothing, the selection included.
class EditorPagine {
public:
    std::uint8_t PaginaAttiva = 0;     // page slot 0..NumPagine-1
    std::uint8_t OggettoAttivo = 0;    // object slot 1..32, 0 none

    // Page commands (cmd_page 0..3); each selects no object.
    bool NuovaPagina();
    bool EliminaPagina();
    bool PaginaSu();
    bool PaginaGiu();

    // Object commands on page PaginaAttiva.
    bool NuovoOggetto(int pagina, const OggettoDisplay& valori);
    bool DeleteObject(int obj);
    bool SendToBack();
    bool BringToFront();
    void CopiaOggetto(int src, int dst);

    // Selects slot i of the current page when it holds an object (0 selects none).
    bool Seleziona(int obj);

    PaginaDisplay& pagina();
    int numOggetti();

private:
    ListaOggetti lista();
};

} // namespace ludra
