#pragma once
// Finishing or undoing what a save of a set of files left, by its marker's record
// (VerbaleInsieme.h), only where the disk shows that save's work.
#include "platform/InsiemeFile.h"

#include <QString>
#include <QStringList>

namespace ludra::platform::passi {

// Completes (`avanti`, from "~saving") or undoes (from "~putback") the save that
// `marcatore` records, then removes it; false with `perche`, nothing moved or removed,
// when the disk does not show that save's work, or with the files it could not move.
bool chiudi(const InsiemeFile& insieme, const QString& marcatore, bool avanti, QString& perche,
            QStringList& note);
// The markers of an earlier version of Ludra, told in `lasciati`: they record nothing
// the disk could be checked against, and are never acted on.
bool segniPrecedenti(const InsiemeFile& insieme, QStringList& lasciati);
// Finishes or undoes what a save of this set left, where the disk proves it, and without
// a marker removes only second names of the files; `lasciati` gets each marker left as
// it was, and why.
void riprendi(const InsiemeFile& insieme, QStringList& note, QStringList& lasciati);

} // namespace ludra::platform::passi
