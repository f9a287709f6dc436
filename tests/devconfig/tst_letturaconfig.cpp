// Reading a device's configuration from the device simulator: the requests each model
// makes, the fields each reply fills, and reads that fail leaving the fields untouched.
#include "app/Avvio.h"
#include "base/Testi.h"
#include "devconfig/LetturaConfig.h"
#include "link/StatoLink.h"
#include "support/Banco.h"
#include "support/Doubles.h"
#include "support/Frame.h"
#include "support/LinkSim.h"

#include <QTest>

using namespace ludra;
using test::Mezzo;

Q_DECLARE_METATYPE(Mezzo)

namespace {

using Letture = QList<QPair<int, int>>;

// The (first register, count) of each function 4 request the simulator received.
Letture letture(test::LinkSuSim& link)
{
    Letture out;
    for (const sim::Trama& t : test::richiesteRicevute(link.sim, link.mezzo())) {
        if (t.size() == 6 && t[0] == 10 && t[1] == 4 && t[2] == 0 && t[4] == 0)
            out.append({t[3], t[5]});
        else
            out.append({-1, -1});
    }
    return out;
}

Letture da(std::initializer_list<std::pair<int, int>> intervalli)
{
    Letture out;
    for (auto [primo, ultimo] : intervalli)
        out.append({primo, ultimo - primo + 1});
    return out;
}

void registro(test::LinkSuSim& link, int r, int hi, int lo)
{
    link.sim.setRegistro(r, std::uint16_t(hi << 8 | lo));
}

} // namespace

class TestLetturaConfig : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        banco_.apri(test::Banco::Doppi::Dialoghi, test::Banco::Avvio::Stato);
    }
    void cleanup() { banco_.chiudi(); }

    void sequenzaPerModello_data();
    void sequenzaPerModello();
    void bloccoComune_data();
    void bloccoComune();
    void controlloreConOrologio();
    void display_data();
    void display();
    void secondaPortaCodiceAlto();
    void ingressiAnalogici();
    void tipoIngressoSconosciuto();
    void usciteAnalogiche();
    void fallimenti_data();
    void fallimenti();
    void indirizzoNonValido();

private:
    test::Banco banco_;
};

void TestLetturaConfig::sequenzaPerModello_data()
{
    QTest::addColumn<QString>("modello");
    QTest::addColumn<Letture>("attese");
    QTest::newRow("KVR5200") << "KVR5200" << da({{0, 12}, {18, 19}, {9, 11}});
    QTest::newRow("KVR5200-DL-IO") << "KVR5200-DL-IO"
                                   << da({{0, 12}, {22, 25}, {18, 19}, {9, 11}, {8, 9}});
    QTest::newRow("KVR5460") << "KVR5460" << da({{0, 12}, {22, 25}, {18, 19}, {9, 11}});
    QTest::newRow("KVR1186") << "KVR1186" << da({{0, 12}, {9, 11}, {13, 13}, {14, 29}});
    QTest::newRow("KVR1142") << "KVR1142" << da({{0, 12}, {9, 11}, {9, 12}, {14, 29}});
    QTest::newRow("KVR1212") << "KVR1212" << da({{0, 12}, {9, 11}, {8, 9}});
    QTest::newRow("KVR1225") << "KVR1225" << da({{0, 12}, {9, 11}});
    QTest::newRow("KVR1231") << "KVR1231" << da({{0, 12}, {9, 11}});
    QTest::newRow("no model") << "" << da({{0, 12}, {9, 11}});
}

void TestLetturaConfig::sequenzaPerModello()
{
    QFETCH(QString, modello);
    QFETCH(Letture, attese);
    test::LinkSuSim link(Mezzo::Tcp);
    QVERIFY(link.connetti());
    registro(link, 24, 1, 1);   // a clock that reads as a date
    registro(link, 25, 1, 0);
    CampiConfig c;
    QVERIFY(LeggiConfigurazione(modello, QStringLiteral("10"), c));
    QCOMPARE(letture(link), attese);
}

void TestLetturaConfig::bloccoComune_data()
{
    QTest::addColumn<Mezzo>("mezzo");
    QTest::newRow("tcp") << Mezzo::Tcp;
    QTest::newRow("rtu") << Mezzo::Rtu;
}

void TestLetturaConfig::bloccoComune()
{
    QFETCH(Mezzo, mezzo);
    test::LinkSuSim link(mezzo);
    QVERIFY(link.connetti());
    registro(link, 1, 1, 0);
    registro(link, 2, 2, 5);
    registro(link, 3, 'B', 'A');
    registro(link, 4, 'D', 'C');
    registro(link, 5, 0, 0x7B);   // bits 3..6 set, code 3
    registro(link, 6, 0, 10);
    registro(link, 7, 0, 20);
    registro(link, 12, 0, 6);
    registro(link, 10, 0x06, 0);
    registro(link, 11, 0x81, 0x42);
    registro(link, 8, 0x05, 0x80);
    registro(link, 9, 0x02, 0);
    CampiConfig c;
    c.wdtAbilitato = true;   // never read
    QVERIFY(LeggiConfigurazione(QStringLiteral("KVR5200-IO"), QStringLiteral("10"), c));
    QCOMPARE(c.txt_vers, QStringLiteral("1025"));
    QCOMPARE(c.txt_nome, QStringLiteral("ABCD"));
    QCOMPARE(c.txt_add, QStringLiteral("10"));
    QCOMPARE(c.baud[0], QStringLiteral("9600"));
    QCOMPARE(c.ritardo[0], QStringLiteral("20"));
    QCOMPARE(c.wdt, QStringLiteral("6"));
    QVERIFY(c.wdtAbilitato);
    QVERIFY(c.eventoWdt);
    QVERIFY(c.eventoAccensione);
    QCOMPARE(c.bitAccensione, (std::array<bool, 8>{true, false, false, false, false, false, false, true}));
    QCOMPARE(c.bitSicuro, (std::array<bool, 8>{false, true, false, false, false, false, true, false}));
    QVERIFY(c.led[0] && c.led[2] && c.led[15]);
    QVERIFY(!c.led[1] && !c.led[8]);
    QCOMPARE(c.bitUscita, (std::array<bool, 8>{false, true, false, false, false, false, false, false}));
}

void TestLetturaConfig::controlloreConOrologio()
{
    test::LinkSuSim link(Mezzo::Tcp);
    QVERIFY(link.connetti());
    registro(link, 22, 0, 0x45);
    registro(link, 23, 0x30, 0x12);
    registro(link, 24, 3, 0x25);
    registro(link, 25, 0x12, 0x25);
    CampiConfig c;
    c.Text3[2] = QStringLiteral("kept");
    QVERIFY(LeggiConfigurazione(QStringLiteral("KVR5200-DL"), QStringLiteral("10"), c));
    const std::array<QString, 8> attesi = {"12", "30", "kept", "45", "Tuesday", "25", "December", "2025"};
    QCOMPARE(c.Text3, attesi);

    // The weekday and month names follow the language.
    ImpostaLingua(kItaliano);
    registro(link, 24, 0, 1);
    registro(link, 25, 0x1A, 0x09);   // a month whose digits stop at the letter
    QVERIFY(LeggiConfigurazione(QStringLiteral("KVR5200-DL"), QStringLiteral("10"), c));
    QCOMPARE(c.Text3[4], QString());
    QCOMPARE(c.Text3[6], QStringLiteral("Gennaio"));
    QCOMPARE(c.Text3[7], QStringLiteral("2009"));
}

void TestLetturaConfig::display_data()
{
    QTest::addColumn<int>("r11");
    QTest::addColumn<bool>("pos");
    QTest::addColumn<int>("contrasto");
    QTest::addColumn<int>("luminosita");
    QTest::newRow("0F05") << 0x0F05 << false << 15 << 5;
    QTest::newRow("8305") << 0x8305 << true << 3 << 5;
    QTest::newRow("FFFF") << 0xFFFF << true << 15 << 15;
}

void TestLetturaConfig::display()
{
    QFETCH(int, r11);
    QFETCH(bool, pos);
    QFETCH(int, contrasto);
    QFETCH(int, luminosita);
    test::LinkSuSim link(Mezzo::Tcp);
    QVERIFY(link.connetti());
    link.sim.setRegistro(11, std::uint16_t(r11));
    registro(link, 24, 1, 1);
    registro(link, 25, 1, 0);
    CampiConfig c;
    c.dispPos = !pos;
    QVERIFY(LeggiConfigurazione(QStringLiteral("KVR5460"), QStringLiteral("10"), c));
    QCOMPARE(c.dispPos, std::optional<bool>(pos));
    QCOMPARE(c.contrasto, contrasto);
    QCOMPARE(c.luminosita, luminosita);
}

void TestLetturaConfig::secondaPortaCodiceAlto()
{
    test::LinkSuSim link(Mezzo::Tcp);
    QVERIFY(link.connetti());
    registro(link, 18, 0, 33);
    registro(link, 19, 0xF9, 0);
    CampiConfig c;
    c.baud[1] = QStringLiteral("4800");
    QVERIFY(LeggiConfigurazione(QStringLiteral("KVR5200"), QStringLiteral("10"), c));
    QCOMPARE(c.baud[1], QString());
    QCOMPARE(c.ritardo[1], QStringLiteral("33"));
    registro(link, 19, 0xF6, 0);
    QVERIFY(LeggiConfigurazione(QStringLiteral("KVR5200"), QStringLiteral("10"), c));
    QCOMPARE(c.baud[1], QStringLiteral("57600"));
}

void TestLetturaConfig::ingressiAnalogici()
{
    test::LinkSuSim link(Mezzo::Tcp);
    QVERIFY(link.connetti());
    registro(link, 8, 0, 9);
    registro(link, 9, 0x0C, 0x04);   // channel 1 broken; power-up event
    registro(link, 10, 0, 14);       // Tc K
    registro(link, 11, 0, 0x05);
    link.sim.setRegistro(14, 0xFFFF);
    link.sim.setRegistro(15, 1234);
    link.sim.setRegistro(22, 0x8000);
    CampiConfig c;
    c.rotto[6] = true;   // channels 4..7 of this model have no break bits
    QVERIFY(LeggiConfigurazione(QStringLiteral("KVR1142"), QStringLiteral("10"), c));
    QCOMPARE(c.wdt, QStringLiteral("9"));
    QVERIFY(!c.eventoWdt);
    QVERIFY(c.eventoAccensione);
    QCOMPARE(c.abilitato, (std::array<bool, 8>{true, false, true, false, false, false, false, false}));
    QCOMPARE(c.rotto, (std::array<bool, 8>{false, true, false, false, false, false, true, false}));
    QCOMPARE(c.tipoIngresso, std::optional<int>(14));
    QCOMPARE(c.ingresso[0], QStringLiteral("-1"));
    QCOMPARE(c.ingresso[1], QStringLiteral("1234"));
    QCOMPARE(c.ingressoSync[0], QStringLiteral("-32768"));
}

void TestLetturaConfig::tipoIngressoSconosciuto()
{
    test::LinkSuSim link(Mezzo::Tcp);
    QVERIFY(link.connetti());
    registro(link, 10, 0, 14);   // a thermocouple code, not in the resistance list
    CampiConfig c;
    c.tipoIngresso = 23;
    QVERIFY(LeggiConfigurazione(QStringLiteral("KVR1104"), QStringLiteral("10"), c));
    QCOMPARE(c.tipoIngresso, std::optional<int>(23));
}

void TestLetturaConfig::usciteAnalogiche()
{
    test::LinkSuSim link(Mezzo::Tcp);
    QVERIFY(link.connetti());
    registro(link, 8, 0, 4);
    registro(link, 13, 0, 0x81);
    link.sim.setRegistro(16, 1000);
    link.sim.setRegistro(29, 0xFFFE);
    CampiConfig c;
    QVERIFY(LeggiConfigurazione(QStringLiteral("KVR1186"), QStringLiteral("10"), c));
    QCOMPARE(c.wdt, QStringLiteral("4"));
    QCOMPARE(c.tipoUscita, (std::array<int, 8>{1, 0, 0, 0, 0, 0, 0, 1}));
    QCOMPARE(c.uscita[2], QStringLiteral("1000"));
    QCOMPARE(c.sicuro[7], QStringLiteral("-2"));
}

void TestLetturaConfig::fallimenti_data()
{
    QTest::addColumn<QString>("modello");
    QTest::addColumn<int>("guasto");        // sim::Guasto, on the n-th request
    QTest::addColumn<int>("dopo");          // requests that succeed first
    QTest::addColumn<int>("r24");
    QTest::addColumn<int>("r25");
    const int nessuno = int(sim::Guasto::Nessuno);
    QTest::newRow("exception on first") << "KVR5200" << int(sim::Guasto::Eccezione) << 0 << 0x0101 << 0x0100;
    QTest::newRow("exception on last") << "KVR1186" << int(sim::Guasto::Eccezione) << 3 << 0x0101 << 0x0100;
    QTest::newRow("short first reply") << "KVR5200" << int(sim::Guasto::RispostaCorta) << 0 << 0x0101 << 0x0100;
    QTest::newRow("short values reply") << "KVR1142" << int(sim::Guasto::RispostaCorta) << 3 << 0x0101 << 0x0100;
    QTest::newRow("weekday 8") << "KVR5200-DL" << nessuno << 0 << 0x0801 << 0x0100;
    QTest::newRow("month 13") << "KVR5460" << nessuno << 0 << 0x0101 << 0x1300;
    QTest::newRow("year with a letter") << "KVR5200-DL-IO" << nessuno << 0 << 0x0101 << 0x012A;
}

void TestLetturaConfig::fallimenti()
{
    QFETCH(QString, modello);
    QFETCH(int, guasto);
    QFETCH(int, dopo);
    QFETCH(int, r24);
    QFETCH(int, r25);
    test::Banco& doppi = banco_;
    test::LinkSuSim link(Mezzo::Tcp);
    QVERIFY(link.connetti());
    for (int r = 0; r < 30; ++r)
        link.sim.setRegistro(r, std::uint16_t(0x0102 + r));
    link.sim.setRegistro(24, std::uint16_t(r24));
    link.sim.setRegistro(25, std::uint16_t(r25));
    CampiConfig c;
    c.txt_vers = QStringLiteral("old");
    c.Text3[7] = QStringLiteral("1999");
    c.uscita[0] = QStringLiteral("7");
    c.ingresso[0] = QStringLiteral("8");
    const CampiConfig prima = c;
    if (guasto != int(sim::Guasto::Nessuno))
        link.sim.impostaGuastoDopo(dopo, sim::Guasto(guasto));
    StopCom = 0;
    const bool ok = LeggiConfigurazione(modello, QStringLiteral("10"), c);
    QVERIFY(!ok);
    QCOMPARE(c.txt_vers, prima.txt_vers);
    QCOMPARE(c.Text3, prima.Text3);
    QCOMPARE(c.uscita, prima.uscita);
    QCOMPARE(c.ingresso, prima.ingresso);
    QCOMPARE(StopCom, std::int16_t(1));
    QVERIFY(!doppi.dialogs.messaggi.empty());
    const auto& m = doppi.dialogs.messaggi.back();
    QCOMPARE(m.titolo, QStringLiteral("VUV-ODO"));
    QCOMPARE(m.icona, platform::MsgIcon::Critical);
    QVERIFY(m.testo.contains(QStringLiteral("keep their values")));
}

void TestLetturaConfig::indirizzoNonValido()
{
    test::LinkSuSim link(Mezzo::Tcp);
    QVERIFY(link.connetti());
    for (const char* testo : {"256", "-1", "abc1", "1a"}) {
        CampiConfig c;
        c.txt_nome = QStringLiteral("kept");
        QVERIFY(!LeggiConfigurazione(QStringLiteral("KVR1225"), QString::fromLatin1(testo), c));
        QCOMPARE(c.txt_nome, QStringLiteral("kept"));
    }
    QCOMPARE(link.sim.richieste(), 0);
}

QTEST_GUILESS_MAIN(TestLetturaConfig)
#include "tst_letturaconfig.moc"
