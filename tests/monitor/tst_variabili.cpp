// The published-variables table: its entry layout, the list editing and the read and
// write against the device simulator.
#include "app/Avvio.h"
#include "base/Testi.h"
#include "link/Richiesta.h"
#include "link/StatoLink.h"
#include "platform/Waiter.h"
#include "device/MemoriaControllore.h"
#include "monitor/Variabili.h"
#include "project/Registri.h"
#include "support/Banco.h"
#include "support/Frame.h"
#include "support/Ladder.h"
#include "support/LinkSim.h"

#include <QTest>

using namespace ludra;
using test::Mezzo;
using test::accessi;

namespace {

constexpr int kBase = 8192 - 512;

VoceVariabile voce(std::initializer_list<int> b)
{
    VoceVariabile v{};
    int i = 0;
    for (int x : b)
        v[std::size_t(i++)] = std::uint8_t(x);
    return v;
}

void scriviVoce(sim::Simulatore& s, int indirizzo, const VoceVariabile& v)
{
    for (int i = 0; i < kDimVoceVariabile; ++i)
        s.setMemoria(indirizzo + i, v[std::size_t(i)]);
}

VoceVariabile leggiVoce(sim::Simulatore& s, int indirizzo)
{
    VoceVariabile v{};
    for (int i = 0; i < kDimVoceVariabile; ++i)
        v[std::size_t(i)] = s.memoria(indirizzo + i);
    return v;
}

} // namespace

class TestVariabili : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        banco_.apri(test::Banco::Doppi::Dialoghi, test::Banco::Avvio::Progetto);
        Controllore.Modello = QStringLiteral("KVR5200");
        ImpostaModello();
        QCOMPARE(int(PuntWebPages), 8192);
    }
    void cleanup() { banco_.chiudi(); }

    void codifica_data();
    void codifica();
    void decodifica_data();
    void decodifica();
    void modifiche();
    void memorizza_data();
    void memorizza();
    void scrittura();
    void scritturaRifiutata_data();
    void scritturaRifiutata();
    void scritturaSiFermaAlPrimoErrore_data();
    void scritturaSiFermaAlPrimoErrore();
    void lettura_data();
    void lettura();
    void letturaFallitaNonCambiaNulla();

private:
    test::Banco banco_;
};

void TestVariabili::codifica_data()
{
    QTest::addColumn<int>("indirizzo");
    QTest::addColumn<QString>("formato");
    QTest::addColumn<QString>("nome");
    QTest::addColumn<VoceVariabile>("attesa");
    QTest::newRow("default entry") << 26 << "%+9.0f" << "Var0"
        << voce({0x1A, 0, 0, 0x25, 0x2B, 0x39, 0x2E, 0x30, 0x66, 0x56, 0x61, 0x72, 0x30, 0, 0, 0});
    QTest::newRow("long texts cut") << 0xFFFF << "%+9.3fX" << "Temperatura"
        << voce({0xFF, 0xFF, 0, '%', '+', '9', '.', '3', 'f', 'T', 'e', 'm', 'p', 'e', 'r', 'a'});
    QTest::newRow("short and code page") << 258 << "%d" << QString::fromUtf8("€°")
        << voce({2, 1, 0, '%', 'd', 0, 0, 0, 0, 0x80, 0xB0, 0, 0, 0, 0, 0});
}

void TestVariabili::codifica()
{
    QFETCH(int, indirizzo);
    QFETCH(QString, formato);
    QFETCH(QString, nome);
    QFETCH(VoceVariabile, attesa);
    QCOMPARE(CodificaVariabile(std::uint16_t(indirizzo), 0, formato, nome), attesa);
}

void TestVariabili::decodifica_data()
{
    QTest::addColumn<VoceVariabile>("voce");
    QTest::addColumn<int>("indirizzo");
    QTest::addColumn<QString>("formato");
    QTest::addColumn<QString>("nome");
    QTest::newRow("default entry")
        << voce({0x1A, 0, 0, 0x25, 0x2B, 0x39, 0x2E, 0x30, 0x66, 0x56, 0x61, 0x72, 0x30, 0, 0, 0})
        << 26 << "%+9.0f" << QStringLiteral("Var0") + QString(3, QChar(0));
    // The single-entry layout of the memory tool: 5 format characters, blank-padded name.
    QTest::newRow("single-entry layout")
        << voce({0x1A, 0, 0, '%', '5', '.', '0', 'f', 0, 'V', 'a', 'r', '0', ' ', ' ', 0})
        << 26 << QStringLiteral("%5.0f") + QChar(0) << QStringLiteral("Var0  ") + QChar(0);
    QTest::newRow("unsigned address") << voce({0xFF, 0xFF}) << 65535 << QString(6, QChar(0))
                                      << QString(7, QChar(0));
}

void TestVariabili::decodifica()
{
    QFETCH(VoceVariabile, voce);
    QFETCH(int, indirizzo);
    QFETCH(QString, formato);
    QFETCH(QString, nome);
    const Variabile v = DecodificaVariabile(voce);
    QCOMPARE(v.Indirizzo, indirizzo);
    QCOMPARE(v.Formato, formato);
    QCOMPARE(v.Nome, nome);
}

void TestVariabili::modifiche()
{
    const QChar t(9);
    QVERIFY(!RimuoviVariabile(0));
    QVERIFY(AggiungiVariabile());
    QCOMPARE(RigheVariabili(), QStringList{QStringLiteral("0") + t + "26" + t + "uInt" + t +
                                           "%+9.0f" + t + "Var0"});
    QVERIFY(!RimuoviVariabile(0));   // the last entry stays
    while (AggiungiVariabile()) {}
    QCOMPARE(int(NumVariabili), 32);
    QCOMPARE(RigheVariabili().last().section(t, 4), QStringLiteral("Var31"));
    QVERIFY(!RimuoviVariabile(0));
    QVERIFY(!RimuoviVariabile(-1));
    QVERIFY(!RimuoviVariabile(32));
    QCOMPARE(SpostaVariabileSu(0), -1);
    QCOMPARE(SpostaVariabileGiu(0), -1);
    QCOMPARE(SpostaVariabileGiu(31), -1);
    QCOMPARE(SpostaVariabileSu(1), 0);
    QCOMPARE(Variabili[0].Nome, QStringLiteral("Var1"));
    QCOMPARE(SpostaVariabileGiu(30), 31);
    QCOMPARE(Variabili[31].Nome, QStringLiteral("Var30"));
    QVERIFY(RimuoviVariabile(1));
    QCOMPARE(int(NumVariabili), 31);
    QCOMPARE(Variabili[1].Nome, QStringLiteral("Var2"));
}

void TestVariabili::memorizza_data()
{
    QTest::addColumn<QString>("indice");
    QTest::addColumn<QString>("registro");
    QTest::addColumn<bool>("ok");
    QTest::newRow("valid") << "1" << "300" << true;
    QTest::newRow("blanks and hex") << " 1 " << "&H12C" << true;
    QTest::newRow("fraction") << "1" << "299.6" << false;
    QTest::newRow("index past the list") << "2" << "300" << false;
    QTest::newRow("negative index") << "-1" << "300" << false;
    QTest::newRow("index not a number") << "x" << "300" << false;
    QTest::newRow("empty index") << "" << "300" << false;
    QTest::newRow("register not a number") << "1" << "abc" << false;
    QTest::newRow("register too large") << "1" << "65536" << false;
    QTest::newRow("register negative") << "1" << "-5" << false;
}

void TestVariabili::memorizza()
{
    QFETCH(QString, indice);
    QFETCH(QString, registro);
    QFETCH(bool, ok);
    AggiungiVariabile();
    AggiungiVariabile();
    const QStringList prima = RigheVariabili();
    QCOMPARE(MemorizzaVariabile({indice, registro, 4, QStringLiteral("%3d"), QStringLiteral("T")}),
             ok);
    QCOMPARE(banco_.dialogs.messaggi.size(), std::size_t(ok ? 0 : 1));
    if (!ok) {
        QCOMPARE(RigheVariabili(), prima);
        return;
    }
    QCOMPARE(Variabili[1].Indirizzo, 300);
    QCOMPARE(int(Variabili[1].Tipo), 4);
    QCOMPARE(Variabili[1].Formato, QStringLiteral("%3d") + QString(3, QChar(0)));
    QCOMPARE(Variabili[1].Nome, QStringLiteral("T") + QString(6, QChar(0)));
    QCOMPARE(RigheVariabili()[1], QStringLiteral("1\t300\tFloat\t%3d\tT"));
    // A name the controller would receive as "?" is refused, its character named.
    QVERIFY(!MemorizzaVariabile({indice, registro, 4, {}, QString::fromUtf8("T=\u6E29")}));
    QVERIFY(banco_.dialogs.messaggi.back().testo.contains(QChar(0x6E29)));
}

void TestVariabili::scrittura()
{
    test::LinkSuSim link(Mezzo::Tcp);
    QVERIFY(link.connetti());
    for (int i = 0; i < 3; ++i)
        AggiungiVariabile();
    Variabili[2].Formato = QStringLiteral("%+12.3f");
    Variabili[2].Nome = QStringLiteral("Pressione");
    QVERIFY(ScriviVariabili());
    const auto a = accessi(link.sim);
    QCOMPARE(a.size(), std::size_t(4));
    QCOMPARE(a[3].indirizzo, 7679);
    QCOMPARE(a[3].quanti, 1);
    QCOMPARE(int(link.sim.memoria(7679)), 2);
    for (int k = 0; k < 3; ++k) {
        QCOMPARE(a[std::size_t(k)].indirizzo, kBase + 16 * k);
        QCOMPARE(a[std::size_t(k)].quanti, 16);
    }
    QCOMPARE(leggiVoce(link.sim, kBase + 32),
             CodificaVariabile(26, 0, QStringLiteral("%+12.3"), QStringLiteral("Pressio")));
    // The record keeps the whole texts; a short one keeps its padding.
    QCOMPARE(Variabili[2].Nome, QStringLiteral("Pressione"));
    QCOMPARE(Variabili[0].Nome, QStringLiteral("Var0") + QString(3, QChar(0)));
}

void TestVariabili::scritturaRifiutata_data()
{
    QTest::addColumn<int>("voci");
    QTest::addColumn<int>("indirizzo");
    QTest::addColumn<int>("puntWeb");
    QTest::newRow("empty table") << 0 << 26 << 8192;
    QTest::newRow("address past 16 bits") << 2 << 70000 << 8192;
    QTest::newRow("no model") << 2 << 26 << 0;
}

void TestVariabili::scritturaRifiutata()
{
    QFETCH(int, voci);
    QFETCH(int, indirizzo);
    QFETCH(int, puntWeb);
    test::LinkSuSim link(Mezzo::Tcp);
    QVERIFY(link.connetti());
    test::FakeDialogs& dialoghi = banco_.dialogs;
    for (int i = 0; i < voci; ++i)
        AggiungiVariabile();
    if (voci > 1)
        Variabili[1].Indirizzo = indirizzo;
    PuntWebPages = std::int16_t(puntWeb);
    const int richieste = link.sim.richieste();
    QVERIFY(!ScriviVariabili());
    QCOMPARE(link.sim.richieste(), richieste);
    QCOMPARE(dialoghi.messaggi.size(), std::size_t(1));
}

void TestVariabili::scritturaSiFermaAlPrimoErrore_data()
{
    QTest::addColumn<int>("dopo");   // requests answered before the link fails
    for (int dopo = 0; dopo < 5; ++dopo)
        QTest::addRow("four entries over one, failing after request %d", dopo) << dopo;
}

// Every entry the controller counts is one a request wrote, or the one it held.
void TestVariabili::scritturaSiFermaAlPrimoErrore()
{
    QFETCH(int, dopo);
    test::LinkSuSim link(Mezzo::Tcp);
    QVERIFY(link.connetti());
    const VoceVariabile sua = CodificaVariabile(99, 1, QStringLiteral("%5.0f"), QStringLiteral("Old"));
    scriviVoce(link.sim, kBase, sua);   // counted by a count byte of 0
    for (int i = 0; i < 4; ++i)
        AggiungiVariabile();
    link.sim.impostaGuastoDopo(dopo, sim::Guasto::Disconnessione);
    QVERIFY(!ScriviVariabili());
    QCOMPARE(accessi(link.sim).size(), std::size_t(dopo + 1));
    for (int k = 0; k <= link.sim.memoria(kBase - 1); ++k) {
        const VoceVariabile v = leggiVoce(link.sim, kBase + 16 * k);
        QVERIFY2((k < dopo && v == CodificaVariabile(26, 0, "%+9.0f", QStringLiteral("Var%1").arg(k)))
                     || (k == 0 && v == sua), qPrintable(QString::number(k)));
    }
    QVERIFY(!banco_.dialogs.messaggi.empty() && banco_.dialogs.messaggi.back().testo.endsWith("Repeat Write."));
}

void TestVariabili::lettura_data()
{
    QTest::addColumn<int>("conteggio");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<int>("numero");
    QTest::newRow("count byte 0 is one entry") << 0 << true << 1;
    QTest::newRow("three") << 2 << true << 3;
    QTest::newRow("full") << 31 << true << 32;
    QTest::newRow("erased memory") << 255 << false << 2;
    QTest::newRow("more than the table holds") << 32 << false << 2;
}

void TestVariabili::lettura()
{
    QFETCH(int, conteggio);
    QFETCH(bool, ok);
    QFETCH(int, numero);
    test::LinkSuSim link(Mezzo::Tcp);
    QVERIFY(link.connetti());
    AggiungiVariabile();
    AggiungiVariabile();
    const QStringList vecchie = RigheVariabili();
    link.sim.setMemoria(kBase - 1, std::uint8_t(conteggio));
    for (int k = 0; k < 32; ++k)
        scriviVoce(link.sim, kBase + 16 * k,
                   CodificaVariabile(std::uint16_t(100 + k), std::uint8_t(k == 1 ? 11 : 1),
                                     QStringLiteral("%5.0f"), QStringLiteral("N%1").arg(k)));
    QCOMPARE(LeggiVariabili(), ok);
    QCOMPARE(int(NumVariabili), numero);
    if (!ok) {
        QCOMPARE(RigheVariabili(), vecchie);
        QCOMPARE(accessi(link.sim).size(), std::size_t(1));
        return;
    }
    QCOMPARE(accessi(link.sim).size(), std::size_t(numero + 1));
    QCOMPARE(RigheVariabili()[0], QStringLiteral("0\t100\tInt\t%5.0f\tN0"));
    QCOMPARE(Variabili[0].Formato, QStringLiteral("%5.0f") + QChar(0));
    if (numero > 1)   // a type code with no name shows as its number
        QCOMPARE(RigheVariabili()[1], QStringLiteral("1\t101\t11\t%5.0f\tN1"));
}

void TestVariabili::letturaFallitaNonCambiaNulla()
{
    test::LinkSuSim link(Mezzo::Tcp);
    QVERIFY(link.connetti());
    AggiungiVariabile();
    const QStringList vecchie = RigheVariabili();
    link.sim.setMemoria(kBase - 1, 4);
    // The count and the first entry answer; the second entry's request fails.
    const int base = link.sim.richieste();
    // Before every pump, where each memory request starts.
    test::Attesa innesco;
    innesco.duranteAttesa = [&] {
        if (!RichiestaInCorso() && link.sim.richieste() == base + 2)
            link.sim.impostaGuasto(sim::Guasto::Eccezione);
    };
    const bool ok = LeggiVariabili();
    QVERIFY(!ok);
    QCOMPARE(accessi(link.sim).size(), std::size_t(3));
    QCOMPARE(int(NumVariabili), 1);
    QCOMPARE(RigheVariabili(), vecchie);
}

QTEST_GUILESS_MAIN(TestVariabili)
#include "tst_variabili.moc"
