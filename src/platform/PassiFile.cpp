#include "platform/PassiFile.h"

#include "platform/LocaleSistema.h"
#include "platform/VerbaleInsieme.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <fcntl.h>
#include <unistd.h>

namespace ludra::platform {

int (*PassoFileHook)(const char* passo, const QString& nome) = nullptr;

namespace passi {

namespace {

bool scriviTutto(int fd, const QByteArray& testo)
{
    const char* p = testo.constData();
    qsizetype resto = testo.size();
    while (resto > 0) {
        const ssize_t n = ::write(fd, p, std::size_t(resto));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (n == 0)
                errno = ENOSPC;
            return false;
        }
        p += n;
        resto -= n;
    }
    return true;
}

} // namespace

QByteArray nativo(const QString& nome) { return QFile::encodeName(nome); }

QString nomeNelVerbale(const InsiemeFile& insieme, std::size_t i)
{
    const QString& file = insieme.file[i];
    return NomeNelVerbale(insieme.segno, i < insieme.nomi.size() ? insieme.nomi[i] : file, file);
}

QString perche() { return TestoErrore(errno); }

QString guasto(const QString& nome) { return QStringLiteral("%1: %2").arg(nome, perche()); }

bool esiste(const QString& nome)
{
    struct stat st {};
    return ::lstat(nativo(nome).constData(), &st) == 0;
}

bool rimuovi(const QString& nome)
{
    return !esiste(nome) || passo("unlink", nome, [&] {
        return ::unlink(nativo(nome).constData()) == 0 || errno == ENOENT;
    });
}

bool rinomina(const QString& da, const QString& a)
{
    return passo("rename", a, [&] {
        return ::rename(nativo(da).constData(), nativo(a).constData()) == 0;
    });
}

bool stessoFile(const QString& a, const QString& b)
{
    struct stat sa {}, sb {};
    return ::lstat(nativo(a).constData(), &sa) == 0 && ::lstat(nativo(b).constData(), &sb) == 0
           && S_ISREG(sa.st_mode) && sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

bool scaricaCartella(const QString& cartella)
{
    return passo("fsync", cartella, [&] {
        const int fd = ::open(nativo(cartella).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd < 0)
            return false;
        const bool ok = ::fsync(fd) == 0 || errno == EINVAL;
        const int e = errno;
        ::close(fd);
        errno = e;
        return ok;
    });
}

bool scaricaCartelle(const InsiemeFile& insieme, QString& errore)
{
    QStringList cartelle = {QFileInfo(insieme.segno).absolutePath()};
    for (const QString& f : insieme.file)
        if (const QString c = QFileInfo(f).absolutePath(); !cartelle.contains(c))
            cartelle << c;
    for (const QString& c : cartelle)
        if (!scaricaCartella(c)) {
            errore = guasto(c);
            return false;
        }
    return true;
}

bool scriviFile(const QString& nome, const QByteArray& testo, const struct stat* come)
{
    int fd = -1;
    if (!passo("create", nome, [&] {
            fd = ::open(nativo(nome).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC,
                        come ? 0600 : 0666);
            return fd >= 0;
        }))
        return false;
    // The old file's owner and group where the process may give them (its group always,
    // where the user is a member): in a folder a group shares, the next member's save then
    // finds files it may replace. Before the permissions, which a change of owner may clear.
    if (come) {
        struct stat st {};
        if (::fstat(fd, &st) == 0 && (st.st_uid != come->st_uid || st.st_gid != come->st_gid)
            && ::fchown(fd, come->st_uid, come->st_gid) != 0)
            (void)!::fchown(fd, uid_t(-1), come->st_gid);
    }
    bool ok =
        (!come || passo("chmod", nome, [&] { return ::fchmod(fd, come->st_mode & 07777) == 0; }))
        && passo("write", nome, [&] { return scriviTutto(fd, testo); })
        && passo("fsync", nome, [&] { return ::fsync(fd) == 0; });
    int e = errno;
    if (::close(fd) != 0 && ok)
        ok = false, e = errno;
    if (!ok)
        rimuovi(nome);
    errno = e;
    return ok;
}

} // namespace passi

} // namespace ludra::platform
