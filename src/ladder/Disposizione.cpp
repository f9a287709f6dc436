// Vertical layout of the rows, the scroll bar and the row format.
#include "ladder/Interno.h"
#include "ladder/VistaLadder.h"

#include <algorithm>

namespace ludra {

using namespace ladder;

void DisegnaProgramma(int primo)
{
    if (!subValido())
        return;
    VistaProgram& v = Vista();
    const Sezione& sezione = sezioneCorrente();
    auto& righe = v.righe[std::size_t(SubCorrente)];
    const int n = std::clamp<int>(sezione.NumRung, 0, kMaxRung);

    // Every row takes the format's size and is parked just above the drawing area.
    for (int i = 1; i <= n; ++i) {
        RigaLadder& r = righe[std::size_t(i)];
        if (!r.caricata)
            continue;
        if (sezione.Formato == 0) {
            r.altezzaPannello = geo::kPannelloAlto;
            r.altezzaBordo = geo::kBordoAlto;
            r.txt_Func.visibile = r.txt_Var.visibile = false;
            v.passo = geo::kPassoAlto;
        } else if (sezione.Formato == 1) {
            r.altezzaPannello = geo::kPannelloBasso;
            r.altezzaBordo = geo::kBordoBasso;
            r.txt_Func.visibile = r.txt_Var.visibile = true;
            v.passo = geo::kPassoBasso;
        }
        r.topPannello = geo::kTopPrimoPannello - v.passo;
        r.topBordo = geo::kTopPrimoBordo - v.passo;
    }

    // Then the rows from line primo + 1 down, while the previous panel still ends above
    // the main window's bottom edge. A position before the first line shows line 1.
    primo = std::max(primo, 0);
    for (int k = primo; k < n;) {
        const RigaLadder& precedente = righe[std::size_t(k)];
        if (!precedente.caricata
            || precedente.topPannello + precedente.altezzaPannello >= v.altezzaPrincipale)
            break;
        ++k;
        RigaLadder& r = righe[std::size_t(k)];
        if (!r.caricata)
            break;
        r.topPannello = geo::kTopPrimoPannello + (k - primo - 1) * v.passo;
        r.topBordo = geo::kTopPrimoBordo + (k - primo - 1) * v.passo;
    }
    notificaVista();
}

void VScroll_Change() { DisegnaProgramma(Vista().VScroll.valore); }

void ImpostaScroll(int valore)
{
    BarraScorrimento& b = Vista().VScroll;
    valore = std::clamp(valore, 0, std::max(b.max, 0));
    if (valore == b.valore)
        return;
    b.valore = valore;
    VScroll_Change();
}

void cmd_Formato_Click()
{
    if (!subValido())
        return;
    Sezione& sezione = sezioneCorrente();
    if (sezione.Formato == 0)
        sezione.Formato = 1;
    else if (sezione.Formato == 1)
        sezione.Formato = 0;

    // The current line becomes the top row. With no current line the view starts at
    // line 1; a position the bar cannot take is brought into its range.
    BarraScorrimento& b = Vista().VScroll;
    const int valore = std::clamp(RungCorrente - 1, 0, std::max(b.max, 0));
    // A bar scrolled away from the top must be there to scroll back with.
    if (valore > 0)
        b.visibile = true;
    b.valore = valore;
    DisegnaProgramma(valore);
}

int PassoRighe(int sezione)
{
    if (!sezioneValida(sezione))
        return geo::kPassoAlto;
    return Sezioni[std::size_t(sezione)].Formato == 1 ? geo::kPassoBasso : geo::kPassoAlto;
}

bool RigaFuoriVista(int riga)
{
    if (!subValido() || !RigaEsiste(SubCorrente, riga))
        return false;
    const RigaLadder& r = Riga(SubCorrente, riga);
    return r.topPannello < 0 || r.topPannello + r.altezzaPannello >= Vista().altezzaArea;
}

} // namespace ludra
