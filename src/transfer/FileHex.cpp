#include "transfer/FileHex.h"

#include "platform/LetturaFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace ludra {
namespace {

// Longer than any line that can carry a byte with its blanks; a longer line is read
// through to its end in pieces and carries none.
constexpr qint64 kMaxRiga = 256;

bool blank(char c) { return c == ' ' || c == '\t'; }

QString nome(const QString& percorso) { return QFileInfo(percorso).fileName(); }

// The next line without its end; nothing at the end of the file. A line longer than
// kMaxRiga comes back empty with `lunga` set.
std::optional<QByteArray> rigaSuccessiva(QFile& f, bool& lunga)
{
    lunga = false;
    if (f.atEnd())
        return std::nullopt;
    QByteArray riga = f.readLine(kMaxRiga);
    while (!riga.endsWith('\n') && !f.atEnd()) {
        lunga = true;
        riga = f.readLine(kMaxRiga);
        if (riga.isEmpty())
            break;
    }
    if (lunga)
        return QByteArray();
    if (riga.endsWith('\n'))
        riga.chop(1);
    if (riga.endsWith('\r'))
        riga.chop(1);
    return riga;
}

} // namespace

std::optional<std::uint8_t> ByteDaRigaHex(QByteArrayView riga)
{
    qsizetype i = 0;
    const qsizetype n = riga.size();
    while (i < n && blank(riga[i]))
        ++i;
    const qsizetype inizioCifre = i;
    int valore = 0;
    while (i < n && riga[i] >= '0' && riga[i] <= '9') {
        valore = valore * 10 + (riga[i] - '0');
        if (valore > 255)
            return std::nullopt;
        ++i;
    }
    if (i == inizioCifre)
        return std::nullopt;
    while (i < n && blank(riga[i]))
        ++i;
    if (i < n && riga[i] == ',')
        ++i;
    while (i < n && blank(riga[i]))
        ++i;
    if (i != n)
        return std::nullopt;
    return std::uint8_t(valore);
}

std::optional<QString> LeggiFileHex(const QString& percorso, std::span<std::uint8_t> destinazione,
                                    std::size_t obbligatorieDa)
{
    QFile f(percorso);
    QString perche;
    if (!platform::ApriFileRegolare(f, perche))
        return QStringLiteral("Cannot open %1: %2").arg(nome(percorso), perche);
    for (std::size_t k = 0; k < destinazione.size(); ++k) {
        bool lunga = false;
        const std::optional<QByteArray> riga = rigaSuccessiva(f, lunga);
        if (f.error() != QFileDevice::NoError)
            return QStringLiteral("Cannot read %1: %2").arg(nome(percorso), f.errorString());
        if (!riga) {
            // The last line is always one that must be there, unless none must.
            if (obbligatorieDa < destinazione.size())
                return QStringLiteral("%1 has %2 lines: %3 are needed")
                    .arg(nome(percorso))
                    .arg(k)
                    .arg(destinazione.size());
            return std::nullopt;
        }
        const std::optional<std::uint8_t> b = lunga ? std::nullopt : ByteDaRigaHex(*riga);
        if (b)
            destinazione[k] = *b;
        else if (k >= obbligatorieDa)
            return QStringLiteral("Line %1 of %2 is not a number from 0 to 255")
                .arg(k + 1)
                .arg(nome(percorso));
    }
    return std::nullopt;
}

std::optional<QString> ScriviFileHex(const QString& percorso, std::span<const std::uint8_t> byte)
{
    QSaveFile f(percorso);
    if (!f.open(QIODevice::WriteOnly))
        return QStringLiteral("Cannot write %1: %2").arg(nome(percorso), f.errorString());
    QByteArray testo;
    testo.reserve(qsizetype(byte.size()) * 7);
    for (const std::uint8_t b : byte) {
        testo += ' ';
        testo += QByteArray::number(b);
        testo += " \r\n";
    }
    if (f.write(testo) != testo.size() || !f.commit())
        return QStringLiteral("Cannot write %1: %2").arg(nome(percorso), f.errorString());
    return std::nullopt;
}

} // namespace ludra
