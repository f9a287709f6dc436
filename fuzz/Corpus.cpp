// The fuzz targets' main where no fuzzing engine is linked (a GCC build): it runs the
// target once over every file named, or found in a folder named, on the command line.
// Options in the fuzzer's form ("-runs=0") are accepted and ignored, so the same command
// line serves both builds.
#include <QByteArray>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <cstdint>
#include <cstdio>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dati, std::size_t n);

namespace {

int esegui(const QString& percorso)
{
    QFile f(percorso);
    if (!f.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read %s\n", qPrintable(percorso));
        return 1;
    }
    const QByteArray dati = f.readAll();
    std::fprintf(stderr, "Running: %s\n", qPrintable(percorso));
    LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(dati.constData()),
                           std::size_t(dati.size()));
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    int eseguiti = 0;
    int errori = 0;
    for (int i = 1; i < argc; ++i) {
        const QString arg = QString::fromLocal8Bit(argv[i]);
        if (arg.startsWith(QLatin1Char('-')))
            continue;
        if (!QFileInfo(arg).isDir()) {
            errori += esegui(arg);
            ++eseguiti;
            continue;
        }
        QStringList file;
        QDirIterator it(arg, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext())
            file << it.next();
        file.sort();
        for (const QString& f : file) {
            errori += esegui(f);
            ++eseguiti;
        }
    }
    std::fprintf(stderr, "Executed %d inputs\n", eseguiti);
    return errori == 0 && eseguiti > 0 ? 0 : 1;
}
