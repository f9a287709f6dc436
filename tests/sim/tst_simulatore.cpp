// The simulator's answers, frame by frame, and its log.
#include "sim/Simulatore.h"
#include "support/Banco.h"

#include <QRegularExpression>
#include <QTcpSocket>
#include <QTest>

using ludra::sim::Simulatore;
using ludra::sim::Trama;

namespace {
Trama hex(const char* h)
{
    const QByteArray a = QByteArray::fromHex(h);
    return {a.begin(), a.end()};
}
QByteArray comeHex(const Trama& t)
{
    return QByteArray(reinterpret_cast<const char*>(t.data()), qsizetype(t.size())).toHex().toUpper();
}
} // namespace

class TestSimulatore : public QObject {
    Q_OBJECT
private slots:
    void init() { banco_.apri(ludra::test::Banco::Doppi::Nessuno); }
    void cleanup() { banco_.chiudi(); }
    void elabora_data();
    void elabora();
    void registroDiOgniTrama();
    void programmaPerRichiesta();

private:
    ludra::test::Banco banco_;
};

void TestSimulatore::elabora_data()
{
    QTest::addColumn<QByteArray>("richiesta");
    QTest::addColumn<QByteArray>("risposta");
    QTest::newRow("read 2") << QByteArray("0A0400000002") << QByteArray("0A04040001BEEF");
    QTest::newRow("holding, same space") << QByteArray("0A0300010001") << QByteArray("0A0302BEEF");
    QTest::newRow("last register") << QByteArray("0A0404000001") << QByteArray("0A04020000");
    QTest::newRow("past the end") << QByteArray("0A0404000002") << QByteArray("0A8402");
    QTest::newRow("count 0") << QByteArray("0A0400000000") << QByteArray("0A8403");
    QTest::newRow("count 126") << QByteArray("0A040000007E") << QByteArray("0A8403");
    QTest::newRow("truncated") << QByteArray("0A040000") << QByteArray("0A8403");
    QTest::newRow("one byte too many") << QByteArray("0A040000000100") << QByteArray("0A8403");
    QTest::newRow("write 1024") << QByteArray("0A0604001234") << QByteArray("0A0604001234");
    QTest::newRow("write 1025") << QByteArray("0A0604011234") << QByteArray("0A8602");
    QTest::newRow("coil bad value") << QByteArray("0A0500001234") << QByteArray("0A8503");
    QTest::newRow("16, count mismatch") << QByteArray("0A10000000020400010002FF") << QByteArray("0A9003");
    QTest::newRow("image read, one byte too many") << QByteArray("0A14010000000002") << QByteArray("0A9403");
    QTest::newRow("image read") << QByteArray("0A140100000002") << QByteArray("0A1402A1B2");
    QTest::newRow("memory read") << QByteArray("0A140200020002") << QByteArray("0A1402A1B2");
    QTest::newRow("memory past the end") << QByteArray("0A140200FFFF02") << QByteArray("0A9402");
    QTest::newRow("memory write, short data") << QByteArray("0A14040000100201") << QByteArray("0A9403");
    QTest::newRow("memory, sub-code 3") << QByteArray("0A140300000001") << QByteArray("0A9401");
    QTest::newRow("unknown function") << QByteArray("0A41") << QByteArray("0AC101");
    QTest::newRow("nothing") << QByteArray("") << QByteArray("");
}

void TestSimulatore::elabora()
{
    QFETCH(QByteArray, richiesta);
    QFETCH(QByteArray, risposta);
    Simulatore s;
    s.setRegistro(0, 0x0001);
    s.setRegistro(1, 0xBEEF);
    s.setMemoria(512, 0xA1);
    s.setMemoria(513, 0xB2);
    QCOMPARE(comeHex(s.elabora(hex(richiesta.constData()))), risposta);
}

void TestSimulatore::registroDiOgniTrama()
{
    Simulatore s;
    s.setRegistro(0, 0x0102);
    const auto porta = s.avviaTcp();
    QVERIFY(porta != 0);
    QTcpSocket c;
    c.connectToHost(QStringLiteral("127.0.0.1"), porta);
    QVERIFY(c.waitForConnected(5000));
    c.write(QByteArray::fromHex("0007000000060A0400000001"));
    QVERIFY(QTest::qWaitFor([&] { return c.bytesAvailable() >= 11; }, 5000));
    // The transaction id comes back as it was sent.
    QCOMPARE(c.readAll().toHex().toUpper(), QByteArray("0007000000050A04020102"));
    const auto log = s.log();
    const QRegularExpression forma(QStringLiteral("^\\d\\d:\\d\\d:\\d\\d\\.\\d\\d\\d TCP (RX|TX) "));
    QStringList trame;
    for (const std::string& riga : log) {
        const QString r = QString::fromStdString(riga);
        if (r.contains(QStringLiteral(" RX ")) || r.contains(QStringLiteral(" TX "))) {
            QVERIFY2(forma.match(r).hasMatch(), qPrintable(r));
            trame << r.mid(13);
        }
    }
    QCOMPARE(trame, (QStringList{QStringLiteral("TCP RX 00 07 00 00 00 06 0A 04 00 00 00 01"),
                                 QStringLiteral("TCP TX 00 07 00 00 00 05 0A 04 02 01 02")}));
}

// Run, run to break, halt, step and stop over an image of three program records with
// the break flag on record 2, one record per request.
void TestSimulatore::programmaPerRichiesta()
{
    using ludra::sim::StatoProgramma;
    Simulatore s;
    QCOMPARE(int(s.memoria(19)), int('U'));
    s.setAvanzamento(ludra::sim::Avanzamento::PerRichiesta);
    s.setMemoria(512, 3);
    s.setMemoria(512 + 4 + 20 + 9, 1);
    const Trama leggiPc = hex("0A04000D0001");
    auto pc = [&] { const Trama r = s.elabora(leggiPc); return int(r[4]); };
    auto comando = [&](int c) { s.elabora(Trama{10, 6, 0, 0, 0, ludra::sim::Byte(c)}); };

    QCOMPARE(pc(), 0);   // stopped: the counter stands
    comando(255);
    QCOMPARE(s.statoProgramma(), StatoProgramma::InEsecuzione);
    QCOMPARE(pc(), 1);
    QCOMPARE(pc(), 2);   // a plain run passes the breakpoint
    QCOMPARE(pc(), 0);   // and wraps round
    comando(100);        // the request itself moves it once more, then it halts
    QCOMPARE(s.statoProgramma(), StatoProgramma::AllaPausa);
    QCOMPARE(pc(), 1);
    QCOMPARE(pc(), 1);
    comando(100);        // a step
    QCOMPARE(pc(), 2);
    comando(90);
    QCOMPARE(pc(), 0);
    QCOMPARE(int(s.registro(0)), 90);
    QCOMPARE(pc(), 1);
    QCOMPARE(pc(), 2);   // on the breakpoint: halted, register 0 away from 90
    QCOMPARE(s.statoProgramma(), StatoProgramma::AllaPausa);
    QCOMPARE(int(s.registro(0)), 100);
    QCOMPARE(pc(), 2);
    comando(252);
    QCOMPARE(s.statoProgramma(), StatoProgramma::Fermo);
    QCOMPARE(pc(), 0);
    // Function 16 on register 0 commands too.
    s.elabora(hex("0A100000000102005A"));
    QCOMPARE(s.statoProgramma(), StatoProgramma::InEsecuzione);
    QCOMPARE(s.comandi(), (std::vector<std::uint16_t>{255, 100, 100, 90, 252, 90}));

    // No program downloaded: the counter stays at 0 while running.
    Simulatore vuoto;
    vuoto.setAvanzamento(ludra::sim::Avanzamento::PerRichiesta);
    vuoto.elabora(Trama{10, 6, 0, 0, 0, 255});
    QCOMPARE(int(vuoto.elabora(leggiPc)[4]), 0);
}

QTEST_GUILESS_MAIN(TestSimulatore)
#include "tst_simulatore.moc"
