#pragma once
// Finishing or undoing what a save of a set of files left, by its marker's record
// (VerbaleInsieme.h), only where what the files hold proves that save's work.
#include "platform/InsiemeFile.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace ludra::platform::passi {

// Of a marker left as it was, what the user is told.
struct Lasciato {
    QString testo;   // the marker, why it stays, what was and was not done
    bool intero = false;   // the files to read hold one whole project (old or new)
};

enum class Chiusa {
    Fatto,      // done, the marker removed
    Niente,     // nothing proven: nothing moved or removed, `vista` empty
    Lasciato,   // done as far as it went or could go, the marker left: `perche` says why
};
// Completes (`avanti`) or undoes what the save recorded in `marcatore` did, then removes
// the marker. The save's own call (`proprio`) goes the way it is told and removes a file
// its undoing takes away. A recovery (not `proprio`) goes the marker's way (`avanti` from
// "~saving") where the disk allows, else the other way where it allows that, and keeps
// aside what an undoing would remove. A file holding neither of its texts is left as it
// is, and so is the marker then; so is the marker too, with what was and was not done,
// when a step fails. A rename another process going the same way has made already (no
// lock keeps it out) counts as done. `vista` gets, for each file, the name that holds its
// text once done as far as it went (empty: the project has no such file).
Chiusa chiudi(const InsiemeFile& insieme, const QString& marcatore, bool avanti, bool proprio,
              QString& perche, QStringList& note, std::vector<QString>& vista);
// The markers of an earlier version of Ludra, told in `lasciati`: they record nothing
// the disk could be checked against, and are never acted on.
bool segniPrecedenti(const InsiemeFile& insieme, std::vector<Lasciato>& lasciati);
// Finishes or undoes what a save of this set left, where the disk proves it, each marker
// first taken ("~saving" as "~finish", "~putback" as "~undoing"): one another process
// commits or takes meanwhile is looked at again. Without a marker it removes only second
// names of the files. `lasciati` gets each marker left as it was, and why; `vista` what
// to read for each file.
void riprendi(const InsiemeFile& insieme, QStringList& note, std::vector<Lasciato>& lasciati,
              std::vector<QString>& vista);

} // namespace ludra::platform::passi
