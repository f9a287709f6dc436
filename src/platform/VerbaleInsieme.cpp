#include "platform/VerbaleInsieme.h"

#include "platform/LetturaFile.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <algorithm>
#include <cerrno>
#include <climits>
#include <sys/stat.h>
#include <unistd.h>

namespace ludra::platform {

namespace {

const QByteArray kIntestazione = "Ludra file set 2";
const QByteArray kPrecedente = "Ludra file set";   // knew the old files by their inodes
const QByteArray kFine = "end";
// Four paths of the longest a system allows, each byte written as three.
constexpr qint64 kMaxVerbale = 64 * 1024;
constexpr qsizetype kMaxVoci = 16;
// Far beyond any project file: a larger old file is known by its size, so a save of it
// costs no read of gigabytes.
constexpr qint64 kMaxImpronta = 64 * 1024 * 1024;

bool numero(const QByteArray& testo, qint64& valore)
{
    bool ok = false;
    valore = testo.toLongLong(&ok);
    return ok && valore >= 0 && !testo.startsWith('+');
}

bool sha(const QByteArray& testo)
{
    bool esadecimale = testo.size() == 64;
    for (const char c : testo)
        esadecimale = esadecimale && ((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'));
    return esadecimale;
}

bool impronta(const QByteArray& dimensione, const QByteArray& hash, Impronta& i)
{
    i.sha = hash == "-" ? QByteArray() : hash;
    return numero(dimensione, i.dimensione) && (hash == "-" || sha(hash));
}

// A text written always has its hash.
bool nuovo(const QByteArray& dimensione, const QByteArray& hash, VoceVerbale& v)
{
    return sha(hash) && impronta(dimensione, hash, v.nuovo);
}

QString nome(const QByteArray& campo)
{
    return QFile::decodeName(QByteArray::fromPercentEncoding(campo));
}

// "<old size> <old hash> <new size> <new hash> <name>", "-" for an old text there was not
// (both) or not hashed (the hash).
bool voce(const QByteArray& riga, VoceVerbale& v)
{
    const QList<QByteArray> campi = riga.split(' ');
    if (campi.size() != 5 || campi[4].isEmpty() || !sha(campi[3]))
        return false;
    if (campi[0] != "-" && !impronta(campi[0], campi[1], v.vecchio.emplace()))
        return false;
    v.file = nome(campi[4]);
    return (campi[0] != "-" || campi[1] == "-") && nuovo(campi[2], campi[3], v);
}

// "<inode> <new size> <new hash> <path>" of the version before.
bool vocePrecedente(const QByteArray& riga, VoceVerbale& v)
{
    const QList<QByteArray> campi = riga.split(' ');
    v.file = campi.size() == 4 ? nome(campi[3]) : QString();
    return !v.file.isEmpty() && nuovo(campi[1], campi[2], v);
}

QByteArray campi(const std::optional<Impronta>& i)
{
    if (!i)
        return "- -";
    return QByteArray::number(i->dimensione) + ' ' + (i->sha.isEmpty() ? QByteArray("-") : i->sha);
}

} // namespace

Impronta ImprontaTesto(const QByteArray& testo)
{
    return {testo.size(), QCryptographicHash::hash(testo, QCryptographicHash::Sha256).toHex()};
}

std::optional<Impronta> ImprontaFile(const QString& nome)
{
    QFile f(nome);
    QString perche;
    if (!ApriFileRegolare(f, perche, true))
        return std::nullopt;
    Impronta i{f.size(), {}};
    if (i.dimensione > kMaxImpronta)
        return i;
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!hash.addData(&f) || f.error() != QFileDevice::NoError || f.pos() != i.dimensione)
        return std::nullopt;
    i.sha = hash.result().toHex();
    return i;
}

QString NomeNelVerbale(const QString& segno, const QString& nome, const QString& file)
{
    const QString cartella = QFileInfo(segno).absolutePath(),
                  finale = QDir::cleanPath(QFileInfo(file).absoluteFilePath());
    const QFileInfo n(nome);
    if (QDir::cleanPath(n.absoluteFilePath()) == finale && n.absolutePath() == cartella)
        return n.fileName();
    // What a relative link names holds wherever the folders that hold both it and the
    // file go, together, or are reached from; the record proves nothing beyond that text.
    QByteArray testo(PATH_MAX, '\0');
    const ssize_t letti = n.absolutePath() == cartella
                              ? ::readlink(QFile::encodeName(nome).constData(), testo.data(),
                                           std::size_t(testo.size()))
                              : -1;
    testo.truncate(std::max<ssize_t>(letti, 0));
    const QString link = QFile::decodeName(testo);
    if (letti > 0 && letti < PATH_MAX && QDir::isRelativePath(link)
        && QDir::cleanPath(cartella + u'/' + link) == finale)
        return link;
    return finale;
}

bool StessoNome(const QString& registrato, const QString& nome)
{
    return registrato == nome
           || (!registrato.contains(u'/') && !nome.contains(u'/')
               && registrato.compare(nome, Qt::CaseInsensitive) == 0);
}

VoceVerbale Voce(const QString& file, std::optional<Impronta> vecchio, const QByteArray& testo)
{
    return {file, std::move(vecchio), ImprontaTesto(testo)};
}

QByteArray TestoVerbale(const Verbale& verbale)
{
    QByteArray testo = kIntestazione + "\r\n" + QByteArray::number(qsizetype(verbale.size()))
                       + "\r\n";
    for (const VoceVerbale& v : verbale)
        testo += campi(v.vecchio) + ' ' + campi(v.nuovo) + ' '
                 + QFile::encodeName(v.file).toPercentEncoding("/") + "\r\n";
    return testo + kFine + "\r\n";
}

bool LeggiVerbale(const QString& marcatore, Verbale& verbale, QString& perche,
                  Verbale* precedente)
{
    QFile f(marcatore);
    if (!ApriFileRegolare(f, perche, true))
        return false;
    const QByteArray testo = f.size() > kMaxVerbale ? QByteArray() : f.read(kMaxVerbale + 1);
    if (f.error() != QFileDevice::NoError) {
        perche = f.errorString();
        return false;
    }
    if (f.size() > kMaxVerbale || testo.size() > kMaxVerbale) {
        perche = QStringLiteral("too large to be a marker");
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
    const bool vecchio = righe[0] == kPrecedente;
    if ((righe[0] != kIntestazione && !vecchio) || righe.last() != kFine
        || !numero(righe[1], n) || n < 1 || n > kMaxVoci || righe.size() != n + 3)
        return false;
    Verbale letti(static_cast<std::size_t>(n));
    for (qsizetype i = 0; i < n; ++i)
        if (!(vecchio ? vocePrecedente : voce)(righe[i + 2], letti[std::size_t(i)]))
            return false;
    if (vecchio) {
        perche = QStringLiteral("an earlier version of Ludra wrote it, and it knows the old "
                                "files by their inode numbers, which prove nothing of what a "
                                "file holds");
        if (precedente)
            *precedente = std::move(letti);
        return false;
    }
    verbale = std::move(letti);
    perche.clear();
    return true;
}

Trovato Trova(const QString& nome, const VoceVerbale& voce)
{
    Trovato t;
    struct stat st {};
    if (::lstat(QFile::encodeName(nome).constData(), &st) != 0) {
        t.presente = errno != ENOENT;
        return t;
    }
    t.presente = true;
    if (!S_ISREG(st.st_mode))
        return t;
    const auto uguale = [](const Impronta& i, const Impronta& a) {
        return i.dimensione == a.dimensione && (i.sha.isEmpty() || i.sha == a.sha);
    };
    const bool forse = st.st_size == voce.nuovo.dimensione
                       || (voce.vecchio && st.st_size == voce.vecchio->dimensione);
    // A size that matches neither text spares the read.
    const std::optional<Impronta> letta =
        forse ? ImprontaFile(nome) : std::optional<Impronta>(Impronta{st.st_size, {}});
    if (!letta)
        return t;
    t.regolare = true;
    t.nuovo = forse && uguale(voce.nuovo, *letta);
    t.vecchio = forse && voce.vecchio && uguale(*voce.vecchio, *letta);
    return t;
}

} // namespace ludra::platform
