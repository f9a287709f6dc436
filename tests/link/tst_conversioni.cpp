#include "link/Conversioni.h"
#include "support/Banco.h"

#include <QTest>
#include <cmath>
#include <limits>

using namespace ludra;

class TestConversioni : public QObject {
    Q_OBJECT
private slots:
    void init() { banco_.apri(test::Banco::Doppi::Nessuno); }
    void cleanup() { banco_.chiudi(); }
    void wordInBytes_data();
    void wordInBytes();
    void wordInBytesWritesBackNegative();
    void bytesInWord_data();
    void bytesInWord();
    void longInBytes_data();
    void longInBytes();
    void longInBytesSignedWritesBack();
    void bytesInLong_data();
    void bytesInLong();
    void floatRoundTrip_data();
    void floatRoundTrip();
    void floatLimits();
    void textForms();
    void hexInByte2_data();
    void hexInByte2();
    void stringaInBytes();

private:
    test::Banco banco_;
};

void TestConversioni::wordInBytes_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<int>("low");
    QTest::addColumn<int>("high");
    QTest::newRow("-1") << -1.0 << true << 255 << 255;
    QTest::newRow("65535") << 65535.0 << true << 255 << 255;
    QTest::newRow("256") << 256.0 << true << 0 << 1;
    QTest::newRow("0") << 0.0 << true << 0 << 0;
    QTest::newRow("-65536") << -65536.0 << true << 0 << 0;
    QTest::newRow("-32768") << -32768.0 << true << 0 << 128;
    QTest::newRow("65536 overflows") << 65536.0 << false << 0 << 0;
    QTest::newRow("-65537 overflows") << -65537.0 << false << 0 << 0;
    QTest::newRow("nan") << std::nan("") << false << 0 << 0;
}

void TestConversioni::wordInBytes()
{
    QFETCH(double, value);
    QFETCH(bool, ok);
    const auto r = WordInBytes(value);
    QCOMPARE(r.has_value(), ok);
    if (ok) {
        QFETCH(int, low);
        QFETCH(int, high);
        QCOMPARE(int((*r)[0]), low);
        QCOMPARE(int((*r)[1]), high);
    }
}

void TestConversioni::wordInBytesWritesBackNegative()
{
    double v = -2;
    QVERIFY(WordInBytesInOut(v));
    QCOMPARE(v, 65534.0);
}

void TestConversioni::bytesInWord_data()
{
    QTest::addColumn<int>("high");
    QTest::addColumn<int>("low");
    QTest::addColumn<bool>("signedFlag");
    QTest::addColumn<int>("value");
    QTest::newRow("128,0 signed") << 128 << 0 << true << -32768;
    QTest::newRow("127,255 signed") << 127 << 255 << true << 32767;
    QTest::newRow("128,0 unsigned") << 128 << 0 << false << 32768;
    QTest::newRow("255,255 signed") << 255 << 255 << true << -1;
}

void TestConversioni::bytesInWord()
{
    QFETCH(int, high);
    QFETCH(int, low);
    QFETCH(bool, signedFlag);
    QFETCH(int, value);
    QCOMPARE(BytesInWord(std::uint8_t(high), std::uint8_t(low), signedFlag), value);
}

void TestConversioni::longInBytes_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<bool>("signedFlag");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("-1 signed") << -1.0 << true << true << QByteArray::fromHex("FFFFFFFF");
    QTest::newRow("65536") << 65536.0 << false << true << QByteArray::fromHex("01000000");
    QTest::newRow("0x12345678") << double(0x12345678) << false << true
                                << QByteArray::fromHex("34127856");
    QTest::newRow("-1 unsigned fails") << -1.0 << false << false << QByteArray();
    QTest::newRow("2^32 fails") << 4294967296.0 << true << false << QByteArray();
    QTest::newRow("2^32-1") << 4294967295.0 << false << true << QByteArray::fromHex("FFFFFFFF");
}

void TestConversioni::longInBytes()
{
    QFETCH(double, value);
    QFETCH(bool, signedFlag);
    QFETCH(bool, ok);
    const auto r = LongInBytes(value, signedFlag);
    QCOMPARE(r.has_value(), ok);
    if (ok) {
        QFETCH(QByteArray, bytes);
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(r->data()), 4), bytes);
    }
}

void TestConversioni::longInBytesSignedWritesBack()
{
    double v = -1;
    QVERIFY(LongInBytes(v, true));
    QCOMPARE(v, 4294967295.0);
}

void TestConversioni::bytesInLong_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("signedFlag");
    QTest::addColumn<double>("value");
    QTest::newRow("min signed") << QByteArray::fromHex("80000000") << true << -2147483648.0;
    QTest::newRow("max signed") << QByteArray::fromHex("7FFFFFFF") << true << 2147483647.0;
    QTest::newRow("2^31 unsigned") << QByteArray::fromHex("80000000") << false << 2147483648.0;
    QTest::newRow("all ones unsigned") << QByteArray::fromHex("FFFFFFFF") << false
                                       << 4294967295.0;
}

void TestConversioni::bytesInLong()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, signedFlag);
    QFETCH(double, value);
    const auto* b = reinterpret_cast<const std::uint8_t*>(bytes.constData());
    QCOMPARE(BytesInLong(b[0], b[1], b[2], b[3], signedFlag), value);
}

void TestConversioni::floatRoundTrip_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("1") << 1.0 << QByteArray::fromHex("3F800000");
    QTest::newRow("-2.5") << -2.5 << QByteArray::fromHex("C0200000");
    QTest::newRow("0") << 0.0 << QByteArray::fromHex("00000000");
    QTest::newRow("-0") << -0.0 << QByteArray::fromHex("00000000");
}

void TestConversioni::floatRoundTrip()
{
    QFETCH(double, value);
    QFETCH(QByteArray, bytes);
    const QuartettoByte q = FloatInBytes(value);
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(q.data()), 4), bytes);
    QCOMPARE(BytesInFloat(q[0], q[1], q[2], q[3]), value == 0 ? 0.0 : value);
}

void TestConversioni::floatLimits()
{
    QCOMPARE(BytesInFloat(0x7F, 0x7F, 0xFF, 0xFF), double(std::numeric_limits<float>::max()));
    QCOMPARE(BytesInFloat(0xFF, 0x7F, 0xFF, 0xFF), -double(std::numeric_limits<float>::max()));
    // 0.1 rounds to the nearest single.
    const QuartettoByte q = FloatInBytes(0.1);
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(q.data()), 4),
             QByteArray::fromHex("3DCCCCCD"));
}

void TestConversioni::textForms()
{
    QCOMPARE(*WordInHex(255), QStringLiteral("00FF"));
    QCOMPARE(*WordInHex(-1), QStringLiteral("FFFF"));
    QVERIFY(!WordInHex(70000));
    QCOMPARE(*WordInStringa(0x4142), QByteArray("BA"));
    QCOMPARE(*WordInBinario(5, true), QStringLiteral("00000000 00000101"));
    QCOMPARE(*WordInBinario(5, false), QStringLiteral("0000000000000101"));
    QCOMPARE(*WordInBinario(256, true), QStringLiteral("00000001 00000000"));
    QCOMPARE(ByteInHex(10), QStringLiteral("0A"));
    QCOMPARE(ByteInHex(255), QStringLiteral("FF"));
    QCOMPARE(ByteInHex(0), QStringLiteral("00"));
}

void TestConversioni::hexInByte2_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("value");   // -1: fails
    QTest::newRow("7F") << "7F" << 127;
    QTest::newRow("00") << "00" << 0;
    QTest::newRow("FF") << "FF" << 255;
    QTest::newRow("lower case") << "7f" << -1;
    QTest::newRow("one digit") << "7" << -1;
    QTest::newRow("empty") << "" << -1;
    QTest::newRow("G") << "G0" << -1;
    QTest::newRow("blank") << " 1" << -1;
}

void TestConversioni::hexInByte2()
{
    QFETCH(QString, text);
    QFETCH(int, value);
    const auto r = HexInByte2(text);
    QCOMPARE(r.has_value(), value >= 0);
    if (r)
        QCOMPARE(int(*r), value);
}

void TestConversioni::stringaInBytes()
{
    std::array<std::uint8_t, 4> buf{9, 9, 9, 9};
    QVERIFY(StringaInBytes(QByteArray("\x01\xFF", 2), buf));
    QCOMPARE(int(buf[0]), 1);
    QCOMPARE(int(buf[1]), 255);
    QCOMPARE(int(buf[2]), 9);   // beyond the text: unchanged
    QVERIFY(!StringaInBytes(QByteArray(5, 'x'), buf));
    QCOMPARE(int(buf[0]), 1);   // refused: nothing copied
}

QTEST_GUILESS_MAIN(TestConversioni)
#include "tst_conversioni.moc"
