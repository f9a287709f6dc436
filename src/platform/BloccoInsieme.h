#pragma once
// One process at a time on a set of files: an advisory lock (flock) on a lock file
// beside them, which the kernel lets go when the process ends, however it ends. The
// lock file stays once made: removed, a process that had opened it and one that makes
// it anew would each hold a lock, on two files of one name.
#include <QString>
#include <functional>
#include <sys/types.h>

namespace ludra::platform {

class BloccoInsieme {
public:
    enum class Esito {
        Preso,
        SenzaFile,     // no lock file, and none asked for: no save has run here
        SenzaBlocco,   // the file system has no locks (or the file cannot be had): go on
        Occupato,      // another process held it past the wait, or the wait would nest
    };
    BloccoInsieme() = default;
    ~BloccoInsieme();
    BloccoInsieme(const BloccoInsieme&) = delete;
    BloccoInsieme& operator=(const BloccoInsieme&) = delete;

    // Takes the lock of `file`, making the file first when `crea`, with the permissions
    // `modo` (those of the files it keeps: whoever may read them may wait on it, no one
    // else learns of them from it). While another process
    // holds it, waits through the current Waiter (the user's input held back), bounded,
    // telling `attesa` what it waits for as it starts and an empty text as it ends; a
    // call from inside another wait does not wait. `perche` gets why it is not Preso, for
    // SenzaBlocco only the first time for that file.
    // Made beside a file of group `gruppo`, it takes that group and exactly `modo` where
    // it may, so every member of a group that shares the files may open it for writing,
    // as a lock over a network share needs.
    Esito prendi(const QString& file, bool crea, mode_t modo,
                 const std::function<void(const QString&)>& attesa, QString& perche,
                 gid_t gruppo = gid_t(-1));

private:
    int fd_ = -1;
};

} // namespace ludra::platform
