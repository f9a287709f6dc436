// Opening and closing the link, over TCP on 127.0.0.1 and over a pseudo-terminal.
#include "app/TabellaComandi.h"
#include "app/Comandi.h"
#include "app/Avvio.h"
#include "base/BarraStato.h"
#include "base/BarraStrumenti.h"
#include "base/Log.h"
#include "link/Canali.h"
#include "link/Connessione.h"
#include "link/StatoLink.h"
#include "platform/PortaSeriale.h"
#include "platform/Waiter.h"
#include "support/Attesa.h"
#include "support/Banco.h"
#include "support/Doubles.h"
#include "support/LinkSim.h"
#include "support/LogProva.h"

#include <QFileInfo>
#include <QTest>

#include <fcntl.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>
#include <vector>

using namespace ludra;
using test::Mezzo;

namespace {

bool abilitato(const char* chiave) { return BarraStrumenti::istanza().abilitato(QString::fromLatin1(chiave)); }

// A listening socket on 127.0.0.1 whose queue is full: further connection attempts get
// no answer at all, as from a silent address.
class AscoltoSordo {
public:
    AscoltoSordo()
    {
        ascolto_ = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in a {};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t l = sizeof a;
        if (::bind(ascolto_, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0 ||
            ::listen(ascolto_, 0) != 0 ||
            ::getsockname(ascolto_, reinterpret_cast<sockaddr*>(&a), &l) != 0)
            return;
        porta = ntohs(a.sin_port);
        // Fill the queue without accepting.
        for (int i = 0; i < 4; ++i) {
            const int c = ::socket(AF_INET, SOCK_STREAM, 0);
            ::fcntl(c, F_SETFL, O_NONBLOCK);
            ::connect(c, reinterpret_cast<sockaddr*>(&a), sizeof a);
            clienti_.push_back(c);
        }
    }
    ~AscoltoSordo()
    {
        for (int c : clienti_)
            ::close(c);
        ::close(ascolto_);
    }
    std::uint16_t porta = 0;

private:
    int ascolto_ = -1;
    std::vector<int> clienti_;
};

} // namespace

class TestConnessione : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void tcpConnessoEDisconnesso();
    void tcpRifiutata();
    void tcpTimeoutInterrotto();
    void tcpPortaAlta();
    void tcpPortaZero();
    void serialeConnessaEDisconnessa();
    void serialeImpostazioniErrate();
    void serialeInesistente();
    void modem();
    void disconnettiConStopComZero();
    void fallimentoDopoConnessione();
    void impostazioni_data();
    void impostazioni();
    void erroriApertura();

private:
    test::Banco banco_;
    test::FakeDialogs& dialogs_ = banco_.dialogs;
};

void TestConnessione::init()
{
    banco_.apri();
    CreaToolBar();
}

void TestConnessione::cleanup()
{
    NumeroTelefono.clear();
    banco_.chiudi();
}

void TestConnessione::tcpConnessoEDisconnesso()
{
    test::LinkSuSim link(Mezzo::Tcp);
    QVERIFY(link.avviato());
    BuffTx.fill(7);
    BuffRx.fill(7);
    const int da = test::righeLog();
    Connetti();
    QVERIFY(Controllore.Connesso);
    QCOMPARE(ModoCom, kModoTcp);
    QCOMPARE(int(BuffTx[100]), 0);
    QCOMPARE(int(BuffRx[100]), 0);
    QCOMPARE(int(BuffTx[101]), 7);
    QStringList log = test::logDa(da);
    QCOMPARE(log.size(), 2);
    QVERIFY(log[0].startsWith(QStringLiteral("-- ")));
    QCOMPARE(log[1], QStringLiteral("  Connected  [127.0.0.1]"));
    QVERIFY(abilitato("debug") && abilitato("release") && abilitato("download"));
    QCOMPARE(BarraStato::istanza().pannello(1), QStringLiteral("Connected"));
    QVERIFY(dialogs_.messaggi.empty());

    BarraStato::istanza().setPannello(4, QStringLiteral("Com OK"));
    const int da2 = test::righeLog();
    StopCom = 1;
    Disconnetti();
    QVERIFY(!Controllore.Connesso);
    QCOMPARE(test::logDa(da2).value(1), QStringLiteral("  Disconnect [127.0.0.1]"));
    QCOMPARE(BarraStato::istanza().pannello(4), QString());
    QCOMPARE(BarraStato::istanza().pannello(1), QStringLiteral("Not Connected"));
    QVERIFY(!abilitato("debug") && !abilitato("download") && !abilitato("run"));
    QCOMPARE(Winsock1().stato(), platform::SocketTcp::Chiuso);
}

void TestConnessione::tcpRifiutata()
{
    std::uint16_t porta = 0;
    {
        sim::Simulatore s;
        porta = s.avviaTcp();
        QVERIFY(porta != 0);
    }
    Controllore.Canale = 0;
    Controllore.IP = QStringLiteral("127.0.0.1");
    Controllore.Porta = std::int16_t(porta);
    Controllore.Timeout = 5000;
    Controllore.Connesso = true;
    const int da = test::righeLog();
    Connetti();
    QVERIFY(!Controllore.Connesso);
    const QStringList log = test::logDa(da);
    QCOMPARE(log.size(), 2);
    QVERIFY2(log[1].startsWith(QStringLiteral("  Connection failed: ")), qPrintable(log[1]));
    QVERIFY2(log[1].contains(QStringLiteral("127.0.0.1:%1").arg(porta)), qPrintable(log[1]));
    QCOMPARE(dialogs_.messaggi.size(), std::size_t(1));
    QCOMPARE(dialogs_.messaggi[0].icona, platform::MsgIcon::Critical);
    QVERIFY(!abilitato("download"));
}

void TestConnessione::tcpTimeoutInterrotto()
{
    AscoltoSordo sordo;
    QVERIFY(sordo.porta != 0);
    Controllore.Canale = 0;
    Controllore.IP = QStringLiteral("127.0.0.1");
    Controllore.Porta = std::int16_t(sordo.porta);
    Controllore.Timeout = 300;
    AbilitaPulsanti(QStringLiteral("Puls_Download"), true);
    const int da = test::righeLog();
    Toolbar1_ButtonClick(QStringLiteral("connect"));
    QVERIFY(!Controllore.Connesso);
    QCOMPARE(dialogs_.messaggi.size(), std::size_t(1));
    QCOMPARE(dialogs_.messaggi[0].testo, QStringLiteral("Connection Timeout"));
    QCOMPARE(dialogs_.messaggi[0].icona, platform::MsgIcon::Critical);
    QCOMPARE(dialogs_.messaggi[0].titolo, QStringLiteral("Ludra"));
    QVERIFY(test::logDa(da).contains(QStringLiteral("  Connection Timeout")));
    QVERIFY(!abilitato("download"));
    // The attempt is dropped, not left to connect later.
    QCOMPARE(Winsock1().stato(), platform::SocketTcp::Chiuso);
    // A click or a close ends the connect's wait at once (else 30 s pass), the key runs after.
    Controllore.Timeout = 30000;
    for (const bool chiude : {false, true}) {
        test::Attesa azioni;
        azioni.limiteReale = 100;
        bool fatto = false;
        azioni.inizioAttesa = [&] {   // a close that went ahead would ask about the project
            if (!std::exchange(fatto, true))
                chiude ? void(MDIForm_Unload()) : Toolbar1_ButtonClick(QStringLiteral("disconnect"));
        };
        const qint64 t0 = azioni.nowMs();
        Toolbar1_ButtonClick(QStringLiteral("connect"));
        QVERIFY(azioni.nowMs() - t0 < 500);
        QCoreApplication::processEvents();
        QCOMPARE(LogModello::istanza().righe().last(),
                 chiude ? QStringLiteral("  Connection abandoned  [127.0.0.1]")
                        : QStringLiteral("  Disconnect [127.0.0.1]"));
        QCOMPARE(dialogs_.messaggi.size(), std::size_t(1));
    }
}

void TestConnessione::tcpPortaAlta()
{
    sim::Simulatore s;
    if (s.avviaTcp(65535) != 65535)
        QSKIP("port 65535 is taken on this machine");
    Controllore.Canale = 0;
    Controllore.IP = QStringLiteral("127.0.0.1");
    Controllore.Porta = std::int16_t(-1);       // 65535 in the 16-bit field
    Controllore.Timeout = 5000;
    Connetti();
    QVERIFY(Controllore.Connesso);
}

void TestConnessione::tcpPortaZero()
{
    Controllore.Canale = 0;
    Controllore.IP = QStringLiteral("127.0.0.1");
    Controllore.Porta = 0;
    Controllore.Timeout = 300;
    const int da = test::righeLog();
    Connetti();
    QVERIFY(!Controllore.Connesso);
    QVERIFY(test::logDa(da).value(1).startsWith(QStringLiteral("  Connection failed: ")));
}

void TestConnessione::serialeConnessaEDisconnessa()
{
    test::LinkSuSim link(Mezzo::Rtu);
    QVERIFY(link.avviato());
    const int da = test::righeLog();
    Connetti();
    QVERIFY(Controllore.Connesso);
    QCOMPARE(ModoCom, kModoRtu);
    QVERIFY(MSComm1().aperta());
    QCOMPARE(test::logDa(da), (QStringList{test::logDa(da).value(0), QStringLiteral("  Connected")}));
    QVERIFY(abilitato("debug") && abilitato("download"));

    const int da2 = test::righeLog();
    StopCom = 1;
    Disconnetti();
    QVERIFY(!Controllore.Connesso);
    QVERIFY(!MSComm1().aperta());
    QCOMPARE(test::logDa(da2).value(1), QStringLiteral("  Disconnect [10]"));
    QVERIFY(!abilitato("debug"));
}

void TestConnessione::serialeImpostazioniErrate()
{
    test::LinkSuSim link(Mezzo::Rtu);
    Controllore.Baud.clear();
    Controllore.Connesso = true;
    const int da = test::righeLog();
    Connetti();
    QVERIFY(!Controllore.Connesso);
    QCOMPARE(test::logDa(da).value(1),
             QStringLiteral("  Connection failed: bad serial settings \",n,8,1\""));
    QVERIFY(!MSComm1().aperta());
}

void TestConnessione::serialeInesistente()
{
    test::LinkSuSim link(Mezzo::Rtu);
    Controllore.Porta = 2;        // maps to nothing
    const int da = test::righeLog();
    Connetti();
    QVERIFY(!Controllore.Connesso);
    const QString riga = test::logDa(da).value(1);
    QVERIFY2(riga.contains(QStringLiteral("COM2")) && riga.contains(QStringLiteral("not found")),
             qPrintable(riga));
    QVERIFY(dialogs_.messaggi.empty());
}

void TestConnessione::modem()
{
    test::LinkSuSim link(Mezzo::Rtu);
    Controllore.Modem = true;
    NumeroTelefono = QStringLiteral("0612345");
    const int da = test::righeLog();
    Connetti();
    QVERIFY(Controllore.Connesso);
    // No Log line, the buttons as they were.
    QCOMPARE(test::logDa(da), QStringList());
    QVERIFY(!abilitato("download") && !abilitato("debug"));
    QVERIFY(QTest::qWaitFor([&] { return !link.sim.ricevute().empty(); }, 5000));
    const auto r = link.sim.ricevute().front();
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(r.data()), qsizetype(r.size())),
             QByteArray("atdt0, 0612345\r"));
}

void TestConnessione::disconnettiConStopComZero()
{
    test::LinkSuSim link(Mezzo::Tcp);
    QVERIFY(link.connetti());
    const int da = test::righeLog();
    StopCom = 0;
    Disconnetti();
    QVERIFY(Controllore.Connesso);
    QVERIFY(Winsock1().connesso());
    // It says why it did not.
    QCOMPARE(test::logDa(da).size(), 2);
    QCOMPARE(test::logDa(da).last(), QStringLiteral("  Disconnect refused: a polling loop is running"));
}

void TestConnessione::fallimentoDopoConnessione()
{
    // A failed connect must not leave the link reported open.
    test::LinkSuSim link(Mezzo::Rtu);
    QVERIFY(link.connetti());
    Controllore.Porta = 3;
    Connetti();
    QVERIFY(!Controllore.Connesso);
    QCOMPARE(BarraStato::istanza().pannello(1), QStringLiteral("Not Connected"));
}

void TestConnessione::impostazioni_data()
{
    QTest::addColumn<QString>("testo");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<int>("baud");
    QTest::newRow("9600") << QStringLiteral("9600,n,8,1") << true << 9600;
    QTest::newRow("115200") << QStringLiteral("115200,n,8,1") << true << 115200;
    QTest::newRow("even, 2 stop") << QStringLiteral("19200,e,7,2") << true << 19200;
    QTest::newRow("no baud") << QStringLiteral(",n,8,1") << false << 0;
    QTest::newRow("letters") << QStringLiteral("fast,n,8,1") << false << 0;
    QTest::newRow("bad parity") << QStringLiteral("9600,x,8,1") << false << 0;
    QTest::newRow("9 data bits") << QStringLiteral("9600,n,9,1") << false << 0;
    QTest::newRow("3 stop bits") << QStringLiteral("9600,n,8,3") << false << 0;
    QTest::newRow("too few fields") << QStringLiteral("9600,n,8") << false << 0;
    QTest::newRow("negative") << QStringLiteral("-9600,n,8,1") << false << 0;
}

void TestConnessione::impostazioni()
{
    QFETCH(QString, testo);
    QFETCH(bool, ok);
    const auto s = platform::leggiImpostazioni(testo);
    QCOMPARE(s.has_value(), ok);
    if (ok)
        QTEST(int(s->baud), "baud");
}

void TestConnessione::erroriApertura()
{
    test::LinkSuSim link(Mezzo::Rtu);
    const QString gruppo = QFileInfo(link.percorsoPty).group();
    QCOMPARE(platform::gruppoDispositivo(link.percorsoPty), gruppo);
    const QString permessi = platform::descriviErroreApertura(platform::ErroreApertura::Permessi,
                                                              link.percorsoPty, 1, QString());
    QVERIFY2(permessi.contains(QStringLiteral("Permission denied")), qPrintable(permessi));
    QVERIFY2(permessi.contains(QStringLiteral("group \"%1\"").arg(gruppo)), qPrintable(permessi));
    QVERIFY(!permessi.contains(QStringLiteral("not found")));
    const QString manca = platform::descriviErroreApertura(platform::ErroreApertura::NonTrovata,
                                                           QStringLiteral("/dev/ttyS9"), 10, QString());
    QCOMPARE(manca, QStringLiteral("Serial port COM10 (/dev/ttyS9) not found"));
    QCOMPARE(platform::gruppoDispositivo(QStringLiteral("/no/such/device")), QString());
    // The built-in map numbers the machine's devices; a number without one has no path,
    // and opening it says so.
    const auto mappa = platform::setMappaPorte({});
    const auto sorgente = platform::setSorgenteDispositivi(
        [] { return QStringList{QStringLiteral("/dev/ttyS0"), QStringLiteral("/dev/ttyUSB0")}; });
    QCOMPARE(platform::percorsoPorta(1), QStringLiteral("/dev/ttyS0"));
    QCOMPARE(platform::percorsoPorta(2), QStringLiteral("/dev/ttyUSB0"));
    QCOMPARE(platform::percorsoPorta(17), QString());
    platform::PortaSeriale porta;
    porta.setCommPort(17);
    QVERIFY(!porta.apri());
    QCOMPARE(porta.errore(), QStringLiteral("Serial port COM17 not found"));
    platform::setSorgenteDispositivi(sorgente);
    platform::setMappaPorte(mappa);
}

QTEST_GUILESS_MAIN(TestConnessione)
#include "tst_connessione.moc"
