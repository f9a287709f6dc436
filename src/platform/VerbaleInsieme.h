#pragma once
// What a save of a set of files commits, as its marker holds it: for each file its name
// and the size and SHA-256 of both the text it replaces and the text it writes. A file
// is known by what it holds, never by its inode or the spelling of its path: a folder
// moved, renamed or reached through a link, and a file system that numbers its files anew
// at each mount (or has no hard links), leave the record as good as it was. A recovery
// acts on a name only where the disk holds what this record says, so a marker copied
// from elsewhere, crafted, or left by a save of another project moves and removes nothing.
#include <QByteArray>
#include <QString>
#include <optional>
#include <vector>

namespace ludra::platform {

// A text as the record knows it. A file too large to be read for its hash (no project
// file is) is known by its size alone: `sha` is then empty.
struct Impronta {
    qint64 dimensione = 0;
    QByteArray sha;   // SHA-256, in hexadecimal
    bool operator==(const Impronta&) const = default;
};
Impronta ImprontaTesto(const QByteArray& testo);
// What the regular file `nome` holds, its symbolic link not followed; none when it
// cannot be read.
std::optional<Impronta> ImprontaFile(const QString& nome);

struct VoceVerbale {
    QString file;                      // NomeNelVerbale
    std::optional<Impronta> vecchio;   // the text replaced; none when there was no file
    Impronta nuovo;                    // the text written, always hashed
};
using Verbale = std::vector<VoceVerbale>;

// How the record names `file` of the set whose markers are named after `segno`, reached
// through `nome` beside them: by its name alone when it is `nome`; when `nome` is a
// symbolic link straight to it whose text is relative, by that text; else (an absolute
// link, or a chain of them) by its whole path.
QString NomeNelVerbale(const QString& segno, const QString& nome, const QString& file);

// Whether a record's name `registrato` names the set's file now named `nome`: the same
// text, or for a name in the markers' folder the same in another case. A stick that
// ignores case (FAT, exFAT) takes a name in any case, and may show it in another from one
// mount to the next; where case counts, a marker, named after its own project's name,
// names that project's files in their own case, and either way the disk must still hold
// the recorded texts.
bool StessoNome(const QString& registrato, const QString& nome);

VoceVerbale Voce(const QString& file, std::optional<Impronta> vecchio, const QByteArray& testo);
QByteArray TestoVerbale(const Verbale& verbale);
// The record in `marcatore`; false with `perche` when it is not one whole record of this
// version (a symbolic link, not a regular file, too large, cut short, of another form).
// A marker of the version before, which knew the old files by their inodes, is no proof
// of anything: false as well, and with `precedente` what it says of the new texts (the
// whole paths they replace), which is all such a marker is good for.
bool LeggiVerbale(const QString& marcatore, Verbale& verbale, QString& perche,
                  Verbale* precedente = nullptr);

// What is under a name, told by lstat (never through a symbolic link) and by what it
// holds, against one entry of a record.
struct Trovato {
    bool presente = false;   // something is there
    bool regolare = false;   // a regular file that could be read
    bool vecchio = false;    // holding the text replaced
    bool nuovo = false;      // holding the text written
    bool suo() const { return vecchio || nuovo; }
};
Trovato Trova(const QString& nome, const VoceVerbale& voce);

} // namespace ludra::platform
