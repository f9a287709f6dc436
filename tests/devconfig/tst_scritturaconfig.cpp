// Writing a device's configuration to the device simulator: the exact frames of each
// Write button, typed values refused before anything goes out, and failed requests.
#include "app/Avvio.h"
#include "base/Testi.h"
#include "devconfig/ScritturaConfig.h"
#include "link/StatoLink.h"
#include "support/Banco.h"
#include "support/Doubles.h"
#include "support/Frame.h"
#include "support/LinkSim.h"

#include <QTest>
#include <functional>

using namespace ludra;
using test::Mezzo;

namespace {

using Trame = QList<QList<int>>;
using Azione = std::function<EsitoScrittura()>;

Trame trame(test::LinkSuSim& link)
{
    Trame out;
    for (const sim::Trama& t : test::richiesteRicevute(link.sim, link.mezzo()))
        out.append(QList<int>(t.begin(), t.end()));
    return out;
}

CampiConfig base()
{
    CampiConfig c;
    c.txt_nome = QStringLiteral("ABCDE");
    c.txt_add = QStringLiteral("247");
    c.baud = {QStringLiteral("9600"), QStringLiteral("19200")};
    c.ritardo = {QStringLiteral("5"), QStringLiteral(" 8 ")};
    c.wdt = QStringLiteral("&HC");
    c.wdtAbilitato = true;
    c.bitAccensione = {true, false, false, true};
    c.bitSicuro = {false, true};
    c.Text3 = {"9", "30", "", "0", "Friday", "5", "March", "2027"};
    c.dispPos = true;
    c.contrasto = 3;
    c.luminosita = 5;
    c.tipoIngresso = 14;
    for (int i = 0; i < 8; ++i)
        c.sicuro[std::size_t(i)] = QString::number(i == 7 ? -1 : 1000 * i);
    c.tipoUscita = {1, 0, 1};
    c.abilitato = {true, true, false, false, false, false, false, true};
    c.bitUscita = {false, false, false, true, false, false, false, true};
    return c;
}

Azione frame(int indice, const char* modello, CampiConfig c = base())
{
    return [=] { return ScriviFrame(indice, QString::fromLatin1(modello), QStringLiteral("10"), c); };
}

} // namespace

Q_DECLARE_METATYPE(Azione)
Q_DECLARE_METATYPE(EsitoScrittura)

class TestScritturaConfig : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        banco_.apri(test::Banco::Doppi::Dialoghi, test::Banco::Avvio::Stato);
    }
    void cleanup() { banco_.chiudi(); }

    void trameEsatte_data();
    void trameEsatte();
    void valoriRifiutati_data();
    void valoriRifiutati();
    void portaSiFermaAlGuasto();
    void sincronizzazione();
    void rtu();

private:
    test::Banco banco_;
};

void TestScritturaConfig::trameEsatte_data()
{
    QTest::addColumn<Azione>("azione");
    QTest::addColumn<Trame>("attese");
    QTest::addColumn<int>("pause");
    QTest::newRow("name ABCDE") << frame(0, "KVR1212") << Trame{{10, 16, 0, 3, 0, 2, 4, 66, 65, 68, 67}} << 1;
    QTest::newRow("power-up and safe") << frame(1, "KVR1212") << Trame{{10, 6, 0, 11, 9, 2}} << 1;
    QTest::newRow("address 247") << frame(2, "KVR1212") << Trame{{10, 6, 0, 6, 0, 247}} << 0;
    QTest::newRow("port 9600") << frame(3, "KVR5200")
                               << Trame{{10, 6, 0, 5, 0, 123}, {10, 6, 0, 7, 0, 5},
                                        {10, 6, 0, 12, 0, 12}, {10, 5, 0, 32, 255, 0}}
                               << 2;
    CampiConfig altroBaud = base();
    altroBaud.baud[0] = QStringLiteral("1200");
    altroBaud.wdtAbilitato = false;
    QTest::newRow("port 1200, analog module")
        << frame(3, "KVR1173", altroBaud)
        << Trame{{10, 6, 0, 5, 0, 120}, {10, 6, 0, 7, 0, 5}, {10, 6, 0, 8, 0, 12}, {10, 5, 0, 32, 0, 0}}
        << 2;
    QTest::newRow("clock") << frame(4, "KVR5460")
                           << Trame{{10, 16, 0, 22, 0, 4, 8, 0, 0, 0x30, 0x09, 6, 5, 3, 0x27}} << 0;
    QTest::newRow("clock, model without") << frame(4, "KVR5200") << Trame{} << 0;
    QTest::newRow("display POS 3 5") << frame(5, "KVR5460") << Trame{{10, 6, 0, 11, 0x83, 5}} << 0;
    CampiConfig neg = base();
    neg.dispPos = false;
    neg.contrasto = 0;
    neg.luminosita = 0;
    QTest::newRow("display NEG 0 0") << frame(5, "KVR5460", neg) << Trame{{10, 6, 0, 11, 0, 0}} << 0;
    QTest::newRow("display, other model") << frame(5, "KVR5200-IO") << Trame{} << 0;
    QTest::newRow("index 6") << frame(6, "KVR5200") << Trame{} << 0;
    QTest::newRow("input type") << frame(7, "KVR1121") << Trame{{10, 6, 0, 10, 0, 14}} << 1;
    QTest::newRow("second port") << frame(8, "KVR5200")
                                 << Trame{{10, 16, 0, 18, 0, 2, 4, 4, 8, 4, 8}} << 1;
    QTest::newRow("second port, module") << frame(8, "KVR1212")
                                         << Trame{{10, 16, 0, 18, 0, 2, 4, 0, 8, 0, 8}} << 1;
    QTest::newRow("output 1000 on 2")
        << Azione([] { return ScriviUscitaAnalogica(QStringLiteral("10"), 2, QStringLiteral("1000")); })
        << Trame{{10, 6, 0, 16, 3, 232}} << 0;
    QTest::newRow("output 65535 on 0")
        << Azione([] { return ScriviUscitaAnalogica(QStringLiteral("10"), 0, QStringLiteral("&HFFFF")); })
        << Trame{{10, 6, 0, 14, 255, 255}} << 0;
    QTest::newRow("output types") << Azione([] { return ScriviTipiUscite(QStringLiteral("10"), base()); })
                                  << Trame{{10, 6, 0, 13, 0, 5}} << 0;
    QTest::newRow("safe values")
        << Azione([] { return ScriviValoriSicuri(QStringLiteral("10"), base()); })
        << Trame{{10, 16, 0, 22, 0, 8, 16, 0, 0, 3, 232, 7, 208, 11, 184, 15, 160, 19, 136, 23, 112,
                  255, 255}}
        << 0;
    QTest::newRow("clear latch") << Azione([] { return AzzeraLatch(QStringLiteral("10")); })
                                 << Trame{{10, 15, 0, 4, 0, 8, 1, 0}} << 0;
    QTest::newRow("enables") << Azione([] { return ScriviAbilitazioni(QStringLiteral("10"), base()); })
                             << Trame{{10, 6, 0, 11, 0, 0x83}} << 1;
    QTest::newRow("output 3 of KVR1212")
        << Azione([] { return ScriviUscitaDigitale(QStringLiteral("KVR1212"), QStringLiteral("10"), 3, base()); })
        << Trame{{10, 5, 0, 19, 255, 0}} << 0;
    QTest::newRow("output 3 of KVR5200-IO")
        << Azione([] { return ScriviUscitaDigitale(QStringLiteral("KVR5200-IO"), QStringLiteral("10"), 3, base()); })
        << Trame{{10, 6, 0, 9, 0x88, 0}} << 0;
    QTest::newRow("power-up event off")
        << Azione([] { return ScriviEvento(QStringLiteral("10"), 34, false); })
        << Trame{{10, 5, 0, 34, 0, 0}} << 0;
}

void TestScritturaConfig::trameEsatte()
{
    QFETCH(Azione, azione);
    QFETCH(Trame, attese);
    QFETCH(int, pause);
    test::Banco& doppi = banco_;
    test::LinkSuSim link(Mezzo::Tcp);
    QVERIFY(link.connetti());
    test::Attesa virtuali(test::Attesa::Tempo::PauseVirtuali);
    const EsitoScrittura e = azione();
    QCOMPARE(trame(link), attese);
    QCOMPARE(e, attese.isEmpty() ? EsitoScrittura::Niente : EsitoScrittura::Scritto);
    QCOMPARE(int(virtuali.pause.size()), pause);
    QVERIFY(doppi.dialogs.messaggi.empty());
}

void TestScritturaConfig::valoriRifiutati_data()
{
    QTest::addColumn<Azione>("azione");
    QTest::addColumn<QString>("messaggio");
    auto con = [](int indice, const char* modello, std::function<void(CampiConfig&)> modifica) {
        CampiConfig c = base();
        modifica(c);
        return frame(indice, modello, c);
    };
    QTest::newRow("name of two") << con(0, "KVR1212", [](CampiConfig& c) { c.txt_nome = "AB"; })
                                 << "Name length must be 4 characters";
    QTest::newRow("name with an ohm sign") << con(0, "KVR1212", [](CampiConfig& c) { c.txt_nome = "R5k\u03A9"; })
        << "Name: the character \"\u03A9\" (U+03A9) is not in the Windows-1252 code page and cannot be written";
    for (const char* a : {"0", "248", "", "0.6", "247.4", "1.4", "12a"})
        QTest::newRow(qPrintable(QStringLiteral("address '%1'").arg(QLatin1String(a))))
            << con(2, "KVR1212", [a](CampiConfig& c) { c.txt_add = QString::fromLatin1(a); })
            << "Address must be included between 1 and 247";
    QTest::newRow("delay 256") << con(3, "KVR5200", [](CampiConfig& c) { c.ritardo[0] = "256"; })
                               << "Delay must be included between 0 and 255";
    for (const char* w : {"-1", "12abc"})
        QTest::addRow("watchdog %s", w) << con(3, "KVR5200", [w](CampiConfig& c) { c.wdt = w; })
                                        << "Watchdog time must be included between 0 and 255";
    for (const int p : {0, 1})
        QTest::addRow("empty baud box, port %d", p)
            << con(p == 0 ? 3 : 8, "KVR5200", [p](CampiConfig& c) { c.baud[std::size_t(p)] = {}; })
            << "Choose a baud rate";
    QTest::newRow("second delay 1e9") << con(8, "KVR5200", [](CampiConfig& c) { c.ritardo[1] = "1e9"; })
                                      << "Delay must be included between 0 and 255";
    QTest::newRow("clock day 0") << con(4, "KVR5200-DL", [](CampiConfig& c) { c.Text3[5] = "0"; })
                                 << "The day must be a number from 1 to 31";
    QTest::newRow("no input type") << con(7, "KVR1104", [](CampiConfig& c) { c.tipoIngresso.reset(); })
                                   << "Choose an input type";
    QTest::newRow("slave address 300")
        << Azione([] { return ScriviFrame(1, QStringLiteral("KVR1212"), QStringLiteral("300"), base()); })
        << "Slave address must be included between 0 and 255";
    for (const char* v : {"-1", "70000", "-0.4", "65535.6", "511.6", "65535.4"})
        QTest::newRow(qPrintable(QStringLiteral("output %1").arg(QLatin1String(v))))
            << Azione([v] { return ScriviUscitaAnalogica(QStringLiteral("10"), 2, QString::fromLatin1(v)); })
            << "Output value must be included between 0 and 65535";
    QTest::newRow("safe value 70000") << Azione([] {
        CampiConfig c = base();
        c.sicuro[5] = QStringLiteral("70000");
        return ScriviValoriSicuri(QStringLiteral("10"), c);
    }) << "Safe value 5 must be included between -32768 and 65535";
}

void TestScritturaConfig::valoriRifiutati()
{
    QFETCH(Azione, azione);
    QFETCH(QString, messaggio);
    test::Banco& doppi = banco_;
    test::LinkSuSim link(Mezzo::Tcp);
    QVERIFY(link.connetti());
    test::Attesa virtuali(test::Attesa::Tempo::PauseVirtuali);
    QCOMPARE(azione(), EsitoScrittura::NonValido);
    QCOMPARE(link.sim.richieste(), 0);
    QCOMPARE(int(doppi.dialogs.messaggi.size()), 1);
    QCOMPARE(doppi.dialogs.messaggi[0].testo, messaggio);
    QCOMPARE(doppi.dialogs.messaggi[0].titolo, QStringLiteral("Ludra"));
}

void TestScritturaConfig::portaSiFermaAlGuasto()
{
    test::LinkSuSim link(Mezzo::Tcp);
    QVERIFY(link.connetti());
    test::Attesa virtuali(test::Attesa::Tempo::PauseVirtuali);
    link.sim.impostaGuastoDopo(1, sim::Guasto::Eccezione);
    QCOMPARE(ScriviFrame(3, QStringLiteral("KVR5200"), QStringLiteral("10"), base()),
             EsitoScrittura::Fallito);
    QCOMPARE(trame(link), (Trame{{10, 6, 0, 5, 0, 123}, {10, 6, 0, 7, 0, 5}}));
    QCOMPARE(link.sim.registro(5), std::uint16_t(123));
    QVERIFY(!link.sim.coil(32));
}

void TestScritturaConfig::sincronizzazione()
{
    test::LinkSuSim link(Mezzo::Tcp);
    QVERIFY(link.connetti());
    link.sim.setRegistro(0, 77);
    BuffRx.fill(0xAA);
    QCOMPARE(Sincronizza(), EsitoScrittura::Scritto);
    QVERIFY(AttendiRisposta);
    QCOMPARE(BuffRx[0], std::uint8_t(0xAA));
    // The next request gets its own reply, not one left over from the broadcast.
    QCOMPARE(ScriviEvento(QStringLiteral("10"), 33, true), EsitoScrittura::Scritto);
    QCOMPARE(trame(link), (Trame{{255, 6, 0, 0, 0, 0}, {10, 5, 0, 33, 255, 0}}));
    QCOMPARE(link.sim.registro(0), std::uint16_t(0));
}

void TestScritturaConfig::rtu()
{
    test::LinkSuSim link(Mezzo::Rtu);
    QVERIFY(link.connetti());
    QCOMPARE(ScriviFrame(8, QStringLiteral("KVR5200"), QStringLiteral("10"), base()),
             EsitoScrittura::Scritto);
    QCOMPARE(link.sim.registro(18), std::uint16_t(0x0408));
    QCOMPARE(link.sim.registro(19), std::uint16_t(0x0408));
}

QTEST_GUILESS_MAIN(TestScritturaConfig)
#include "tst_scritturaconfig.moc"
