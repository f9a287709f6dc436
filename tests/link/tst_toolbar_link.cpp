// The toolbar's connect and disconnect keys with Controllore pointed at the device
// simulator, over TCP and over a serial pseudo-terminal.
#include "app/TabellaComandi.h"
#include "app/Avvio.h"
#include "base/BarraStato.h"
#include "base/BarraStrumenti.h"
#include "app/Comandi.h"
#include "base/Log.h"
#include "link/Richiesta.h"
#include "link/Sequenza.h"
#include "link/StatoLink.h"
#include "support/Banco.h"
#include "support/Doubles.h"
#include "support/LinkSim.h"

#include <QTest>

using namespace ludra;
using test::Mezzo;

Q_DECLARE_METATYPE(Mezzo)

class TestToolbarLink : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        banco_.apri();
        CreaToolBar();
    }
    void cleanup() { banco_.chiudi(); }
    void connettiRichiesteDisconnetti_data();
    void connettiRichiesteDisconnetti();
    void modelloSenzaModoDebug();

private:
    test::Banco banco_;
};

void TestToolbarLink::connettiRichiesteDisconnetti_data()
{
    QTest::addColumn<Mezzo>("mezzo");
    QTest::addColumn<QString>("connesso");
    QTest::addColumn<QString>("disconnesso");
    QTest::newRow("tcp") << Mezzo::Tcp << QStringLiteral("  Connected  [127.0.0.1]")
                         << QStringLiteral("  Disconnect [127.0.0.1]");
    QTest::newRow("rtu") << Mezzo::Rtu << QStringLiteral("  Connected")
                         << QStringLiteral("  Disconnect [10]");
}

void TestToolbarLink::connettiRichiesteDisconnetti()
{
    QFETCH(Mezzo, mezzo);
    QFETCH(QString, connesso);
    QFETCH(QString, disconnesso);
    test::FakeDialogs& dialogs = banco_.dialogs;
    {
        test::LinkSuSim link(mezzo);
        QVERIFY(link.avviato());
        link.sim.setRegistro(26, 4242);

        Toolbar1_ButtonClick(QStringLiteral("connect"));
        QVERIFY(Controllore.Connesso);
        // The connect key closes first, then opens.
        const QStringList log = LogModello::istanza().righe();
        QVERIFY(log.size() >= 2);
        QCOMPARE(log.last(), connesso);
        QCOMPARE(BarraStato::istanza().pannello(1), QStringLiteral("Connected"));
        QCOMPARE(BarraStato::istanza().pannello(2), QStringLiteral("Release Mode"));
        // The controller reports release mode: no download, no debugging.
        QVERIFY(BarraStrumenti::istanza().abilitato(QStringLiteral("debug")));
        QVERIFY(!BarraStrumenti::istanza().abilitato(QStringLiteral("download")));

        for (int i = 0; i < 3; ++i) {
            const Sequenza sequenza(QStringLiteral("Test"), TipoSequenza::Breve);
            test::RichiestaLettura(26, 1);
            QCOMPARE(int(InviaRichiesta(true)), 0);
            QCOMPARE(BarraStato::istanza().pannello(4), QStringLiteral("Com OK"));
            QCOMPARE(int(BuffRx[3]) * 256 + BuffRx[4], 4242);
        }
        // Outside any sequence, as a release build meets it: refused, unsent, in the Log.
        FermaFuoriSequenza = false;
        const int inviate = link.sim.richieste();
        QVERIFY(InviaRichiesta(true) != 0 && link.sim.richieste() == inviate);
        QCOMPARE(LogModello::istanza().righe().last(),
                 QStringLiteral("  Request refused: no sequence holds the link"));

        Toolbar1_ButtonClick(QStringLiteral("disconnect"));
        QVERIFY(!Controllore.Connesso);
        QCOMPARE(LogModello::istanza().righe().last(), disconnesso);
        QCOMPARE(BarraStato::istanza().pannello(1), QStringLiteral("Not Connected"));
        QCOMPARE(BarraStato::istanza().pannello(2), QString());
        QVERIFY(!BarraStrumenti::istanza().abilitato(QStringLiteral("debug")));
        const Sequenza sequenza(QStringLiteral("Test"), TipoSequenza::Breve);
        test::RichiestaLettura(26, 1);
        QCOMPARE(int(InviaRichiesta(false)), 3);
    }
    QVERIFY(dialogs.messaggi.empty());
}

void TestToolbarLink::modelloSenzaModoDebug()
{
    test::LinkSuSim link(Mezzo::Tcp);
    Controllore.Modello = QStringLiteral("KVR1750-MBTCP");
    Controllore.ModoDebug = true;
    Toolbar1_ButtonClick(QStringLiteral("connect"));
    QVERIFY(Controllore.Connesso);
    QVERIFY(Controllore.ModoDebug);
    QCOMPARE(BarraStato::istanza().pannello(2), QStringLiteral("Debug Mode"));
}

QTEST_GUILESS_MAIN(TestToolbarLink)
#include "tst_toolbar_link.moc"
