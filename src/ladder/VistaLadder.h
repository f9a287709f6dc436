#pragma once
// The ladder view as the logic holds it: one set of rows per program unit, the scroll
// bar, the tabs and the layout. The window Program only draws this state and hands the
// user's actions back to the operations below. The rows outlive the window, so closing
// and reopening it shows the project as it is.
#include "ladder/RigaLadder.h"
#include "project/Progetto.h"

#include <array>
#include <functional>
#include <memory>

namespace ludra {

struct BarraScorrimento {
    int max = 0;
    int valore = 0;
    bool visibile = true;
};

// The rows of each unit, made when the unit is first used, its row 0 the design row:
// a project mostly uses one unit of ten, and the rows of all ten are 0.7 MB.
class RigheUnita {
public:
    using Righe = std::array<RigaLadder, kMaxRung + 1>;
    Righe& operator[](std::size_t unita);

private:
    std::array<std::unique_ptr<Righe>, kNumSezioni> unita_;
};

struct VistaProgram {
    bool Loaded = false;
    RigheUnita righe;
    std::array<int, kNumSezioni> rigaRossa{};   // the row whose frame is red, per unit
    BarraScorrimento VScroll;
    int altezzaPrincipale = geo::kAltezzaPrincipale;   // bounds the layout, twips
    int altezzaArea = geo::kAltezzaArea;               // height of the drawing area, twips
    int passo = geo::kPassoAlto;                       // row pitch of the last layout
};

VistaProgram& Vista();

// Back to the state before the first start: no rows, window not loaded.
void AzzeraVista();

// Holds the window's updates back while a bulk change of a unit runs (opening a
// project, deleting or inserting a line that moves all below it): the window redraws
// once, when the last hold ends, instead of once per line.
class AggiornamentoInBlocco {
public:
    AggiornamentoInBlocco();
    ~AggiornamentoInBlocco();
    AggiornamentoInBlocco(const AggiornamentoInBlocco&) = delete;
    AggiornamentoInBlocco& operator=(const AggiornamentoInBlocco&) = delete;
};

// ----- Loading -----
// The window's own load handling: marks it loaded and rebuilds the tabs, the scroll
// bar and the layout from the project as it stands.
void Program_Load();
// The window's own unload handling: marks it unloaded; the rows stay with the project.
void Program_Unload();
// Loads the window when it is not loaded (through the main window when there is one).
void CaricaProgram();
// Unloads the window.
void ScaricaProgram();

// ----- Rows -----
const RigaLadder& Riga(int sezione, int riga);
bool RigaEsiste(int sezione, int riga);
// Changes one row of the current unit and tells the window.
void AggiornaRiga(int riga, const std::function<void(RigaLadder&)>& modifica);
// The same for a row of any unit.
void AggiornaRiga(int sezione, int riga, const std::function<void(RigaLadder&)>& modifica);
// Destroys one row of a unit.
void RimuoviRiga(int sezione, int riga);
// Destroys every row of a unit.
void RimuoviRighe(int sezione);
// Shows or hides row 0, the copy buffer's row, while a line passes through it.
void MostraRiga0(bool visibile);

// The description box of a row: its text and the line's Descrizione move together.
void ImpostaDescrizione(int sezione, int riga, const QString& testo);
// The line-number label's background: the debugger's run marker.
void ColoraNumero(int riga, quint32 colore);
// The same for a row of any unit; a row that does not exist is left alone.
void ColoraNumero(int sezione, int riga, quint32 colore);
// The breakpoint mark of a row of the current unit follows the line's Break.
void AggiornaMarcaBreak(int riga);

// ----- Row operations -----
// Appends one blank line and its row to the current unit. False when the unit is full.
bool AggiungiRung();
// The target line of the current unit becomes a copy of the source, record and row.
void DuplicaRung(int sorgente, int destinazione);
// Makes a line of the current unit current and moves the red frame to it.
void SelezionaRung(int riga);
// Lays the rows of the current unit out so that line primo + 1 is the top row.
void DisegnaProgramma(int primo);
// Adds the next program unit with its tab and one blank line. False when all ten exist.
bool NuovaSub();

// ----- Window events -----
void VScroll_Change();
// Sets the scroll position (clamped to the bar's range); runs VScroll_Change on a change.
void ImpostaScroll(int valore);
// The tab at a position counted from 1 was selected.
void Tab_Prog_Click(int posizione);
void cmd_Formato_Click();
// A description typed: into the line at once. One holding a character the project file's
// code page lacks is refused with a box naming it; the line and its box keep the text
// they had (false).
bool txt_desc_Change(int riga, const QString& testo);
void txt_desc_GotFocus(int riga);
void Riga_Click(int riga);
void Riga_DblClick(int riga);
// True when the press asks for the Function Block pop-up menu (right button).
bool Riga_MouseDown(int riga, int pulsante);

// ----- What the window draws besides the rows -----
inline constexpr int kTastoDestro = 2;
// Bitmap of the format button: 130 while the unit has tall rows, 129 while compact.
int ImmagineFormato();
// Number of tabs: Main and one per subroutine unit added.
int NumeroTab();
QString CaptionTab(int posizione);
// The row pitch of the current unit's format.
int PassoRighe(int sezione);
// True when the panel of a row of the current unit lies outside the drawing area.
bool RigaFuoriVista(int riga);

} // namespace ludra
