#pragma once
// What a save of a set of files commits, as its marker holds it: for each file the path
// it replaces, the old file it keeps aside (by its inode, which the hard link "f~old"
// shares) and the size and SHA-256 of the new text. A recovery acts on a name only where
// the disk shows what this record says, so a marker copied from elsewhere, crafted, or
// left by a save of another project moves and removes nothing.
#include <QByteArray>
#include <QString>
#include <optional>
#include <sys/types.h>
#include <vector>

namespace ludra::platform {

struct VoceVerbale {
    QString file;                    // the file replaced, its links followed
    std::optional<ino_t> vecchio;    // the old file's inode; none when there was none
    qint64 dimensione = 0;           // the new text's size
    QByteArray impronta;             // and its SHA-256, in hexadecimal
};
using Verbale = std::vector<VoceVerbale>;

VoceVerbale Voce(const QString& file, std::optional<ino_t> vecchio, const QByteArray& testo);
QByteArray TestoVerbale(const Verbale& verbale);
// The record in `marcatore`; false with `perche` when it is not one whole record (a
// symbolic link, not a regular file, too large, cut short, of another form).
bool LeggiVerbale(const QString& marcatore, Verbale& verbale, QString& perche);

// What is under `nome`, told by lstat: never through a symbolic link.
enum class Trovato {
    Assente,
    Vecchio,   // the old file the entry names
    Nuovo,     // a regular file holding exactly the entry's new text
    Vuoto,     // an empty regular file (a new text cut off before it was written)
    Altro,     // anything else, an error reading it included
};
Trovato Trova(const QString& nome, const VoceVerbale& voce);

} // namespace ludra::platform
