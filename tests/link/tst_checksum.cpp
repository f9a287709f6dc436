#include "link/Checksum.h"
#include "support/Banco.h"

#include <QTest>
#include <vector>

using namespace ludra;

namespace {
std::vector<std::uint8_t> byte(const QByteArray& a) { return {a.begin(), a.end()}; }
}

class TestChecksum : public QObject {
    Q_OBJECT
private slots:
    void init() { banco_.apri(); }
    void cleanup() { banco_.chiudi(); }
    void crc16_data();
    void crc16();
    void controlla_data();
    void controlla();
    void crc8_data();
    void crc8();

private:
    test::Banco banco_;
};

void TestChecksum::crc16_data()
{
    QTest::addColumn<QByteArray>("dati");
    QTest::addColumn<int>("n");
    QTest::addColumn<int>("lo");
    QTest::addColumn<int>("hi");
    QTest::newRow("digits 1 to 9") << QByteArray("123456789") << 9 << 0x37 << 0x4B;
    QTest::newRow("read request") << QByteArray::fromHex("0A0400000007") << 6 << 0xB0 << 0xB3;
    QTest::newRow("count 0") << QByteArray("abc") << 0 << 0xFF << 0xFF;
    QTest::newRow("negative count") << QByteArray("abc") << -3 << 0xFF << 0xFF;
    QTest::newRow("prefix only") << QByteArray("123456789xyz") << 9 << 0x37 << 0x4B;
    QTest::newRow("count past the end is clipped") << QByteArray("123456789") << 40 << 0x37 << 0x4B;
}

void TestChecksum::crc16()
{
    QFETCH(QByteArray, dati);
    QFETCH(int, n);
    CRCHi = CRCLo = 0;
    const auto b = byte(dati);
    CalcolaCRC(b, n);
    QTEST(int(CRCLo), "lo");
    QTEST(int(CRCHi), "hi");
}

void TestChecksum::controlla_data()
{
    QTest::addColumn<QByteArray>("risposta");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QString>("messaggio");
    QTest::newRow("good reply") << QByteArray::fromHex("0A0400000007B0B3") << true << QString();
    QTest::newRow("FF FF alone") << QByteArray::fromHex("FFFF") << true << QString();
    QTest::newRow("other two bytes, low") << QByteArray::fromHex("00FF") << false
                                          << QStringLiteral("Errore Checksum 1");
    QTest::newRow("other two bytes, high") << QByteArray::fromHex("FF00") << false
                                           << QStringLiteral("Errore Checksum 2");
    QTest::newRow("last byte wrong") << QByteArray::fromHex("0A0400000007B0B4") << false
                                     << QStringLiteral("Errore Checksum 2");
    QTest::newRow("low byte wrong") << QByteArray::fromHex("0A0400000007B1B3") << false
                                    << QStringLiteral("Errore Checksum 1");
    QTest::newRow("one byte, no box") << QByteArray::fromHex("0A") << false << QString();
    QTest::newRow("nothing, no box") << QByteArray() << false << QString();
}

void TestChecksum::controlla()
{
    QFETCH(QByteArray, risposta);
    QFETCH(bool, ok);
    QFETCH(QString, messaggio);
    std::vector<std::uint8_t> buffer(256, 0);
    std::copy(risposta.begin(), risposta.end(), buffer.begin());
    QCOMPARE(ControllaCRC(buffer, int(risposta.size()) - 2), ok);
    if (messaggio.isEmpty()) {
        QVERIFY(banco_.dialogs.messaggi.empty());
    } else {
        QCOMPARE(banco_.dialogs.messaggi.size(), std::size_t(1));
        QCOMPARE(banco_.dialogs.messaggi[0].testo, messaggio);
        QCOMPARE(banco_.dialogs.messaggi[0].titolo, QStringLiteral("Ludra"));
        QCOMPARE(banco_.dialogs.messaggi[0].icona, platform::MsgIcon::None);
        QCOMPARE(banco_.dialogs.messaggi[0].pulsanti, platform::MsgButtons::Ok);
    }
}

void TestChecksum::crc8_data()
{
    QTest::addColumn<QByteArray>("testo");
    QTest::addColumn<int>("crc");
    QTest::newRow("empty") << QByteArray() << 0;
    QTest::newRow("abc") << QByteArray("abc") << 0x42;
    QTest::newRow("check value") << QByteArray("123456789") << 0xA1;
    QTest::newRow("codes above 127") << QByteArray("\xFF\x80", 2) << 0x0D;
}

void TestChecksum::crc8()
{
    QFETCH(QByteArray, testo);
    QTEST(int(CalcolaCRC8(testo)), "crc");
}

QTEST_GUILESS_MAIN(TestChecksum)
#include "tst_checksum.moc"
