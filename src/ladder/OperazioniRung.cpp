#include "ladder/OperazioniRung.h"

#include "base/Notifiche.h"

#include "base/BarraStrumenti.h"
#include "ladder/Interno.h"
#include "ladder/VistaLadder.h"

namespace ludra {

using namespace ladder;


namespace {

StatoUndo undo;
LegameEditor editor;
bool copia = false;          // line 0 holds a copied line
int sezioneCopia = 0;        // of this unit

void abilita(const char* chiave, bool abil)
{
    BarraStrumenti::istanza().setAbilitato(QString::fromLatin1(chiave), abil);
}

// Disabling "rung_redo" also ends the undo record's validity: the line it names may
// have moved since.
void disabilitaRedo()
{
    undo.valido = false;
    abilita("rung_redo", false);
}

void disabilitaIncolla()
{
    copia = false;
    abilita("rung_paste", false);
}

void salva(int sezione, int r, TipoUndo tipo)
{
    RungUndo[0].Indice = std::int16_t(r);
    RungUndo[0].Rung = Sezioni[std::size_t(sezione)].Rung[std::size_t(r)];
    undo.valido = true;
    undo.tipo = tipo;
    undo.sezione = sezione;
    undo.riga = Riga(sezione, r);
    abilita("rung_redo", RipristinoDisponibile());
}

void salva(int r, TipoUndo tipo) { salva(SubCorrente, r, tipo); }

// The editor's line after lines of the current unit moved: `sposta` maps an index of
// the unit to its new one, or to nothing for a line that is gone.
template <typename F>
void seguiEditor(F sposta)
{
    if (editor.stato != LegameEditor::Stato::Legato || editor.linea.sezione != SubCorrente)
        return;
    const std::optional<int> nuova = sposta(editor.linea.riga);
    if (nuova)
        editor.linea.riga = *nuova;
    else
        editor.stato = LegameEditor::Stato::Perso;
}

// Lines from `da` on move down one (a line opened or put back at `da`).
void seguiInserimento(int da)
{
    seguiEditor([da](int r) { return std::optional<int>(r >= da ? r + 1 : r); });
}

// Line r of the current unit takes the saved line back, record and row as they were.
void scriviSalvata(int r)
{
    sezioneCorrente().Rung[std::size_t(r)] = RungUndo[0].Rung;
    AggiornaRiga(r, [](RigaLadder& riga) { riga.prendiContenuto(undo.riga); });
}

void scambia(int r, int d)
{
    seguiEditor([r, d](int i) { return std::optional<int>(i == r ? d : i == d ? r : i); });
    disabilitaRedo();
    disabilitaIncolla();   // line 0 is the swap slot: the copy is gone
    MostraRiga0(true);
    DuplicaRung(d, 0);
    DuplicaRung(r, d);
    DuplicaRung(0, r);
    MostraRiga0(false);
    SelezionaRung(d);
}

} // namespace

const StatoUndo& Undo() { return undo; }

bool CopiaDisponibile() { return copia && sezioneCopia == SubCorrente; }

bool RipristinoDisponibile() { return undo.valido && undo.sezione == SubCorrente; }

void AggiornaPulsantiRung()
{
    abilita("rung_paste", CopiaDisponibile());
    abilita("rung_redo", RipristinoDisponibile());
}

void AzzeraUndo()
{
    RungUndo[0] = RungSalvato{};
    undo = StatoUndo{};
    if (editor.stato == LegameEditor::Stato::Legato)
        editor.stato = LegameEditor::Stato::Perso;
    disabilitaRedo();
    disabilitaIncolla();
}

void ModificaRung(int r)
{
    if (!lineaValida(r))
        return;
    disabilitaRedo();
    RungCorrente = std::int16_t(r);
    // The editor stands above the ladder: whoever shows it listens for the request.
    emit Notifiche::istanza().modificaRigaChiesta(r);
}

void CancellaRung(int r)
{
    if (!lineaValida(r))
        return;
    // Every line below moves: one redraw for all of them.
    const AggiornamentoInBlocco blocco;
    Sezione& sezione = sezioneCorrente();
    disabilitaRedo();
    salva(r, TipoUndo::Cancellazione);
    seguiEditor([r](int i) { return i == r ? std::nullopt : std::optional<int>(i > r ? i - 1 : i); });
    for (int i = r; i < sezione.NumRung; ++i)
        DuplicaRung(i + 1, i);
    RimuoviRiga(SubCorrente, sezione.NumRung);
    sezione.NumRung = std::int16_t(sezione.NumRung - 1);
    UltimaRiga = sezione.NumRung;
    if (RungCorrente > sezione.NumRung) {
        // The current row went with the last line: its neighbour takes the frame.
        if (sezione.NumRung >= 1)
            SelezionaRung(sezione.NumRung);
        else
            RungCorrente = 0;
    }
}

void InserisciRung(int pos)
{
    if (!subValido())
        return;
    // Every line below moves: one redraw for all of them.
    const AggiornamentoInBlocco blocco;
    Sezione& sezione = sezioneCorrente();
    // With no current line, Insert Before opens line 1 like Insert After does.
    if (pos < 0)
        pos = 0;
    if (!lineaValida(pos + 1))
        return;
    disabilitaRedo();
    seguiInserimento(pos + 1);
    for (int j = sezione.NumRung - 1; j >= pos + 1; --j)
        DuplicaRung(j, j + 1);

    const int nuova = pos + 1;
    sezione.Rung[std::size_t(nuova)] = RungVuoto();
    AggiornaRiga(nuova, [](RigaLadder& r) {
        r.immagineVisibile = false;
        r.immagine = 0;
        r.txt_VarN = {};
        r.lbl_VarN = {};
        r.txt_Label.caption.clear();
        r.txt_Func.caption.clear();
        r.sfondoFunzione = colore::kGrigioChiaro;
        r.txt_Var.caption.clear();
        r.img_Break = false;
    });
    ImpostaDescrizione(SubCorrente, nuova, kDescrizioneVuota);
    SelezionaRung(nuova);
    sezione.Rung[std::size_t(RungCorrente)].Caricato = false;
}

void SpostaRungSu(int r)
{
    if (lineaValida(r) && lineaValida(r - 1))
        scambia(r, r - 1);
}

void SpostaRungGiu(int r)
{
    if (lineaValida(r) && lineaValida(r + 1))
        scambia(r, r + 1);
}

void CopiaRung(int r)
{
    if (!lineaValida(r))
        return;
    disabilitaRedo();
    MostraRiga0(true);
    DuplicaRung(r, 0);
    MostraRiga0(false);
    copia = true;
    sezioneCopia = SubCorrente;
    abilita("rung_paste", true);
}

void IncollaRung(int r)
{
    if (!lineaValida(r) || !CopiaDisponibile())
        return;
    salva(r, TipoUndo::Incolla);
    MostraRiga0(true);
    DuplicaRung(0, r);
    MostraRiga0(false);
}

void SalvaRungUndo(int r) { SalvaRungUndo(SubCorrente, r); }

void SalvaRungUndo(int sezione, int r)
{
    if (sezioneValida(sezione) && r >= 1 && r <= Sezioni[std::size_t(sezione)].NumRung
        && RigaEsiste(sezione, r))
        salva(sezione, r, TipoUndo::Incolla);
}

void LegaEditor(int sezione, int riga)
{
    editor = LegameEditor{LegameEditor::Stato::Legato, {sezione, riga}};
}

void LegaEditor(const LegameEditor& legame) { editor = legame; }

void SciogliEditor() { editor = LegameEditor{}; }

LegameEditor Legame() { return editor; }

std::optional<LineaEditor> LineaDellEditor()
{
    if (editor.stato == LegameEditor::Stato::Perso)
        return std::nullopt;
    const LineaEditor l = editor.stato == LegameEditor::Stato::Legato
                              ? editor.linea
                              : LineaEditor{SubCorrente, RungCorrente};
    if (!sezioneValida(l.sezione) || l.riga < 0 || l.riga > kMaxRung)
        return std::nullopt;
    return l;
}

void RipristinaRung()
{
    if (!RipristinoDisponibile() || !subValido())
        return;
    const AggiornamentoInBlocco blocco;
    const int i = RungUndo[0].Indice;
    disabilitaRedo();
    Sezione& sezione = sezioneCorrente();
    if (undo.tipo == TipoUndo::Cancellazione) {
        // The deleted line goes back between the lines it stood between.
        if (i < 1 || i > sezione.NumRung + 1 || !AggiungiRung())
            return;
        seguiInserimento(i);
        for (int j = sezione.NumRung - 1; j >= i; --j)
            DuplicaRung(j, j + 1);
    } else if (!lineaValida(i)) {
        return;
    }
    scriviSalvata(i);
    SelezionaRung(i);
}

} // namespace ludra
