// Cold start to the main window shown: the application against a bare main window with
// a menu bar and a toolbar, each started as a process of its own, in turns, 10 of each.
// Both are built with finestra_mostrata.cpp, which reports when the window system first
// exposed the main window (mapped) and when that expose had been painted (shown), then
// ends the process; the times run from just before the process is started, on the same
// monotonic clock. Both run on the same window system platform: QT_QPA_PLATFORM as set
// (under xvfb-run, xcb maps a real X window), else offscreen.
#include <QCoreApplication>
#include <QProcess>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

namespace {

constexpr int kGiri = 10;
constexpr int kAttesaMs = 30000;

long long adessoNs()
{
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return (long long)t.tv_sec * 1000000000LL + t.tv_nsec;
}

struct Avvio {
    double mappata = -1, mostrata = -1, cpu = -1;   // milliseconds
};

Avvio avvia(const QString& programma)
{
    QProcess p;
    p.setProgram(programma);
    p.setStandardErrorFile(QProcess::nullDevice());
    const long long inizio = adessoNs();
    p.start();
    QByteArray uscita;
    while (!uscita.contains('\n') && p.waitForReadyRead(kAttesaMs))
        uscita += p.readAllStandardOutput();
    Avvio a;
    const QList<QByteArray> campi = uscita.trimmed().split(' ');
    if (campi.size() == 4 && campi[0] == "shown") {
        a.mappata = double(campi[1].toLongLong() - inizio) / 1e6;
        a.mostrata = double(campi[2].toLongLong() - inizio) / 1e6;
        a.cpu = campi[3].toDouble() * 1e3;
    }
    if (!p.waitForFinished(kAttesaMs))
        p.kill();
    return a;
}

struct Cifre {
    double mediana, minimo, massimo;
};

Cifre cifre(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return {v[v.size() / 2], v.front(), v.back()};
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const QString cartella = QCoreApplication::applicationDirPath();
    const QString programmi[] = {cartella + QStringLiteral("/ludra_misurata"),
                                 cartella + QStringLiteral("/finestra_nuda")};
    // One start of each first, so that neither pays alone for reading the libraries
    // from disc.
    for (const QString& p : programmi)
        avvia(p);
    std::vector<double> mostrata[2], mappata[2], cpu[2], rapporti;
    for (int g = 0; g < kGiri; ++g) {
        Avvio a[2];
        // In turns, the order swapped every round.
        for (int k = 0; k < 2; ++k) {
            const int quale = (g + k) % 2;
            a[quale] = avvia(programmi[quale]);
        }
        if (a[0].mostrata < 0 || a[1].mostrata < 0) {
            std::printf("start %d: a program did not show its main window\n", g + 1);
            return 1;
        }
        for (int k = 0; k < 2; ++k) {
            mostrata[k].push_back(a[k].mostrata);
            mappata[k].push_back(a[k].mappata);
            cpu[k].push_back(a[k].cpu);
        }
        rapporti.push_back(a[0].mostrata / a[1].mostrata);
    }
    std::printf("start to the main window (%s), %d starts each, median (min / max):\n",
                qgetenv("QT_QPA_PLATFORM").constData(), kGiri);
    const char* nomi[] = {"application     ", "bare main window"};
    for (int k = 0; k < 2; ++k) {
        const Cifre s = cifre(mostrata[k]), m = cifre(mappata[k]);
        std::printf("  %s  shown %7.1f ms (%.1f / %.1f)  exposed %7.1f ms  CPU %6.1f ms\n",
                    nomi[k], s.mediana, s.minimo, s.massimo, m.mediana, cifre(cpu[k]).mediana);
    }
    const Cifre r = cifre(rapporti);
    std::printf("  exposed (mapped): ratio %.2f (target <= 1.25);  shown (painted): ratio %.2f, per "
                "start %.2f / %.2f;  CPU: ratio %.2f\n",
                cifre(mappata[0]).mediana / cifre(mappata[1]).mediana,
                cifre(mostrata[0]).mediana / cifre(mostrata[1]).mediana, r.minimo, r.massimo,
                cifre(cpu[0]).mediana / cifre(cpu[1]).mediana);
    return 0;
}
