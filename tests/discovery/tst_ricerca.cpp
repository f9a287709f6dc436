// The device search against fake devices on 127.0.0.1: the network search, IP setting,
// the gateway dialogue; the serial scan and the scan behind a gateway against the
// device simulator.
#include "app/Avvio.h"
#include "app/Comandi.h"
#include "base/Log.h"
#include "discovery/Dispositivi.h"
#include "discovery/ProtocolloRicerca.h"
#include "discovery/Ricerca.h"
#include "link/ProgrammiInEsecuzione.h"
#include "link/Checksum.h"
#include "link/Connessione.h"
#include "link/StatoLink.h"
#include "support/Attesa.h"
#include "support/Banco.h"
#include "support/Doubles.h"
#include "support/DispositiviFinti.h"
#include "support/LinkSim.h"
#include "support/LogProva.h"

#include <QtTest>

using namespace ludra;

namespace {

RicercaDispositivi& ricerca() { return RicercaDispositivi::istanza(); }

QStringList chiavi()
{
    QStringList k;
    for (const NodoAlbero& n : ricerca().Elenco().nodi())
        k << n.chiave;
    return k;
}

} // namespace

class TestRicerca : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void ethernet();
    void risposteCorte();
    void alPiu255();
    void stopEChiusuraFinisconoAscolto();
    void impostaIP_data();
    void impostaIP();
    void impostaIPSenzaMac();
    void impostaIPSenzaClic();
    void comeController();
    void doppioClic();
    void telnet_data();
    void telnet();
    void telnetSenzaIndirizzo();
    void scansioneSeriale();
    void scansioneGateway();
    void unaOperazioneAllaVolta();
    void destinazioni();
    void dueReti();

private:
    test::Banco banco_;
    test::Banco* doppi_ = &banco_;
    test::RisponditoreUdp* udp_ = nullptr;
};

void TestRicerca::init()
{
    banco_.apri(test::Banco::Doppi::Tutti);
    // Replies come at once on the loopback: the event-loop waiter, not virtual time.
    platform::setWaiter(nullptr);
    udp_ = new test::RisponditoreUdp;
    IndirizziRicerca.broadcast = QStringLiteral("127.0.0.1");
    IndirizziRicerca.portaUdp = udp_->porta();
    ricerca().txt_Timeout = QStringLiteral("150");
}

void TestRicerca::cleanup()
{
    delete udp_;
    banco_.chiudi();
    StopCom = 1;
    AzzeraStatoProcesso();
}

void TestRicerca::ethernet()
{
    udp_->risposteController = {
        test::RispostaControllerFinta("KVR5200", {0, 0x0A, 2, 3, 4, 5}, {10, 0, 0, 7}, 3, 0),
        test::RispostaControllerFinta("CTRL2", {1, 1, 1, 1, 1, 1}, {10, 0, 0, 8}, 4, 1),
        // The same device again (reached twice): recorded once.
        test::RispostaControllerFinta("KVR5200", {0, 0x0A, 2, 3, 4, 5}, {10, 0, 0, 7}, 3, 0)};
    udp_->risposteGateway = {test::RispostaGatewayFinta({9, 8, 7, 6, 5, 4})};
    TimeoutRTU = 5;
    ricerca().cmd_Search_Click();

    QCOMPARE(udp_->ricevuti.size(), std::size_t(2));
    QCOMPARE(udp_->ricevuti[0], QueryController());
    QCOMPARE(udp_->ricevuti[1], QueryGateway());
    QCOMPARE(int(TimeoutRTU), 1);   // 150 ms: never below one second
    QCOMPARE(ricerca().NumeroDispositivi, 3);
    QCOMPARE(int(ricerca().IndiceDispositivo), 3);   // the last record found is selected
    const Dispositivo& c = Dispositivi[1];
    QCOMPARE(c.IP, QStringLiteral("127.0.0.1"));
    QCOMPARE(c.Nome, QStringLiteral("KVR5200"));
    QCOMPARE(c.MacTesto, QStringLiteral("00-0A-02-03-04-05"));
    QCOMPARE(c.IpEepromTesto, QStringLiteral("10.0.0.7"));
    QCOMPARE(int(c.Nodo), 3);
    QCOMPARE(int(c.Porta), 502);
    QCOMPARE(c.Modello, QStringLiteral("KVR5200-DL-IO"));
    QVERIFY(!c.Init);
    QVERIFY(Dispositivi[2].Init);
    QCOMPARE(Dispositivi[3].Modello, QStringLiteral("KVR1750-MBTCP"));
    QCOMPARE(Dispositivi[3].MacTesto, QStringLiteral("09-08-07-06-05-04"));
    QCOMPARE(chiavi(), QStringList({"rete", "nodo1", "ip1", "mac1", "ipEE1", "Mask1", "addr1",
                                    "init1", "nodo2", "ip2", "mac2", "ipEE2", "Mask2", "addr2",
                                    "init2", "nodo3", "ip3", "mac3"}));
    QCOMPARE(ricerca().Elenco().trova("nodo1")->testo, QStringLiteral("KVR5200 [127.0.0.1]"));
    QCOMPARE(ricerca().Elenco().trova("Mask1")->testo, QStringLiteral("Mask: 255.255.255.0"));
    // The host row and one row per controller; the gateway has none.
    QCOMPARE(int(ricerca().Rete().size()), 3);
    QCOMPARE(ricerca().Rete()[1], (RigaRete{203, 204, 206, 201, 203}));
    QCOMPARE(ricerca().lbl_search, QStringLiteral("Search Complete"));
    QVERIFY(ricerca().cmdSearchAbilitato);
    QVERIFY(!RicercaController);
    QVERIFY(!RicercaGateway);

    // A second, smaller search forgets what the first one found.
    udp_->risposteController.clear();
    ricerca().cmd_Search_Click();
    QCOMPARE(ricerca().NumeroDispositivi, 1);
    QCOMPARE(int(ricerca().IndiceDispositivo), 1);
    QCOMPARE(Dispositivi[2].Modello, QString());
    QCOMPARE(int(ricerca().Rete().size()), 1);
}

void TestRicerca::risposteCorte()
{
    // Short replies are recorded with what they hold; empty and oversized ones are not.
    udp_->risposteController = {QByteArray("abc"), QByteArray(), QByteArray(5000, '\xFF'),
                                test::RispostaControllerFinta("OK", {1, 2, 3, 4, 5, 6}, {1, 2, 3, 4}, 1, 0)};
    udp_->risposteGateway = {QByteArray(29, 'g')};
    ricerca().cmd_Search_Click();
    QCOMPARE(ricerca().NumeroDispositivi, 3);
    QCOMPARE(Dispositivi[1].Nome, QStringLiteral("abc"));
    QCOMPARE(Dispositivi[2].Nome, QStringLiteral("OK"));
    QCOMPARE(Dispositivi[3].MacTesto, QStringLiteral("67-67-67-67-67-00"));
}

void TestRicerca::alPiu255()
{
    ricerca().chk_disp_ethernet[1] = false;
    for (int i = 0; i < 260; ++i)
        udp_->risposteController.push_back(
            test::RispostaControllerFinta("C", {0, 0, 0, 0, i / 256, i % 256}, {1, 1, 1, 1}, 1, 0));
    ricerca().txt_Timeout = QStringLiteral("400");
    ricerca().cmd_Search_Click();
    QCOMPARE(ricerca().NumeroDispositivi, 255);
    QVERIFY(ricerca().Elenco().trova("nodo255"));
    QVERIFY(!ricerca().Elenco().trova("nodo256"));
    QCOMPARE(int(ricerca().Rete().size()), 256);
}

void TestRicerca::stopEChiusuraFinisconoAscolto()
{
    // Listening windows of half a minute each: only Stop, or closing the window, ends them.
    ricerca().txt_Timeout = QStringLiteral("32767");
    test::Attesa azioni;
    QElapsedTimer t;
    t.start();
    azioni.duranteAttesa = [] {
        if (RicercaController)
            ricerca().cmd_stop_Click();
    };
    ricerca().cmd_Search_Click();
    QTest::qWait(50);
    QCOMPARE(udp_->ricevuti.size(), std::size_t(1));   // the gateway query was skipped
    azioni.duranteAttesa = [] {
        if (RicercaController)
            ricerca().FinestraChiusa();
    };
    ricerca().cmd_Search_Click();
    QVERIFY(t.elapsed() < 30000);
    ricerca().FinestraAperta();
    // Exit answered "Stop it and close": the listening ends at once, and the close with it.
    test::FakeFinestre host;
    setHostFinestre(&host);
    azioni.duranteAttesa = [&] {
        if (RicercaController && host.chiuse.isEmpty() && doppi_->dialogs.messaggi.empty()) {
            doppi_->dialogs.risposte = {platform::MsgResult::Yes};
            QVERIFY(!MDIForm_Unload());
        }
    };
    t.restart();
    ricerca().cmd_Search_Click();
    QTRY_COMPARE(host.chiuse, QStringList{"principale"});
    QVERIFY(t.elapsed() < 1000);
    setHostFinestre(nullptr);
}

void TestRicerca::impostaIP_data()
{
    QTest::addColumn<QString>("risposta");
    QTest::addColumn<QByteArray>("ip");   // empty: nothing is sent
    QTest::newRow("four numbers") << "10.1.2.3" << QByteArray("\x0A\x01\x02\x03", 4);
    QTest::newRow("blank after a dot") << "10. 1.2.3" << QByteArray("\x0A\x01\x02\x03", 4);
    QTest::newRow("above 255") << "10.1.2.300" << QByteArray();
    QTest::newRow("three parts") << "10.1.2" << QByteArray();
    QTest::newRow("empty") << "" << QByteArray();
}

void TestRicerca::impostaIP()
{
    QFETCH(QString, risposta);
    QFETCH(QByteArray, ip);
    udp_->risposteController = {
        test::RispostaControllerFinta("C", {0xA, 0xB, 0xC, 0xD, 0xE, 0xF}, {1, 1, 1, 1}, 1, 0)};
    ricerca().chk_disp_ethernet[1] = false;
    ricerca().cmd_Search_Click();
    ricerca().Elenco_NodeClick(QStringLiteral("mac1"));
    udp_->ricevuti.clear();
    doppi_->dialogs.input.push_back(risposta);
    ricerca().SetIP();
    QTRY_COMPARE_WITH_TIMEOUT(udp_->ricevuti.size(), std::size_t(ip.isEmpty() ? 0 : 1), 2000);
    if (ip.isEmpty()) {
        QCOMPARE(doppi_->dialogs.messaggi.size(), std::size_t(1));
        return;
    }
    const QByteArray atteso = TramaImpostaIP({0xA, 0xB, 0xC, 0xD, 0xE, 0xF},
                                             {std::uint8_t(ip[0]), std::uint8_t(ip[1]),
                                              std::uint8_t(ip[2]), std::uint8_t(ip[3])});
    QCOMPARE(udp_->ricevuti[0], atteso);
    QCOMPARE(udp_->ricevuti[0].mid(10, 4), ip);
    QCOMPARE(doppi_->dialogs.messaggi.size(), std::size_t(0));
}

void TestRicerca::impostaIPSenzaMac()
{
    // The root, or a module found by a Modbus scan: no device to address.
    for (const int record : {0, 1}) {
        ricerca().NumeroDispositivi = 1;
        Dispositivi[1] = Dispositivo{};
        Dispositivi[1].Modello = QStringLiteral("KVR1000");
        ricerca().IndiceDispositivo = std::int16_t(record);
        doppi_->dialogs.input.push_back(QStringLiteral("1.2.3.4"));
        ricerca().SetIP();
    }
    QTest::qWait(50);
    QVERIFY(udp_->ricevuti.empty());
    QCOMPARE(doppi_->dialogs.messaggi.size(), std::size_t(2));
    QCOMPARE(doppi_->dialogs.messaggi[0].testo, QStringLiteral("Selezionare dispositivo"));
}

void TestRicerca::impostaIPSenzaClic()
{
    // Straight after a search the device found last is the one the menu acts on.
    udp_->risposteController = {
        test::RispostaControllerFinta("C", {1, 1, 1, 1, 1, 1}, {1, 1, 1, 1}, 1, 0),
        test::RispostaControllerFinta("D", {2, 2, 2, 2, 2, 2}, {1, 1, 1, 2}, 2, 0)};
    ricerca().chk_disp_ethernet[1] = false;
    ricerca().cmd_Search_Click();
    udp_->ricevuti.clear();
    doppi_->dialogs.input.push_back(QStringLiteral("10.0.0.5"));
    ricerca().SetIP();
    QTRY_COMPARE_WITH_TIMEOUT(udp_->ricevuti.size(), std::size_t(1), 2000);
    QCOMPARE(udp_->ricevuti[0], TramaImpostaIP({2, 2, 2, 2, 2, 2}, {10, 0, 0, 5}));
    QVERIFY(doppi_->dialogs.messaggi.empty());
}

void TestRicerca::comeController()
{
    udp_->risposteController = {
        test::RispostaControllerFinta("C", {1, 2, 3, 4, 5, 6}, {1, 1, 1, 1}, 33, 1)};
    ricerca().chk_disp_ethernet[1] = false;
    ricerca().cmd_Search_Click();
    test::LinkSuSim link(test::Mezzo::Tcp);
    QVERIFY(link.avviato());
    Dispositivi[1].Porta = link.portaTcp;
    Controllore.Modello = QStringLiteral("KVR5200-IO");
    ricerca().Elenco_NodeClick(QStringLiteral("nodo1"));
    Controllore.Porta = 1;   // the link left the controller running the program
    ProgrammiInEsecuzione = {Bersaglio{0, QStringLiteral("127.0.0.2"), 502, {}, false, 10, 0}};
    const int righe = test::righeLog();
    ricerca().SetAsController();
    QCOMPARE(test::logDa(righe).filter(QStringLiteral("The program on node 10 at 127.0.0.2:502 was not stopped")).size(), 1);
    QVERIFY(Controllore.Connesso);
    QCOMPARE(Controllore.IP, QStringLiteral("127.0.0.1"));
    QCOMPARE(int(Controllore.Porta), int(link.portaTcp));
    QCOMPARE(int(Controllore.Nodo), 10);   // init flag set: node 10 whatever it reported
    QCOMPARE(Controllore.Modello, QStringLiteral("KVR5200-IO"));
}

void TestRicerca::doppioClic()
{
    udp_->risposteController = {
        test::RispostaControllerFinta("C", {1, 2, 3, 4, 5, 6}, {1, 1, 1, 1}, 1, 0)};
    ricerca().chk_disp_ethernet[1] = false;
    ricerca().cmd_Search_Click();
    Dispositivi[2].Modello = QStringLiteral("KVR1000");
    ricerca().NumeroDispositivi = 2;
    ricerca().Elenco_NodeClick(QStringLiteral("nodo2"));
    ricerca().Elenco_DblClick();
    ricerca().Elenco_NodeClick(QStringLiteral("rete"));
    ricerca().Elenco_DblClick();
    QVERIFY(doppi_->shell.aperti.isEmpty());
    ricerca().Elenco_NodeClick(QStringLiteral("addr1"));
    ricerca().Elenco_DblClick();
    QCOMPARE(doppi_->shell.aperti, QStringList{QStringLiteral("http://127.0.0.1")});
}

void TestRicerca::telnet_data()
{
    // Below 0, sent without end instead, nothing read: -1 options, -2 a sub-negotiation
    // never ended, -3 text.
    QTest::addColumn<int>("saluto");
    QTest::addColumn<int>("corta");   // the step whose reply falls short; 0 for none
    QTest::addColumn<QString>("messaggio");
    QTest::addColumn<bool>("negozia");   // greeting in two pieces with telnet negotiation
    QTest::newRow("whole dialogue") << 100 << 0 << "Parameters saved, Restarting ..." << false;
    QTest::newRow("short greeting") << 60 << 0 << "errore" << false;
    QTest::newRow("short menu") << 100 << 2 << "errore" << false;
    QTest::newRow("save not confirmed") << 100 << 7 << "errore" << false;
    QTest::newRow("split greeting, negotiation")
        << 100 << 0 << "Parameters saved, Restarting ..." << true;
    QTest::newRow("negotiation is not text") << 95 << 0 << "errore" << true;
    QTest::newRow("options without end, nothing read") << -1 << 0 << "errore" << false;
    QTest::newRow("sub-negotiation without end") << -2 << 0 << "errore" << false;
    QTest::newRow("text without end") << -3 << 0 << "errore" << false;
}

void TestRicerca::telnet()
{
    QFETCH(int, saluto);
    QFETCH(int, corta);
    QFETCH(QString, messaggio);
    QFETCH(bool, negozia);
    test::RisponditoreTelnet gateway;
    IndirizziRicerca.portaTelnet = gateway.porta();
    gateway.saluto = saluto == -2 ? QByteArray("\xFF\xFA\x18") : QByteArray(qMax(saluto, 0), 'g');
    gateway.inonda = saluto == -1 ? QByteArray("\xFF\xFB\x01") : QByteArray(saluto < -1, 'g');
    const QByteArray rifiuti = negozia ? QByteArray::fromHex("FFFE01FFFE03FFFC18") : QByteArray();
    if (negozia) {
        gateway.negoziazione = QByteArray::fromHex("FFFB01FFFB03FFFD18FFFC05");
        gateway.secondoPezzo = 40;
    }
    const int minimi[] = {900, 200, 800, 40, 1000, 40};
    for (int passo = 2; passo <= 7; ++passo)
        gateway.risposte.push_back(QByteArray(minimi[passo - 2] - (passo == corta ? 1 : 0), 'r'));
    udp_->risposteGateway = {test::RispostaGatewayFinta({1, 2, 3, 4, 5, 6})};
    ricerca().chk_disp_ethernet[0] = false;
    ricerca().cmd_Search_Click();
    ricerca().Elenco_NodeClick(QStringLiteral("nodo1"));
    doppi_->dialogs.risposte.push_back(platform::MsgResult::Ok);
    // Real waits cut short: silent addresses and pauses cost next to nothing.
    test::Attesa breve;
    breve.limiteReale = saluto < 0 ? 2000 : 60;
    qint64 inCoda = 0;
    breve.duranteAttesa = [&inCoda] { inCoda = qMax(inCoda, ricerca().TelnetInCoda()); };
    QTimer turno;   // the most the gateway's bytes grew by from one turn of the event loop to the next
    qint64 ultimi = 0, crescita = 0;
    connect(&turno, &QTimer::timeout, [&] {
        const qint64 n = ricerca().TelnetRicevuti();
        crescita = qMax(crescita, n - std::exchange(ultimi, n));
    });
    if (saluto < -1)
        turno.start(0);
    ricerca().Elenco_DblClick();
    QCOMPARE(doppi_->dialogs.messaggi.size(), std::size_t(2));
    QCOMPARE(doppi_->dialogs.messaggi[0].testo, QStringLiteral("Write default prog?"));
    QCOMPARE(doppi_->dialogs.messaggi[1].testo, messaggio);
    QVERIFY(gateway.inondati < qint64(64) << 20);   // what was read and answered, with it
    QVERIFY2(inCoda <= 4096, qPrintable(QString::number(inCoda)));   // and what waits unsent
    const QString log = LogModello::istanza().righe().join('|');
    QCOMPARE(log.contains("the gateway does not read"), saluto == -1);
    // A flood fails its step, a block or two read at each turn.
    QCOMPARE(log.contains("Gateway set-up: The device sent more than 65536 bytes"), saluto < -1);
    QVERIFY2(saluto >= -1 || (crescita > 0 && crescita <= 8192), qPrintable(QString::number(crescita)));
    if (corta == 0 && saluto == 100)
        QCOMPARE(gateway.ricevuto,
                 rifiuti + QByteArray("\r1192\r168\r0\r100\rY192\r168\r0\r1\rY255\r255\r255\r0\rN2"
                                      "1\r1\r1\r38400,8,N,1\rS"));
    if (saluto < 100)
        QCOMPARE(gateway.ricevuto, rifiuti);
}

void TestRicerca::telnetSenzaIndirizzo()
{
    ricerca().NumeroDispositivi = 1;
    Dispositivi[1] = Dispositivo{};
    Dispositivi[1].Modello = QStringLiteral("KVR1750-MBTCP");
    ricerca().IndiceDispositivo = 1;
    doppi_->dialogs.risposte.push_back(platform::MsgResult::Ok);
    ricerca().Elenco_DblClick();
    QCOMPARE(doppi_->dialogs.messaggi.size(), std::size_t(2));
    QCOMPARE(doppi_->dialogs.messaggi[1].testo, QStringLiteral("Selezionare dispositivo"));
}

void TestRicerca::scansioneSeriale()
{
    test::LinkSuSim link(test::Mezzo::Rtu);
    QVERIFY(link.avviato());
    link.sim.setRegistro(1, 0x0102);
    link.sim.setRegistro(2, 0x3031);
    link.sim.setRegistro(3, 0x4241);
    link.sim.setRegistro(4, 0x4443);
    link.sim.setRegistro(6, 10);
    // Real waits cut short: silent addresses and pauses cost next to nothing.
    test::Attesa breve;
    breve.limiteReale = 60;
    ricerca().cmb_porta = QStringLiteral("COM1");
    ricerca().txt_Timeout = QStringLiteral("1000");
    ricerca().txt_indir[0] = QStringLiteral("9");
    ricerca().txt_indir[1] = QStringLiteral("11");
    ricerca().chk_baud = 7;
    ricerca().cmd_Search_Click();
    QCOMPARE(Controllore.Baud, QStringLiteral("115200"));
    QCOMPARE(int(Controllore.Canale), 1);
    QCOMPARE(ricerca().NumeroDispositivi, 1);
    QCOMPARE(Dispositivi[1].Modello, QStringLiteral("KVR1000"));
    QCOMPARE(int(Dispositivi[1].Nodo), 10);
    QCOMPARE(int(Dispositivi[1].Porta), 1);
    QCOMPARE(chiavi(), QStringList({"rete", "nodo1", "addr1", "vers1"}));
    QCOMPARE(ricerca().Elenco().trova("rete")->testo, QStringLiteral("COM1"));
    QCOMPARE(ricerca().Elenco().trova("nodo1")->testo, QStringLiteral("ABCD [10]"));
    QCOMPARE(ricerca().Elenco().trova("vers1")->testo, QStringLiteral("Vers: 124849"));
    QCOMPARE(int(ricerca().Rete().size()), 2);
    QCOMPARE(ricerca().Rete()[1], (RigaRete{203, 203, 203, 204, 207}));

    // No number in range: nothing probed, the box names the field (time-out checked first).
    const int prima = link.sim.richieste();
    for (const auto& [campo, testo, messaggio] :
         {std::tuple{&ricerca().txt_indir[1], "300", "Address to: a number from 0 to 255"},
          {&ricerca().txt_indir[1], "abc", "Address to: a number from 0 to 255"},
          {&ricerca().txt_Timeout, "12a", "Timeout: a number from 0 to 32767"}}) {
        *campo = QString::fromLatin1(testo);
        ricerca().cmd_Search_Click();
        QCOMPARE(link.sim.richieste(), prima);
        QCOMPARE(banco_.dialogs.messaggi.back().testo, QString::fromLatin1(messaggio));
    }
}

void TestRicerca::scansioneGateway()
{
    test::LinkSuSim link(test::Mezzo::Tcp);
    QVERIFY(link.avviato());
    link.sim.setRegistro(3, 0x4241);
    link.sim.setRegistro(4, 0x4443);
    link.sim.setRegistro(6, 7);
    udp_->risposteGateway = {test::RispostaGatewayFinta({1, 2, 3, 4, 5, 7})};
    udp_->risposteController = {
        test::RispostaControllerFinta("C", {1, 2, 3, 4, 5, 6}, {1, 1, 1, 1}, 1, 0)};
    ricerca().cmd_Search_Click();
    QCOMPARE(ricerca().NumeroDispositivi, 2);
    Dispositivi[2].Porta = link.portaTcp;   // none recorded: 502 then
    // Left on serial port 3 by an earlier serial search.
    Controllore.Canale = 1;
    Controllore.Porta = 3;
    Controllore.IP = QStringLiteral("10.9.9.9");
    // Real waits cut short: silent addresses and pauses cost next to nothing.
    test::Attesa breve;
    breve.limiteReale = 60;
    ricerca().txt_indir[2] = QStringLiteral("10");
    ricerca().txt_indir[3] = QStringLiteral("11");
    const Bersaglio programma{1, {}, 3, {}, false, 10, 0};   // the user's, running on
    ProgrammiInEsecuzione = {programma};
    ricerca().Elenco_NodeClick(QStringLiteral("nodo2"));
    QVERIFY(!ricerca().cmdSearchAbilitato);
    QVERIFY(ricerca().command1Abilitato);
    ricerca().Command1_Click();
    QVERIFY(Controllore.Connesso && ModoCom == kModoTcp);
    QCOMPARE(int(Controllore.Canale), 1);
    QCOMPARE(int(Controllore.Porta), 3);
    QCOMPARE(Controllore.IP, QStringLiteral("10.9.9.9"));
    QVERIFY(ProgrammiInEsecuzione.size() == 1 && ProgrammiInEsecuzione[0].stessoDispositivo(programma));
    QCOMPARE(ricerca().NumeroDispositivi, 4);   // after the two found before, not over them
    QCOMPARE(Dispositivi[1].Nome, QStringLiteral("C"));
    QCOMPARE(Dispositivi[3].Modello, QStringLiteral("KVR1000"));
    QCOMPARE(int(Dispositivi[4].Nodo), 7);
    QCOMPARE(ricerca().Elenco().trova("nodo3")->padre, QStringLiteral("subNet2"));
    QCOMPARE(ricerca().Elenco().trova("subNet2")->padre, QStringLiteral("nodo2"));
    QVERIFY(ricerca().cmdSearchAbilitato);
    const std::vector<std::uint16_t> comandi = link.sim.comandi();
    QVERIFY(comandi.size() >= 2);
    QCOMPARE(comandi[0], std::uint16_t(100));
    QCOMPARE(comandi[1], std::uint16_t(252));
}

void TestRicerca::unaOperazioneAllaVolta()
{
    // A node click enables the sub-node scan during a listening window; pressing it
    // there must not start a scan inside the search.
    ricerca().chk_disp_ethernet[1] = false;
    test::Attesa azioni;
    int dentro = 0;
    azioni.duranteAttesa = [&dentro] {
        if (!RicercaController || dentro++)
            return;
        Dispositivi[1].IP = QStringLiteral("127.0.0.1");
        ricerca().Elenco_NodeClick(QStringLiteral("nodo1"));
        ricerca().Command1_Click();
        ricerca().cmd_Search_Click();
    };
    ricerca().cmd_Search_Click();
    QTest::qWait(50);
    QCOMPARE(udp_->ricevuti.size(), std::size_t(1));
    QVERIFY(!ricerca().Elenco().trova("subNet1"));
}

void TestRicerca::destinazioni()
{
    // The limited broadcast goes out on every network too; with none the search says so
    // and sends nothing.
    IndirizziRicerca.broadcast = QStringLiteral("255.255.255.255");
    using Interfacce = std::vector<platform::InterfacciaIPv4>;
    IndirizziRicerca.interfacce = [] { return Interfacce{{"a", "10.1.0.5", "10.1.255.255"}}; };
    const auto d = DestinazioniRicerca();
    QVERIFY(d.size() == 2 && d[0].indirizzo == "255.255.255.255" && d[1].locale == "10.1.0.5"
            && d[1].indirizzo == "10.1.255.255");
    IndirizziRicerca.interfacce = [] { return Interfacce{}; };
    ricerca().cmd_Search_Click();
    QCOMPARE(ricerca().lbl_search, QStringLiteral("No network interface with a broadcast address"));
    QVERIFY(udp_->ricevuti.empty());
}

void TestRicerca::dueReti()
{
    // Two networks besides the default route's, in a network namespace of this test's
    // own: the test runs again in there, where nothing can leave.
    if (qEnvironmentVariableIsEmpty("LUDRA_RETE_PRIVATA")) {
        QProcess p;
        p.setProcessChannelMode(QProcess::MergedChannels);
        qputenv("LUDRA_RETE_PRIVATA", "1");
        p.start("unshare", {"-rn", "--", QCoreApplication::applicationFilePath(), "dueReti"});
        qunsetenv("LUDRA_RETE_PRIVATA");
        p.waitForFinished(60000);
        const QString uscita = QString::fromLocal8Bit(p.readAll());
        const qsizetype salto = uscita.indexOf(QLatin1String("SKIP   :"));
        if (!uscita.contains(QLatin1String("Totals:")) || salto >= 0)
            QSKIP(qPrintable(QStringLiteral("no network namespace with two veth networks here: ")
                             + (salto >= 0 ? uscita.mid(salto) : p.errorString() + ' ' + uscita)
                                   .section('\n', 0, 0)));
        QVERIFY2(p.exitCode() == 0, qPrintable(uscita));
        return;
    }
    const QString ip = QStandardPaths::findExecutable("ip", {"/usr/sbin", "/sbin", "/usr/bin"});
    for (const QString& c : QStringLiteral(
             "link set lo up;link add v1 type veth peer name d1;link add v2 type veth peer name d2;"
             "addr add 10.77.1.1/24 brd + dev v1;addr add 10.77.1.2/24 brd + dev d1;"
             "addr add 10.77.2.1/24 brd + dev v2;addr add 10.77.2.2/24 brd + dev d2;link set v1 up;"
             "link set d1 up;link set v2 up;link set d2 up;route add default dev v1").split(';'))
        if (QProcess::execute(ip, c.split(' ')) != 0)
            QSKIP(qPrintable(QStringLiteral("cannot set up the veth networks: ip ") + c));
    IndirizziRicerca = ReteRicerca{};
    test::RisponditoreUdp rete1("10.77.1.255", IndirizziRicerca.portaUdp, "10.77.1.2");
    test::RisponditoreUdp rete2("10.77.2.255", IndirizziRicerca.portaUdp, "10.77.2.2");
    rete1.risposteController = {test::RispostaControllerFinta("A", {1, 1, 1, 1, 1, 1}, {}, 1, 0)};
    // Two devices with one MAC, each heard through two interfaces (v1 and d1, v2 and d2).
    rete2.risposteController = rete1.risposteController;
    ricerca().chk_disp_ethernet[1] = false;
    ricerca().cmd_Search_Click();
    QCOMPARE(ricerca().NumeroDispositivi, 2);
    QCOMPARE(QSet<QString>({Dispositivi[1].IP, Dispositivi[2].IP}),
             QSet<QString>({"10.77.1.2", "10.77.2.2"}));
    doppi_->dialogs.input.push_back(QStringLiteral("10.77.2.9"));
    ricerca().SetIP();
    const QByteArray trama = TramaImpostaIP(Dispositivi[2].Mac, {10, 77, 2, 9});
    QTRY_VERIFY(rete1.ricevuti.back() == trama && rete2.ricevuti.back() == trama);
}

QTEST_GUILESS_MAIN(TestRicerca)
#include "tst_ricerca.moc"
