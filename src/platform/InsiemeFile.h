#pragma once
// Replacing a set of files as one. A save cut off at any instant (a crash, a kill, a
// power cut) leaves each file under its own name with its old text or its new one, and
// once the next save or read of the set has run, the whole set old or the whole set new.
//
// A save holds the set's lock ("<segno>~lock", BloccoInsieme.h) from start to end, so a
// save or read of another process waits for it. It first writes and flushes its record
// (VerbaleInsieme.h) as the marker "<segno>~putback": from then on anything cut off is
// undone. Beside each file "f" it writes the new text to "f~new" and flushes it, and
// keeps the old file under a second name, the hard link "f~old". Renaming the marker to
// "<segno>~saving" commits the set; each "f~new" then replaces "f" in one rename, the
// folders are flushed, and the links and the marker go. Should a rename fail, the marker
// is taken in one rename to be put back ("~undoing") and the links go back over the new
// files. A recovery takes a marker so too before it acts ("~saving" as "~finish"): where
// no lock keeps it out, the save's commit and its way back then fail, and a committed
// save whose marker another process has taken is only ever finished, never put back
// over what the other has moved into place. A recovery judges
// by what the files hold, never by inodes or the spelling of paths, and where the disk
// does not hold what the record says, nothing is moved or removed.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

namespace ludra::platform {

struct InsiemeFile {
    QString segno;                // the path the markers and the lock are named after
    QString segnoPrecedente;      // the one an earlier version of Ludra named them after
    std::vector<QString> file;    // the files, their symbolic links already followed
    // Told what the save or read waits for while another process holds the set, and an
    // empty text when the wait ends.
    std::function<void(const QString&)> attesa = [](const QString&) {};
    // For each file, the name beside the markers that leads to it: a symbolic link, or
    // the file itself (none given: the file itself).
    std::vector<QString> nomi;
};

// Writes testi[i] to insieme.file[i], all or none, after finishing what an earlier save
// left. False with `errore` (the files as they were); `note` gets what the user should
// know either way (no hard links, leftovers removed or kept, names that could not be
// removed). `codice` gets the error number of the system call that failed the save where
// the files are left as they were, else 0: the cause, in words the user knows.
bool SostituisciInsieme(const InsiemeFile& insieme, const std::vector<QByteArray>& testi,
                        QString& errore, QStringList& note, int* codice = nullptr);

// Runs `leggi` on the whole set: after a save of it that was cut off has been finished
// (from "~saving") or undone (from "~putback"), with no save of another process under
// way. A marker whose work cannot be proven on the disk, or cannot all be done, is left:
// `avviso` then names it, says what was and was not done and what the user can do, and
// the project is read all the same. False with `errore` when `leggi` says so or another
// process held the set too long.
// `leggi` is given, for each file, the name to read its text from: the file itself, or
// where a marker's work could not all be done on the disk (a read-only medium, a rename
// refused) the "~new" or "~old" that holds the text of the whole project the disk proves,
// or an empty name where that project has no such file.
using LettoreInsieme = std::function<bool(const std::vector<QString>& nomi, QString& errore)>;
bool LeggiInsieme(const InsiemeFile& insieme, const LettoreInsieme& leggi, QString& errore,
                  QStringList& note, QString& avviso);

// Tests only: called before each step that changes the disk (`passo` "create", "write",
// "link", "rename", ...); a value other than 0 fails the step with that errno.
extern int (*PassoFileHook)(const char* passo, const QString& nome);

} // namespace ludra::platform
