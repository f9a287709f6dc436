// The devices' register map: text forms of the identity bytes, break bits, code tables,
// the checks on a register reply and the clock bytes built from the clock fields.
#include "app/Avvio.h"
#include "base/Testi.h"
#include "devconfig/MappaDispositivi.h"
#include "devconfig/ScritturaConfig.h"
#include "link/StatoLink.h"
#include "support/Banco.h"

#include <QTest>

using namespace ludra;

class TestMappaDispositivi : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        banco_.apri(test::Banco::Doppi::Nessuno);
        ImpostaLingua(kInglese);
    }
    void cleanup() { banco_.chiudi(); }

    void firmware_data();
    void firmware();
    void nomeModulo();
    void hex_data();
    void hex();
    void rottura_data();
    void rottura();
    void codiciTabelle();
    void rispostaControllata_data();
    void rispostaControllata();
    void registroFuoriLettura();
    void orologio_data();
    void orologio();

private:
    test::Banco banco_;
};

void TestMappaDispositivi::firmware_data()
{
    QTest::addColumn<QList<int>>("b");
    QTest::addColumn<QString>("atteso");
    QTest::newRow("numbers") << QList<int>{1, 0, 2, 5} << "1025";
    QTest::newRow("big numbers") << QList<int>{10, 200, 3, 71} << "10200371";
    QTest::newRow("characters") << QList<int>{'V', '1', '.', 'H'} << "V1.H";
    // One byte a character in the Windows code page, as the module name.
    QTest::newRow("code page characters") << QList<int>{0x80, 'x', 0xE8, 'H'}
                                          << QString::fromUtf8("\u20ACx\u00E8H");
}

void TestMappaDispositivi::firmware()
{
    QFETCH(QList<int>, b);
    QFETCH(QString, atteso);
    QCOMPARE(TestoFirmware(std::uint8_t(b[0]), std::uint8_t(b[1]), std::uint8_t(b[2]),
                           std::uint8_t(b[3])),
             atteso);
}

void TestMappaDispositivi::nomeModulo()
{
    // Register 3 holds characters 2 and 1, register 4 characters 4 and 3.
    QCOMPARE(TestoNome('B', 'A', 'D', 'C'), QStringLiteral("ABCD"));
    QCOMPARE(TestoNome(0xE8, 'x', 'z', 'y'), QStringLiteral("x\u00E8yz"));
}

void TestMappaDispositivi::hex_data()
{
    QTest::addColumn<int>("b");
    QTest::addColumn<QString>("atteso");
    QTest::newRow("0") << 0 << "0";
    QTest::newRow("5") << 5 << "5";
    QTest::newRow("26") << 26 << "1A";
    QTest::newRow("255") << 255 << "FF";
}

void TestMappaDispositivi::hex()
{
    QFETCH(int, b);
    QFETCH(QString, atteso);
    QCOMPARE(TestoHex(std::uint8_t(b)), atteso);
}

void TestMappaDispositivi::rottura_data()
{
    QTest::addColumn<QString>("modello");
    QTest::addColumn<int>("bit");
    QTest::addColumn<int>("canale");
    QTest::addColumn<bool>("rotto");
    QTest::newRow("1104 own bit") << "KVR1104" << 0x20 << 5 << true;
    QTest::newRow("1104 other bit") << "KVR1104" << 0x20 << 4 << false;
    QTest::newRow("1113 low bit") << "KVR1113" << 0x04 << 1 << true;
    QTest::newRow("1113 high bit") << "KVR1113" << 0x08 << 1 << true;
    QTest::newRow("1113 neighbour") << "KVR1113" << 0x08 << 2 << false;
    QTest::newRow("1135 channel 4 has none") << "KVR1135" << 0xFF << 4 << false;
    QTest::newRow("1142 channel 7 has none") << "KVR1142" << 0xFF << 7 << false;
    QTest::newRow("out of range") << "KVR1104" << 0xFF << 8 << false;
}

void TestMappaDispositivi::rottura()
{
    QFETCH(QString, modello);
    QFETCH(int, bit);
    QFETCH(int, canale);
    QFETCH(bool, rotto);
    QCOMPARE(CanaleRotto(modello, std::uint8_t(bit), canale), rotto);
}

void TestMappaDispositivi::codiciTabelle()
{
    QCOMPARE(CodiceBaud(QStringLiteral("9600")), std::optional<int>(3));
    QCOMPARE(CodiceBaud(QStringLiteral("115200")), std::optional<int>(7));
    QCOMPARE(CodiceBaud(QStringLiteral("300")), std::nullopt);
    // The codes are per model: 4 is "Tc J" in one list and "10 V" in another.
    QCOMPARE(TipiIngresso(QStringLiteral("KVR1121"))[4].codice, 4);
    QCOMPARE(QString::fromLatin1(TipiIngresso(QStringLiteral("KVR1121"))[4].testo), "Tc J");
    QCOMPARE(QString::fromLatin1(TipiIngresso(QStringLiteral("KVR1135"))[0].testo), "10 V");
    QCOMPARE(TipiIngresso(QStringLiteral("KVR1104")).size(), std::size_t(8));
    QCOMPARE(TipiIngresso(QStringLiteral("KVR1142")).size(), std::size_t(12));
    QVERIFY(TipiIngresso(QStringLiteral("KVR1186")).empty());
    QCOMPARE(ModelliDispositivo().size(), std::size_t(17));
    QVERIFY(!TrovaModello(QStringLiteral("KVR9999")));
}

void TestMappaDispositivi::rispostaControllata_data()
{
    QTest::addColumn<int>("lenRx");
    QTest::addColumn<int>("conteggio");
    QTest::addColumn<int>("quanti");
    QTest::addColumn<bool>("accettata");
    QTest::newRow("exact") << 3 + 26 << 26 << 13 << true;
    QTest::newRow("with rtu checksum") << 3 + 26 + 2 << 26 << 13 << true;
    QTest::newRow("truncated") << 3 + 25 << 26 << 13 << false;
    QTest::newRow("count says less") << 3 + 26 << 24 << 13 << false;
    QTest::newRow("count says more") << 3 + 26 << 28 << 13 << false;
    QTest::newRow("header only") << 3 << 0 << 1 << false;
    QTest::newRow("more than a read holds") << 3 + 34 << 34 << 17 << false;
}

void TestMappaDispositivi::rispostaControllata()
{
    QFETCH(int, lenRx);
    QFETCH(int, conteggio);
    QFETCH(int, quanti);
    QFETCH(bool, accettata);
    BuffRx.fill(0x11);
    BuffRx[2] = std::uint8_t(conteggio);
    LenRx = std::int16_t(lenRx);
    QCOMPARE(RegistriLetti::DaRisposta(0, quanti).has_value(), accettata);
}

void TestMappaDispositivi::registroFuoriLettura()
{
    LenRx = 7;
    BuffRx[2] = 4;
    BuffRx[3] = 0xFF;
    BuffRx[4] = 0xFE;
    BuffRx[5] = 0x12;
    BuffRx[6] = 0x34;
    BuffRx[7] = 0x99;   // beyond the reply
    const auto r = RegistriLetti::DaRisposta(18, 2);
    QVERIFY(r);
    QCOMPARE(r->conSegno(18), -2);
    QCOMPARE(r->lo(19), 0x34);
    QCOMPARE(r->hi(20), 0);
    QCOMPARE(r->lo(17), 0);
}

void TestMappaDispositivi::orologio_data()
{
    QTest::addColumn<QStringList>("campi");
    QTest::addColumn<QList<int>>("atteso");   // empty: refused
    const QList<int> ok = {0, 0x45, 0x30, 0x12, 3, 0x25, 0x12, 0x25};
    QTest::newRow("read names") << QStringList{"12", "30", "", "45", "Tuesday", "25", "December", "2025"} << ok;
    QTest::newRow("calendar names any case")
        << QStringList{"12", "30", "", "45", "tuesday", "25", "DECEMBER", "2025"} << ok;
    QTest::newRow("month number") << QStringList{"12", "30", "", "45", "Tuesday", "25", "12", "2025"} << ok;
    QTest::newRow("time 60") << QStringList{"60", "30", "", "45", "Tuesday", "25", "December", "2025"}
                             << QList<int>{};
    QTest::newRow("no weekday") << QStringList{"12", "30", "", "45", "", "25", "December", "2025"}
                                << QList<int>{};
    QTest::newRow("day 32") << QStringList{"12", "30", "", "45", "Tuesday", "32", "December", "2025"}
                            << QList<int>{};
    QTest::newRow("month 13") << QStringList{"12", "30", "", "45", "Tuesday", "1", "13", "2025"}
                              << QList<int>{};
    QTest::newRow("year 1999") << QStringList{"12", "30", "", "45", "Tuesday", "1", "May", "1999"}
                               << QList<int>{};
    QTest::newRow("time text") << QStringList{"1a", "30", "", "45", "Tuesday", "1", "May", "2025"}
                               << QList<int>{};
}

void TestMappaDispositivi::orologio()
{
    QFETCH(QStringList, campi);
    QFETCH(QList<int>, atteso);
    std::array<QString, 8> t;
    for (std::size_t i = 0; i < t.size(); ++i)
        t[i] = campi[int(i)];
    QString errore;
    const auto b = ByteOrologio(t, &errore);
    if (atteso.isEmpty()) {
        QVERIFY(!b);
        QVERIFY(!errore.isEmpty());
        return;
    }
    QVERIFY2(b, qPrintable(errore));
    QCOMPARE(QList<int>(b->begin(), b->end()), atteso);
}

QTEST_GUILESS_MAIN(TestMappaDispositivi)
#include "tst_mappadispositivi.moc"
