#include "platform/VerbaleInsieme.h"

#include "platform/LetturaFile.h"

#include <QCryptographicHash>
#include <QFile>
#include <QList>
#include <cerrno>
#include <sys/stat.h>

namespace ludra::platform {

namespace {

const QByteArray kIntestazione = "Ludra file set";
const QByteArray kFine = "end";
// Four paths of the longest a system allows, each byte written as three.
constexpr qint64 kMaxVerbale = 64 * 1024;
constexpr qsizetype kMaxVoci = 16;

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
    QFile f(nome);
    QString perche;
    if (!ApriFileRegolare(f, perche, true) || f.size() != voce.dimensione)
        return Trovato::Altro;
    QCryptographicHash hash(QCryptographicHash::Sha256);
    return hash.addData(&f) && hash.result().toHex() == voce.impronta ? Trovato::Nuovo
                                                                      : Trovato::Altro;
}

} // namespace ludra::platform
