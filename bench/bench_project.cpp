// What the windows add to the work users wait for: opening a project of 1, 10, 50 and
// 100 lines in a fresh main window, as the application starts it, against the same open
// without windows, and a register refresh with the register window against a bare
// request without windows. Each figure includes the events the change leaves behind
// (the windows' repaint). And the time a key typed into a line's description takes to
// show while a request waits for a reply 800 ms late, against the same key typed with
// the application idle.
#include "app/Avvio.h"
#include "base/Testi.h"
#include "app/ui/Main.h"
#include "app/ui/Principale.h"
#include "fbeditor/CompilaComando.h"
#include "fbeditor/Ricodifica.h"
#include "fbeditor/StatoComandi.h"
#include "ladder/VistaLadder.h"
#include "ladder/ui/Program.h"
#include "ladder/ui/RigaProgram.h"
#include "link/Connessione.h"
#include "link/Richiesta.h"
#include "link/Sequenza.h"
#include "link/StatoLink.h"
#include "monitor/AggiornaRegistri.h"
#include "platform/Dialogs.h"
#include "platform/ui/Applicazione.h"
#include "projectfiles/FileProgetto.h"
#include "project/Progetto.h"
#include "projectfiles/NuovoProgetto.h"
#include "sim/Simulatore.h"
#include "support/Ingresso.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

using namespace ludra;

namespace {

// Answers No to the save question and opens the file it is given.
class Risposte final : public platform::Dialogs {
public:
    QString file;
    platform::MsgResult messageBox(const QString&, platform::MsgButtons, platform::MsgIcon,
                                   const QString&) override
    {
        return platform::MsgResult::No;
    }
    std::optional<QString> inputBox(const QString&, const QString&, const QString&) override
    {
        return std::nullopt;
    }
    QString openFile(const platform::FileDialogRequest&) override { return file; }
    QString saveFile(const platform::FileDialogRequest&) override { return file; }
};

constexpr int kRighe[] = {1, 10, 50, 100};
constexpr int kGiri = 7;

void senzaFinestre()
{
    AzzeraStatoProcesso();
    ImpostaLingua(kInglese);
    ImpostaStatoIniziale();
    InitProgetto();
    RicodificaRungHook = RicodificaRiga;
}

// A project of n lines built through the editor: reads, writes and jumps, a label on
// every tenth line and a description on every third.
bool scriviProgetto(int n, const QString& file, Risposte& risposte)
{
    senzaFinestre();
    StatoComandi& editor = StatoComandi::istanza();
    for (int i = 1; i <= n; ++i) {
        if (i > 1 && !AggiungiRung())
            return false;
        editor.Carica();
        editor.CaricaRiga(i);
        switch (i % 3) {
        case 0:
            editor.ClickFunzione(0);
            editor.ImpostaTesto(0, QStringLiteral("10"));
            editor.ImpostaTesto(1, QStringLiteral("%1").arg(i));
            editor.ImpostaTesto(2, QStringLiteral("4"));
            editor.ImpostaTesto(4, QStringLiteral("%R 30"));
            break;
        case 1:
            editor.ClickFunzione(4);
            editor.ImpostaTesto(0, QStringLiteral("%R 30"));
            editor.ImpostaTesto(1, QStringLiteral("%R 31"));
            editor.ImpostaTesto(4, QStringLiteral("%R 32"));
            break;
        default:
            editor.ClickFunzione(1);
            editor.ImpostaTesto(0, QStringLiteral("1"));
            editor.ImpostaTesto(1, QStringLiteral("5"));
            editor.ImpostaTesto(2, QStringLiteral("2"));
            editor.ImpostaTesto(4, QStringLiteral("%R 40"));
            break;
        }
        editor.ImpostaEtichetta(i % 10 == 0 ? QStringLiteral("L%1").arg(i) : QString());
        const bool scritta = CompilaComando() == kComandoScritto;
        editor.Scarica();
        if (!scritta)
            return false;
        if (i % 3 == 0)
            ImpostaDescrizione(0, i, QStringLiteral("Step %1, tank").arg(i));
    }
    risposte.file = file;
    return SalvaProgetto(true);
}

double mediana(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? -1 : v[v.size() / 2];
}

// Microseconds of one open of the file, the events it leaves behind included.
double tempoApertura(Risposte& risposte, const QString& file, int righe)
{
    risposte.file = file;
    QElapsedTimer t;
    t.start();
    ApriProgetto();
    QApplication::processEvents();
    const double us = double(t.nsecsElapsed()) / 1000;
    return Sezioni[0].NumRung == righe ? us : -1e9;
}

// The bare request: registers 0 to 31 read in a short sequence of its own, no window.
bool leggi32Registri()
{
    BuffTx[0] = Controllore.Nodo;
    BuffTx[1] = 4;
    BuffTx[2] = BuffTx[3] = BuffTx[4] = 0;
    BuffTx[5] = 32;
    LenTx = 6;
    const Sequenza sequenza(QStringLiteral("Bench"), TipoSequenza::Breve);
    return InviaRichiesta(false) == kComOk;
}

// Microseconds of one read of 32 registers whose values all change, the repaint it
// leaves behind included: through the register window's refresh, or the bare request.
double tempoLettura(sim::Simulatore& s, int giri, bool aggiorna)
{
    std::vector<double> tempi;
    for (int g = 0; g < giri; ++g) {
        for (int r = 0; r < 32; ++r)
            s.setRegistro(r, std::uint16_t(g * 7 + r));
        QElapsedTimer t;
        t.start();
        if (aggiorna) {
            AggiornaRegistri_new(true);
        } else {
            if (!leggi32Registri() || BuffRx[4] != std::uint8_t(g * 7))
                return -1;
        }
        QApplication::processEvents();
        tempi.push_back(double(t.nsecsElapsed()) / 1000);
        if (aggiorna && TabellaRegistri[0].Valore != g * 7)
            return -1;
    }
    return mediana(tempi);
}

bool collega(std::uint16_t porta)
{
    StopCom = 1;
    Disconnetti();
    Controllore.Canale = 0;
    Controllore.IP = QStringLiteral("127.0.0.1");
    Controllore.Porta = std::int16_t(porta);
    Controllore.Timeout = 2000;
    Connetti();
    return Controllore.Connesso;
}

// A key typed into `w`'s window, queued as the window system queues it.
void tastoInCoda(QWidget* w, int tasto, const QString& testo)
{
    for (const QEvent::Type t : {QEvent::KeyPress, QEvent::KeyRelease})
        QWindowSystemInterface::handleKeyEvent<test::Coda>(w->window()->windowHandle(), t, tasto,
                                                           Qt::NoModifier, testo, false, 1);
}

// Milliseconds from a key reaching the application (queued as the window system queues
// it) to the description of line 1 showing it: typed at a moment spread over a request's
// wait for a reply `ritardo` ms late, or over as long with the application idle.
std::vector<double> tempiTasti(sim::Simulatore& s, int ritardo, bool idle, int tasti)
{
    auto* programma = qobject_cast<ui::Program*>(ui::Principale::istanza().finestra(Finestra::Program));
    ui::RigaProgram* riga = programma ? programma->riga(0, 1) : nullptr;
    if (!riga)
        return {-1};
    QLineEdit* campo = riga->txt_desc;
    ui::Principale::istanza().activateWindow();
    campo->setFocus();
    QApplication::processEvents();
    QElapsedTimer t;
    t.start();
    qint64 dato = -1;
    std::vector<double> tempi;
    const QMetaObject::Connection c = QObject::connect(campo, &QLineEdit::textEdited, [&] {
        if (dato >= 0)
            tempi.push_back(double(t.nsecsElapsed() - dato) / 1e6);
        dato = -1;
    });
    for (int k = 0; k < tasti; ++k) {
        QTimer::singleShot(20 + (ritardo - 60) * k / qMax(1, tasti - 1), [&] {
            dato = t.nsecsElapsed();
            tastoInCoda(campo, Qt::Key_A, QStringLiteral("a"));
        });
        if (idle) {
            QEventLoop attesa;
            QTimer::singleShot(ritardo, &attesa, &QEventLoop::quit);
            attesa.exec();
        } else {
            s.impostaGuasto(sim::Guasto::Ritardo, 1, ritardo);
            if (!leggi32Registri())
                return {-1};
        }
        while (dato >= 0)
            QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    QObject::disconnect(c);
    return tempi;
}

// Median, least and greatest.
struct Cifre {
    double mediana = -1, minimo = -1, massimo = -1;
};

Cifre cifre(const std::vector<double>& v)
{
    if (v.empty() || *std::min_element(v.begin(), v.end()) < 0)
        return {};
    return {mediana(v), *std::min_element(v.begin(), v.end()), *std::max_element(v.begin(), v.end())};
}

} // namespace

int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    platform::Applicazione app(argc, argv);
    Risposte risposte;
    platform::setDialogs(&risposte);
    QTemporaryDir cartella;
    std::vector<QString> file;
    for (int n : kRighe) {
        file.push_back(cartella.filePath(QStringLiteral("p%1.prj").arg(n)));
        if (!scriviProgetto(n, file.back(), risposte)) {
            std::printf("cannot write the project of %d lines\n", n);
            return 1;
        }
    }

    // Rounds alternate the two set-ups, so that load from elsewhere hits both alike. Every
    // open with windows is the first one of a main window started for it; a second open
    // of the same file in the same window is printed beside it.
    constexpr std::size_t kTaglie = std::size(kRighe);
    std::vector<std::vector<double>> senza(kTaglie), prima(kTaglie), seconda(kTaglie),
        rapporti(kTaglie);
    sim::Simulatore simulatore;
    const std::uint16_t porta = simulatore.avviaTcp();
    std::vector<double> linkSenza, linkCon, aggiornaCon;
    for (int g = 0; g < kGiri; ++g) {
        for (std::size_t k = 0; k < kTaglie; ++k) {
            senzaFinestre();
            senza[k].push_back(tempoApertura(risposte, file[k], kRighe[k]));
            ui::Main();
            QApplication::processEvents();
            prima[k].push_back(tempoApertura(risposte, file[k], kRighe[k]));
            seconda[k].push_back(tempoApertura(risposte, file[k], kRighe[k]));
            rapporti[k].push_back(prima[k].back() / senza[k].back());
            ui::Principale::distruggi();
        }
        senzaFinestre();
        if (collega(porta))
            linkSenza.push_back(tempoLettura(simulatore, 50, false));

        ui::Main();
        ui::Principale::istanza().mostra(Finestra::Registri);
        QApplication::processEvents();
        if (collega(porta)) {
            aggiornaCon.push_back(tempoLettura(simulatore, 50, true));
            linkCon.push_back(tempoLettura(simulatore, 50, false));
        }
        StopCom = 1;
        Disconnetti();
        ui::Principale::distruggi();
    }

    // Keys typed while a request waits, against the same keys with the application idle.
    constexpr int kRitardo = 800, kTasti = 15;
    ui::Main();
    QApplication::processEvents();
    std::vector<double> tastiAttesa, tastiFermo;
    if (collega(porta)) {
        tastiFermo = tempiTasti(simulatore, kRitardo, true, kTasti);
        tastiAttesa = tempiTasti(simulatore, kRitardo, false, kTasti);
    }
    StopCom = 1;
    Disconnetti();
    ui::Principale::distruggi();

    std::printf("first open of a project in a fresh main window, against the same open without "
                "windows, median of %d rounds:\n"
                "           with windows  without  ratio (target <= 5)  min   max"
                "   per line with / without   | second open in the same window\n",
                kGiri);
    for (std::size_t k = 0; k < kTaglie; ++k) {
        const Cifre a = cifre(prima[k]), b = cifre(senza[k]), r = cifre(rapporti[k]),
                    c = cifre(seconda[k]);
        if (a.mediana < 0 || b.mediana < 0 || c.mediana < 0) {
            std::printf("%3d lines: FAILED\n", kRighe[k]);
            continue;
        }
        std::printf("%3d lines %10.0f us %7.0f us %8.2f %14.2f %5.2f %10.1f us / %5.1f us  | "
                    "%7.0f us, ratio %.2f\n",
                    kRighe[k], a.mediana, b.mediana, r.mediana, r.minimo, r.massimo,
                    a.mediana / kRighe[k], b.mediana / kRighe[k], c.mediana, c.mediana / b.mediana);
    }
    // Linear in lines: each line past the previous size costs the same, with windows and without.
    std::printf("each further line, from the previous size:");
    for (std::size_t k = 1; k < kTaglie; ++k) {
        const double righe = kRighe[k] - kRighe[k - 1];
        std::printf("  %d to %d: %.1f / %.1f us", kRighe[k - 1], kRighe[k],
                    (mediana(prima[k]) - mediana(prima[k - 1])) / righe,
                    (mediana(senza[k]) - mediana(senza[k - 1])) / righe);
    }
    std::printf("  (with / without windows)\n");

    const Cifre attesa = cifre(tastiAttesa), fermo = cifre(tastiFermo);
    if (attesa.mediana < 0 || fermo.mediana < 0 || tastiAttesa.size() != std::size_t(kTasti))
        std::printf("a key typed while a request waits: FAILED\n");
    else
        std::printf("%d keys typed into a line's description, from the key to the text shown:\n"
                    "  while a request waits for a reply %d ms late: median %.2f ms, worst %.2f ms "
                    "(target <= 100 ms)\n"
                    "  with the application idle: median %.2f ms, worst %.2f ms; ratio %.2f, "
                    "worst %.2f\n",
                    kTasti, kRitardo, attesa.mediana, attesa.massimo, fermo.mediana, fermo.massimo,
                    attesa.mediana / fermo.mediana, attesa.massimo / fermo.massimo);

    const double a = mediana(aggiornaCon), b = mediana(linkCon), c = mediana(linkSenza);
    if (a < 0 || b < 0 || c < 0) {
        std::printf("read of 32 registers: FAILED\n");
        return 1;
    }
    std::printf("read of 32 registers, all changed, repaint included:\n"
                "  refresh with the register window %.1f us, bare request without windows %.1f us, "
                "ratio %.2f\n"
                "  bare request with the windows built %.1f us, ratio of the refresh to it %.2f\n",
                a, c, a / c, b, a / b);
    return 0;
}
