// The discovery frames and the replies read from devices, with replies that are short,
// oversized or malformed.
#include "discovery/AlberoRicerca.h"
#include "discovery/ProtocolloRicerca.h"
#include "link/Checksum.h"
#include "support/Banco.h"
#include "support/DispositiviFinti.h"

#include <QtTest>

using namespace ludra;

class TestProtocollo : public QObject {
    Q_OBJECT
private slots:
    void init() { banco_.apri(test::Banco::Doppi::Nessuno); }
    void cleanup() { banco_.chiudi(); }
    void rispostaController_data();
    void rispostaController();
    void rispostaGateway_data();
    void rispostaGateway();
    void indirizzoIP_data();
    void indirizzoIP();
    void tramaImpostaIP();
    void identita_data();
    void identita();
    void secondi_data();
    void secondi();
    void recordDaChiave_data();
    void recordDaChiave();
    void alberoRamoEChiaviDoppie();

private:
    test::Banco banco_;
};

void TestProtocollo::rispostaController_data()
{
    QTest::addColumn<QByteArray>("dati");
    QTest::addColumn<bool>("letta");
    QTest::addColumn<QString>("mac");
    QTest::addColumn<QString>("ip");
    QTest::addColumn<int>("nodo");
    QTest::addColumn<int>("init");
    const QByteArray piena = test::RispostaControllerFinta(
        "KVR5200", {0x00, 0x0A, 0xFF, 0x10, 0x20, 0x30}, {192, 168, 0, 7}, 12, 1);
    QTest::newRow("whole") << piena << true << "00-0A-FF-10-20-30" << "192.168.0.7" << 12 << 1;
    QTest::newRow("bytes after 24 ignored") << piena + QByteArray(100, 'z') << true
                                            << "00-0A-FF-10-20-30" << "192.168.0.7" << 12 << 1;
    QTest::newRow("14 bytes: the rest reads 0")
        << piena.left(14) << true << "00-0A-FF-10-20-30" << "0.0.0.0" << 0 << 0;
    QTest::newRow("20 bytes: half the mask") << piena.left(20) << true << "00-0A-FF-10-20-30"
                                             << "192.168.0.7" << 0 << 0;
    QTest::newRow("13 bytes: the MAC's last byte reads 0")
        << piena.left(13) << true << "00-0A-FF-10-20-00" << "0.0.0.0" << 0 << 0;
    QTest::newRow("5 bytes: part of the name") << piena.left(5) << true << "00-00-00-00-00-00"
                                               << "0.0.0.0" << 0 << 0;
    QTest::newRow("empty") << QByteArray() << false << "" << "" << 0 << 0;
}

void TestProtocollo::rispostaController()
{
    QFETCH(QByteArray, dati);
    QFETCH(bool, letta);
    const auto r = LeggiRispostaController(dati);
    QCOMPARE(r.has_value(), letta);
    if (!r)
        return;
    QFETCH(QString, mac);
    QFETCH(QString, ip);
    QFETCH(int, nodo);
    QFETCH(int, init);
    QCOMPARE(r->nome, QString::fromLatin1(dati.left(7)));
    QCOMPARE(TestoMac(r->mac), mac);
    QCOMPARE(TestoIp(r->ipEeprom), ip);
    QCOMPARE(int(r->nodo), nodo);
    QCOMPARE(int(r->init), init);
}

void TestProtocollo::rispostaGateway_data()
{
    QTest::addColumn<QByteArray>("dati");
    QTest::addColumn<QString>("mac");
    const QByteArray r = test::RispostaGatewayFinta({1, 2, 3, 4, 5, 0xAB});
    QTest::newRow("30 bytes") << r << "01-02-03-04-05-AB";
    QTest::newRow("longer") << r + "tail" << "01-02-03-04-05-AB";
    QTest::newRow("29 bytes: the last reads 0") << r.left(29) << "01-02-03-04-05-00";
    QTest::newRow("a controller reply (24 bytes)") << r.left(24) << "00-00-00-00-00-00";
    QTest::newRow("empty") << QByteArray() << "";
}

void TestProtocollo::rispostaGateway()
{
    QFETCH(QByteArray, dati);
    QFETCH(QString, mac);
    const auto m = LeggiRispostaGateway(dati);
    QCOMPARE(m ? TestoMac(*m) : QString(), mac);
}

void TestProtocollo::indirizzoIP_data()
{
    QTest::addColumn<QString>("testo");
    QTest::addColumn<QString>("atteso");   // empty: refused
    QTest::newRow("plain") << "10.0.0.200" << "10.0.0.200";
    QTest::newRow("blank after a dot") << "10. 1.2.3" << "10.1.2.3";
    QTest::newRow("blanks around") << " 1.2.3.4 " << "1.2.3.4";
    QTest::newRow("empty") << "" << "";
    QTest::newRow("three parts") << "1.2.3" << "";
    QTest::newRow("five parts") << "1.2.3.4.5" << "";
    QTest::newRow("above 255") << "1.2.3.256" << "";
    QTest::newRow("empty part") << "1..3.4" << "";
    QTest::newRow("letters") << "1.2.3.x" << "";
    QTest::newRow("sign") << "1.2.3.-4" << "";
    QTest::newRow("long part") << "1.2.3.0004" << "";
}

void TestProtocollo::indirizzoIP()
{
    QFETCH(QString, testo);
    QFETCH(QString, atteso);
    const auto ip = LeggiIndirizzoIP(testo);
    QCOMPARE(ip ? TestoIp(*ip) : QString(), atteso);
}

void TestProtocollo::tramaImpostaIP()
{
    const QByteArray t = TramaImpostaIP({0, 0x0A, 2, 3, 4, 0xFF}, {10, 1, 2, 3});
    QCOMPARE(t.size(), 15);
    QCOMPARE(t.left(14), QByteArray("0002\x00\x0A\x02\x03\x04\xFF\x0A\x01\x02\x03", 14));
    QCOMPARE(std::uint8_t(t.at(14)), CalcolaCRC8(t.left(14)));
}

void TestProtocollo::identita_data()
{
    QTest::addColumn<QByteArray>("risposta");
    QTest::addColumn<bool>("letta");
    QTest::addColumn<QString>("versione");
    QTest::addColumn<QString>("nome");
    QTest::addColumn<int>("nodo");
    // Address, function, count, registers 0 to 6 high byte first, CRC.
    const QByteArray base("\x0A\x04\x0E"
                          "\x00\x00"
                          "\x01\x02\x30\x31"
                          "\x42\x41\x44\x43"
                          "\x00\x00"
                          "\x00\x0B"
                          "\xAA\xBB",
                          19);
    QTest::newRow("numeric version") << base << true << "124849" << "ABCD" << 11;
    QByteArray alfa = base;
    alfa[5] = 'V';
    alfa[6] = '1';
    alfa[7] = '.';
    alfa[8] = 'A';
    QTest::newRow("text version") << alfa << true << "V1.A" << "ABCD" << 11;
    QTest::newRow("no CRC still whole") << base.left(17) << true << "124849" << "ABCD" << 11;
    QTest::newRow("one register short") << base.left(16) << false << "" << "" << 0;
    QByteArray pochi = base;
    pochi[2] = 4;
    QTest::newRow("count says fewer registers") << pochi << false << "" << "" << 0;
    QTest::newRow("empty") << QByteArray() << false << "" << "" << 0;
}

void TestProtocollo::identita()
{
    QFETCH(QByteArray, risposta);
    QFETCH(bool, letta);
    std::array<std::uint8_t, 256> buffer{};
    // What an earlier, longer reply left behind must not be read as this one.
    buffer.fill(0x77);
    std::copy(risposta.begin(), risposta.end(), buffer.begin());
    const auto id = LeggiIdentita(buffer, int(risposta.size()));
    QCOMPARE(id.has_value(), letta);
    if (!id)
        return;
    QFETCH(QString, versione);
    QFETCH(QString, nome);
    QFETCH(int, nodo);
    QCOMPARE(id->versione, versione);
    QCOMPARE(id->nome, nome);
    QCOMPARE(int(id->nodo), nodo);
    // A length beyond the buffer is refused, not read past.
    QVERIFY(!LeggiIdentita(std::span(buffer).first(10), 17));
}

void TestProtocollo::secondi_data()
{
    QTest::addColumn<QString>("ms");
    QTest::addColumn<int>("secondi");
    QTest::newRow("1000") << "1000" << 1;
    QTest::newRow("500, never below one second") << "500" << 1;
    QTest::newRow("1500 halves to even") << "1500" << 2;
    QTest::newRow("2500 halves to even") << "2500" << 2;
    QTest::newRow("3500 halves to even") << "3500" << 4;
    QTest::newRow("15") << "15" << 1;
    QTest::newRow("0") << "0" << 1;
    QTest::newRow("not a number") << "abc" << 1;
    QTest::newRow("negative") << "-3000" << 1;
    QTest::newRow("huge") << "1E+30" << 33;
}

void TestProtocollo::secondi()
{
    QFETCH(QString, ms);
    QFETCH(int, secondi);
    QCOMPARE(int(SecondiDaMillisecondi(ms)), secondi);
}

void TestProtocollo::recordDaChiave_data()
{
    QTest::addColumn<QString>("chiave");
    QTest::addColumn<int>("record");
    QTest::newRow("device node") << "nodo12" << 12;
    QTest::newRow("detail node") << "ip3" << 3;
    QTest::newRow("sub-network") << "subNet255" << 255;
    QTest::newRow("root") << "rete" << 0;
    QTest::newRow("beyond the last record") << "nodo256" << 0;
    QTest::newRow("many digits") << "nodo99999999999" << 0;
}

void TestProtocollo::recordDaChiave()
{
    QFETCH(QString, chiave);
    QFETCH(int, record);
    QCOMPARE(RecordDaChiave(chiave), record);
}

void TestProtocollo::alberoRamoEChiaviDoppie()
{
    AlberoRicerca a;
    QVERIFY(a.aggiungi({}, "rete", "Ethernet"));
    QVERIFY(a.aggiungi("rete", "nodo1", "x"));
    QVERIFY(a.aggiungi("nodo1", "subNet1", "SubNet"));
    QVERIFY(a.aggiungi("subNet1", "nodo2", "m"));
    QVERIFY(a.aggiungi("nodo2", "addr2", "a"));
    QVERIFY(a.aggiungi("rete", "nodo3", "y"));
    QVERIFY(!a.aggiungi("rete", "nodo3", "again"));
    QVERIFY(!a.aggiungi("missing", "nodo4", "z"));
    QVERIFY(a.rimuovi("subNet1"));
    QCOMPARE(int(a.nodi().size()), 3);
    QVERIFY(a.trova("nodo3"));
    QVERIFY(!a.trova("addr2"));
}

QTEST_GUILESS_MAIN(TestProtocollo)
#include "tst_protocollo.moc"
