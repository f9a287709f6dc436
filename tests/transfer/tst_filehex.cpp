// Memory-image files: one byte per line, read strictly where the bytes will be sent,
// written whole or not at all.
#include "support/Banco.h"
#include "transfer/FileHex.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <vector>
#include <sys/stat.h>

using namespace ludra;

namespace {

QString scrivi(const QTemporaryDir& dir, const QByteArray& testo)
{
    const QString p = dir.filePath(QStringLiteral("m.hex"));
    QFile f(p);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return {};
    f.write(testo);
    return p;
}

} // namespace

class TestFileHex : public QObject {
    Q_OBJECT
private slots:
    void init() { banco_.apri(test::Banco::Doppi::Nessuno); }
    void cleanup() { banco_.chiudi(); }
    void riga_data();
    void riga();
    void lettura_data();
    void lettura();
    void fileGrandeLeggeSoloIlNecessario();
    void fileMancante();
    void scritturaEsatta();
    void scritturaFallitaLasciaIlFile();

private:
    test::Banco banco_;
};

void TestFileHex::riga_data()
{
    QTest::addColumn<QByteArray>("riga");
    QTest::addColumn<int>("byte");   // -1: carries none
    QTest::newRow("plain") << QByteArray("7") << 7;
    QTest::newRow("as written") << QByteArray(" 255 ") << 255;
    QTest::newRow("leading zeros") << QByteArray("007") << 7;
    QTest::newRow("zero") << QByteArray("0") << 0;
    QTest::newRow("tabs") << QByteArray("\t12\t") << 12;
    QTest::newRow("trailing comma") << QByteArray("12,") << 12;
    QTest::newRow("comma with blanks") << QByteArray(" 12 , ") << 12;
    QTest::newRow("256") << QByteArray("256") << -1;
    QTest::newRow("huge") << QByteArray("99999999999999999999") << -1;
    QTest::newRow("negative") << QByteArray("-1") << -1;
    QTest::newRow("plus") << QByteArray("+1") << -1;
    QTest::newRow("empty") << QByteArray("") << -1;
    QTest::newRow("blanks only") << QByteArray("   ") << -1;
    QTest::newRow("comma only") << QByteArray(",") << -1;
    QTest::newRow("two numbers") << QByteArray("12 13") << -1;
    QTest::newRow("two values") << QByteArray("12,13") << -1;
    QTest::newRow("fraction") << QByteArray("1.5") << -1;
    QTest::newRow("hex") << QByteArray("0x1F") << -1;
    QTest::newRow("letters") << QByteArray("abc") << -1;
    QTest::newRow("nul") << QByteArray("1\0", 2) << -1;
}

void TestFileHex::riga()
{
    QFETCH(QByteArray, riga);
    QFETCH(int, byte);
    const auto b = ByteDaRigaHex(riga);
    QCOMPARE(b.has_value(), byte >= 0);
    if (b)
        QCOMPARE(int(*b), byte);
}

void TestFileHex::lettura_data()
{
    QTest::addColumn<QByteArray>("testo");
    QTest::addColumn<int>("obbligatorie");
    QTest::addColumn<QByteArray>("attesi");   // the buffer afterwards (started at 0x55 each)
    QTest::addColumn<QString>("errore");       // start of the reason, empty when read
    QTest::newRow("crlf") << QByteArray("1\r\n2\r\n3\r\n4\r\n") << 0 << QByteArray("\1\2\3\4")
                          << QString();
    QTest::newRow("lf, no end on the last") << QByteArray("1\n2\n3\n4") << 0
                                            << QByteArray("\1\2\3\4") << QString();
    QTest::newRow("mixed line ends") << QByteArray(" 1 \r\n2,\n 3\r\n4 ,\r\n") << 0
                                     << QByteArray("\1\2\3\4") << QString();
    QTest::newRow("lines after ignored") << QByteArray("1\n2\n3\n4\nxx\n") << 0
                                         << QByteArray("\1\2\3\4") << QString();
    QTest::newRow("bad line before the range kept") << QByteArray("x\n\n3\n4\n") << 2
                                                    << QByteArray("\x55\x55\3\4") << QString();
    QTest::newRow("bad line in the range") << QByteArray("1\n2\n300\n4\n") << 2
                                           << QByteArray() << QStringLiteral("Line 3 of m.hex");
    QTest::newRow("blank line in the range") << QByteArray("1\n2\n\n4\n") << 0 << QByteArray()
                                             << QStringLiteral("Line 3 of m.hex");
    QTest::newRow("short file") << QByteArray("1\n2\n3\n") << 0 << QByteArray()
                                << QStringLiteral("m.hex has 3 lines: 4 are needed");
    QTest::newRow("short before the range") << QByteArray("1\n") << 2 << QByteArray()
                                            << QStringLiteral("m.hex has 1 lines");
    QTest::newRow("empty file") << QByteArray() << 0 << QByteArray()
                                << QStringLiteral("m.hex has 0 lines");
    QTest::newRow("overlong line in the range")
        << QByteArray("1\n2\n3\n" + QByteArray(5000, '7') + "\n") << 0 << QByteArray()
        << QStringLiteral("Line 4 of m.hex");
    QTest::newRow("overlong blanks before the range")
        << QByteArray(QByteArray(5000, ' ') + "\n2\n3\n4\n") << 1 << QByteArray("\x55\2\3\4")
        << QString();
    QTest::newRow("binary") << QByteArray("\xff\xfe\0\1\n2\n3\n4\n", 11) << 0 << QByteArray()
                            << QStringLiteral("Line 1 of m.hex");
}

void TestFileHex::lettura()
{
    QFETCH(QByteArray, testo);
    QFETCH(int, obbligatorie);
    QFETCH(QByteArray, attesi);
    QFETCH(QString, errore);
    QTemporaryDir dir;
    const QString p = scrivi(dir, testo);
    std::vector<std::uint8_t> buf(4, 0x55);
    const auto esito = LeggiFileHex(p, buf, std::size_t(obbligatorie));
    if (errore.isEmpty()) {
        QVERIFY2(!esito, qPrintable(esito.value_or(QString())));
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(buf.data()), 4), attesi);
    } else {
        QVERIFY(esito);
        QVERIFY2(esito->startsWith(errore), qPrintable(*esito));
    }
}

void TestFileHex::fileGrandeLeggeSoloIlNecessario()
{
    QTemporaryDir dir;
    QByteArray testo;
    for (int i = 0; i < 200000; ++i)
        testo += QByteArray::number(i % 256) + "\r\n";
    testo += "garbage\r\n";
    const QString p = scrivi(dir, testo);
    std::vector<std::uint8_t> buf(128, 0);
    QVERIFY(!LeggiFileHex(p, buf, 0));
    for (int i = 0; i < 128; ++i)
        QCOMPARE(int(buf[std::size_t(i)]), i);
}

void TestFileHex::fileMancante()
{
    QTemporaryDir dir;
    std::vector<std::uint8_t> buf(4, 0);
    const auto e = LeggiFileHex(dir.filePath(QStringLiteral("none.hex")), buf, 0);
    QVERIFY(e);
    QVERIFY(e->startsWith(QStringLiteral("Cannot open none.hex")));
    QCOMPARE(::mkfifo(qPrintable(dir.filePath(QStringLiteral("pipe.hex"))), 0600), 0);
    QCOMPARE(LeggiFileHex(dir.filePath(QStringLiteral("pipe.hex")), buf, 0),
             QStringLiteral("Cannot open pipe.hex: not a regular file"));
}

void TestFileHex::scritturaEsatta()
{
    QTemporaryDir dir;
    const QString p = dir.filePath(QStringLiteral("out.hex"));
    const std::vector<std::uint8_t> byte{0, 7, 42, 255};
    QVERIFY(!ScriviFileHex(p, byte));
    QFile f(p);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), QByteArray(" 0 \r\n 7 \r\n 42 \r\n 255 \r\n"));
    f.close();
    std::vector<std::uint8_t> letti(4, 9);
    QVERIFY(!LeggiFileHex(p, letti, 0));
    QCOMPARE(letti, byte);
}

void TestFileHex::scritturaFallitaLasciaIlFile()
{
    QTemporaryDir dir;
    // A directory where the file should be: nothing can replace it.
    const QString p = dir.filePath(QStringLiteral("sub"));
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("sub")));
    const std::vector<std::uint8_t> byte{1, 2};
    const auto e = ScriviFileHex(p, byte);
    QVERIFY(e);
    QVERIFY2(e->startsWith(QStringLiteral("Cannot write sub")), qPrintable(*e));
    QVERIFY(QFileInfo(p).isDir());
    const auto e2 = ScriviFileHex(dir.filePath(QStringLiteral("missing/x.hex")), byte);
    QVERIFY(e2);
}

QTEST_GUILESS_MAIN(TestFileHex)
#include "tst_filehex.moc"
