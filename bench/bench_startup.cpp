// Cold start to the main window shown: the application against a bare main window with
// a menu bar and a toolbar, each started as a process of its own, in turns, 10 of each.
// Both are built with finestra_mostrata.cpp, which ends the process as soon as its main
// window has been exposed and painted and prints the CPU time it took; the time here
// runs from starting the process to reading that line. Both run on the same window
// system platform: QT_QPA_PLATFORM as set, else offscreen.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int kGiri = 10;
constexpr int kAttesaMs = 30000;

struct Avvio {
    double secondi = -1;
    double cpu = -1;
};

Avvio avvia(const QString& programma)
{
    QProcess p;
    p.setProgram(programma);
    p.setStandardErrorFile(QProcess::nullDevice());
    QElapsedTimer t;
    t.start();
    p.start();
    Avvio a;
    QByteArray uscita;
    while (!uscita.contains('\n') && p.waitForReadyRead(kAttesaMs))
        uscita += p.readAllStandardOutput();
    a.secondi = double(t.nsecsElapsed()) / 1e9;
    if (uscita.startsWith("shown "))
        a.cpu = uscita.mid(6).trimmed().toDouble();
    else
        a.secondi = -1;
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
    std::vector<double> tempo[2], cpu[2], rapporti;
    for (int g = 0; g < kGiri; ++g) {
        Avvio a[2];
        // In turns, the order swapped every round.
        for (int k = 0; k < 2; ++k) {
            const int quale = (g + k) % 2;
            a[quale] = avvia(programmi[quale]);
        }
        if (a[0].secondi < 0 || a[1].secondi < 0) {
            std::printf("start %d: a program did not show its main window\n", g + 1);
            return 1;
        }
        for (int k = 0; k < 2; ++k) {
            tempo[k].push_back(a[k].secondi * 1e3);
            cpu[k].push_back(a[k].cpu * 1e3);
        }
        rapporti.push_back(a[0].secondi / a[1].secondi);
    }
    const Cifre t0 = cifre(tempo[0]), t1 = cifre(tempo[1]), c0 = cifre(cpu[0]), c1 = cifre(cpu[1]),
                r = cifre(rapporti);
    std::printf("start to the main window shown (%s), %d starts each, median (min / max):\n",
                qgetenv("QT_QPA_PLATFORM").constData(), kGiri);
    std::printf("  application       %7.1f ms (%.1f / %.1f), CPU %6.1f ms\n", t0.mediana,
                t0.minimo, t0.massimo, c0.mediana);
    std::printf("  bare main window  %7.1f ms (%.1f / %.1f), CPU %6.1f ms\n", t1.mediana,
                t1.minimo, t1.massimo, c1.mediana);
    std::printf("  ratio %.2f (target <= 1.25), per start %.2f / %.2f; CPU ratio %.2f\n",
                t0.mediana / t1.mediana, r.minimo, r.massimo, c0.mediana / c1.mediana);
    return 0;
}
