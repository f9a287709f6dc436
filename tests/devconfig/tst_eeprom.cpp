// The controller memory tool's operations against the device simulator.
#include "app/Avvio.h"
#include "devconfig/Eeprom.h"
#include "link/StatoLink.h"
#include "project/Registri.h"
#include "support/Banco.h"
#include "support/Doubles.h"
#include "support/Frame.h"
#include "support/Ladder.h"
#include "support/LinkSim.h"

#include <QTest>

using namespace ludra;
using test::Mezzo;
using test::accessi;

Q_DECLARE_METATYPE(Larghezza)

namespace {

std::vector<int> memoria(sim::Simulatore& s, int da, int n)
{
    std::vector<int> out;
    for (int i = 0; i < n; ++i)
        out.push_back(s.memoria(da + i));
    return out;
}

} // namespace

class TestEeprom : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        banco_.apri(test::Banco::Doppi::Dialoghi, test::Banco::Avvio::Progetto);
        Controllore.Modello = QStringLiteral("KVR5200");
        ImpostaModello();
        link_ = std::make_unique<test::LinkSuSim>(Mezzo::Tcp);
        QVERIFY(link_->connetti());
    }
    void cleanup()
    {
        link_.reset();
        banco_.chiudi();
    }

    void puntatori();
    void puntatoriRifiutati_data();
    void puntatoriRifiutati();
    void mac();
    void voceWeb();
    void valore();
    void divisione_data();
    void divisione();
    void letturaFallitaSvuota();
    void scritturaRifiutata_data();
    void scritturaRifiutata();
    void copia();
    void copiaSiFermaAlPrimoErrore();
    void logger();
    void immagine();

private:
    sim::Simulatore& sim() { return link_->sim; }
    test::Banco banco_;
    test::FakeDialogs& dialoghi_ = banco_.dialogs;
    std::unique_ptr<test::LinkSuSim> link_;
};

void TestEeprom::puntatori()
{
    CampiEeprom c;
    c.txt_punt = {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"),
                  QStringLiteral("4")};
    QVERIFY(PuntatoriPredefiniti(c));
    QCOMPARE(c.txt_punt[3], QStringLiteral("8192"));
    QCOMPARE(memoria(sim(), 448, 16),
             (std::vector<int>{0, 2, 0, 0, 2, 0x16, 0, 0, 0x20, 0, 0, 0, 0, 0x20, 0, 0}));
    const auto a = accessi(sim());
    QCOMPARE(a.size(), std::size_t(4));
    for (int k = 0; k < 4; ++k)
        QCOMPARE(a[std::size_t(k)].indirizzo, 448 + 4 * k);

    for (int i = 0; i < 4; ++i)
        sim().setMemoria(460 + i, std::uint8_t(0xFF));
    c.txt_punt.fill(QString());
    QVERIFY(LeggiPuntatori(c));
    QCOMPARE(c.txt_punt[0], QStringLiteral("512"));
    QCOMPARE(c.txt_punt[1], QStringLiteral("5634"));
    QCOMPARE(c.txt_punt[3], QStringLiteral("4294967295"));
}

void TestEeprom::puntatoriRifiutati_data()
{
    QTest::addColumn<QString>("testo");
    QTest::newRow("not a number") << "abc";
    QTest::newRow("negative") << "-1";
    QTest::newRow("past 32 bits") << "4294967296";
    QTest::newRow("empty") << "";
}

void TestEeprom::puntatoriRifiutati()
{
    QFETCH(QString, testo);
    CampiEeprom c;
    c.txt_punt[3] = testo;   // the last one: the first three must not go out either
    const int prima = sim().richieste();
    QVERIFY(!ScriviPuntatori(c));
    QCOMPARE(sim().richieste(), prima);
    QCOMPARE(dialoghi_.messaggi.size(), std::size_t(1));
}

void TestEeprom::mac()
{
    CampiEeprom c;
    c.txt_MAC = {QStringLiteral("0c"), QStringLiteral("B2"), QStringLiteral("A1")};
    QVERIFY(ScriviMacEeprom(c));
    QCOMPARE(memoria(sim(), 189, 3), (std::vector<int>{0xA1, 0xB2, 0x0C}));
    CampiEeprom letti;
    QVERIFY(LeggiMacEeprom(letti));
    // The same three addresses both ways.
    QCOMPARE(letti.txt_MAC[2], QStringLiteral("A1"));
    QCOMPARE(letti.txt_MAC[1], QStringLiteral("B2"));
    QCOMPARE(letti.txt_MAC[0], QStringLiteral("0C"));

    c.txt_MAC[1] = QStringLiteral("G1");
    const int prima = sim().richieste();
    QVERIFY(!ScriviMacEeprom(c));
    QCOMPARE(sim().richieste(), prima);
}

void TestEeprom::voceWeb()
{
    CampiEeprom c;
    c.txt_WebReg = {QStringLiteral("0"), QStringLiteral("26"), QStringLiteral("0"),
                    QStringLiteral("%5.0f"), QStringLiteral("Var0")};
    QVERIFY(ScriviVoceWeb(c));
    QCOMPARE(memoria(sim(), 7680, 16),
             (std::vector<int>{0x1A, 0, 0, 0x25, 0x35, 0x2E, 0x30, 0x66, 0, 0x56, 0x61, 0x72,
                               0x30, 0x20, 0x20, 0}));
    CampiEeprom letti;
    letti.txt_WebReg[0] = QStringLiteral("0");
    QVERIFY(LeggiVoceWeb(letti));
    QCOMPARE(letti.txt_WebReg[1], QStringLiteral("26"));
    QCOMPARE(letti.txt_WebReg[3], QStringLiteral("%5.0f"));
    QCOMPARE(letti.txt_WebReg[4], QStringLiteral("Var0  "));

    // An index past the table would write into the web pages.
    c.txt_WebReg[0] = QStringLiteral("32");
    const int prima = sim().richieste();
    QVERIFY(!ScriviVoceWeb(c));
    QVERIFY(!LeggiVoceWeb(c));
    c.txt_WebReg[0] = QStringLiteral("0"), c.txt_WebReg[4] = QStringLiteral("T=\u6E29");   // not as "T=?"
    QVERIFY(!ScriviVoceWeb(c));
    QCOMPARE(sim().richieste(), prima);
}

void TestEeprom::valore()
{
    CampiEeprom c;
    c.txt_start = QStringLiteral("1000");
    c.larghezza = Larghezza::Int;
    c.txt_byte = {QStringLiteral("52"), QStringLiteral("18"), QString(), QString()};
    QVERIFY(ScriviValore(c));
    QCOMPARE(memoria(sim(), 1000, 3), (std::vector<int>{52, 18, 0}));
    c.txt_byte.fill(QString());
    QVERIFY(LeggiValore(c));
    QCOMPARE(c.txt_valore, QStringLiteral("4660"));
    QCOMPARE(c.txt_byte[1], QStringLiteral("18"));
    c.larghezza = Larghezza::Long;
    sim().setMemoria(1003, 1);
    QVERIFY(LeggiValore(c));
    QCOMPARE(c.txt_valore, QStringLiteral("16781876"));
}

void TestEeprom::divisione_data()
{
    QTest::addColumn<Larghezza>("larghezza");
    QTest::addColumn<QString>("valore");
    QTest::addColumn<QStringList>("byte");
    const QStringList vuoti{QString(), QString(), QString(), QString()};
    QTest::newRow("long") << Larghezza::Long << "4660" << QStringList{"52", "18", "0", "0"};
    QTest::newRow("long top") << Larghezza::Long << "4294967295" << QStringList{"255", "255", "255", "255"};
    QTest::newRow("int -1") << Larghezza::Int << "-1" << QStringList{"255", "255", "0", "0"};
    QTest::newRow("byte") << Larghezza::Byte << "200" << QStringList{"200", "0", "0", "0"};
    QTest::newRow("float shows zeros") << Larghezza::Float << "1.5" << QStringList{"0", "0", "0", "0"};
    QTest::newRow("byte too large") << Larghezza::Byte << "300" << vuoti;
    QTest::newRow("int too large") << Larghezza::Int << "65536" << vuoti;
    QTest::newRow("long negative") << Larghezza::Long << "-1" << vuoti;
    QTest::newRow("not a number") << Larghezza::Int << "12a" << vuoti;
}

void TestEeprom::divisione()
{
    QFETCH(Larghezza, larghezza);
    QFETCH(QString, valore);
    QFETCH(QStringList, byte);
    CampiEeprom c;
    c.larghezza = larghezza;
    c.txt_valore = valore;
    DividiValore(c);
    QCOMPARE(QStringList(c.txt_byte.begin(), c.txt_byte.end()), byte);
}

void TestEeprom::letturaFallitaSvuota()
{
    CampiEeprom c;
    c.larghezza = Larghezza::Int;
    c.txt_valore = QStringLiteral("4660");
    sim().impostaGuasto(sim::Guasto::Eccezione);
    QVERIFY(!LeggiValore(c));
    QCOMPARE(c.txt_valore, QString());
    QCOMPARE(c.txt_byte[0], QString());
    c.txt_punt[0] = QStringLiteral("512");
    sim().impostaGuasto(sim::Guasto::Eccezione);
    QVERIFY(!LeggiPuntatori(c));
    QCOMPARE(c.txt_punt[0], QString());
}

void TestEeprom::scritturaRifiutata_data()
{
    QTest::addColumn<QString>("indirizzo");
    QTest::addColumn<QString>("alto");
    QTest::newRow("empty byte field after a bad split") << "1000" << "";
    QTest::newRow("byte above 255") << "1000" << "256";
    QTest::newRow("address not a number") << "x" << "1";
    QTest::newRow("second byte past memory") << "65535" << "1";
}

void TestEeprom::scritturaRifiutata()
{
    QFETCH(QString, indirizzo);
    QFETCH(QString, alto);
    CampiEeprom c;
    c.txt_start = indirizzo;
    c.larghezza = Larghezza::Int;
    c.txt_byte = {QStringLiteral("1"), alto, QString(), QString()};
    const int prima = sim().richieste();
    QVERIFY(!ScriviValore(c));
    QCOMPARE(sim().richieste(), prima);
    QCOMPARE(dialoghi_.messaggi.size(), std::size_t(1));
}

void TestEeprom::copia()
{
    for (int i = 0; i < 4; ++i)
        sim().setMemoria(100 + i, std::uint8_t(10 + i));
    CampiEeprom c;
    c.Text3 = QStringLiteral("100");
    c.Text5 = QStringLiteral("200");
    c.Text4 = QStringLiteral("0");
    QVERIFY(CopiaEeprom(c));
    QCOMPARE(sim().richieste(), 0);
    c.Text4 = QStringLiteral("2");
    QVERIFY(CopiaEeprom(c));
    QCOMPARE(memoria(sim(), 200, 4), (std::vector<int>{0, 11, 12, 0}));
    const auto a = accessi(sim());
    QCOMPARE(a.size(), std::size_t(4));
    QCOMPARE(a[0].indirizzo, 101);
    QCOMPARE(a[0].quanti, 4);
    QCOMPARE(a[1].indirizzo, 201);
    QCOMPARE(a[1].quanti, 1);
    // A range running past the memory is refused before the first request.
    c.Text5 = QStringLiteral("65534");
    QVERIFY(!CopiaEeprom(c));
    QCOMPARE(sim().richieste(), 4);
    // Overlapping ranges keep the source, whichever way they overlap.
    c.Text4 = QStringLiteral("3");
    for (const auto& [verso, attesi] : {std::pair{"101", std::vector<int>{10, 11, 11, 12, 13}},
                                        std::pair{"99", std::vector<int>{11, 12, 13, 13, 0}}}) {
        for (int i = 0; i < 5; ++i)
            sim().setMemoria(100 + i, std::uint8_t(i < 4 ? 10 + i : 0));
        c.Text5 = QString::fromLatin1(verso);
        QVERIFY(CopiaEeprom(c));
        QCOMPARE(memoria(sim(), 100, 5), attesi);
    }
}

void TestEeprom::copiaSiFermaAlPrimoErrore()
{
    CampiEeprom c;
    c.Text4 = QStringLiteral("50");
    sim().impostaGuasto(sim::Guasto::Eccezione);
    QVERIFY(!CopiaEeprom(c));
    QCOMPARE(sim().richieste(), 1);
    sim().impostaGuasto(sim::Guasto::Eccezione);
    QVERIFY(!CancellaLogger());
    QCOMPARE(sim().richieste(), 2);
}

void TestEeprom::logger()
{
    QVERIFY(CancellaLogger(50000, 50003));
    QCOMPARE(memoria(sim(), 49999, 6), (std::vector<int>{0, 50, 50, 50, 50, 0}));
    QCOMPARE(sim().richieste(), 4);
}

void TestEeprom::immagine()
{
    CampiEeprom c;
    c.Text1 = QStringLiteral("40");
    c.Text2 = QStringLiteral("100");
    EepromInFile(c);   // the save dialog is cancelled
    const auto a = accessi(sim());
    QCOMPARE(a.size(), std::size_t(3));
    QCOMPARE(a[0].indirizzo, 32);
    QCOMPARE(a[2].indirizzo, 96);
    c.Text2 = QStringLiteral("39");   // an empty range
    const int prima = sim().richieste();
    QVERIFY(!EepromInFile(c));
    QCOMPARE(sim().richieste(), prima);
}

QTEST_GUILESS_MAIN(TestEeprom)
#include "tst_eeprom.moc"
