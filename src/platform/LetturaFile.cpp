#include "platform/LetturaFile.h"

#include "platform/LocaleSistema.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ludra::platform {

bool ApriFileRegolare(QFile& f, QString& perche, bool senzaLink)
{
    // Not blocking, so a pipe with no writer opens at once and can be told apart; the
    // check is then on what was opened, not on a name that may change meanwhile.
    const int fd = ::open(QFile::encodeName(f.fileName()).constData(),
                          O_RDONLY | O_NONBLOCK | O_CLOEXEC | (senzaLink ? O_NOFOLLOW : 0));
    if (fd < 0) {
        perche = senzaLink && errno == ELOOP ? QStringLiteral("a symbolic link") : TestoErrore(errno);
        return false;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        perche = QStringLiteral("not a regular file");
        return false;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    if (!f.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        perche = f.errorString();
        ::close(fd);
        return false;
    }
    return true;
}

} // namespace ludra::platform
