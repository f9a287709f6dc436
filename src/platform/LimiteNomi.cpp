#include "platform/LimiteNomi.h"

#include "platform/PassiFile.h"

#include <QFileInfo>
#include <climits>
#include <initializer_list>
#include <unistd.h>

namespace ludra::platform {

using namespace passi;

namespace {

// The longest name the folder of `nome` takes, in bytes; the usual limit where the folder
// cannot tell (it may not exist yet, and the save then fails on its own).
qsizetype limiteCartella(const QString& nome)
{
    const long limite =
        ::pathconf(nativo(QFileInfo(nome).absolutePath()).constData(), _PC_NAME_MAX);
    return limite > 0 ? qsizetype(limite) : qsizetype(NAME_MAX);
}

// The longest of `nome` followed by each of `finali` against its folder's limit.
bool entroLimite(const QString& nome, std::initializer_list<QLatin1String> finali,
                 QString& errore)
{
    QLatin1String lungo;
    for (const QLatin1String f : finali)
        if (f.size() > lungo.size())
            lungo = f;
    const qsizetype byte = nativo(QFileInfo(nome).fileName()).size();
    const qsizetype limite = limiteCartella(nome);
    if (byte + lungo.size() <= limite)
        return true;
    errore = QStringLiteral("%1: this name (%2 bytes) is too long to save under: a save also "
                            "writes it followed by \"%3\" beside it, and a file name here may "
                            "have at most %4 bytes. Choose a name of at most %5 bytes.")
                 .arg(nome, QString::number(byte), lungo, QString::number(limite),
                      QString::number(limite - lungo.size()));
    return false;
}

} // namespace

bool NomiEntroLimite(const InsiemeFile& insieme, QString& errore)
{
    if (!entroLimite(insieme.segno, {kRimetti, kSalva, kBlocco, kFinisci, kDisfa}, errore))
        return false;
    for (const QString& f : insieme.file)
        if (!entroLimite(f, {kNuovo, kVecchio, kDaParte}, errore))
            return false;
    return true;
}

} // namespace ludra::platform
