#pragma once
// What the table window shows and does, without the window: the boxes as typed, the
// table list, the eight rows of the point grid on view, and the commands.
#include "tables/Tabelle.h"

#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <optional>

namespace ludra {

inline constexpr int kRigheGriglia = kMaxPunti + 1;   // rows 0..32
inline constexpr int kRigheInVista = 8;

// The point count a text stands for: the integer part of the number it holds; nothing
// when it holds none.
std::optional<int> NumeroPunti(const QString& testo);

// A name the project and table files carry unchanged: not empty, no line break, only
// characters of their code page.
bool NomeTabellaValido(const QString& nome);

class EditorTabelle {
public:
    // The boxes, as typed.
    QString NomeTab;                                   // txt_NomeTab
    QString Npunti;                                    // txt_Npunti
    std::array<QString, kRigheGriglia> TabA;           // txt_TabA(r): input of point r
    std::array<QString, kRigheGriglia> TabB;           // txt_TabB(r): output of point r

    // ListaTab: the names, and the entry selected (-1 none).
    QStringList Lista;
    int Selezione = -1;

    // VScroll1.
    int ScrollMax = 0;
    int ScrollValore = 0;
    bool ScrollAbilitato = false;
    // The grid rows on view, top to bottom: row Righe[k] sits in place k.
    QList<int> Righe;

    // The box without a number that stopped the last check (RigaErrata is its row for
    // the point boxes); Nessuno when the check passed or stopped with a message.
    enum class Campo { Nessuno, Npunti, Ingresso, Uscita };
    Campo CampoErrato = Campo::Nessuno;
    int RigaErrata = -1;

    // Window load: the table list, every point at 0, eight points, then the table
    // tabAttiva selected when it is in the list.
    void Carica(int tabAttiva);

    // ListaTab click on entry i: the boxes show table i (the store is not touched).
    void ClickLista(int i);

    // txt_Npunti changed: the scroll bar spans the points and the grid shows from the
    // first. A text without a number leaves the grid as it was.
    void CambioNpunti();

    // VScroll1 moved to v: the rows from v on view, never fewer than eight while there
    // are more than eight points.
    void CambioScroll(int v);

    // Checks the boxes and copies them into the table being edited. An empty or
    // unusable name gives "Check Table Name" (naming a character the code page lacks),
    // a point count outside 2..32 "Check N points"; a box without a number stops it
    // without a message (CampoErrato says which). Nothing is copied unless all is right.
    bool ControllaTabella();

    // cmd_Insert: the checked table overwrites the selected one when the names match,
    // else it is appended to the store and the list (and selected). No tenth table.
    // The tables are placed again.
    bool Inserisci();

    // cmd_Load: a table file chosen in the file dialog becomes the table being edited
    // and fills the boxes; nothing is stored. A file that is no table file is refused
    // with the reason and changes nothing; so does a cancelled dialog.
    bool CaricaDaFile();

    // cmd_Save: the checked boxes written to a file chosen in the file dialog. A
    // cancelled dialog changes nothing.
    bool SalvaSuFile();

    // cmd_ok(1): places the tables and gives the entry selected, -1 when none is.
    std::int16_t Ok();

    const Tabella& TabellaCorrente() const { return corrente_; }

private:
    void mostraTabella(const Tabella& t);
    void layout();

    Tabella corrente_;
    int puntiGriglia_ = 0;
};

} // namespace ludra
