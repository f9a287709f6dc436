// The debugger in the running windows: connected to the device simulator, the toolbar's
// debug keys switch the buttons and mark the executing line red in the ladder window.
#include "app/ui/Main.h"
#include "app/ui/Principale.h"
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

// Keys and a close as the window system gives them, in a loop's 300 ms wait for a reply or
// between two of its requests (C): each is taken at once, in order, the last key decides,
// the refusals are one box that takes no key, a close waits behind the clicks before it; the
// commands then sent (h 100, r 255, s 252; the loop's own Run aside) are as the keys say.
void TestDebugProgram::tastiInAttesa_data()
{
    QTest::addColumn<QString>("tasti");   // p pause, r run, s stop, c a close; w a Long write in Animate
    QTest::addColumn<QString>("inviati");
    QTest::newRow("20 halts, then stop") << QString(20, u'p') + u's' << QString(17, u'h') + u's';
    QTest::newRow("20 halts, then run") << QString(20, u'p') + u'r' << QString(15, u'h') + "rhs";
    QTest::newRow("animate, a Long write, stop") << "ws" << "hs";
    QTest::newRow("halt, run, halt, then a close") << "prpc" << "hrh";
    QTest::newRow("halt, run, halt, then a close, between two requests") << "prpC" << "hrh";
}

void TestDebugProgram::tastiInAttesa()
{
    QFETCH(QString, tasti);
    QFETCH(QString, inviati);
    for (int i = 0; i < 5; ++i)
        QVERIFY(toolbar("rung_add_after"));
    test::LinkSuSim link(test::Mezzo::Tcp);
    ImpostaModello();
    link.sim.setAvanzamento(sim::Avanzamento::PerRichiesta);
    link.sim.setMemoria(19, 'U');
    QVERIFY(toolbar("connect") && toolbar("debug") && DownloadProgramma(Compila()));
    AggiornaAuto = true;
    // Real boxes where no question is asked: one that is modal takes the keys after it.
    const bool chiude = tasti.endsWith(u'c', Qt::CaseInsensitive), inPausa = tasti.endsWith(u'C');
    platform::QtDialogs veri(&Principale::istanza());
    platform::setDialogs(chiude ? static_cast<platform::Dialogs*>(&doubles_->dialogs) : &veri);
    doubles_->dialogs.risposte = {platform::MsgResult::No};
    bool dati = false, accodata = !tasti.startsWith(u'w'), fermato = false;
    qsizetype prima = 0;
    const auto dai = [&] {
        dati = true;
        prima = qsizetype(link.sim.comandi().size());
        for (const QChar t : QString(tasti).remove(u'w').toLower())
            t == u'c' ? void(Principale::istanza().close())   // as an assistive tool closes it
                      : test::clicInCoda(Principale::istanza().toolbar()->widgetForAction(Principale::istanza().azioneToolbar(
                            QString::fromLatin1(t == u'p' ? "pause" : t == u'r' ? "run" : "stop"))));
    };
    // The loop's first wait, or the Long write's first word, which the loop takes from the queue.
    pause_->inizioAttesa = [&] { if (!dati && !inPausa && accodata && ComandiInAttesa().isEmpty()) dai(); };
    pause_->durantePausa = [&] {
        if (inPausa && !dati) {
            dai();
        } else if (!std::exchange(accodata, true)) {
            link.sim.impostaGuasto(sim::Guasto::Ritardo, 2, 300);
            ScriviValoreRegistro(3, 70000, 30);
        } else if (dati && ComandiInAttesa().isEmpty() && CicloInCorso() && !std::exchange(fermato, true)) {
            toolbar("stop");   // the Run the keys left running
        }
    };
    const auto via = qScopeGuard([this] { pause_->inizioAttesa = pause_->durantePausa = {}; });
    link.sim.impostaGuasto(sim::Guasto::Ritardo, 2, 300);
    QVERIFY(toolbar(accodata ? "run" : "step"));
    QTRY_VERIFY_WITH_TIMEOUT(dati && ComandiInAttesa().isEmpty() && AttivitaInCorso().isEmpty(), 30000);
    platform::setDialogs(&doubles_->dialogs);
    QString c;
    for (const std::uint16_t k : link.sim.comandi())
        c += k == 100 ? u'h' : k == 255 ? u'r' : u's';
    QCOMPARE(c.mid(prima + (c.mid(prima) != inviati && c.mid(prima).startsWith(u'r'))), inviati);
    QList<QMessageBox*> box = Principale::istanza().findChildren<QMessageBox*>();
    box.removeIf([](QMessageBox* b) { return !b->isVisible(); });
    if (chiude)   // the close waited for the clicks
        QTRY_VERIFY(!Principale::istanza().isVisible() &&
                    test::logContiene(QStringLiteral("Closing once these have gone out: \"pause\", \"run\", \"pause\"")));
    else if (tasti.size() > 16)   // the keys past the bound in one box (Run took a place too)
        QVERIFY(box.size() == 1 && box[0]->text() == QStringLiteral("\"pause\" refused: 16 commands are waiting "
                                                                    "for the link (%1 times)").arg(tasti.endsWith(u'r') ? 5 : 4));
}

QTEST_MAIN(TestDebugProgram)
#include "tst_debugprogram.moc"
