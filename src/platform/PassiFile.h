#pragma once
// The steps with which a set of files is replaced, each that changes the disk through
// the tests' step hook (InsiemeFile.h), and the names they use beside each file.
#include "platform/InsiemeFile.h"

#include <QByteArray>
#include <QLatin1String>
#include <QString>
#include <cerrno>
#include <sys/stat.h>

namespace ludra::platform::passi {

inline const QLatin1String kNuovo("~new");
inline const QLatin1String kVecchio("~old");
inline const QLatin1String kSalva("~saving");
inline const QLatin1String kRimetti("~putback");
inline const QLatin1String kBlocco("~lock");
// A marker as the process that acts on it takes it first, in one rename: "~saving" and
// "~putback" of a recovery, and "~putback" or "~saving" of a save going back. Each is
// then read as the one it was taken from. Where no lock keeps other processes out, the
// rename that commits a save, the one that takes it back and the one that takes it to
// be finished exclude each other: a committed save is never put back over what another
// process has moved into place.
inline const QLatin1String kFinisci("~finish");   // a "~saving" taken
inline const QLatin1String kDisfa("~undoing");    // a "~putback" taken, or a save going back
// The only copy of a text that a put-back would otherwise remove is kept under this name.
inline const QLatin1String kDaParte("~kept");

QByteArray nativo(const QString& nome);
// The system's text for errno, and the name with it.
QString perche();
QString guasto(const QString& nome);

// One step that changes the disk.
template <class Fai>
bool passo(const char* nome, const QString& file, Fai&& fai)
{
    if (PassoFileHook)
        if (const int e = PassoFileHook(nome, file)) {
            errno = e;
            return false;
        }
    return fai();
}

// Whether a name is there, itself: a symbolic link is never followed.
bool esiste(const QString& nome);
bool rimuovi(const QString& nome);
bool rinomina(const QString& da, const QString& a);
// Two names of one regular file: removing either loses nothing.
bool stessoFile(const QString& a, const QString& b);
// A folder's names on disk; a file system that cannot flush a folder has nothing to flush.
bool scaricaCartella(const QString& cartella);
// The folders of the set's files and of its markers.
bool scaricaCartelle(const InsiemeFile& insieme, QString& errore);
// How the record of a save names the set's file `i` (NomeNelVerbale).
QString nomeNelVerbale(const InsiemeFile& insieme, std::size_t i);
// A new file `nome` holding `testo`, on disk. With `come` it is made readable by its
// owner alone and then given the owner and group (as far as it may) and the permissions
// of `come`, so that no one can open it before it has them; without, it has those of any new file. Made and not finished, it goes.
bool scriviFile(const QString& nome, const QByteArray& testo, const struct stat* come);

} // namespace ludra::platform::passi
