#include "platform/VerbaleInsieme.h"

#include "platform/LocaleSistema.h"

#include <QCryptographicHash>
#include <QFile>
#include <QList>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ludra::platform {

namespace {

const QByteArray kIntestazione = "Ludra file set";
const QByteArray kFine = "end";
// Four paths of the longest a system allows, each byte written as three.
constexpr qint64 kMaxVerbale = 64 * 1024;
constexpr qsizetype kMaxVoci = 16;

// Opened without following a link nor waiting on a pipe: a regular file, or -1.
int apriRegolare(const QString& nome, struct stat& st, QString& perche)
{
    const int fd = ::open(QFile::encodeName(nome).constData(),
                          O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        perche = errno == ELOOP ? QStringLiteral("a symbolic link") : TestoErrore(errno);
        return -1;
    }
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        perche = QStringLiteral("not a regular file");
        return -1;
    }
    return fd;
}

// Reads `fd` into `fai` a piece at a time, to its end or until `fai` says no more;
// false on an error.
template <class Fai>
bool leggiTutto(int fd, Fai&& fai)
{
    char pezzo[16 * 1024];
    for (;;) {
        const ssize_t n = ::read(fd, pezzo, sizeof pezzo);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return n == 0;
        if (!fai(QByteArrayView(pezzo, n)))
            return true;
    }
}

bool numero(const QByteArray& testo, qint64& valore)
{
    bool ok = false;
    valore = testo.toLongLong(&ok);
    return ok && valore >= 0 && !testo.startsWith('+');
}

bool voce(const QByteArray& riga, VoceVerbale& v)
{
    const QList<QByteArray> campi = riga.split(' ');
    if (campi.size() != 4 || campi[2].size() != 64 || campi[3].isEmpty())
        return false;
    if (campi[0] != "-") {
        bool ok = false;
        v.vecchio = ino_t(campi[0].toULongLong(&ok));
        if (!ok || campi[0][0] < '0' || campi[0][0] > '9')
            return false;
    }
    bool esadecimale = true;
    for (const char c : campi[2])
        esadecimale = esadecimale && ((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'));
    v.impronta = campi[2];
    v.file = QFile::decodeName(QByteArray::fromPercentEncoding(campi[3]));
    return esadecimale && numero(campi[1], v.dimensione);
}

} // namespace

VoceVerbale Voce(const QString& file, std::optional<ino_t> vecchio, const QByteArray& testo)
{
    return {file, vecchio, testo.size(),
            QCryptographicHash::hash(testo, QCryptographicHash::Sha256).toHex()};
}

QByteArray TestoVerbale(const Verbale& verbale)
{
    QByteArray testo = kIntestazione + "\r\n" + QByteArray::number(qsizetype(verbale.size()))
                       + "\r\n";
    for (const VoceVerbale& v : verbale)
        testo += (v.vecchio ? QByteArray::number(qulonglong(*v.vecchio)) : QByteArray("-"))
                 + ' ' + QByteArray::number(v.dimensione) + ' ' + v.impronta + ' '
                 + QFile::encodeName(v.file).toPercentEncoding("/") + "\r\n";
    return testo + kFine + "\r\n";
}

bool LeggiVerbale(const QString& marcatore, Verbale& verbale, QString& perche)
{
    struct stat st {};
    const int fd = apriRegolare(marcatore, st, perche);
    if (fd < 0)
        return false;
    QByteArray testo;
    const bool letto = st.st_size <= kMaxVerbale && leggiTutto(fd, [&](QByteArrayView p) {
        testo += p;
        return testo.size() <= kMaxVerbale;
    });
    const int e = errno;
    ::close(fd);
    if (!letto || testo.size() > kMaxVerbale) {
        perche = letto || st.st_size > kMaxVerbale ? QStringLiteral("too large to be a marker")
                                                   : TestoErrore(e);
        return false;
    }
    perche = QStringLiteral("not a marker of this version of Ludra, or cut short");
    QList<QByteArray> righe = testo.split('\n');
    if (righe.size() < 4 || !righe.takeLast().isEmpty())
        return false;
    for (QByteArray& r : righe) {
        if (!r.endsWith('\r'))
            return false;
        r.chop(1);
    }
    qint64 n = 0;
    if (righe[0] != kIntestazione || righe.last() != kFine || !numero(righe[1], n)
        || n < 1 || n > kMaxVoci || righe.size() != n + 3)
        return false;
    Verbale letti(static_cast<std::size_t>(n));
    for (qsizetype i = 0; i < n; ++i)
        if (!voce(righe[i + 2], letti[std::size_t(i)]))
            return false;
    verbale = std::move(letti);
    perche.clear();
    return true;
}

Trovato Trova(const QString& nome, const VoceVerbale& voce)
{
    struct stat st {};
    if (::lstat(QFile::encodeName(nome).constData(), &st) != 0)
        return errno == ENOENT ? Trovato::Assente : Trovato::Altro;
    if (!S_ISREG(st.st_mode))
        return Trovato::Altro;
    if (voce.vecchio && st.st_ino == *voce.vecchio)
        return Trovato::Vecchio;
    if (st.st_size != voce.dimensione)
        return st.st_size == 0 ? Trovato::Vuoto : Trovato::Altro;
    QString perche;
    const int fd = apriRegolare(nome, st, perche);
    if (fd < 0)
        return Trovato::Altro;
    QCryptographicHash hash(QCryptographicHash::Sha256);
    const bool letto = leggiTutto(fd, [&](QByteArrayView p) { return hash.addData(p), true; });
    ::close(fd);
    return letto && st.st_size == voce.dimensione && hash.result().toHex() == voce.impronta
               ? Trovato::Nuovo
               : Trovato::Altro;
}

} // namespace ludra::platform
