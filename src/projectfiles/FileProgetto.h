#pragma once
// The project file set: program lines (.prj), user register names and types (.lst),
// linearisation tables (.ptb) and display pages (.dsp), one value a line.
#include "display/PagineDisplay.h"
#include "project/Progetto.h"
#include "project/Registri.h"
#include "tables/Tabelle.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <array>
#include <functional>
#include <optional>
#include <vector>

namespace ludra {

// Everything the four files hold, between the model and the disk.
struct ContenutoProgetto {
    std::vector<Rung> righe;                                 // lines 1..n of the unit
    std::array<QString, kRigheRegistri> nomi;                // register names
    std::array<std::uint8_t, kRigheRegistri> formati{};      // register value types
    std::uint8_t numTabelle = 0;
    std::array<Tabella, kMaxTabelle> tabelle;
    ListaPagine pagine;
    QStringList note;   // what a reader brought within range on the way in, for the Log
};

// What the model holds now (the current unit's lines).
ContenutoProgetto ContenutoCorrente();

// Each file's text. A text holding a character the code page lacks would be written as
// "?": `errore`, when given, then gets the line and the character, and the text is not
// to be written.
QByteArray TestoPrj(const ContenutoProgetto& c, QString* errore = nullptr);
QByteArray TestoLst(const ContenutoProgetto& c, QString* errore = nullptr);
QByteArray TestoPtb(const ContenutoProgetto& c, QString* errore = nullptr);
QByteArray TestoDsp(const ContenutoProgetto& c, QString* errore = nullptr);

// Each reader fills its part of `c` or says what is wrong (file and line).
bool LeggiPrj(const QByteArray& dati, ContenutoProgetto& c, QString& errore);
bool LeggiLst(const QByteArray& dati, ContenutoProgetto& c, QString& errore);
bool LeggiPtb(const QByteArray& dati, ContenutoProgetto& c, QString& errore);
bool LeggiDsp(const QByteArray& dati, ContenutoProgetto& c, QString& errore);

// The four files of the project whose .prj file is `prj` ("dir/name.prj"), the other
// three beside the file its links lead to, under the names found there (in another case
// when a file system that ignores case left them so) or else named after it with their
// endings in the case of its ending. Written as one set: a save cut off at any instant
// leaves the old project or the new one, never a file missing; the old files are never
// read. A save or an open of another Ludra process on the project runs before or after
// it, never during it. `note` gets what the user should be told either way. Refused
// before anything is written: a file whose link leads to no file (the save would make
// one wherever it points), a name too long for the files a save makes beside it, a text
// holding a character the code page lacks (`errore` names the file, the line and the
// character), and,
// when `altrui` is given and says no, the other three files of the name already there
// without their .prj (`altrui` is given them; `errore` stays empty). `codice` gets the
// error number of a system call that failed the save and left the files as they were.
bool ScriviFileProgetto(const QString& prj, const ContenutoProgetto& c, QString& errore,
                        QStringList* note = nullptr,
                        const std::function<bool(const QStringList&)>& altrui = {},
                        int* codice = nullptr);
// Reads the four files, found as the save finds them, after finishing or undoing what a
// save of this project cut off left, and never while another process saves them; a
// missing .lst, .ptb or .dsp reads as empty and is told in `note`, a missing .prj is an
// error. A cut-off save's marker that cannot be finished or undone is left, the files
// read as they are, and `avviso` tells the user which and what to do. Nothing of the
// model is touched.
std::optional<ContenutoProgetto> LeggiFileProgetto(const QString& prj, QString& errore,
                                                   QStringList* note = nullptr,
                                                   QString* avviso = nullptr);

// The base name of a chosen path: less its ".prj" ending (in any case), when it has one.
QString BaseProgetto(const QString& percorso);
// The project's .prj file for a chosen path: the path itself when it ends in ".prj" in
// any case, else the path with ".prj" added.
QString PercorsoPrj(const QString& percorso);

// Saves the project; ask = always show the save dialog. False when nothing was saved
// (dialog cancelled, files of the name chosen not to be replaced, or a write error,
// which is reported).
bool SalvaProgetto(bool ask);
// Opens a project chosen in the open dialog, after the save question: the files are
// read once the user's save has written them. The current project stays when the
// dialog is cancelled, the files cannot be read, or the user's save did not happen.
void ApriProgetto();

// Rebuilds line `riga` of the current unit through the function-block editor from the
// record as read (Caricato set): empty when it did, else the editor's reason, and then
// the record must be left as read. The function-block editor's re-encoding unless
// another is set; with none set lines keep their records as read.
extern std::function<QString(int riga)> RicodificaRungHook;

inline constexpr const char* kFiltroProgetto = " (*.prj)|*.prj|(*.*)|*.*|";

} // namespace ludra
