// The debugger in the running windows: connected to the device simulator, the toolbar's
// debug keys switch the buttons and mark the executing line red in the ladder window.
#include "app/Comandi.h"
#include "app/ui/Main.h"
#include "app/ui/Principale.h"
#include "base/Testi.h"
#include "compiler/Compilatore.h"
#include "ladder/OperazioniRung.h"
#include "ladder/VistaLadder.h"
#include "ladder/ui/Program.h"
#include "ladder/ui/RigaProgram.h"
#include "link/Sequenza.h"
#include "link/StatoLink.h"
#include "monitor/ScritturaRegistri.h"
#include "platform/ui/QtDialogs.h"
#include "platform/ui/VbColor.h"
#include "project/Progetto.h"
#include "project/Registri.h"
#include "support/Banco.h"
#include "support/Doubles.h"
#include "support/Ingresso.h"
#include "support/Ladder.h"
#include "support/LogProva.h"
#include "support/LinkSim.h"
#include "transfer/Trasferimenti.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QToolBar>
#include <QtTest>
#include <memory>

using namespace ludra;
using namespace ludra::ui;

namespace {

Program* finestra()
{
    return qobject_cast<Program*>(Principale::istanza().finestra(Finestra::Program));
}

bool toolbar(const char* chiave)
{
    QAction* a = Principale::istanza().azioneToolbar(QString::fromLatin1(chiave));
    if (!a || !a->isEnabled())
        return false;
    a->trigger();
    return true;
}

bool abilitato(const char* chiave)
{
    return Principale::istanza().azioneToolbar(QString::fromLatin1(chiave))->isEnabled();
}

// The rows whose line-number label the window paints red.
QList<int> righeRosse()
{
    QList<int> r;
    for (int i = 1; i <= Sezioni[0].NumRung; ++i) {
        const RigaProgram* riga = finestra()->riga(0, i);
        if (riga && riga->lbl_Rung->autoFillBackground() &&
            riga->lbl_Rung->palette().color(QPalette::Window) == platform::vbColor(colore::kRosso))
            r << i;
    }
    return r;
}

QString pannello(int n) { return Principale::istanza().pannello(n)->text(); }

} // namespace

class TestDebugProgram : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void lineaInEsecuzione();
    void tastiInAttesa_data();
    void tastiInAttesa();

private:
    test::Banco banco_;
    test::Banco* doubles_ = &banco_;
    std::unique_ptr<test::Attesa> pause_;
};

void TestDebugProgram::init()
{
    banco_.apri(test::Banco::Doppi::Tutti);
    // Requests need the real event loop; only the pauses run in virtual time.
    pause_ = std::make_unique<test::Attesa>(test::Attesa::Tempo::PauseVirtuali);
    ui::Main();
    QCoreApplication::processEvents();
    qApp->setQuitOnLastWindowClosed(false);   // a row closes the main window
}

void TestDebugProgram::cleanup()
{
    Principale::distruggi();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
    pause_.reset();
    banco_.chiudi();
}

void TestDebugProgram::lineaInEsecuzione()
{
    for (int i = 0; i < 5; ++i)
        QVERIFY(toolbar("rung_add_after"));
    for (int i = 1; i <= 6; ++i)
        test::scriviLinea(i, QString(QChar('A' + i - 1)));
    Sezioni[0].Rung[3].Classe = 0;
    SelezionaRung(5);
    QVERIFY(toolbar("rung_break"));

    test::LinkSuSim link(test::Mezzo::Tcp);
    ImpostaModello();
    link.sim.setAvanzamento(sim::Avanzamento::PerRichiesta);
    link.sim.setMemoria(19, 'U');
    QVERIFY(toolbar("connect"));
    QVERIFY(Controllore.Connesso);
    QCOMPARE(pannello(2), QStringLiteral("Release Mode"));
    QVERIFY(!abilitato("run"));
    QVERIFY(toolbar("debug"));
    QCOMPARE(pannello(2), QStringLiteral("Debug Mode"));
    QVERIFY(abilitato("run") && abilitato("step") && abilitato("download"));

    const std::int32_t dim = Compila();
    QVERIFY(dim > 0);
    QVERIFY(DownloadProgramma(dim));
    QVERIFY(!QApplication::overrideCursor());

    QVERIFY(toolbar("runBr"));
    QCOMPARE(righeRosse(), QList<int>{5});
    QCOMPARE(pannello(3), QStringLiteral("RUN"));
    QVERIFY(toolbar("pause"));
    QCOMPARE(righeRosse(), QList<int>{6});
    QCOMPARE(pannello(3), QStringLiteral("Stop"));
    QVERIFY(toolbar("stop"));
    QCOMPARE(righeRosse(), QList<int>{1});

    QVERIFY(toolbar("release"));
    QVERIFY(!abilitato("run") && !abilitato("download"));
    QCOMPARE(pannello(2), QStringLiteral("Release Mode"));
    QVERIFY(doubles_->dialogs.messaggi.empty());
}

// Keys and a close given as the window system gives them, within one slow reply's wait
// (300 ms) of a loop: each is taken in that wait, the queue keeps their order, the last
// key decides, a refusal is one box that takes no key, and a close takes its turn behind
// the clicks before it.
void TestDebugProgram::tastiInAttesa_data()
{
    QTest::addColumn<QString>("ciclo");
    QTest::addColumn<QString>("tasti");
    QTest::newRow("20 halts, then stop") << "run" << QString(20, u'p') + u's';
    QTest::newRow("20 halts, then run") << "run" << QString(20, u'p') + u'r';
    QTest::newRow("animate, a Long write, stop") << "step" << "s";
    QTest::newRow("halt, run, halt, then a close") << "run" << "prpc";
    QTest::newRow("halt, run, halt, then a close, between two requests") << "run" << "prpC";
}

void TestDebugProgram::tastiInAttesa()
{
    QFETCH(QString, ciclo);
    QFETCH(QString, tasti);
    for (int i = 0; i < 5; ++i)
        QVERIFY(toolbar("rung_add_after"));
    test::LinkSuSim link(test::Mezzo::Tcp);
    ImpostaModello();
    link.sim.setAvanzamento(sim::Avanzamento::PerRichiesta);
    link.sim.setMemoria(19, 'U');
    QVERIFY(toolbar("connect") && toolbar("debug") && DownloadProgramma(Compila()));
    AggiornaAuto = true;
    // Real boxes where no question is asked: one that is modal takes the keys after it.
    const bool chiude = tasti.endsWith(u'c') || tasti.endsWith(u'C'),
               inPausa = tasti.endsWith(u'C'), scrive = ciclo == QLatin1String("step");
    std::optional<platform::QtDialogs> veri;
    if (!chiude)
        platform::setDialogs(&veri.emplace(&Principale::istanza()));
    const auto fine = qScopeGuard([this] { platform::setDialogs(&banco_.dialogs); });
    doubles_->dialogs.risposte = {platform::MsgResult::No};
    bool dati = false, accodata = !scrive;
    std::size_t prima = 0;
    std::optional<sim::StatoProgramma> inCiclo;
    const auto dai = [&] {
        dati = true;
        prima = link.sim.comandi().size();
        for (const QChar t : tasti) {
            const char* k = t == u'p' ? "pause" : t == u'r' ? "run" : "stop";
            if (t.toLower() == u'c')
                Principale::istanza().close();   // as an assistive tool closes it
            else
                test::clicInCoda(Principale::istanza().toolbar()->widgetForAction(
                    Principale::istanza().azioneToolbar(QString::fromLatin1(k))));
        }
    };
    pause_->inizioAttesa = [&] {
        // The first wait of the loop, or the Long write's first word.
        if (!dati && !inPausa && accodata && ComandiInAttesa().isEmpty())
            dai();
    };
    pause_->durantePausa = [&] {
        if (inPausa && !dati) {
            dai();
        } else if (!accodata) {   // taken by the loop at its safe point
            accodata = true;
            link.sim.impostaGuasto(sim::Guasto::Ritardo, 2, 300);
            ScriviValoreRegistro(3, 70000, 30);
        } else if (dati && ComandiInAttesa().isEmpty() && CicloInCorso() && !inCiclo) {
            inCiclo = link.sim.statoProgramma();   // the Run that the keys ended with
            Toolbar1_ButtonClick(QStringLiteral("stop"));
        }
    };
    const auto via = qScopeGuard([this] { pause_->inizioAttesa = pause_->durantePausa = {}; });
    if (!scrive)
        link.sim.impostaGuasto(sim::Guasto::Ritardo, 2, 300);
    QVERIFY(toolbar(ciclo.toLatin1().constData()));
    QTRY_VERIFY_WITH_TIMEOUT(dati && ComandiInAttesa().isEmpty() && AttivitaInCorso().isEmpty(), 20000);
    const std::vector<std::uint16_t> c = link.sim.comandi();
    if (chiude) {   // the clicks went out first, then the window closed
        QTRY_VERIFY(!Principale::istanza().isVisible());
        QVERIFY(test::logContiene(QStringLiteral("Closing once these have gone out: \"pause\", \"run\", \"pause\"")));
        QVERIFY(c.size() >= 3 && std::vector<std::uint16_t>(c.end() - 3, c.end()) == (std::vector<std::uint16_t>{100, 255, 100}));
        QCOMPARE(doubles_->dialogs.messaggi.back().testo, Testi.t(172));
    } else if (scrive) {   // no step between the write and the Stop
        QCOMPARE(std::vector<std::uint16_t>(c.begin() + std::ptrdiff_t(prima), c.end()),
                 (std::vector<std::uint16_t>{100, 252}));
    } else {
        const bool run = tasti.endsWith(u'r');
        QCOMPARE(run ? inCiclo : link.sim.statoProgramma(),
                 run ? sim::StatoProgramma::InEsecuzione : sim::StatoProgramma::Fermo);
        // The four keys past the bound in one box, which took none of the keys after it.
        QList<QMessageBox*> box = Principale::istanza().findChildren<QMessageBox*>();
        box.removeIf([](QMessageBox* b) { return !b->isVisible(); });
        QCOMPARE(box.size(), 1);
        QCOMPARE(box[0]->text(), QStringLiteral("\"pause\" refused: 16 commands are waiting for the link "
                                                "(%1 times)").arg(run ? 5 : 4));   // Run took a place
    }
}

QTEST_MAIN(TestDebugProgram)
#include "tst_debugprogram.moc"
