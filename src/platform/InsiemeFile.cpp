#include "platform/InsiemeFile.h"

#include "platform/LetturaFile.h"
#include "platform/LocaleSistema.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace ludra::platform {

int (*PassoFileHook)(const char* passo, const QString& nome) = nullptr;

namespace {

const QLatin1String kNuovo("~new");
const QLatin1String kVecchio("~old");
const QLatin1String kSalva("~saving");
const QLatin1String kRimetti("~putback");

QByteArray nativo(const QString& nome) { return QFile::encodeName(nome); }

QString perche() { return TestoErrore(errno); }

QString guasto(const QString& nome) { return QStringLiteral("%1: %2").arg(nome, perche()); }

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

// A folder's names on disk; a file system that cannot flush a folder has nothing to flush.
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

// A new file `nome` holding `testo`, on disk, with the permissions of `come` when given.
bool scriviFile(const QString& nome, const QByteArray& testo, const struct stat* come)
{
    int fd = -1;
    if (!passo("create", nome, [&] {
            fd = ::open(nativo(nome).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            return fd >= 0;
        }))
        return false;
    const bool ok =
        (!come || passo("chmod", nome, [&] { return ::fchmod(fd, come->st_mode & 07777) == 0; }))
        && passo("write", nome, [&] { return scriviTutto(fd, testo); })
        && passo("fsync", nome, [&] { return ::fsync(fd) == 0; });
    const int e = errno;
    const bool chiuso = ::close(fd) == 0;
    if (!ok)
        errno = e;
    return ok && chiuso;
}

// Undoes a save as its "~putback" marker says: each link back over its file, each file
// that had no old one taken away.
bool rimetti(const InsiemeFile& insieme, QString& errore, QStringList& note)
{
    const QString marcatore = insieme.segno + kRimetti;
    QByteArray stati;
    // Unreadable, it removes no file: each one without its link stays as it is.
    QFile segnato(marcatore);
    if (QString illeggibile; ApriFileRegolare(segnato, illeggibile))
        stati = segnato.read(256);
    const QList<QByteArray> righe = stati.split('\n');
    for (std::size_t i = 0; i < insieme.file.size(); ++i) {
        const QString& f = insieme.file[i];
        const QByteArray stato = qsizetype(i) < righe.size() ? righe[qsizetype(i)].trimmed() : "";
        if (esiste(f + kVecchio)) {
            // The same file still under both names, or the old one over the new.
            if (!rinomina(f + kVecchio, f) || !rimuovi(f + kVecchio)) {
                errore = guasto(f);
                return false;
            }
        } else if (!esiste(f + kNuovo)) {
            if (stato == "0" && !rimuovi(f)) {
                errore = guasto(f);
                return false;
            }
            if (stato == "2")
                note << QStringLiteral("%1: replaced, and with no hard link it cannot be put back")
                            .arg(f);
        }
        if (!rimuovi(f + kNuovo)) {
            errore = guasto(f + kNuovo);
            return false;
        }
    }
    if (!scaricaCartelle(insieme, errore))
        return false;
    if (!rimuovi(marcatore)) {
        errore = guasto(marcatore);
        return false;
    }
    return true;
}

} // namespace

bool RiprendiInsieme(const InsiemeFile& insieme, QString& errore, QStringList& note)
{
    const QString salva = insieme.segno + kSalva;
    if (esiste(salva)) {
        // Every new file was on disk before the marker: the set is the new one.
        for (const QString& f : insieme.file)
            if (esiste(f + kNuovo) && !rinomina(f + kNuovo, f)) {
                errore = guasto(f);
                return false;
            }
        if (!scaricaCartelle(insieme, errore))
            return false;
        for (const QString& f : insieme.file)
            if (!rimuovi(f + kVecchio))
                note << guasto(f + kVecchio);
        if (!rimuovi(salva))
            note << guasto(salva);
        note << QStringLiteral("%1: a save cut off after writing its files has been completed")
                    .arg(salva);
        return true;
    }
    if (esiste(insieme.segno + kRimetti)) {
        if (!rimetti(insieme, errore, note))
            return false;
        note << QStringLiteral("%1: a save that failed part way has been undone")
                    .arg(insieme.segno + kRimetti);
        return true;
    }
    // Cut off before its marker: the files themselves are still the old ones.
    QStringList tolti;
    for (const QString& f : insieme.file) {
        // A link without its file is not of this save's making: the only copy, kept.
        if (esiste(f + kVecchio) && !esiste(f) && !rinomina(f + kVecchio, f))
            note << guasto(f);
        QStringList accanto = {f + kNuovo};
        if (esiste(f))
            accanto << f + kVecchio;
        for (const QString& a : accanto) {
            if (!esiste(a))
                continue;
            if (rimuovi(a))
                tolti << a;
            else
                note << guasto(a);
        }
    }
    if (!tolti.isEmpty())
        note << QStringLiteral("Files left aside by a save that was cut off were removed: ")
                    + tolti.join(u", ");
    return true;
}

bool SostituisciInsieme(const InsiemeFile& insieme, const std::vector<QByteArray>& testi,
                        QString& errore, QStringList& note)
{
    if (!RiprendiInsieme(insieme, errore, note))
        return false;
    const std::size_t n = insieme.file.size();
    std::vector<std::optional<struct stat>> vecchi(n);
    for (std::size_t i = 0; i < n; ++i) {
        const QString& f = insieme.file[i];
        struct stat st {};
        if (::stat(nativo(f).constData(), &st) != 0) {
            if (errno == ENOENT)
                continue;
            errore = guasto(f);
            return false;
        }
        // A pipe would block the save, a folder cannot be replaced by a file.
        if (!S_ISREG(st.st_mode)) {
            errore = QStringLiteral("%1: not a regular file").arg(f);
            return false;
        }
        if (::access(nativo(f).constData(), W_OK) != 0) {
            errore = guasto(f);
            return false;
        }
        for (std::size_t j = 0; j < i; ++j)
            if (vecchi[j] && vecchi[j]->st_dev == st.st_dev && vecchi[j]->st_ino == st.st_ino) {
                errore = QStringLiteral("%1 and %2 are the same file").arg(insieme.file[j], f);
                return false;
            }
        vecchi[i] = st;
    }

    QByteArray stati;
    const auto annulla = [&] {
        for (std::size_t i = 0; i < n; ++i) {
            rimuovi(insieme.file[i] + kNuovo);
            if (stati.size() > qsizetype(3 * i) && stati[qsizetype(3 * i)] == '1')
                rimuovi(insieme.file[i] + kVecchio);
        }
    };
    for (std::size_t i = 0; i < n; ++i)
        if (!scriviFile(insieme.file[i] + kNuovo, testi[i], vecchi[i] ? &*vecchi[i] : nullptr)) {
            errore = guasto(insieme.file[i]);
            annulla();
            return false;
        }
    QString senzaLink;
    QStringList nonRimettibili;
    for (std::size_t i = 0; i < n; ++i) {
        const QString& f = insieme.file[i];
        char stato = '0';
        if (vecchi[i]) {
            stato = '1';
            if (!passo("link", f + kVecchio, [&] {
                    return ::link(nativo(f).constData(), nativo(f + kVecchio).constData()) == 0;
                })) {
                // Another file system (a mount) is a fault; a file system without hard links
                // is saved without the way back.
                if (errno != EPERM && errno != EOPNOTSUPP && errno != ENOSYS && errno != EMLINK) {
                    errore = guasto(f);
                    annulla();
                    return false;
                }
                senzaLink = perche();
                nonRimettibili << f;
                stato = '2';
            }
        }
        stati += QByteArray(1, stato) + "\r\n";
    }
    if (!nonRimettibili.isEmpty())
        note << QStringLiteral("No hard links here (%1): should the save fail part way, %2 "
                               "cannot be put back")
                    .arg(senzaLink, nonRimettibili.join(u", "));
    const QString salva = insieme.segno + kSalva;
    if (!scaricaCartelle(insieme, errore) || !scriviFile(salva, stati, nullptr)
        || !scaricaCartella(QFileInfo(salva).absolutePath())) {
        if (errore.isEmpty())
            errore = guasto(salva);
        rimuovi(salva);
        annulla();
        return false;
    }

    // Committed: from here a cut-off save is completed by the next reader.
    for (std::size_t i = 0; i < n; ++i) {
        if (rinomina(insieme.file[i] + kNuovo, insieme.file[i]))
            continue;
        errore = guasto(insieme.file[i]);
        if (!rinomina(salva, insieme.segno + kRimetti)) {
            errore += QStringLiteral("; %1 stays to complete the save later").arg(salva);
            return false;
        }
        QString perRimettere;
        QStringList rimesse;
        if (!rimetti(insieme, perRimettere, rimesse))
            errore += QStringLiteral("; not put back as it was: ") + perRimettere;
        for (const QString& r : rimesse)
            errore += QStringLiteral("; ") + r;
        return false;
    }
    QString scarico;
    if (!scaricaCartelle(insieme, scarico))
        note << scarico;
    QStringList rimasti;
    if (!rimuovi(salva))
        rimasti << salva;
    for (std::size_t i = 0; i < n; ++i)
        if (stati[qsizetype(3 * i)] == '1' && !rimuovi(insieme.file[i] + kVecchio))
            rimasti << insieme.file[i] + kVecchio;
    scaricaCartella(QFileInfo(salva).absolutePath());
    if (!rimasti.isEmpty())
        note << QStringLiteral("Saved; these could not be removed: ") + rimasti.join(u", ");
    return true;
}

} // namespace ludra::platform
