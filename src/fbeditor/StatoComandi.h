#pragma once
// The function-block editor without its window: the block chosen, the eight argument
// rows as the user sees and edits them (captions, texts, lists and their selection,
// value types, visibility), the label, the delay, the argument records and the channel
// limits of the module blocks. Everything the line's encoding reads is here, so a line
// can be laid out, filled and encoded without any window; the comandi window draws
// this state and hands the user's edits back to it.
#include "fbeditor/Argomenti.h"

#include <QList>
#include <QObject>
#include <QString>
#include <array>
#include <cstdint>
#include <optional>

namespace ludra {

struct Rung;

// One entry of a list: its text and its item data.
struct VoceElenco {
    QString testo;
    int dato = 0;
    bool operator==(const VoceElenco&) const = default;
};

// One argument row: lbl_Var(k), txt_Var(k), txt_Opt(k) and cmd_Set(k).
struct RigaArgomento {
    QString etichetta;               // lbl_Var caption
    bool etichettaVisibile = false;
    QString testo;                   // txt_Var text
    QList<VoceElenco> elenco;        // txt_Var list
    int selezione = -1;              // txt_Var list index, -1 none
    bool testoVisibile = false;
    QList<VoceElenco> tipi;          // txt_Opt list, item data = value type
    int tipoScelto = -1;             // txt_Opt list index, -1 none
    bool tipiVisibili = false;
    bool setVisibile = false;        // cmd_Set
    bool setAbilitato = false;
    std::uint8_t tipoPredefinito = 0;   // the type a field falls back to

    // Item data of the chosen type entry, -1 when none is chosen.
    int tipoSelezionato() const;
    // Text of the chosen type entry, "" when none is chosen.
    QString testoTipo() const;
    // Item data of the selected list entry, or nothing.
    std::optional<int> datoSelezionato() const;

    bool operator==(const RigaArgomento&) const = default;
};

class StatoComandi : public QObject {
    Q_OBJECT
public:
    static StatoComandi& istanza();

    // Public fields of the editor window.
    bool Loaded = false;
    std::uint8_t ArgomentoAttivo = 0;

    // What the window shows.
    std::int16_t FunzioneCorrente = 0;   // the block chosen last
    int Scheda = 1;                      // category tab 1..9 on view
    QString NomeFunzione;                // lbl_nomeFunz
    QString Etichetta;                   // txt_Label: the line's label
    QString Ritardo;                     // txt_delay
    bool RitardoVisibile = false;        // txt_delay and lbl_Delay
    QString DidascaliaRitardo;           // lbl_Delay
    std::array<RigaArgomento, kNumArgomenti> Righe;

    // Channel limits of the module blocks (kept across closing the window).
    std::int16_t CanaleMin = 0;
    std::int16_t CanaleMax = 0;
    std::int16_t NumCanali = 0;

    // The window's load and unload.
    void Carica();
    void Scarica();

    // Tab_Funzioni click: the tab whose choices are on view.
    void ClickScheda(int scheda);
    // opt_Funzione(codice) click: choose the block and lay it out.
    void ClickFunzione(int codice);
    // Lays the argument rows out for one block. Reads the current line (its loaded
    // flag and the value types packed in its argument bytes) and writes nothing into
    // it: a line changes only when the user confirms the block.
    void ImpostaFunzione(int codice);
    // Shows argument i from its record.
    void ShowArg(int i);
    // The user chose entry voce of the type list of row i.
    void ClickTipo(int i, int voce);
    // txt_Var_Click: for row 0 of the module blocks, the resources of the chosen
    // device and the channel limits.
    void txt_Var_Click(int i);
    // The user chose entry voce of the value list of row i (runs its click).
    void SelezionaVoce(int i, int voce);
    // A text typed into (or put by code into) the value field of row i; an entry of
    // that exact text becomes the selected one.
    void ImpostaTesto(int i, const QString& testo);
    void ImpostaEtichetta(const QString& testo);
    void ImpostaRitardo(const QString& testo);
    // Row i received the focus.
    void Focus(int i);
    // cmd_Set(i) click: the constant dialog for a K_Long value, the table picker for a
    // Table value. Returns once the dialog is shown; its answer fills the row when it
    // closes. False when no dialog was opened.
    bool cmd_Set_Click(int i);

    // Opens line riga of the current unit in the editor: it becomes the current line,
    // the editor lays out its block and, for a loaded line, shows its argument texts,
    // its delay and the value types of its registers, so that confirming it again
    // writes the same line. Nothing is written into the line.
    void CaricaRiga(int riga);

    // A register clicked in the register window: while the editor is loaded and its
    // active argument takes a register, the register and its value type go into it.
    void RegistroCliccato(int registro);

    // Back to the state of a fresh process.
    void Azzera();

signals:
    void cambiato();

private:
    StatoComandi() = default;
    class Modifica;
    friend class Modifica;

    void RiempiEtichette(int i);
    void sceltaTipo(int i, int voce);
    void mostraCanali(int campo, bool visibile);
    void notifica();
    void ripristinaDaRiga(const Rung& rung);

    int annidamento_ = 0;
    bool sporco_ = false;
    unsigned generazione_ = 0;   // counts layouts, so a dialog's late answer is dropped
};

} // namespace ludra
