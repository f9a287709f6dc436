#include "app/Avvio.h"
#include "fbeditor/Trasf.h"
#include "project/Progetto.h"
#include "support/Banco.h"

#include <QTest>
#include <cmath>
#include <limits>

using namespace ludra;

Q_DECLARE_METATYPE(ludra::SlotArgomento)

namespace {
constexpr SlotArgomento kSporco = {0xAA, 0xBB, 0xCC, 0xDD};
}

class TestTrasf : public QObject {
    Q_OBJECT
private slots:
    void init() { banco_.apri(test::Banco::Doppi::Nessuno); }
    void cleanup() { banco_.chiudi(); }
    void codifica_data();
    void codifica();
    void scriveIlValoreNegativo_data();
    void scriveIlValoreNegativo();
    void traboccoLasciaTutto_data();
    void traboccoLasciaTutto();
    void tipiSenzaCodificaNonScrivono_data();
    void tipiSenzaCodificaNonScrivono();
    void scriveNellaRigaCorrente();
    void fuoriIntervallo();

private:
    test::Banco banco_;
};

void TestTrasf::codifica_data()
{
    QTest::addColumn<double>("valore");
    QTest::addColumn<int>("tipo");
    QTest::addColumn<SlotArgomento>("attesi");
    QTest::newRow("1000 uInt") << 1000.0 << 0 << SlotArgomento{0xE8, 0x03, 0, 0};
    QTest::newRow("-1 Int") << -1.0 << 1 << SlotArgomento{0xFF, 0xFF, 0, 0};
    QTest::newRow("65535 uInt") << 65535.0 << 0 << SlotArgomento{0xFF, 0xFF, 0, 0};
    QTest::newRow("-65536 Int") << -65536.0 << 1 << SlotArgomento{0, 0, 0, 0};
    QTest::newRow("4660 uLong") << 4660.0 << 2 << SlotArgomento{0x34, 0x12, 0, 0};
    QTest::newRow("0x12345678 uLong") << double(0x12345678) << 2
                                      << SlotArgomento{0x78, 0x56, 0x34, 0x12};
    QTest::newRow("max K_Long") << 4294967295.0 << 6 << SlotArgomento{0xFF, 0xFF, 0xFF, 0xFF};
    QTest::newRow("-2 Long") << -2.0 << 3 << SlotArgomento{0xFE, 0xFF, 0xFF, 0xFF};
    QTest::newRow("min Long") << -4294967296.0 << 3 << SlotArgomento{0, 0, 0, 0};
    QTest::newRow("max Long") << 4294967295.0 << 3 << SlotArgomento{0xFF, 0xFF, 0xFF, 0xFF};
    QTest::newRow("1.0 K_Flt") << 1.0 << 5 << SlotArgomento{0x00, 0x00, 0x80, 0x3F};
    QTest::newRow("-2.5 K_Flt") << -2.5 << 5 << SlotArgomento{0x00, 0x00, 0x20, 0xC0};
    QTest::newRow("0 K_Flt") << 0.0 << 5 << SlotArgomento{0, 0, 0, 0};
    QTest::newRow("max single") << double(std::numeric_limits<float>::max()) << 5
                                << SlotArgomento{0xFF, 0xFF, 0x7F, 0x7F};
    // A fraction rounds as a whole, halves to even.
    QTest::newRow("0.5 uInt") << 0.5 << 0 << SlotArgomento{0, 0, 0, 0};
    QTest::newRow("1.5 uInt") << 1.5 << 0 << SlotArgomento{2, 0, 0, 0};
    QTest::newRow("2.5 uInt") << 2.5 << 0 << SlotArgomento{2, 0, 0, 0};
    QTest::newRow("255.5 uInt carries") << 255.5 << 0 << SlotArgomento{0, 1, 0, 0};
    QTest::newRow("511.6 uInt carries") << 511.6 << 0 << SlotArgomento{0, 2, 0, 0};
    QTest::newRow("65535.7 uLong carries") << 65535.7 << 2 << SlotArgomento{0, 0, 1, 0};
}

void TestTrasf::codifica()
{
    QFETCH(double, valore);
    QFETCH(int, tipo);
    QFETCH(SlotArgomento, attesi);
    SlotArgomento slot = kSporco;
    QVERIFY(CodificaArgomento(valore, std::uint8_t(tipo), slot));
    QCOMPARE(slot, attesi);
}

void TestTrasf::scriveIlValoreNegativo_data()
{
    QTest::addColumn<double>("valore");
    QTest::addColumn<int>("tipo");
    QTest::addColumn<double>("dopo");
    QTest::newRow("-1 Int") << -1.0 << 1 << 65535.0;
    QTest::newRow("-1 uInt") << -1.0 << 0 << 65535.0;
    QTest::newRow("-2 Long") << -2.0 << 3 << 4294967294.0;
    QTest::newRow("5 Int stays") << 5.0 << 1 << 5.0;
    QTest::newRow("-1 K_Flt stays") << -1.0 << 5 << -1.0;
}

void TestTrasf::scriveIlValoreNegativo()
{
    QFETCH(double, valore);
    QFETCH(int, tipo);
    QFETCH(double, dopo);
    SlotArgomento slot{};
    QVERIFY(CodificaArgomento(valore, std::uint8_t(tipo), slot));
    QCOMPARE(valore, dopo);
}

void TestTrasf::traboccoLasciaTutto_data()
{
    QTest::addColumn<double>("valore");
    QTest::addColumn<int>("tipo");
    QTest::newRow("65536 uInt") << 65536.0 << 0;
    QTest::newRow("-65537 Int") << -65537.0 << 1;
    QTest::newRow("65535.5 uInt") << 65535.5 << 0;
    QTest::newRow("-1 uLong") << -1.0 << 2;
    QTest::newRow("-1 K_Long") << -1.0 << 6;
    QTest::newRow("2^32 K_Long") << 4294967296.0 << 6;
    QTest::newRow("2^32 Long") << 4294967296.0 << 3;
    QTest::newRow("-2^32-1 Long") << -4294967297.0 << 3;
    QTest::newRow("1E39 K_Flt") << 1e39 << 5;
    QTest::newRow("-1E39 K_Flt") << -1e39 << 5;
    QTest::newRow("inf K_Flt") << std::numeric_limits<double>::infinity() << 5;
    QTest::newRow("nan K_Flt") << std::nan("") << 5;
    QTest::newRow("inf uInt") << std::numeric_limits<double>::infinity() << 0;
    QTest::newRow("nan Long") << std::nan("") << 3;
}

void TestTrasf::traboccoLasciaTutto()
{
    QFETCH(double, valore);
    QFETCH(int, tipo);
    SlotArgomento slot = kSporco;
    const double prima = valore;
    QVERIFY(!CodificaArgomento(valore, std::uint8_t(tipo), slot));
    QCOMPARE(slot, kSporco);
    if (!std::isnan(prima))
        QCOMPARE(valore, prima);
}

void TestTrasf::tipiSenzaCodificaNonScrivono_data()
{
    QTest::addColumn<int>("tipo");
    for (int t : {4, 7, 8, 9, 10, 11, 255})
        QTest::addRow("%d", t) << t;
}

void TestTrasf::tipiSenzaCodificaNonScrivono()
{
    QFETCH(int, tipo);
    SlotArgomento slot = kSporco;
    double v = 1e300;
    QVERIFY(CodificaArgomento(v, std::uint8_t(tipo), slot));
    QCOMPARE(slot, kSporco);
}

void TestTrasf::scriveNellaRigaCorrente()
{
    SubCorrente = 2;
    Rung& r = Sezioni[2].Rung[7];
    r.ArgByte.fill(0x55);
    const Rung altra = Sezioni[2].Rung[6];
    double v = 1000;
    QVERIFY(Trasf(v, 0, 7, 3));
    for (int j = 0; j < 32; ++j) {
        const int atteso = j == 12 ? 0xE8 : j == 13 ? 0x03 : (j == 14 || j == 15) ? 0 : 0x55;
        QCOMPARE(int(r.ArgByte[std::size_t(j)]), atteso);
    }
    QCOMPARE(Sezioni[2].Rung[6], altra);
    QCOMPARE(Sezioni[0].Rung[7], Rung{});

    // An overflow writes nothing.
    double troppo = 70000;
    QVERIFY(!Trasf(troppo, 1, 7, 0));
    QCOMPARE(int(r.ArgByte[0]), 0x55);
}

void TestTrasf::fuoriIntervallo()
{
    double v = 1;
    QVERIFY(!Trasf(v, 0, -1, 0));
    QVERIFY(!Trasf(v, 0, 101, 0));
    QVERIFY(!Trasf(v, 0, 1, 8));
    QVERIFY(!Trasf(v, 0, 1, -1));
    SubCorrente = 10;
    QVERIFY(!Trasf(v, 0, 1, 0));
    SubCorrente = -1;
    QVERIFY(!Trasf(v, 0, 1, 0));
    SubCorrente = 0;
    QVERIFY(Trasf(v, 0, 100, 7));
    QCOMPARE(int(Sezioni[0].Rung[100].ArgByte[28]), 1);
}

QTEST_GUILESS_MAIN(TestTrasf)
#include "tst_trasf.moc"
