#include "app/Avvio.h"
#include "base/Finestre.h"
#include "monitor/DialogoValori.h"
#include "monitor/InputBox.h"
#include "support/Banco.h"
#include "support/Doubles.h"

#include <QTest>

using namespace ludra;

class TestDialogoValori : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void attendeFinoAllaChiusura();
    void unoAllaVolta();
    void senzaFinestre();
    void dialogoCheNonSiApre();
    void chiusoDallaCornice();
    void soloIlDialogoApertoChiude();
    void parole_data();
    void parole();
    void bit_data();
    void bit();

private:
    test::Banco banco_;
    test::Banco* doubles = &banco_;
    test::FakeFinestre host;
};

void TestDialogoValori::init()
{
    banco_.apri(test::Banco::Doppi::Tutti);
    host = test::FakeFinestre{};
    setHostFinestre(&host);
}

void TestDialogoValori::cleanup()
{
    setHostFinestre(nullptr);
    banco_.chiudi();
}

void TestDialogoValori::attendeFinoAllaChiusura()
{
    int giri = 0;
    doubles->waiter.duranteAttesa = [&] {
        QVERIFY(DialogoAperto);
        if (++giri == 5) {
            TestoDialogo = QStringLiteral("out");
            ChiudiDialogoValori(Finestra::Input_Box);
        }
    };
    bool preimpostato = false;
    QVERIFY(ApriDialogoValori(Finestra::Input_Box, [&] {
        preimpostato = true;
        TestoDialogo = QStringLiteral("in");
    }));
    QVERIFY(preimpostato);
    QCOMPARE(giri, 5);
    QVERIFY(!DialogoAperto);
    QCOMPARE(TestoDialogo, QStringLiteral("out"));
}

void TestDialogoValori::unoAllaVolta()
{
    bool secondo = true;
    bool preimpostatoSecondo = false;
    doubles->waiter.duranteAttesa = [&] {
        // A second opener while the first waits is refused at once; its presets never
        // touch the open dialog's values.
        secondo = ApriDialogoValori(Finestra::Input_Tab,
                                    [&] { preimpostatoSecondo = true; });
        ChiudiDialogoValori(Finestra::Input_Box);
    };
    QVERIFY(ApriDialogoValori(Finestra::Input_Box, {}));
    QVERIFY(!secondo);
    QVERIFY(!preimpostatoSecondo);
    // The second opener brought the open dialog to the front, untouched.
    QCOMPARE(host.aperte, (QStringList{"Input_Box", "Input_Box"}));
}

void TestDialogoValori::senzaFinestre()
{
    setHostFinestre(nullptr);
    bool preimpostato = false;
    QVERIFY(!ApriDialogoValori(Finestra::Input_Box, [&] { preimpostato = true; }));
    QVERIFY(!preimpostato);
    QVERIFY(!DialogoAperto);
}

void TestDialogoValori::dialogoCheNonSiApre()
{
    host.carica = false;
    QVERIFY(!ApriDialogoValori(Finestra::Input_Box, {}));
    QVERIFY(!DialogoAperto);
    QCOMPARE(doubles->waiter.pompaggi, 0);
}

void TestDialogoValori::chiusoDallaCornice()
{
    doubles->waiter.duranteAttesa = [&] { host.caricate.clear(); };
    QVERIFY(ApriDialogoValori(Finestra::Input_Box, {}));
    QVERIFY(!DialogoAperto);
    // The host going away ends the wait as well.
    doubles->waiter.duranteAttesa = [&] { setHostFinestre(nullptr); };
    QVERIFY(ApriDialogoValori(Finestra::Input_Box, {}));
    QVERIFY(!DialogoAperto);
}

void TestDialogoValori::soloIlDialogoApertoChiude()
{
    // The table window, opened from its menu while the set-register dialog waits, is
    // closed by the user: the set-register dialog's opener keeps waiting.
    int giri = 0;
    doubles->waiter.duranteAttesa = [&] {
        ++giri;
        if (giri == 1) {
            QVERIFY(!DialogoInAttesa(Finestra::Input_Tab));
            ChiudiDialogoValori(Finestra::Input_Tab);
        } else if (giri == 3) {
            QVERIFY(DialogoAperto);
            ChiudiDialogoValori(Finestra::Input_Box);
        }
    };
    QVERIFY(ApriDialogoValori(Finestra::Input_Box, {}));
    QCOMPARE(giri, 3);
    QVERIFY(!DialogoInAttesa(Finestra::Input_Box));
}

void TestDialogoValori::parole_data()
{
    QTest::addColumn<QString>("testo");
    QTest::addColumn<int>("bassa");
    QTest::addColumn<int>("alta");
    QTest::newRow("12") << "12" << 12 << 0;
    QTest::newRow("leading blank") << " 12" << 12 << 0;
    QTest::newRow("65536") << "65536" << 0 << 1;
    QTest::newRow("max") << "4294967295" << 0xFFFF << 0xFFFF;
    QTest::newRow("hex") << "&H12345678" << 0x5678 << 0x1234;
    QTest::newRow("negative") << "-1" << 0 << 0;
    QTest::newRow("2^32") << "4294967296" << 0 << 0;
    QTest::newRow("text") << "abc" << 0 << 0;
    QTest::newRow("empty") << "" << 0 << 0;
}

void TestDialogoValori::parole()
{
    QFETCH(QString, testo);
    QFETCH(int, bassa);
    QFETCH(int, alta);
    const ParoleBit p = ParoleDaTesto(testo);
    QCOMPARE(int(p.bassa), bassa);
    QCOMPARE(int(p.alta), alta);
}

void TestDialogoValori::bit_data()
{
    QTest::addColumn<quint32>("bit");
    QTest::addColumn<bool>("riga0");
    QTest::addColumn<bool>("riga1");
    QTest::addColumn<QString>("testo");
    QTest::newRow("bit 3") << quint32(8) << true << true << "8";
    QTest::newRow("none") << quint32(0) << true << true << "0";
    QTest::newRow("all unsigned") << quint32(0xFFFFFFFE) << true << true << "4294967294";
    QTest::newRow("row 1 hidden") << quint32(0xFFFF0001) << true << false << "1";
    QTest::newRow("row 0 hidden") << quint32(0x00010001) << false << true << "65536";
}

void TestDialogoValori::bit()
{
    QFETCH(quint32, bit);
    QFETCH(bool, riga0);
    QFETCH(bool, riga1);
    QFETCH(QString, testo);
    QCOMPARE(TestoDaBit(bit, riga0, riga1), testo);
}

QTEST_GUILESS_MAIN(TestDialogoValori)
#include "tst_dialogovalori.moc"
