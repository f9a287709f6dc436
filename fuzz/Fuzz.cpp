#include "Fuzz.h"

#include "base/Log.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace ludra::fuzz {

test::Banco& Avvia()
{
    static int argc = 1;
    static char nome[] = "ludra_fuzz";
    static char* argv[] = {nome, nullptr};
    static QCoreApplication app(argc, argv);
    // Opened once and never closed: the doubles serve until the process ends.
    static test::Banco doppi;
    static const bool avviato = [] {
        doppi.apri(test::Banco::Doppi::Tutti, test::Banco::Avvio::Stato);
        return true;
    }();
    (void)avviato;
    doppi.dialogs.predefinita = platform::MsgResult::No;
    doppi.dialogs.messaggi.clear();
    doppi.dialogs.fileScelti.clear();
    doppi.dialogs.richiesteFile.clear();
    LogModello::istanza().svuota();
    return doppi;
}

std::vector<QByteArray> Pezzi(const QByteArray& dati)
{
    std::vector<QByteArray> pezzi;
    qsizetype da = 0;
    for (;;) {
        const qsizetype at = dati.indexOf(kSeparatore, da);
        if (at < 0)
            break;
        pezzi.push_back(dati.mid(da, at - da));
        da = at + qsizetype(sizeof kSeparatore - 1);
    }
    pezzi.push_back(dati.mid(da));
    return pezzi;
}

QByteArray Unisci(const std::vector<QByteArray>& pezzi)
{
    QByteArray dati;
    for (std::size_t i = 0; i < pezzi.size(); ++i)
        dati += (i ? QByteArray(kSeparatore) : QByteArray()) + pezzi[i];
    return dati;
}

QString Cartella()
{
    // In memory where the system has it: saving syncs each file to its disk.
    static QTemporaryDir dir(QFileInfo(QStringLiteral("/dev/shm")).isWritable()
                                 ? QStringLiteral("/dev/shm/ludra_fuzz-XXXXXX")
                                 : QDir::tempPath() + QStringLiteral("/ludra_fuzz-XXXXXX"));
    return dir.path();
}

QString Scrivi(const QString& nome, const QByteArray& dati)
{
    const QString percorso = Cartella() + QLatin1Char('/') + nome;
    QFile f(percorso);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(dati) != dati.size())
        Fallito("the input file is written", __FILE__, __LINE__, f.errorString());
    return percorso;
}

void Fallito(const char* condizione, const char* file, int riga, const QString& dettaglio)
{
    std::fprintf(stderr, "\n%s:%d: check failed: %s\n  %s\n", file, riga, condizione,
                 qPrintable(dettaglio));
    std::abort();
}

} // namespace ludra::fuzz
