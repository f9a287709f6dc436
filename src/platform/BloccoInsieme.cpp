#include "platform/BloccoInsieme.h"

#include "platform/LocaleSistema.h"
#include "platform/Waiter.h"

#include <QFile>
#include <QStringList>
#include <QTimer>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ludra::platform {

namespace {

// Long enough for a save over a slow share, short of a program that looks hung.
constexpr qint64 kAttesaMs = 30000;
constexpr int kPrimoTentativoMs = 10;
constexpr int kUltimoTentativoMs = 500;

// The lock files whose lack of locks has been told.
QStringList detti;

int apri(const QByteArray& nome, bool crea, mode_t modo, gid_t gruppo)
{
    // Opened before it is made: in a shared sticky folder the system refuses O_CREAT on a
    // file another user made. Never through a link, nor waiting on a pipe. For writing
    // where the user may write: a lock over NFS needs it; else for reading, which a lock
    // on a local disk needs no more.
    constexpr int kModi = O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY;
    for (int volta = 0; volta < 2; ++volta) {
        int fd = ::open(nome.constData(), O_RDWR | kModi);
        if (fd < 0 && (errno == EACCES || errno == EROFS || errno == EPERM))
            fd = ::open(nome.constData(), O_RDONLY | kModi);
        if (fd >= 0 || errno != ENOENT || !crea)
            return fd;
        const int nuovo = ::open(nome.constData(), O_RDWR | O_CREAT | O_EXCL | kModi, modo);
        // Beside a file, exactly that file's group and permissions, the creator's mask
        // aside; else those of any new file.
        if (nuovo >= 0 && gruppo != gid_t(-1))
            (void)!(::fchown(nuovo, uid_t(-1), gruppo) + ::fchmod(nuovo, modo));
        if (nuovo >= 0 || errno != EEXIST)
            return nuovo;
    }
    return -1;
}

} // namespace

BloccoInsieme::~BloccoInsieme()
{
    if (fd_ >= 0)
        ::close(fd_);
}

BloccoInsieme::Esito BloccoInsieme::prendi(const QString& file, bool crea, mode_t modo,
                                           const std::function<void(const QString&)>& attesa,
                                           QString& perche, gid_t gruppo)
{
    fd_ = apri(QFile::encodeName(file), crea, modo, gruppo);
    if (fd_ < 0 && errno == ENOENT && !crea)
        return Esito::SenzaFile;
    const auto senza = [&](const QString& motivo) {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = -1;
        if (!detti.contains(file)) {
            detti << file;
            perche = QStringLiteral("%1: no lock here (%2): another Ludra process saving this "
                                    "project at the same time is not kept out")
                         .arg(file, motivo);
        }
        return Esito::SenzaBlocco;
    };
    struct stat st {};
    if (fd_ < 0 || ::fstat(fd_, &st) != 0)
        return senza(TestoErrore(errno));
    if (!S_ISREG(st.st_mode))
        return senza(QStringLiteral("not a regular file"));
    const auto prova = [this] { return ::flock(fd_, LOCK_EX | LOCK_NB) == 0; };
    if (prova())
        return Esito::Preso;
    if (errno != EWOULDBLOCK)
        return senza(TestoErrore(errno));
    const QString occupato =
        QStringLiteral("%1: another Ludra process is saving or opening this project").arg(file);
    const auto occupa = [&](const QString& ancora) {
        ::close(fd_);
        fd_ = -1;
        perche = occupato + ancora + QStringLiteral("; try again once it has finished");
        return Esito::Occupato;
    };
    // Inside another wait this one would hold that one up, and it would run nested.
    if (livelloAttesa() > 0)
        return occupa(QString());
    // Retried without blocking, at intervals that grow from a few milliseconds: a blocking
    // lock taken in a helper thread could not be called off at the time-out (the thread
    // would take the lock later, for nothing, and hold it), and a signal to interrupt it
    // would reach the whole process. A retry costs one system call, and the timer's each
    // round is an event after which the wait checks again.
    int errore = 0;
    bool preso = false;
    int intervallo = kPrimoTentativoMs;
    QTimer sveglia;
    QObject::connect(&sveglia, &QTimer::timeout, [&] {
        intervallo = qMin(2 * intervallo, kUltimoTentativoMs);
        sveglia.start(intervallo);
    });
    sveglia.start(intervallo);
    attesa(QStringLiteral("Waiting up to %1 s for another Ludra process to finish with %2")
               .arg(kAttesaMs / 1000).arg(file));
    {
        const InputRimandato rimanda;
        waiter().waitUntil([&] {
            if (!preso && !errore && !(preso = prova()) && errno != EWOULDBLOCK && errno != EINTR)
                errore = errno;
            return preso || errore;
        }, kAttesaMs);
    }
    attesa(QString());
    if (preso)
        return Esito::Preso;
    if (errore)
        return senza(TestoErrore(errore));
    return occupa(QStringLiteral(" and has not finished in %1 s").arg(kAttesaMs / 1000));
}

} // namespace ludra::platform
