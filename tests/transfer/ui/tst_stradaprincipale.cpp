// The engineer's main road in the running windows: point the settings at the device,
// connect, switch to debug mode, download with every option, and find the program
// verified, the registers cleared and the controller running.
#include "base/BarraStato.h"
#include "app/Comandi.h"
#include "base/Log.h"
#include "app/ui/Main.h"
#include "app/ui/Principale.h"
#include "link/StatoLink.h"
#include "link/ui/frm_Settings.h"
#include "monitor/ui/Registri.h"
#include "project/Registri.h"
#include "sim/Simulatore.h"
#include "support/Banco.h"
#include "transfer/ui/frm_Download.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>

using namespace ludra;
using namespace ludra::ui;

class TestStradaPrincipale : public QObject {
    Q_OBJECT
private slots:
    void init() { banco_.apri(test::Banco::Doppi::Nessuno); Main(); }
    void cleanup() { Principale::distruggi(); banco_.chiudi(); }
    void settingsConnectDownloadRun();

private:
    test::Banco banco_;
};

void TestStradaPrincipale::settingsConnectDownloadRun()
{
    sim::Simulatore sim;
    const std::uint16_t porta = sim.avviaTcp();
    QVERIFY(porta != 0);
    for (int r = 26; r <= 41; ++r)
        sim.setRegistro(r, std::uint16_t(100 + r));

    ClickMenu(QStringLiteral("mnu_controller"));
    auto* settings = qobject_cast<frm_Settings*>(
        Principale::istanza().finestra(QStringLiteral("frm_Settings")));
    QVERIFY(settings);
    settings->txt_IP->setText(QStringLiteral("127.0.0.1"));
    settings->txt_port->setText(QString::number(porta));
    settings->cmd_ok[1]->click();
    QCOMPARE(Controllore.Porta, porta);

    Principale::istanza().azioneToolbar(QStringLiteral("connect"))->trigger();
    QVERIFY(Controllore.Connesso);
    QVERIFY(LogModello::istanza().righe().contains(QStringLiteral("  Connected  [127.0.0.1]")));
    Principale::istanza().azioneToolbar(QStringLiteral("debug"))->trigger();
    QVERIFY(Controllore.ModoDebug);
    QAction* download = Principale::istanza().azioneToolbar(QStringLiteral("download"));
    QVERIFY(download->isEnabled());

    download->trigger();
    auto* dialogo = qobject_cast<frm_Download*>(
        Principale::istanza().finestra(QStringLiteral("frm_Download")));
    QVERIFY(dialogo);
    for (QCheckBox* c : {dialogo->chk_download, dialogo->chk_Verify, dialogo->chk_Clear,
                         dialogo->chk_run})
        c->setChecked(true);
    dialogo->cmdDownload->click();

    const QStringList log = LogModello::istanza().righe();
    QVERIFY(log.contains(QStringLiteral("  Download Successul")));
    QVERIFY(log.contains(QStringLiteral("  Verified ! -> OK")));
    QVERIFY(!log.contains(QStringLiteral("  The Program has changed !")));
    QTRY_VERIFY(!Principale::istanza().caricata(QStringLiteral("frm_Download")));
    for (int r = 26; r <= 41; ++r) {
        QCOMPARE(int(sim.registro(r)), 0);
        QCOMPARE(TabellaRegistri[std::size_t(r)].Valore, 0);
    }
    QCOMPARE(int(sim.registro(0)), 255);
    QCOMPARE(Principale::istanza().pannello(1)->text(), QStringLiteral("Connected"));
    QCOMPARE(Principale::istanza().pannello(2)->text(), QStringLiteral("Debug Mode"));
    QCOMPARE(Principale::istanza().pannello(3)->text(), QStringLiteral("RUN"));
    QCOMPARE(Principale::istanza().pannello(4)->text(), QStringLiteral("Com OK"));

    if (const QByteArray dove = qgetenv("LUDRA_SCREENSHOT"); !dove.isEmpty()) {
        Principale::istanza().mostra(QStringLiteral("Registri"));
        QTest::qWait(200);
        Principale::istanza().grab().save(QString::fromLocal8Bit(dove));
    }
}

QTEST_MAIN(TestStradaPrincipale)
#include "tst_stradaprincipale.moc"
