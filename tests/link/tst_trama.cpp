#include "link/Checksum.h"
#include "link/RispostaTcp.h"
#include "link/TramaModbus.h"
#include "support/Banco.h"

#include <QTest>
#include <vector>

using namespace ludra;

namespace {

std::vector<Byte> hex(const char* h)
{
    const QByteArray a = QByteArray::fromHex(h);
    return {a.begin(), a.end()};
}

std::vector<Byte> conCrc(std::vector<Byte> t)
{
    CalcolaCRC(t, int(t.size()));
    t.push_back(Byte(CRCLo));
    t.push_back(Byte(CRCHi));
    return t;
}

std::vector<Byte> unisci(std::vector<Byte> a, const std::vector<Byte>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

} // namespace

class TestTrama : public QObject {
    Q_OBJECT
private slots:
    void init() { banco_.apri(test::Banco::Doppi::Nessuno); }
    void cleanup() { banco_.chiudi(); }
    void lunghezzaRisposta_data();
    void lunghezzaRisposta();
    void lunghezzaMinima_data();
    void lunghezzaMinima();
    void fineRtu();
    void fineTcp_data();
    void fineTcp();

private:
    test::Banco banco_;
};

void TestTrama::lunghezzaRisposta_data()
{
    QTest::addColumn<QByteArray>("richiesta");
    QTest::addColumn<QByteArray>("risposta");
    QTest::addColumn<int>("lunghezza");      // -1: cannot be told
    QTest::newRow("read by byte count") << QByteArray("0A0400000002") << QByteArray("0A0404") << 7;
    QTest::newRow("count not here yet") << QByteArray("0A0400000002") << QByteArray("0A04") << -1;
    QTest::newRow("one byte") << QByteArray("0A0400000002") << QByteArray("0A") << -1;
    QTest::newRow("exception") << QByteArray("0A0400000002") << QByteArray("0A84") << 3;
    QTest::newRow("single write") << QByteArray("0A0600000001") << QByteArray("0A06") << 6;
    QTest::newRow("multiple write") << QByteArray("0A10000000010200FF") << QByteArray("0A10") << 6;
    QTest::newRow("memory read") << QByteArray("0A14020000130B") << QByteArray("0A14") << 14;
    QTest::newRow("image read") << QByteArray("0A1401000000FF") << QByteArray("0A14") << 258;
    QTest::newRow("memory write") << QByteArray("0A140400001301AA") << QByteArray("0A14") << 7;
    QTest::newRow("memory, unknown sub-code") << QByteArray("0A14070000") << QByteArray("0A14") << -1;
    QTest::newRow("unknown function") << QByteArray("0A4100") << QByteArray("0A41") << -1;
}

void TestTrama::lunghezzaRisposta()
{
    QFETCH(QByteArray, richiesta);
    QFETCH(QByteArray, risposta);
    QFETCH(int, lunghezza);
    const auto q = hex(richiesta.constData());
    const auto r = hex(risposta.constData());
    const auto l = LunghezzaRisposta(q, r);
    QCOMPARE(l.value_or(-1), lunghezza);
}

void TestTrama::lunghezzaMinima_data()
{
    QTest::addColumn<QByteArray>("richiesta");
    QTest::addColumn<int>("minima");
    QTest::newRow("32 registers") << QByteArray("0A0400000020") << 67;
    QTest::newRow("holding registers") << QByteArray("0A0300100003") << 9;
    QTest::newRow("9 coils") << QByteArray("0A0100000009") << 5;
    QTest::newRow("single write") << QByteArray("0A0600000001") << 6;
    QTest::newRow("memory read of 11") << QByteArray("0A14020000130B") << 14;
    QTest::newRow("memory write") << QByteArray("0A140400001301AA") << 2;
    QTest::newRow("truncated read") << QByteArray("0A0400") << 2;
    QTest::newRow("unknown function") << QByteArray("0A41") << 2;
    QTest::newRow("nothing") << QByteArray("") << 2;
}

void TestTrama::lunghezzaMinima()
{
    QFETCH(QByteArray, richiesta);
    QTEST(LunghezzaMinimaRisposta(hex(richiesta.constData())), "minima");
}

void TestTrama::fineRtu()
{
    const auto q = hex("0A0400000001");
    const auto r1 = conCrc(hex("0A04020001"));
    const auto r2 = conCrc(hex("0A04020002"));
    QCOMPARE(FineRisposteRtu(q, r1).value_or(-1), 0);
    // Still arriving.
    QVERIFY(!FineRisposteRtu(q, std::vector<Byte>(r1.begin(), r1.end() - 1)));
    QVERIFY(!FineRisposteRtu(q, {}));
    // A late reply followed by this request's own: the last one counts.
    QCOMPARE(FineRisposteRtu(q, unisci(r1, r2)).value_or(-1), int(r1.size()));
    // A whole reply and the start of another: not finished.
    QVERIFY(!FineRisposteRtu(q, unisci(r1, hex("0A04"))));
    // A bad checksum never finishes early (line silence decides).
    auto guasta = r1;
    guasta.back() ^= 1;
    QVERIFY(!FineRisposteRtu(q, guasta));
    // More bytes than the count says: not recognised, left to the silence.
    QVERIFY(!FineRisposteRtu(q, conCrc(hex("0A04020001DEAD"))));
    // Exception reply.
    QCOMPARE(FineRisposteRtu(q, conCrc(hex("0A8402"))).value_or(-1), 0);
}

void TestTrama::fineTcp_data()
{
    // Request (function 4 unless given), bytes received, then where the frame starts,
    // its length after the header and whether it is whole.
    QTest::addColumn<QByteArray>("richiesta");
    QTest::addColumn<QByteArray>("ricevuti");
    QTest::addColumn<int>("inizio");
    QTest::addColumn<int>("lunghezza");
    QTest::addColumn<bool>("completa");
    const QByteArray q("0A0400000001");
    QTest::newRow("length long") << q << QByteArray("0000000000070A04020001") << 0 << 5 << true;
    QTest::newRow("byte missing") << q << QByteArray("0000000000050A040200") << 0 << 5 << false;
    QTest::newRow("late, then own") << q << QByteArray("0000000000050A04020001000000000005"
                                                       "0A04020002") << 11 << 5 << true;
    QTest::newRow("own begun") << q << QByteArray("0000000000050A040200010000") << 0 << 5 << false;
    QTest::newRow("past the count") << q << QByteArray("0000000000090A040200010A") << 0 << 5 << false;
    const QByteArray u("0A41");   // a function whose reply only its header frames
    QTest::newRow("unknown: header") << u << QByteArray("0000000000040A41") << 0 << 4 << false;
    QTest::newRow("never fits") << u << QByteArray("000000000FFF0A41") << 0 << 0xFFF << true;
}

void TestTrama::fineTcp()
{
    QFETCH(QByteArray, richiesta);
    QFETCH(QByteArray, ricevuti);
    const RispostaTcp r = CercaRispostaTcp(hex(richiesta.constData()), hex(ricevuti.constData()));
    QTEST(r.inizio, "inizio");
    QTEST(r.lunghezza, "lunghezza");
    QTEST(r.completa, "completa");
}

QTEST_GUILESS_MAIN(TestTrama)
#include "tst_trama.moc"
