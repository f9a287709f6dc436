// The register window's refresh and clear against the device simulator, over TCP and
// over a serial pseudo-terminal.
#include "app/Avvio.h"
#include "base/Log.h"
#include "base/Notifiche.h"
#include "link/Richiesta.h"
#include "link/StatoLink.h"
#include "monitor/AggiornaRegistri.h"
#include "platform/Waiter.h"
#include "project/Registri.h"
#include "support/Attesa.h"
#include "support/Banco.h"
#include "support/Doubles.h"
#include "support/LinkSim.h"

#include <QSignalSpy>
#include <QTest>

using namespace ludra;
using test::Mezzo;

Q_DECLARE_METATYPE(Mezzo)

namespace {

// The PDU of the last frame the simulator received (TCP header or RTU checksum off).
std::vector<int> ultimaRichiesta(test::LinkSuSim& link)
{
    const auto r = link.sim.ricevute();
    if (r.empty())
        return {};
    auto t = r.back();
    if (link.mezzo() == Mezzo::Tcp)
        t.erase(t.begin(), t.begin() + std::min<std::size_t>(6, t.size()));
    else if (t.size() >= 2)
        t.resize(t.size() - 2);
    return {t.begin(), t.end()};
}

struct Istantanea {
    std::vector<std::int32_t> valori;
    std::vector<bool> cambiati;
    static Istantanea prendi()
    {
        Istantanea i;
        for (const Registro& r : TabellaRegistri) {
            i.valori.push_back(r.Valore);
            i.cambiati.push_back(r.Cambiato);
        }
        return i;
    }
    bool operator==(const Istantanea&) const = default;
};

} // namespace

class TestAggiornaRegistri : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void leggeTrentaDueRegistri_data();
    void leggeTrentaDueRegistri();
    void secondaLetturaUguale();
    void rispostaCortaNonCambiaNulla_data();
    void rispostaCortaNonCambiaNulla();
    void rispostaIncompleta_data();
    void rispostaIncompleta();
    void oltreUltimoRegistro();
    void nonConnesso();
    void scorrimentoDuranteAttesa();
    void soloRidisegno();
    void clearRegistri_data();
    void clearRegistri();

private:
    test::Banco banco_;
    test::FakeDialogs& dialogs = banco_.dialogs;
};

void TestAggiornaRegistri::init()
{
    banco_.apri();
    ImpostaStatoIniziale();
}

void TestAggiornaRegistri::cleanup()
{
    banco_.chiudi();
}

void TestAggiornaRegistri::leggeTrentaDueRegistri_data()
{
    QTest::addColumn<Mezzo>("mezzo");
    QTest::newRow("tcp") << Mezzo::Tcp;
    QTest::newRow("rtu") << Mezzo::Rtu;
}

void TestAggiornaRegistri::leggeTrentaDueRegistri()
{
    QFETCH(Mezzo, mezzo);
    test::LinkSuSim link(mezzo);
    QVERIFY(link.connetti());
    for (int j = 0; j < 32; ++j)
        link.sim.setRegistro(100 + j, std::uint16_t(j == 5 ? 65535 : 1000 + j));
    link.sim.setRegistro(99, 7);
    link.sim.setRegistro(132, 7);
    TabellaRegistri[100].Valore = 1000;   // as the controller has it: not changed
    TabellaRegistri[105].Valore = -1;     // the same word, as a write stores it signed
    TabellaRegistri[106].Valore = -2;     // another word
    TabellaRegistri[99].Cambiato = true;
    PrimoRegistroSchermo = 100;
    QSignalSpy ridisegni(&Notifiche::istanza(), &Notifiche::registriCambiati);

    AggiornaRegistri_new(true);

    QCOMPARE(ultimaRichiesta(link), (std::vector<int>{10, 4, 0, 100, 0, 32}));
    QCOMPARE(ridisegni.count(), 1);
    QCOMPARE(TabellaRegistri[100].Valore, 1000);
    QVERIFY(!TabellaRegistri[100].Cambiato);
    QCOMPARE(TabellaRegistri[105].Valore, 65535);
    QVERIFY(!TabellaRegistri[105].Cambiato);
    QCOMPARE(TabellaRegistri[106].Valore, 1006);
    QVERIFY(TabellaRegistri[106].Cambiato);
    for (int j = 1; j < 32; ++j) {
        if (j == 5)
            continue;
        QCOMPARE(TabellaRegistri[std::size_t(100 + j)].Valore, 1000 + j);
        QVERIFY(TabellaRegistri[std::size_t(100 + j)].Cambiato);
    }
    // Only the 32 registers asked for.
    QCOMPARE(TabellaRegistri[99].Valore, 0);
    QVERIFY(TabellaRegistri[99].Cambiato);
    QCOMPARE(TabellaRegistri[132].Valore, 0);
    QVERIFY(dialogs.messaggi.empty());
}

void TestAggiornaRegistri::secondaLetturaUguale()
{
    test::LinkSuSim link(Mezzo::Tcp);
    QVERIFY(link.connetti());
    for (int j = 0; j < 32; ++j)
        link.sim.setRegistro(j, std::uint16_t(j + 1));
    AggiornaRegistri_new(true);
    for (int j = 0; j < 32; ++j)
        QVERIFY(TabellaRegistri[std::size_t(j)].Cambiato);
    AggiornaRegistri_new(true);
    for (int j = 0; j < 32; ++j) {
        QCOMPARE(TabellaRegistri[std::size_t(j)].Valore, j + 1);
        QVERIFY(!TabellaRegistri[std::size_t(j)].Cambiato);
    }
}

void TestAggiornaRegistri::rispostaCortaNonCambiaNulla_data()
{
    leggeTrentaDueRegistri_data();
}

void TestAggiornaRegistri::rispostaCortaNonCambiaNulla()
{
    QFETCH(Mezzo, mezzo);
    test::LinkSuSim link(mezzo);
    QVERIFY(link.connetti());
    for (int j = 0; j < 32; ++j)
        link.sim.setRegistro(40 + j, 500);
    PrimoRegistroSchermo = 40;
    // What an earlier, longer reply left in the buffer must not pass for values.
    BuffRx.fill(0x11);
    const Istantanea prima = Istantanea::prendi();
    QSignalSpy ridisegni(&Notifiche::istanza(), &Notifiche::registriCambiati);
    link.sim.impostaGuasto(sim::Guasto::RispostaCorta);
    AggiornaRegistri_new(true);
    QVERIFY(Istantanea::prendi() == prima);
    QCOMPARE(ridisegni.count(), 0);
    QVERIFY(!dialogs.messaggi.empty());   // the link says why
}

void TestAggiornaRegistri::rispostaIncompleta_data()
{
    QTest::addColumn<int>("modo");
    QTest::addColumn<int>("conteggio");
    QTest::addColumn<int>("lunghezza");
    QTest::addColumn<bool>("presa");
    QTest::newRow("tcp whole") << int(kModoTcp) << 64 << 67 << true;
    QTest::newRow("tcp one byte short") << int(kModoTcp) << 64 << 66 << false;
    QTest::newRow("tcp count says 31") << int(kModoTcp) << 62 << 67 << false;
    QTest::newRow("tcp count says 33") << int(kModoTcp) << 66 << 69 << false;
    QTest::newRow("rtu whole") << int(kModoRtu) << 64 << 69 << true;
    QTest::newRow("rtu checksum counted as data") << int(kModoRtu) << 64 << 67 << false;
    QTest::newRow("empty") << int(kModoTcp) << 0 << 3 << false;
}

void TestAggiornaRegistri::rispostaIncompleta()
{
    QFETCH(int, modo);
    QFETCH(int, conteggio);
    QFETCH(int, lunghezza);
    QFETCH(bool, presa);
    ModoCom = std::int16_t(modo);
    BuffRx.fill(0);
    BuffRx[0] = 10;
    BuffRx[1] = 4;
    BuffRx[2] = std::uint8_t(conteggio);
    for (int i = 3; i < lunghezza; ++i)
        BuffRx[std::size_t(i)] = 0x01;
    LenRx = std::int16_t(lunghezza);
    QCOMPARE(LeggiRispostaRegistri(50), presa);
    QCOMPARE(TabellaRegistri[50].Valore, presa ? 0x0101 : 0);
    QCOMPARE(TabellaRegistri[50].Cambiato, presa);
}

void TestAggiornaRegistri::oltreUltimoRegistro()
{
    // Values for registers beyond the table are dropped.
    ModoCom = kModoTcp;
    BuffRx[2] = 64;
    for (int j = 0; j < 32; ++j) {
        BuffRx[std::size_t(3 + 2 * j)] = 0;
        BuffRx[std::size_t(4 + 2 * j)] = std::uint8_t(j + 1);
    }
    LenRx = 67;
    QVERIFY(LeggiRispostaRegistri(1000));
    QCOMPARE(TabellaRegistri[1000].Valore, 1);
    QCOMPARE(TabellaRegistri[1024].Valore, 25);
}

void TestAggiornaRegistri::nonConnesso()
{
    TabellaRegistri[3].Valore = 42;
    TabellaRegistri[3].Cambiato = true;
    const Istantanea prima = Istantanea::prendi();
    QSignalSpy ridisegni(&Notifiche::istanza(), &Notifiche::registriCambiati);
    AggiornaRegistri_new(true);
    QVERIFY(Istantanea::prendi() == prima);
    QCOMPARE(ridisegni.count(), 0);
    QCOMPARE(int(dialogs.messaggi.size()), 1);
    QCOMPARE(dialogs.messaggi[0].testo, QStringLiteral("Controller not connected"));
}

void TestAggiornaRegistri::scorrimentoDuranteAttesa()
{
    test::LinkSuSim link(Mezzo::Tcp);
    QVERIFY(link.connetti());
    for (int r = 0; r <= 1024; ++r)
        link.sim.setRegistro(r, std::uint16_t(r + 1));
    PrimoRegistroSchermo = 200;
    QSignalSpy ridisegni(&Notifiche::istanza(), &Notifiche::registriCambiati);
    {
        test::Attesa attesa;
        attesa.duranteAttesa = [] { PrimoRegistroSchermo = 500; };
        AggiornaRegistri_new(true);
    }
    // The values belong to the registers asked for; the redraw starts where the window is.
    QCOMPARE(ultimaRichiesta(link), (std::vector<int>{10, 4, 0, 200, 0, 32}));
    QCOMPARE(TabellaRegistri[200].Valore, 201);
    QCOMPARE(TabellaRegistri[231].Valore, 232);
    QCOMPARE(TabellaRegistri[500].Valore, 0);
    QCOMPARE(ridisegni.count(), 1);
    AggiornaRegistri_new(true);
    QCOMPARE(ultimaRichiesta(link), (std::vector<int>{10, 4, 1, 244, 0, 32}));
    QCOMPARE(TabellaRegistri[500].Valore, 501);
}

void TestAggiornaRegistri::soloRidisegno()
{
    test::LinkSuSim link(Mezzo::Tcp);
    QVERIFY(link.connetti());
    const int richieste = link.sim.richieste();
    QSignalSpy ridisegni(&Notifiche::istanza(), &Notifiche::registriCambiati);
    AggiornaRegistri_new(false);
    QCOMPARE(ridisegni.count(), 1);
    QCOMPARE(link.sim.richieste(), richieste);
}

void TestAggiornaRegistri::clearRegistri_data()
{
    leggeTrentaDueRegistri_data();
}

void TestAggiornaRegistri::clearRegistri()
{
    QFETCH(Mezzo, mezzo);
    test::LinkSuSim link(mezzo);
    QVERIFY(link.connetti());
    for (int r = 20; r < 50; ++r)
        link.sim.setRegistro(r, 0xABCD);
    const int richieste = link.sim.richieste();
    QSignalSpy ridisegni(&Notifiche::istanza(), &Notifiche::registriCambiati);
    ClearRegistri();
    QCOMPARE(link.sim.richieste(), richieste + 1);
    std::vector<int> attesa{10, 16, 0, 26, 0, 16, 32};
    attesa.resize(39, 0);
    QCOMPARE(ultimaRichiesta(link), attesa);
    QCOMPARE(int(LenTx), mezzo == Mezzo::Rtu ? 41 : 39);
    for (int r = 20; r < 50; ++r)
        QCOMPARE(int(link.sim.registro(r)), r >= 26 && r <= 41 ? 0 : 0xABCD);
    QCOMPARE(ridisegni.count(), 0);   // the caller refreshes
}

QTEST_GUILESS_MAIN(TestAggiornaRegistri)
#include "tst_aggiornaregistri.moc"
