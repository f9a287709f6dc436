// Register writes by value type against the device simulator.
#include "app/Avvio.h"
#include "base/Log.h"
#include "link/StatoLink.h"
#include "project/Registri.h"
#include "support/Banco.h"
#include "support/Doubles.h"
#include "support/Frame.h"
#include "support/LinkSim.h"
#include "device/ScritturaRegistri.h"

#include <QTest>
#include <cmath>
#include <limits>

using namespace ludra;
using test::Mezzo;
using sim::Guasto;
using sim::Trama;

namespace {

enum class Tipo { Parola, Long, Float };

void scrivi(Tipo t, double& v, std::int16_t n)
{
    switch (t) {
    case Tipo::Parola: ScriviRegistro(v, 0, n); break;
    case Tipo::Long: ScriviRegistroLong(v, 0, n); break;
    case Tipo::Float: ScriviRegistroFloat(v, 0, n); break;
    }
}

int blocchiErrore(const QStringList& righe)
{
    return int(righe.count(QStringLiteral("  Error")));
}

} // namespace

Q_DECLARE_METATYPE(Tipo)

class TestScritturaRegistri : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        banco_.apri();
        banco_.tieniLink();
        ImpostaDefaultLink();
        ImpostaModello();
    }
    void cleanup()
    {
        banco_.chiudi();
    }
    void scritture_data();
    void scritture();
    void fuoriIntervallo_data();
    void fuoriIntervallo();
    void coppiaSenzaRisposta();
    void coppiaMetaRiuscita();
    void registroOltreLaTabella();

private:
    test::Banco banco_;
    test::FakeDialogs& dialogs_ = banco_.dialogs;
};

void TestScritturaRegistri::scritture_data()
{
    QTest::addColumn<Tipo>("tipo");
    QTest::addColumn<double>("valore");
    QTest::addColumn<double>("restituito");      // the caller's variable afterwards
    QTest::addColumn<QList<int>>("parole");       // registers n, n + 1 on the device
    QTest::addColumn<QList<int>>("tabella");      // table entries n, n + 1
    QTest::newRow("2.5 to even") << Tipo::Parola << 2.5 << 2.0 << QList<int>{2} << QList<int>{2};
    QTest::newRow("3.5 to even") << Tipo::Parola << 3.5 << 4.0 << QList<int>{4} << QList<int>{4};
    QTest::newRow("-2") << Tipo::Parola << -2.0 << 65534.0 << QList<int>{0xFFFE} << QList<int>{65534};
    QTest::newRow("-1") << Tipo::Parola << -1.0 << 65535.0 << QList<int>{0xFFFF} << QList<int>{65535};
    QTest::newRow("int min") << Tipo::Parola << -32768.0 << 32768.0 << QList<int>{0x8000} << QList<int>{32768};
    QTest::newRow("uint max") << Tipo::Parola << 65535.0 << 65535.0 << QList<int>{0xFFFF} << QList<int>{65535};
    QTest::newRow("long 70000") << Tipo::Long << 70000.0 << 70000.0 << QList<int>{0x1170, 1}
                                << QList<int>{4464, 1};
    QTest::newRow("long -1") << Tipo::Long << -1.0 << 4294967295.0 << QList<int>{0xFFFF, 0xFFFF}
                             << QList<int>{-1, -1};
    QTest::newRow("long min") << Tipo::Long << -2147483648.0 << 2147483648.0
                              << QList<int>{0, 0x8000} << QList<int>{0, -32768};
    QTest::newRow("ulong max") << Tipo::Long << 4294967295.0 << 4294967295.0
                               << QList<int>{0xFFFF, 0xFFFF} << QList<int>{-1, -1};
    QTest::newRow("float 1") << Tipo::Float << 1.0 << 1.0 << QList<int>{0, 0x3F80}
                             << QList<int>{0, 16256};
    QTest::newRow("float -2.5") << Tipo::Float << -2.5 << -2.5 << QList<int>{0, 0xC020}
                                << QList<int>{0, -16352};
    QTest::newRow("float 0.1") << Tipo::Float << 0.1 << 0.1 << QList<int>{0xCCCD, 0x3DCC}
                               << QList<int>{-13107, 15820};
}

void TestScritturaRegistri::scritture()
{
    QFETCH(Tipo, tipo);
    QFETCH(double, valore);
    QFETCH(double, restituito);
    QFETCH(QList<int>, parole);
    QFETCH(QList<int>, tabella);
    test::LinkSuSim link(Mezzo::Tcp);
    QVERIFY(link.connetti());
    const int righe = int(LogModello::istanza().righe().size());
    double v = valore;
    scrivi(tipo, v, 30);
    QCOMPARE(v, restituito);
    const auto richieste = test::richiesteRicevute(link.sim, Mezzo::Tcp);
    QCOMPARE(int(richieste.size()), int(parole.size()));
    for (int i = 0; i < parole.size(); ++i) {
        QCOMPARE(richieste[std::size_t(i)],
                 (Trama{10, 6, 0, std::uint8_t(30 + i), std::uint8_t(parole[i] >> 8),
                        std::uint8_t(parole[i] & 0xFF)}));
        QCOMPARE(int(link.sim.registro(30 + i)), parole[i]);
        QCOMPARE(TabellaRegistri[std::size_t(30 + i)].Valore, tabella[i]);
    }
    QCOMPARE(LogModello::istanza().righe().size(), righe);
    QVERIFY(dialogs_.messaggi.empty());
}

// A value the type cannot carry goes nowhere: nothing is sent, the table keeps its
// values, and the Log says "Error".
void TestScritturaRegistri::fuoriIntervallo_data()
{
    QTest::addColumn<Tipo>("tipo");
    QTest::addColumn<double>("valore");
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    QTest::newRow("word 65536") << Tipo::Parola << 65536.0;
    QTest::newRow("word 65535.5 rounds up") << Tipo::Parola << 65535.5;
    QTest::newRow("word -32769") << Tipo::Parola << -32769.0;
    QTest::newRow("word -65536") << Tipo::Parola << -65536.0;
    QTest::newRow("word 1e12") << Tipo::Parola << 1e12;
    QTest::newRow("word nan") << Tipo::Parola << nan;
    QTest::newRow("long 2^32") << Tipo::Long << 4294967296.0;
    QTest::newRow("long -2^31-1") << Tipo::Long << -2147483649.0;
    QTest::newRow("long inf") << Tipo::Long << inf;
    QTest::newRow("float 1e39") << Tipo::Float << 1e39;
    QTest::newRow("float -inf") << Tipo::Float << -inf;
    QTest::newRow("float nan") << Tipo::Float << nan;
}

void TestScritturaRegistri::fuoriIntervallo()
{
    QFETCH(Tipo, tipo);
    QFETCH(double, valore);
    test::LinkSuSim link(Mezzo::Tcp);
    QVERIFY(link.connetti());
    link.sim.setRegistro(40, 111);
    link.sim.setRegistro(41, 222);
    TabellaRegistri[40].Valore = 11;
    TabellaRegistri[41].Valore = 22;
    // Something else went out before: its bytes must not go out again.
    double prima = 1234;
    ScriviRegistro(prima, 0, 50);
    const int richieste = link.sim.richieste();
    const int righe = int(LogModello::istanza().righe().size());
    double v = valore;
    scrivi(tipo, v, 40);
    QCOMPARE(link.sim.richieste(), richieste);
    QCOMPARE(int(link.sim.registro(40)), 111);
    QCOMPARE(int(link.sim.registro(41)), 222);
    QCOMPARE(TabellaRegistri[40].Valore, 11);
    QCOMPARE(TabellaRegistri[41].Valore, 22);
    const QStringList log = LogModello::istanza().righe().mid(righe);
    QCOMPARE(log.size(), 2);
    QVERIFY(log[0].startsWith(QStringLiteral("-- ")));
    QCOMPARE(log[1], QStringLiteral("  Error"));
}

void TestScritturaRegistri::coppiaSenzaRisposta()
{
    test::LinkSuSim link(Mezzo::Tcp);
    QVERIFY(link.connetti());
    Controllore.Timeout = 50;
    TabellaRegistri[60].Valore = 5;
    TabellaRegistri[61].Valore = 6;
    link.sim.impostaGuasto(Guasto::NessunaRisposta, 2);
    const int righe = int(LogModello::istanza().righe().size());
    double v = 3.0;
    ScriviRegistroFloat(v, 0, 60);
    // The second write is tried after the first failed; each failure has its block.
    QCOMPARE(link.sim.richieste(), 2);
    QCOMPARE(blocchiErrore(LogModello::istanza().righe().mid(righe)), 2);
    QCOMPARE(TabellaRegistri[60].Valore, 5);
    QCOMPARE(TabellaRegistri[61].Valore, 6);
    QCOMPARE(StopCom, std::int16_t(1));
}

void TestScritturaRegistri::coppiaMetaRiuscita()
{
    test::LinkSuSim link(Mezzo::Rtu);
    QVERIFY(link.connetti());
    TabellaRegistri[70].Valore = 5;
    TabellaRegistri[71].Valore = 6;
    link.sim.impostaGuasto(Guasto::Eccezione, 1);
    const int righe = int(LogModello::istanza().righe().size());
    double v = 70000.0;
    ScriviRegistroLong(v, 0, 70);
    QCOMPARE(TabellaRegistri[70].Valore, 5);
    QCOMPARE(TabellaRegistri[71].Valore, 1);
    QCOMPARE(int(link.sim.registro(71)), 1);
    QCOMPARE(blocchiErrore(LogModello::istanza().righe().mid(righe)), 1);
}

void TestScritturaRegistri::registroOltreLaTabella()
{
    test::LinkSuSim link(Mezzo::Tcp);
    QVERIFY(link.connetti());
    double v = 7;
    ScriviRegistroLong(v, 0, 1024);
    QCOMPARE(TabellaRegistri[1024].Valore, 7);
    // Register 1025 has no table entry: the device refuses it and nothing is stored.
    QCOMPARE(int(link.sim.richieste()), 2);
    QCOMPARE(test::richiesteRicevute(link.sim, Mezzo::Tcp).back(), (Trama{10, 6, 4, 1, 0, 0}));
}

QTEST_GUILESS_MAIN(TestScritturaRegistri)
#include "tst_scritturaregistri.moc"
