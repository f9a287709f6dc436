// The controller's memory access, debug-mode byte, run commands and program-counter
// mark against the device simulator.
#include "app/Avvio.h"
#include "base/BarraStato.h"
#include "base/BarraStrumenti.h"
#include "base/Log.h"
#include "ladder/VistaLadder.h"
#include "link/StatoLink.h"
#include "project/Progetto.h"
#include "project/Registri.h"
#include "support/Banco.h"
#include "support/Doubles.h"
#include "support/Frame.h"
#include "support/Ladder.h"
#include "support/LinkSim.h"
#include "support/LogProva.h"
#include "debug/ContatoreProgramma.h"
#include "device/MemoriaControllore.h"

#include <QTest>

using namespace ludra;
using test::Mezzo;
using sim::Guasto;
using sim::Trama;

Q_DECLARE_METATYPE(Mezzo)

namespace {

bool gruppo(const QString& g)
{
    bool tutti = true;
    for (const QString& k : PulsantiDelGruppo(g))
        tutti = tutti && BarraStrumenti::istanza().abilitato(k);
    return tutti;
}

bool nessuno(const QString& g)
{
    for (const QString& k : PulsantiDelGruppo(g))
        if (BarraStrumenti::istanza().abilitato(k))
            return false;
    return true;
}

// "-- date --" then "  Error".
bool bloccoErrore(const QStringList& righe)
{
    return righe.size() >= 2 && righe[righe.size() - 2].startsWith(QStringLiteral("-- ")) &&
           righe.last() == QStringLiteral("  Error");
}

} // namespace

class TestMemoria : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        banco_.apri(test::Banco::Doppi::Dialoghi, test::Banco::Avvio::Progetto);
        banco_.tieniLink();
    }
    void cleanup()
    {
        banco_.chiudi();
    }
    void impostaModoDebug_data();
    void impostaModoDebug();
    void leggiModoDebug_data();
    void leggiModoDebug();
    void leggiModoDebugFallito();
    void memoria_data();
    void memoria();
    void memoriaFuoriLimiti_data();
    void memoriaFuoriLimiti();
    void registroByte();
    void comandoDebug();
    void comandoDebugFallito();
    void contatoreSaltaLeRigheVuote();
    void contatoreFuoriVistaScorre();
    void contatoreLetturaFallita();

private:
    test::Banco banco_;
};

void TestMemoria::impostaModoDebug_data()
{
    QTest::addColumn<Mezzo>("mezzo");
    QTest::addColumn<int>("flag");
    QTest::addColumn<int>("byte");
    QTest::newRow("true tcp") << Mezzo::Tcp << kVero << int('V');
    QTest::newRow("true rtu") << Mezzo::Rtu << kVero << int('V');
    QTest::newRow("0") << Mezzo::Tcp << 0 << int('U');
    QTest::newRow("1 is not true") << Mezzo::Tcp << 1 << int('U');
    QTest::newRow("other") << Mezzo::Tcp << 86 << int('U');
}

void TestMemoria::impostaModoDebug()
{
    QFETCH(Mezzo, mezzo);
    QFETCH(int, flag);
    QFETCH(int, byte);
    test::LinkSuSim link(mezzo);
    QVERIFY(link.connetti());
    link.sim.setMemoria(kIndirizzoModoDebug, 0);
    QVERIFY(ImpostaModoDebug(flag));
    QCOMPARE(int(link.sim.memoria(kIndirizzoModoDebug)), byte);
    const auto richieste = test::richiesteRicevute(link.sim, mezzo);
    QCOMPARE(richieste.size(), std::size_t(1));
    QCOMPARE(richieste[0], (Trama{10, 20, 4, 0, 0, 19, 1, std::uint8_t(byte)}));
}

void TestMemoria::leggiModoDebug_data()
{
    QTest::addColumn<int>("byte");
    QTest::addColumn<bool>("risultato");
    QTest::addColumn<bool>("letto");
    QTest::addColumn<bool>("modo");
    QTest::addColumn<bool>("pulsanti");
    QTest::addColumn<QString>("pannello");
    // Start: debug mode recorded, download and debug buttons on.
    QTest::newRow("V") << int('V') << true << true << true << true << "Debug Mode";
    QTest::newRow("U") << int('U') << false << true << false << false << "Release Mode";
    QTest::newRow("other byte") << int('v') << false << false << true << true << "Debug Mode";
    QTest::newRow("zero") << 0 << false << false << true << true << "Debug Mode";
}

void TestMemoria::leggiModoDebug()
{
    QFETCH(int, byte);
    QFETCH(bool, risultato);
    QFETCH(bool, letto);
    QFETCH(bool, modo);
    QFETCH(bool, pulsanti);
    QFETCH(QString, pannello);
    test::LinkSuSim link(Mezzo::Tcp);
    QVERIFY(link.connetti());
    Controllore.ModoDebug = true;
    AbilitaPulsanti(QStringLiteral("Puls_Download"), true);
    AbilitaPulsanti(QStringLiteral("Puls_Debug"), true);
    link.sim.setMemoria(kIndirizzoModoDebug, std::uint8_t(byte));
    bool l = !letto;
    QCOMPARE(LeggiModoDebug(&l), risultato);
    QCOMPARE(l, letto);
    QCOMPARE(Controllore.ModoDebug, modo);
    QCOMPARE(gruppo(QStringLiteral("Puls_Download")), pulsanti);
    QCOMPARE(gruppo(QStringLiteral("Puls_Debug")), pulsanti);
    if (!pulsanti) {
        QVERIFY(nessuno(QStringLiteral("Puls_Download")));
        QVERIFY(nessuno(QStringLiteral("Puls_Debug")));
    }
    QCOMPARE(BarraStato::istanza().pannello(2), pannello);
    const auto r = test::richiesteRicevute(link.sim, Mezzo::Tcp);
    QCOMPARE(r.back(), (Trama{10, 20, 2, 0, 0, 19, 1}));
}

void TestMemoria::leggiModoDebugFallito()
{
    test::LinkSuSim link(Mezzo::Tcp);
    QVERIFY(link.connetti());
    Controllore.ModoDebug = true;
    AbilitaPulsanti(QStringLiteral("Puls_Debug"), true);
    link.sim.setMemoria(kIndirizzoModoDebug, 'U');
    link.sim.impostaGuasto(Guasto::Eccezione);
    BarraStato::istanza().setPannello(2, QStringLiteral("stale"));
    const int da = test::righeLog();
    bool letto = true;
    QVERIFY(!LeggiModoDebug(&letto));
    QVERIFY(!letto);
    QVERIFY(Controllore.ModoDebug);
    QVERIFY(gruppo(QStringLiteral("Puls_Debug")));
    QVERIFY(bloccoErrore(test::logDa(da)));
    // The status bar is redrawn after a failure too.
    QCOMPARE(BarraStato::istanza().pannello(2), QStringLiteral("Debug Mode"));
}

void TestMemoria::memoria_data()
{
    QTest::addColumn<Mezzo>("mezzo");
    QTest::addColumn<int>("indirizzo");
    QTest::addColumn<int>("quanti");
    QTest::newRow("count 0") << Mezzo::Tcp << 300 << 0;
    QTest::newRow("count 1") << Mezzo::Tcp << 0 << 1;
    QTest::newRow("count 17 tcp") << Mezzo::Tcp << 448 << 17;
    QTest::newRow("count 17 rtu") << Mezzo::Rtu << 448 << 17;
    QTest::newRow("top address") << Mezzo::Tcp << 65535 - 16 << 17;
}

void TestMemoria::memoria()
{
    QFETCH(Mezzo, mezzo);
    QFETCH(int, indirizzo);
    QFETCH(int, quanti);
    test::LinkSuSim link(mezzo);
    QVERIFY(link.connetti());
    for (int i = 0; i < kDimBuffMemoria; ++i)
        BuffMemoria[std::size_t(i)] = std::uint8_t(0xA0 + i);
    QVERIFY(ScriviMemoria(indirizzo, quanti));
    Trama attesa{10, 20, 4, 0, std::uint8_t(indirizzo >> 8), std::uint8_t(indirizzo & 0xFF),
                 std::uint8_t(quanti)};
    for (int i = 0; i < quanti; ++i)
        attesa.push_back(std::uint8_t(0xA0 + i));
    QCOMPARE(test::richiesteRicevute(link.sim, mezzo).back(), attesa);
    for (int i = 0; i < quanti; ++i)
        QCOMPARE(int(link.sim.memoria(indirizzo + i)), 0xA0 + i);

    BuffMemoria.fill(0);
    QVERIFY(LeggiMemoria(indirizzo, quanti));
    QCOMPARE(test::richiesteRicevute(link.sim, mezzo).back(),
             (Trama{10, 20, 2, 0, std::uint8_t(indirizzo >> 8), std::uint8_t(indirizzo & 0xFF),
                    std::uint8_t(quanti)}));
    for (int i = 0; i < kDimBuffMemoria; ++i)
        QCOMPARE(int(BuffMemoria[std::size_t(i)]), i < quanti ? 0xA0 + i : 0);
}

void TestMemoria::memoriaFuoriLimiti_data()
{
    QTest::addColumn<int>("indirizzo");
    QTest::addColumn<int>("quanti");
    QTest::newRow("count 18") << 0 << 18;
    QTest::newRow("count -1") << 0 << -1;
    QTest::newRow("address 65536") << 65536 << 1;
    QTest::newRow("address -1") << -1 << 1;
}

void TestMemoria::memoriaFuoriLimiti()
{
    QFETCH(int, indirizzo);
    QFETCH(int, quanti);
    test::LinkSuSim link(Mezzo::Tcp);
    QVERIFY(link.connetti());
    BuffMemoria.fill(7);
    int da = test::righeLog();
    QVERIFY(!ScriviMemoria(indirizzo, quanti));
    QVERIFY(bloccoErrore(test::logDa(da)));
    da = test::righeLog();
    QVERIFY(!LeggiMemoria(indirizzo, quanti));
    QVERIFY(bloccoErrore(test::logDa(da)));
    QCOMPARE(link.sim.richieste(), 0);
    QCOMPARE(int(BuffMemoria[0]), 7);
}

void TestMemoria::registroByte()
{
    test::LinkSuSim link(Mezzo::Tcp);
    QVERIFY(link.connetti());
    link.sim.setRegistro(13, 0x0105);
    QVERIFY(LeggiRegistroByte(13));
    QCOMPARE(TabellaRegistri[13].Valore, 5);
    QCOMPARE(test::richiesteRicevute(link.sim, Mezzo::Tcp).back(), (Trama{10, 4, 0, 13, 0, 1}));

    link.sim.impostaGuasto(Guasto::Eccezione);
    link.sim.setRegistro(13, 9);
    const int da = test::righeLog();
    QVERIFY(!LeggiRegistroByte(13));
    QCOMPARE(TabellaRegistri[13].Valore, 5);
    QVERIFY(bloccoErrore(test::logDa(da)));
}

void TestMemoria::comandoDebug()
{
    test::LinkSuSim link(Mezzo::Rtu);
    QVERIFY(link.connetti());
    QVERIFY(InviaComandoDebug(kComandoRun));
    QCOMPARE(int(Controllore.StatoRun), 255);
    QCOMPARE(link.sim.registro(0), std::uint16_t(255));
    QCOMPARE(test::richiesteRicevute(link.sim, Mezzo::Rtu).back(), (Trama{10, 6, 0, 0, 0, 255}));
    QCOMPARE(BarraStato::istanza().pannello(3), QStringLiteral("RUN"));
    QVERIFY(InviaComandoDebug(kComandoPausa));
    QCOMPARE(BarraStato::istanza().pannello(3), QStringLiteral("Stop"));
    // 252 has no text of its own: the panel keeps the halt's.
    QVERIFY(InviaComandoDebug(kComandoStop));
    QCOMPARE(int(Controllore.StatoRun), 252);
    QCOMPARE(BarraStato::istanza().pannello(3), QStringLiteral("Stop"));
    QCOMPARE(link.sim.comandi(), (std::vector<std::uint16_t>{255, 100, 252}));
}

void TestMemoria::comandoDebugFallito()
{
    test::LinkSuSim link(Mezzo::Tcp);
    QVERIFY(link.connetti());
    QVERIFY(InviaComandoDebug(kComandoPausa));
    link.sim.impostaGuasto(Guasto::FunzioneErrata);
    const int da = test::righeLog();
    BarraStato::istanza().setPannello(3, QStringLiteral("stale"));
    QVERIFY(!InviaComandoDebug(kComandoRun));
    QCOMPARE(int(Controllore.StatoRun), 100);
    QVERIFY(bloccoErrore(test::logDa(da)));
    QCOMPARE(BarraStato::istanza().pannello(3), QStringLiteral("Stop"));
    QCOMPARE(StopCom, std::int16_t(1));
}

// Lines 1 A, 2 blank, 3 C, 4 blank, 5 E: records 0, 1, 2 come from lines 1, 3, 5.
void TestMemoria::contatoreSaltaLeRigheVuote()
{
    test::progettoDiLinee(5, 1);
    banco_.tieniLink();
    Sezioni[0].Rung[2].Classe = 0;
    Sezioni[0].Rung[4].Classe = 0;
    test::LinkSuSim link(Mezzo::Tcp);
    QVERIFY(link.connetti());
    const auto rossa = [](int riga) { return Riga(0, riga).sfondoNumero == colore::kRosso; };

    link.sim.setRegistro(13, 1);
    AggiornaPC();
    QCOMPARE(TabellaRegistri[13].Valore, 1);
    QVERIFY(rossa(3));
    QVERIFY(!rossa(2));
    QCOMPARE(RigaEvidenziata(), (std::optional<OrigineRecord>{{0, 3}}));

    // The same counter again: cleared and marked again, the same row.
    AggiornaPC();
    QVERIFY(rossa(3));

    link.sim.setRegistro(13, 2);
    AggiornaPC();
    QVERIFY(rossa(5));
    QCOMPARE(Riga(0, 3).sfondoNumero, colore::kBianco);
    int rosse = 0;
    for (int i = 1; i <= 5; ++i)
        rosse += rossa(i);
    QCOMPARE(rosse, 1);

    // A counter past the last record marks nothing.
    link.sim.setRegistro(13, 3);
    AggiornaPC();
    QCOMPARE(RigaEvidenziata(), std::optional<OrigineRecord>());
    QCOMPARE(Riga(0, 5).sfondoNumero, colore::kBianco);
}

void TestMemoria::contatoreFuoriVistaScorre()
{
    test::progettoDiLinee(12, 1);
    banco_.tieniLink();
    ImpostaScroll(0);
    test::LinkSuSim link(Mezzo::Tcp);
    QVERIFY(link.connetti());
    link.sim.setRegistro(13, 9);
    QVERIFY(RigaFuoriVista(10));
    AggiornaPC();
    QCOMPARE(Vista().VScroll.valore, 9);
    QVERIFY(!RigaFuoriVista(10));
    // Already in view: the view stays.
    link.sim.setRegistro(13, 10);
    AggiornaPC();
    QCOMPARE(Vista().VScroll.valore, 9);
    QCOMPARE(BarraStato::istanza().pannello(1), QStringLiteral("Connected"));
}

void TestMemoria::contatoreLetturaFallita()
{
    test::progettoDiLinee(4, 1);
    banco_.tieniLink();
    test::LinkSuSim link(Mezzo::Tcp);
    QVERIFY(link.connetti());
    link.sim.setRegistro(13, 2);
    AggiornaPC();
    QVERIFY(Riga(0, 3).sfondoNumero == colore::kRosso);
    link.sim.setRegistro(13, 0);
    link.sim.impostaGuasto(Guasto::Eccezione);
    AggiornaPC();
    // The old counter stands: its line is marked again.
    QVERIFY(Riga(0, 3).sfondoNumero == colore::kRosso);
    QVERIFY(Riga(0, 1).sfondoNumero != colore::kRosso);
}

QTEST_GUILESS_MAIN(TestMemoria)
#include "tst_memoria.moc"
