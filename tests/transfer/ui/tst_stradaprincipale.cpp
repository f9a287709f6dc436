// The engineer's main road in the running windows: point the settings at the device,
// connect, switch to debug mode, download with every option, and find the program
// verified, the registers cleared and the controller running.
#include "base/BarraStato.h"
#include "app/Comandi.h"
#include "base/Log.h"
#include "base/Testi.h"
#include "link/Richiesta.h"
#include "link/Sequenza.h"
#include "platform/ui/QtDialogs.h"
#include "app/ui/Main.h"
#include "app/ui/Principale.h"
#include "link/StatoLink.h"
#include "app/ui/frm_Settings.h"
#include "monitor/ui/Registri.h"
#include "project/Registri.h"
#include "sim/Simulatore.h"
#include "support/Banco.h"
#include "transfer/ui/frm_Download.h"

#include <QAction>
#include <QApplication>
#include <QMessageBox>
#include <QScopeGuard>
#include <QTimer>
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
    void chiusuraDuranteDownload();

private:
    test::Banco banco_;
};

namespace {

// Answers the message boxes as they come, with these buttons in turn; `durante` runs
// inside each box before it is answered, as a socket or timer event would.
struct Risposte {
    QList<QMessageBox::StandardButton> pulsanti;
    std::function<void()> durante;
    QStringList testi;
    QTimer timer;
    Risposte()
    {
        QObject::connect(&timer, &QTimer::timeout, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box || pulsanti.isEmpty())
                return;
            testi << box->text();
            if (durante)
                durante();
            box->button(pulsanti.takeFirst())->click();
        });
        timer.start(20);
    }
};

bool connettiInDebug(std::uint16_t porta)
{
    Controllore.IP = QStringLiteral("127.0.0.1");
    Controllore.Porta = porta;
    Principale::istanza().azioneToolbar(QStringLiteral("connect"))->trigger();
    Principale::istanza().azioneToolbar(QStringLiteral("debug"))->trigger();
    return Controllore.Connesso && Controllore.ModoDebug;
}

} // namespace

void TestStradaPrincipale::settingsConnectDownloadRun()
{
    sim::Simulatore sim;
    const std::uint16_t porta = sim.avviaTcp();
    QVERIFY(porta != 0);
    for (int r = 26; r <= 41; ++r)
        sim.setRegistro(r, std::uint16_t(100 + r));

    ClickMenu(QStringLiteral("mnu_controller"));
    auto* settings = qobject_cast<frm_Settings*>(
        Principale::istanza().finestra(Finestra::frm_Settings));
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
        Principale::istanza().finestra(Finestra::frm_Download));
    QVERIFY(dialogo);
    for (QCheckBox* c : {dialogo->chk_download, dialogo->chk_Verify, dialogo->chk_Clear,
                         dialogo->chk_run})
        c->setChecked(true);
    dialogo->cmdDownload->click();

    const QStringList log = LogModello::istanza().righe();
    QVERIFY(log.contains(QStringLiteral("  Download Successul")));
    QVERIFY(log.contains(QStringLiteral("  Verified ! -> OK")));
    QVERIFY(!log.contains(QStringLiteral("  The Program has changed !")));
    QTRY_VERIFY(!Principale::istanza().caricata(Finestra::frm_Download));
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
        Principale::istanza().mostra(Finestra::Registri);
        QTest::qWait(200);
        Principale::istanza().grab().save(QString::fromLocal8Bit(dove));
    }
}

// The real dialogs: a box shown by a sequence is a wait like any other, and "No" to the
// close question lets the download finish, then closes the window (after its own save
// question).
void TestStradaPrincipale::chiusuraDuranteDownload()
{
    platform::QtDialogs dialoghi(&Principale::istanza());
    platform::Dialogs* prima = platform::setDialogs(&dialoghi);
    const auto fine = qScopeGuard([prima] { platform::setDialogs(prima); });
    qApp->setQuitOnLastWindowClosed(false);
    sim::Simulatore sim;
    const std::uint16_t porta = sim.avviaTcp();
    QVERIFY(porta != 0);
    sim.setMemoria(19, 'V');
    QVERIFY(connettiInDebug(porta));

    // A box shown by the sequence itself: what runs inside it is not the sequence.
    {
        const Sequenza sequenza(QStringLiteral("Test"));
        std::uint8_t esito = kComOk;
        Risposte r;
        r.pulsanti = {QMessageBox::Ok};
        r.durante = [&] { esito = InviaRichiesta(false); };
        const int inviate = sim.richieste();
        platform::msgBox(QStringLiteral("x"));
        QCOMPARE(int(esito), int(kComTimeout));
        QCOMPARE(sim.richieste(), inviate);
        QCOMPARE(LogModello::istanza().righe().last(),
                 QStringLiteral("  Request refused: Test is running"));
    }

    Principale::istanza().azioneToolbar(QStringLiteral("download"))->trigger();
    auto* dialogo = qobject_cast<frm_Download*>(
        Principale::istanza().finestra(Finestra::frm_Download));
    QVERIFY(dialogo);
    dialogo->chk_run->setChecked(true);
    Risposte r;
    r.pulsanti = {QMessageBox::No, QMessageBox::No};
    QTimer::singleShot(100, &Principale::istanza(), [] { Principale::istanza().close(); });
    dialogo->cmdDownload->click();
    QVERIFY(LogModello::istanza().righe().contains(QStringLiteral("  Download Successul")));
    QCOMPARE(int(sim.registro(0)), 255);
    QTRY_VERIFY(!Principale::istanza().isVisible());
    QCOMPARE(r.testi, (QStringList{QStringLiteral("Download is running.\nStop it and close anyway?\n"
                                                  "(No waits for it to end.)"),
                                   Testi.t(172)}));
}

QTEST_MAIN(TestStradaPrincipale)
#include "tst_stradaprincipale.moc"
