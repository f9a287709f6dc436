#include "app/Avvio.h"
#include "base/BarraStrumenti.h"
#include "base/Menu.h"
#include "base/Notifiche.h"
#include "base/Testi.h"
#include "app/Impostazioni.h"
#include "link/StatoLink.h"
#include "project/Registri.h"
#include "support/Banco.h"

#include <QSignalSpy>
#include <QTest>

using namespace ludra;

class TestImpostazioni : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        banco_.apri(test::Banco::Doppi::Dialoghi, test::Banco::Avvio::Stato);
    }
    void cleanup() { banco_.chiudi(); }

    void loadShowsWhatIsInForce();
    void loadSerial();
    void okStoresEthernet();
    void timeoutToSeconds_data();
    void timeoutToSeconds();
    void serialLeavesTimeoutRtu();
    void okKeepsTimeoutAndModem();
    void badFieldsKeepTheirSetting_data();
    void badFieldsKeepTheirSetting();
    void highTcpPortsWork();
    void workspace();
    void modelTakesEffectAtOnce();

private:
    test::Banco banco_;
};

void TestImpostazioni::loadShowsWhatIsInForce()
{
    Controllore.Timeout = 3000;
    TempoAnimazione = 2000;
    AggiornaAuto = true;
    const ModuloImpostazioni m = CaricaImpostazioni();
    QCOMPARE(m.modello, QStringLiteral("KVR5200-IO"));
    QCOMPARE(m.canale, 0);
    QCOMPARE(m.ip, QString::fromLatin1(kIndirizzoPredefinito));
    QCOMPARE(m.porta, QStringLiteral("502"));
    QCOMPARE(m.timeoutTcp, QStringLiteral("3000"));
    QCOMPARE(m.nodo, QStringLiteral("10"));
    QCOMPARE(m.posizioneAnimazione, 2);
    QVERIFY(m.aggiorna);
    QCOMPARE(m.lingua, 1);
}

void TestImpostazioni::loadSerial()
{
    Controllore.Canale = 1;
    Controllore.Porta = 3;
    Controllore.Baud = QStringLiteral("19200");
    Controllore.Modem = true;
    const ModuloImpostazioni m = CaricaImpostazioni();
    QCOMPARE(m.canale, 1);
    QCOMPARE(m.indiceCom, 2);
    QCOMPARE(m.baud, QStringLiteral("19200"));
    QVERIFY(m.modem);
    QCOMPARE(m.porta, QStringLiteral("502"));
    // The half second of start-up has a position of its own.
    QCOMPARE(TestoAnimazione(m.posizioneAnimazione), QStringLiteral("0.5"));
}

void TestImpostazioni::okStoresEthernet()
{
    ModuloImpostazioni m = CaricaImpostazioni();
    m.ip = QStringLiteral("127.0.0.1");
    m.porta = QStringLiteral("1502");
    m.nodo = QStringLiteral("7");
    SalvaImpostazioni(m);
    QCOMPARE(Controllore.IP, QStringLiteral("127.0.0.1"));
    QCOMPARE(Controllore.Porta, std::uint16_t(1502));
    QCOMPARE(int(Controllore.Nodo), 7);
    QCOMPARE(int(Controllore.Canale), 0);
}

void TestImpostazioni::timeoutToSeconds_data()
{
    QTest::addColumn<QString>("timeout");
    QTest::addColumn<int>("rtu");
    QTest::newRow("1000") << "1000" << 1;
    QTest::newRow("1500") << "1500" << 2;
    QTest::newRow("2500") << "2500" << 2;
    QTest::newRow("3500") << "3500" << 4;
    // Below one second the serial wait would give up before any reply: one second.
    QTest::newRow("500") << "500" << 1;
    QTest::newRow("1") << "1" << 1;
}

void TestImpostazioni::timeoutToSeconds()
{
    QFETCH(QString, timeout);
    QFETCH(int, rtu);
    ModuloImpostazioni m = CaricaImpostazioni();
    m.timeoutTcp = timeout;
    SalvaImpostazioni(m);
    QCOMPARE(int(TimeoutRTU), rtu);
    QCOMPARE(QString::number(Controllore.Timeout), timeout);
}

void TestImpostazioni::serialLeavesTimeoutRtu()
{
    ModuloImpostazioni m = CaricaImpostazioni();
    m.canale = 1;
    m.indiceCom = 31;
    m.baud = QStringLiteral("115200");
    m.timeoutTcp = QStringLiteral("5000");
    SalvaImpostazioni(m);
    QCOMPARE(int(TimeoutRTU), 2);
    QCOMPARE(int(Controllore.Porta), 32);
    QCOMPARE(Controllore.Baud, QStringLiteral("115200"));
    QCOMPARE(int(Controllore.Canale), 1);
}

void TestImpostazioni::okKeepsTimeoutAndModem()
{
    // OK on the workspace page stores the controller page as loaded: what the user set
    // before must survive.
    Controllore.Timeout = 4000;
    SalvaImpostazioni(CaricaImpostazioni());
    QCOMPARE(Controllore.Timeout, std::int16_t(4000));

    Controllore.Canale = 1;
    Controllore.Porta = 2;
    Controllore.Modem = true;
    SalvaImpostazioni(CaricaImpostazioni());
    QVERIFY(Controllore.Modem);
    QCOMPARE(int(Controllore.Porta), 2);
}

// A typed field that is not wholly a whole number in its range refuses the whole OK:
// a message names it, the focus goes there and no setting changes.
void TestImpostazioni::badFieldsKeepTheirSetting_data()
{
    QTest::addColumn<QString>("nodo");
    QTest::addColumn<QString>("porta");
    QTest::addColumn<QString>("timeout");
    QTest::addColumn<QString>("rifiutato");   // its message, or the port stored
    const char* nodo = "txt_address:Node ID: a number from 0 to 255";
    const char* porta = "txt_port:Port: a number from 1 to 65535";
    QTest::newRow("node 300") << "300" << "502" << "1000" << nodo;
    QTest::newRow("node -1 before the port") << "-1" << "abc" << "1000" << nodo;
    for (const char* p : {"0", "65536", "12.5", "12a", "abc", "2x0", "", "70000"})
        QTest::addRow("port '%s'", p) << "10" << p << "1000" << porta;
    for (const char* t : {"", "0", "40000", "12x"})
        QTest::addRow("timeout '%s'", t) << "10" << "502" << t
                         << "txt_timeoutTCP:Timeout (mSec): a number from 1 to 32767";
    QTest::newRow("port 12 in blanks") << "10" << " 12 " << "1000" << "12";
    QTest::newRow("port 1e3") << "10" << "1e3" << "1000" << "1000";
    QTest::newRow("port &H1F") << "10" << "&H1F" << "1000" << "31";
}

void TestImpostazioni::badFieldsKeepTheirSetting()
{
    QFETCH(QString, nodo);
    QFETCH(QString, porta);
    QFETCH(QString, timeout);
    QFETCH(QString, rifiutato);
    QSignalSpy fuoco(&Notifiche::istanza(), &Notifiche::campoRifiutato);
    ModuloImpostazioni m = CaricaImpostazioni();
    m.nodo = nodo;
    m.porta = porta;
    m.timeoutTcp = timeout;
    const bool preso = SalvaImpostazioni(m);
    QCOMPARE(int(Controllore.Porta), preso ? rifiutato.toInt() : 502);
    QCOMPARE(int(Controllore.Nodo), 10);
    QCOMPARE(int(Controllore.Timeout), 1000);
    QCOMPARE(int(TimeoutRTU), preso ? 1 : 2);
    if (preso)
        return;
    QCOMPARE(banco_.dialogs.messaggi.size(), std::size_t(1));
    QCOMPARE(rifiutato, fuoco.at(0).at(1).toString() + ':' + banco_.dialogs.messaggi[0].testo);
}

void TestImpostazioni::highTcpPortsWork()
{
    ModuloImpostazioni m = CaricaImpostazioni();
    m.porta = QStringLiteral("65535");
    SalvaImpostazioni(m);
    QCOMPARE(int(Controllore.Porta), 65535);
    QCOMPARE(CaricaImpostazioni().porta, QStringLiteral("65535"));
}

void TestImpostazioni::workspace()
{
    ModuloImpostazioni m = CaricaImpostazioni();
    m.posizioneAnimazione = 3;
    m.aggiorna = true;
    SalvaImpostazioni(m);
    QCOMPARE(TempoAnimazione, std::int16_t(3000));
    QVERIFY(AggiornaAuto);
    m = CaricaImpostazioni();
    m.posizioneAnimazione = 0;
    SalvaImpostazioni(m);
    QCOMPARE(TempoAnimazione, std::int16_t(500));
    // An OK that leaves the slider alone keeps an interval it has no position for.
    TempoAnimazione = 1500;
    SalvaImpostazioni(CaricaImpostazioni());
    QCOMPARE(TempoAnimazione, std::int16_t(1500));
}

void TestImpostazioni::modelTakesEffectAtOnce()
{
    ModuloImpostazioni m = CaricaImpostazioni();
    m.modello = QStringLiteral("KVR5460");
    SalvaImpostazioni(m);
    QCOMPARE(Controllore.Modello, QStringLiteral("KVR5460"));
    QCOMPARE(TabellaRegistri[8].Nome, QStringLiteral("Function Keys"));
    QVERIFY(MenuPrincipale::istanza().trova(QStringLiteral("mnu_display"))->visibile);
}

QTEST_GUILESS_MAIN(TestImpostazioni)
#include "tst_impostazioni.moc"
