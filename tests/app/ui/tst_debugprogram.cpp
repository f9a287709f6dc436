// The debugger in the running windows: connected to the device simulator, the toolbar's
// debug keys switch the buttons and mark the executing line red in the ladder window.
#include "app/ui/Main.h"
#include "app/ui/Principale.h"
#include "compiler/Compilatore.h"
#include "ladder/OperazioniRung.h"
#include "ladder/VistaLadder.h"
#include "ladder/ui/Program.h"
#include "ladder/ui/RigaProgram.h"
#include "link/StatoLink.h"
#include "platform/ui/VbColor.h"
#include "project/Progetto.h"
#include "project/Registri.h"
#include "support/Banco.h"
#include "support/Doubles.h"
#include "support/Ladder.h"
#include "support/LinkSim.h"
#include "transfer/Trasferimenti.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
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

QTEST_MAIN(TestDebugProgram)
#include "tst_debugprogram.moc"
