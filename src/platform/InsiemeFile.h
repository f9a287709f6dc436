#pragma once
// Replacing a set of files as one. A save cut off at any instant (a crash, a kill, a
// power cut) leaves each file under its own name with its old text or its new one, and
// once `RiprendiInsieme` has run, the whole set old or the whole set new.
//
// Beside each file "f" the save writes its new text to "f~new" and flushes it, and keeps
// the old file under a second name, the hard link "f~old", without reading it (it may be
// larger than memory). Once every new text is on disk, the marker "<segno>~saving",
// written and flushed last, commits the set; each "f~new" then replaces "f" in one
// rename, the folders are flushed, and the marker and the links go. Should a rename
// fail, the marker becomes "<segno>~putback" and the links go back over the new files.
// The marker holds one line a file: 0 there was no old file, 1 it has its link, 2 it
// had none (a file system without hard links).
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

namespace ludra::platform {

struct InsiemeFile {
    QString segno;               // the markers' path less their endings
    std::vector<QString> file;   // the files, their symbolic links already followed
};

// Writes testi[i] to insieme.file[i], all or none, after finishing what an earlier save
// left. False with `errore` (the files as they were); `note` gets what the user should
// know either way (no hard links, leftovers removed, names that could not be removed).
bool SostituisciInsieme(const InsiemeFile& insieme, const std::vector<QByteArray>& testi,
                        QString& errore, QStringList& note);

// Finishes a save that was cut off after its marker (the renames are completed or, from
// "~putback", undone) or, without a marker, removes what it left aside; says so in
// `note`. False with `errore` when a marker's work cannot be finished: the files may then
// come from two saves.
bool RiprendiInsieme(const InsiemeFile& insieme, QString& errore, QStringList& note);

// Tests only: called before each step that changes the disk (`passo` "create", "write",
// "link", "rename", ...); a value other than 0 fails the step with that errno.
extern int (*PassoFileHook)(const char* passo, const QString& nome);

} // namespace ludra::platform
