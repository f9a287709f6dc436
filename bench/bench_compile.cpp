// Time of one whole compile of the largest project that still compiles, and that time per
// record it writes; the same compile in the application, its windows loaded, against the
// compile without windows; and what one Log line costs in the application, from the write
// to the window drawn, with the Log short and long.
#include "app/Avvio.h"
#include "base/Log.h"
#include "base/Testi.h"
#include "app/ui/Main.h"
#include "app/ui/Principale.h"
#include "compiler/CodiceProgramma.h"
#include "compiler/Compilatore.h"
#include "display/PagineDisplay.h"
#include "images/Immagini.h"
#include "platform/ui/Applicazione.h"
#include "link/StatoLink.h"
#include "project/Progetto.h"
#include "project/Registri.h"
#include "scheduler/Schedulazioni.h"

#include <QApplication>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

using namespace ludra;

namespace {

Rung riga(int classe, int funzione, int lung, int seme)
{
    Rung r = RungVuoto();
    r.Classe = std::int16_t(classe);
    r.Funzione = std::int16_t(funzione);
    r.LungDati = std::int16_t(lung);
    for (std::size_t i = 0; i < r.ArgByte.size(); ++i)
        r.ArgByte[i] = std::uint8_t(seme + int(i));
    return r;
}

// 100 main lines (reads, writes, local operations, jumps and a page list), 32 logger
// objects, two images, and `oggetti` display objects over as many pages as they need.
void progetto(int oggetti)
{
    ImpostaLingua(kInglese);
    Controllore.Modello = QStringLiteral("KVR5460");
    ImpostaModello();

    Sezione& main = Sezioni[0];
    main.NumRung = 100;
    for (int i = 1; i <= 100; ++i) {
        Rung r = i % 10 == 0   ? riga(kClasseLocale, 1, 14, i)
                 : i % 10 == 5 ? riga(kClasseLocale, kFunzioneGoto, 14, i)
                 : i % 2       ? riga(kClasseLeggiHolding, 0, 0, i)
                               : riga(kClasseScrivi, 0, 0, i);
        r.Etichetta = QStringLiteral("L%1").arg(i);
        r.ArgTesto[4] = QStringLiteral("L%1").arg(101 - i);
        main.Rung[std::size_t(i)] = r;
    }
    main.Rung[1] = riga(kClasseLocale, kFunzioneDisplay, 0, 1);
    main.Rung[1].SubOp = kSubOpListaPagine;

    PagineDisplay.NumPagine = std::uint8_t(std::min(7, (oggetti + 31) / 32));
    for (int p = 0; p < PagineDisplay.NumPagine; ++p) {
        const int n = std::min(32, oggetti - 32 * p);
        PagineDisplay.Pagine[std::size_t(p)].NumOggetti = std::uint8_t(n);
        Sezione& s = Sezioni[std::size_t(p + 1)];
        s.NumRung = std::int16_t(n + 1);
        for (int i = 1; i <= n; ++i)
            s.Rung[std::size_t(i)] = riga(kClasseLocale, kFunzioneDisplay, 34, i);
        s.Rung[std::size_t(n + 1)] = riga(kClasseLocale, 132, 2, 0);
        s.Rung[1].Etichetta = QStringLiteral("PAG%1").arg(p + 1);
    }

    Schedulazioni.NumOggetti = 32;
    for (int i = 1; i <= 32; ++i) {
        OggettoScheduler& o = Schedulazioni.Oggetti[std::size_t(i)];
        o.Blocco = riga(kClasseLocale, 138, i % 2 ? 8 : 4, i);
        for (std::size_t k = 0; k < o.Codice.size(); ++k)
            o.Codice[k] = std::uint8_t(k + std::size_t(i));
    }

    NumImmagini = 2;
    Immagini[0].NumByte = 64;
    Immagini[1].NumByte = 32;
}

// Nanoseconds per call of f, the median of rounds of `perGiro` calls after a warm-up of
// one round; `traGiri` runs between rounds, outside the time.
template <typename F, typename G>
double nanosecondiPerChiamata(int giri, int perGiro, F&& f, G&& traGiri)
{
    for (int i = 0; i < perGiro; ++i)
        f();
    std::vector<double> tempi;
    for (int g = 0; g < giri; ++g) {
        traGiri();
        const auto inizio = std::chrono::steady_clock::now();
        for (int i = 0; i < perGiro; ++i)
            f();
        const auto fine = std::chrono::steady_clock::now();
        tempi.push_back(std::chrono::duration<double, std::nano>(fine - inizio).count() / perGiro);
    }
    std::sort(tempi.begin(), tempi.end());
    return tempi[tempi.size() / 2];
}

// A compile, the Log emptied between rounds (its lines would otherwise pile up); with
// `turno`, each compile is followed by the turn of the event loop that shows its report.
double tempoCompilazione(bool turno)
{
    return nanosecondiPerChiamata(
        31, 64,
        [turno] {
            Compila();
            if (turno)
                QApplication::processEvents();
        },
        [] { LogClear(); });
}

// One Log line and the turn of the event loop that shows it, with `righe` lines already
// in the Log.
double tempoRigaLog(int righe)
{
    LogClear();
    for (int i = 0; i < righe; ++i)
        LogWrite(QStringLiteral("line %1").arg(i));
    QApplication::processEvents();
    return nanosecondiPerChiamata(
        15, 32,
        [] {
            LogWrite(QStringLiteral("Com Timeout"));
            QApplication::processEvents();
        },
        [] {});
}

} // namespace

int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    platform::Applicazione app(argc, argv);

    // The most display objects that still compile (the data area, not the slot count,
    // is the bound once the blocks are 34 bytes).
    int oggetti = 255 - 100 - 32;
    std::int32_t byte = 0;
    for (; oggetti >= 0; --oggetti) {
        AzzeraStatoProcesso();
        progetto(oggetti);
        byte = Compila();
        if (byte > 0)
            break;
    }
    if (byte <= 0) {
        std::printf("no project compiled\n");
        return 1;
    }
    const int slot = (InizioDati - kDimIntestazione) / kDimRecord;
    std::printf("project: 100 main lines, %d display pages, %d display objects, 32 loggers, "
                "%d slots, %d bytes in use\n",
                int(PagineDisplay.NumPagine), oggetti, slot, int(byte));

    const int record = NumComandi;
    const double senzaFinestre = tempoCompilazione(false);

    // The application: main window, Log, ladder and register windows.
    ui::Main();
    ui::Principale::istanza().mostra(Finestra::Registri);
    progetto(oggetti);
    QApplication::processEvents();
    const double conFinestre = Compila() == byte ? tempoCompilazione(false) : -1;
    const double conTurno = tempoCompilazione(true);
    constexpr int kLunghezzeLog[] = {0, 1000, 10000, 100000};
    std::vector<double> rigaLog;
    for (const int righe : kLunghezzeLog)
        rigaLog.push_back(tempoRigaLog(righe));
    ui::Principale::distruggi();

    std::printf("compile without windows: %.1f us (report to the Log included)\n",
                senzaFinestre / 1000);
    std::printf("compile per record: %.0f ns (%d records)\n", senzaFinestre / record, record);
    if (conFinestre < 0) {
        std::printf("compile in the application: FAILED\n");
        return 1;
    }
    std::printf("compile in the application: %.1f us\n", conFinestre / 1000);
    std::printf("ratio application / without windows: %.2f  (target <= 2)\n",
                conFinestre / senzaFinestre);
    std::printf("compile in the application and the turn that shows its report: %.1f us\n",
                conTurno / 1000);
    for (std::size_t i = 0; i < rigaLog.size(); ++i)
        std::printf("one Log line in the application, %6d lines before it: %.3f ms  "
                    "(target <= 0.5)\n",
                    kLunghezzeLog[i], rigaLog[i] / 1e6);
    return 0;
}
