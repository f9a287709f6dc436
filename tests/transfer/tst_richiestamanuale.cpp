// The Modbus terminal's request: typed fields into frames, single and cyclic sending
// against the device simulator over Modbus TCP and over Modbus RTU on a pseudo-terminal.
#include "app/Avvio.h"
#include "link/Monitor.h"
#include "link/Richiesta.h"
#include "base/Log.h"
#include "link/Connessione.h"
#include "link/StatoLink.h"
#include "platform/Waiter.h"
#include "support/Banco.h"
#include "support/Doubles.h"
#include "support/LinkSim.h"
#include "transfer/RichiestaManuale.h"

#include <QTest>

using namespace ludra;
using test::Mezzo;
using sim::Guasto;

Q_DECLARE_METATYPE(Mezzo)
Q_DECLARE_METATYPE(Guasto)

namespace {

using Byte = std::vector<std::uint8_t>;

// The window's fields as it opens, with node 10 (the simulator) and the changes given.
QStringList campi(std::initializer_list<std::pair<int, const char*>> modifiche = {})
{
    QStringList c{QStringLiteral("10"), QStringLiteral("4"), QStringLiteral("0"),
                  QStringLiteral("1"),  QStringLiteral("0"), QStringLiteral("1"), QString()};
    for (int i = 0; i < kByteDatiManuali; ++i)
        c << QStringLiteral("0");
    for (const auto& [campo, testo] : modifiche)
        c[campo] = QString::fromUtf8(testo);
    return c;
}

void aggiungiMezzi()
{
    QTest::addColumn<Mezzo>("mezzo");
    QTest::newRow("tcp") << Mezzo::Tcp;
    QTest::newRow("rtu") << Mezzo::Rtu;
}

} // namespace

class TestRichiestaManuale : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void trama_data();
    void trama();
    void campiRifiutati_data();
    void campiRifiutati();
    void tempo_data();
    void tempo();
    void singola_data() { aggiungiMezzi(); }
    void singola();
    void rispostaGuasta_data();
    void rispostaGuasta();
    void rifiutataNonInvia_data() { aggiungiMezzi(); }
    void rifiutataNonInvia();
    void ciclicaFinoAStop_data() { aggiungiMezzi(); }
    void ciclicaFinoAStop();
    void ciclicaFinisceSenzaRisposta();
    void ciclicaNonConnessaNonGira();
    void ciclicaSenzaAttesaNonGira();
    void ciclicaCampiCambiatiDuranteIlCiclo();

private:
    test::Banco banco_;
    test::FakeDialogs& dialogs_ = banco_.dialogs;
};

void TestRichiestaManuale::init()
{
    banco_.apri();
}

void TestRichiestaManuale::cleanup()
{
    banco_.chiudi();
}

void TestRichiestaManuale::trama_data()
{
    QTest::addColumn<QStringList>("campi");
    QTest::addColumn<Byte>("attesi");
    QTest::newRow("defaults") << campi() << Byte{10, 4, 0, 1, 0, 1};
    QTest::newRow("blanks round a number") << campi({{0, " 7 "}}) << Byte{7, 4, 0, 1, 0, 1};
    QTest::newRow("quantity -1 is 255") << campi({{4, "-1"}, {5, "-256"}})
                                        << Byte{10, 4, 0, 1, 255, 0};
    QTest::newRow("16 with data") << campi({{1, "16"}, {6, "4"}, {7, "1"}, {8, "2"},
                                            {9, "3"}, {10, "255"}, {11, "bad, unsent"}})
                                  << Byte{10, 16, 0, 1, 0, 1, 4, 1, 2, 3, 255};
    QTest::newRow("16 count 0") << campi({{1, "16"}, {6, "0"}}) << Byte{10, 16, 0, 1, 0, 1, 0};
    QTest::newRow("15 and 32 carry data too")
        << campi({{1, "32"}, {6, "1"}, {7, "9"}}) << Byte{10, 32, 0, 1, 0, 1, 1, 9};
    QTest::newRow("16 with a leading zero: header only")
        << campi({{1, "016"}, {6, "2"}}) << Byte{10, 16, 0, 1, 0, 1};
    QTest::newRow("16 with a leading blank: header only")
        << campi({{1, " 16"}, {6, "junk"}}) << Byte{10, 16, 0, 1, 0, 1};
    QTest::newRow("20 memory read header")
        << campi({{1, "20"}, {2, "2"}, {3, "0"}, {4, "1"}, {5, "0"}, {6, "32"}, {7, "x"}})
        << Byte{10, 20, 2, 0, 1, 0, 32};
    QTest::newRow("count unread for other functions")
        << campi({{6, "999"}}) << Byte{10, 4, 0, 1, 0, 1};
    QTest::newRow("all 32 data bytes") << [] {
        QStringList c = campi({{1, "16"}, {6, "32"}});
        for (int k = 1; k <= 32; ++k)
            c[6 + k] = QString::number(100 + k);
        return c;
    }() << [] {
        Byte b{10, 16, 0, 1, 0, 1, 32};
        for (int k = 1; k <= 32; ++k)
            b.push_back(std::uint8_t(100 + k));
        return b;
    }();
}

void TestRichiestaManuale::trama()
{
    QFETCH(QStringList, campi);
    QFETCH(Byte, attesi);
    const TramaManuale t = CostruisciTramaManuale(campi);
    QCOMPARE(t.errore, QString());
    QCOMPARE(t.byte, attesi);
}

void TestRichiestaManuale::campiRifiutati_data()
{
    QTest::addColumn<QStringList>("campi");
    QTest::addColumn<QString>("messaggio");
    const QString fuori = QStringLiteral("%1: \"%2\" is not a whole number from %3 to 255.");
    QTest::newRow("node 256") << campi({{0, "256"}}) << fuori.arg("ADD", "256").arg(0);
    QTest::newRow("node empty") << campi({{0, ""}}) << fuori.arg("ADD", "").arg(0);
    QTest::newRow("function text") << campi({{1, "abc"}}) << fuori.arg("FUN", "abc").arg(0);
    QTest::newRow("function -1") << campi({{1, "-1"}}) << fuori.arg("FUN", "-1").arg(0);
    QTest::newRow("start high -1") << campi({{2, "-1"}}) << fuori.arg("ST H", "-1").arg(0);
    QTest::newRow("decimal") << campi({{3, "1.5"}}) << fuori.arg("ST L", "1.5").arg(0);
    QTest::newRow("exponent fraction") << campi({{3, "5e-1"}}) << fuori.arg("ST L", "5e-1").arg(0);
    QTest::newRow("quantity -257")
        << campi({{4, "-257"}}) << fuori.arg(QString::fromUtf8("N\u00b0 H"), "-257").arg(-256);
    QTest::newRow("huge") << campi({{5, "99999999999999"}})
                          << fuori.arg(QString::fromUtf8("N\u00b0 L"), "99999999999999").arg(-256);
    QTest::newRow("16 count empty") << campi({{1, "16"}, {6, ""}}) << fuori.arg("CNT", "").arg(0);
    QTest::newRow("16 count 33") << campi({{1, "16"}, {6, "33"}})
                                 << QStringLiteral("CNT: at most 32 data bytes can be sent.");
    QTest::newRow("20 count 256") << campi({{1, "20"}, {6, "256"}})
                                  << fuori.arg("CNT", "256").arg(0);
    QTest::newRow("data byte 300") << campi({{1, "15"}, {6, "3"}, {9, "300"}})
                                   << fuori.arg("DATA 2 H", "300").arg(0);
    QTest::newRow("data low byte") << campi({{1, "16"}, {6, "2"}, {8, "x"}})
                                   << fuori.arg("DATA 1 L", "x").arg(0);
}

void TestRichiestaManuale::campiRifiutati()
{
    QFETCH(QStringList, campi);
    QFETCH(QString, messaggio);
    const TramaManuale t = CostruisciTramaManuale(campi);
    QVERIFY(!t.valida());
    QCOMPARE(t.errore, messaggio);
    QVERIFY(t.byte.empty());
}

void TestRichiestaManuale::tempo_data()
{
    QTest::addColumn<qint64>("ms");
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("testo");
    QTest::newRow("0") << qint64(0) << QLocale::c() << QStringLiteral("0");
    QTest::newRow("50") << qint64(50) << QLocale::c() << QStringLiteral("50");
    QTest::newRow("1250") << qint64(1250) << QLocale::c() << QStringLiteral("1,250");
    QTest::newRow("german") << qint64(1250) << QLocale(QLocale::German) << QStringLiteral("1.250");
}

void TestRichiestaManuale::tempo()
{
    QFETCH(qint64, ms);
    QFETCH(QLocale, locale);
    QFETCH(QString, testo);
    QCOMPARE(TestoTempoRisposta(ms, locale), testo);
}

void TestRichiestaManuale::singola()
{
    QFETCH(Mezzo, mezzo);
    test::LinkSuSim link(mezzo);
    QVERIFY(link.avviato());
    link.sim.setRegistro(1, 0x12AB);
    QVERIFY(link.connetti());
    QCOMPARE(int(InviaRichiestaManuale(campi()).value_or(99)), int(kComOk));
    QVERIFY(!MonitorCom);
    QVERIFY(dialogs_.messaggi.empty());
    QString atteso = QStringLiteral("0A 04 02 12 AB ");
    if (mezzo == Mezzo::Rtu) {
        const std::uint8_t r[] = {10, 4, 2, 0x12, 0xAB};
        const auto crc = sim::crc16(r, 5);
        atteso += QStringLiteral("%1 %2 ")
                      .arg(crc[0], 2, 16, QLatin1Char('0'))
                      .arg(crc[1], 2, 16, QLatin1Char('0'))
                      .toUpper();
    }
    QCOMPARE(MonitorRisposte::istanza().testo(), atteso);
    const std::vector<sim::Trama> ricevute = link.sim.ricevute();
    QCOMPARE(int(ricevute.size()), 1);
    const sim::Trama tcp{0, 0, 0, 0, 0, 6, 10, 4, 0, 1, 0, 1};
    if (mezzo == Mezzo::Tcp)
        QCOMPARE(ricevute[0], tcp);
    else
        QCOMPARE(sim::Trama(ricevute[0].begin(), ricevute[0].end() - 2),
                 sim::Trama(tcp.begin() + 6, tcp.end()));
}

void TestRichiestaManuale::rispostaGuasta_data()
{
    QTest::addColumn<Mezzo>("mezzo");
    QTest::addColumn<Guasto>("guasto");
    QTest::addColumn<int>("esito");
    QTest::addColumn<QString>("monitor");
    QTest::newRow("tcp exception") << Mezzo::Tcp << Guasto::Eccezione << 2
                                   << QStringLiteral("0A 84 04 ");
    QTest::newRow("rtu exception") << Mezzo::Rtu << Guasto::Eccezione << 2
                                   << QStringLiteral("0A 84 04 ");
    QTest::newRow("tcp no reply") << Mezzo::Tcp << Guasto::NessunaRisposta << 1 << QString();
    QTest::newRow("rtu no reply") << Mezzo::Rtu << Guasto::NessunaRisposta << 1 << QString();
}

void TestRichiestaManuale::rispostaGuasta()
{
    QFETCH(Mezzo, mezzo);
    QFETCH(Guasto, guasto);
    QFETCH(int, esito);
    QFETCH(QString, monitor);
    test::LinkSuSim link(mezzo);
    QVERIFY(link.avviato());
    QVERIFY(link.connetti());
    Controllore.Timeout = 200;
    if (guasto == Guasto::NessunaRisposta)
        TimeoutRTU = 0;
    MonitorRisposte::istanza().mostra(std::vector<std::uint8_t>{0xEE});
    link.sim.impostaGuasto(guasto);
    StopCom = 0;
    QCOMPARE(int(InviaRichiestaManuale(campi()).value_or(99)), esito);
    QCOMPARE(StopCom, std::int16_t(1));
    QVERIFY(!MonitorCom);
    // The reply as it came, checksum included; nothing left of the previous one.
    QVERIFY(MonitorRisposte::istanza().testo().startsWith(monitor));
    QCOMPARE(MonitorRisposte::istanza().testo().size(),
             monitor.isEmpty() ? 0 : monitor.size() + (mezzo == Mezzo::Rtu ? 6 : 0));
}

void TestRichiestaManuale::rifiutataNonInvia()
{
    QFETCH(Mezzo, mezzo);
    test::LinkSuSim link(mezzo);
    QVERIFY(link.avviato());
    QVERIFY(link.connetti());
    QCOMPARE(int(InviaRichiestaManuale(campi()).value_or(99)), int(kComOk));
    const auto tx = BuffTx;
    const std::int16_t lenTx = LenTx;
    const int richieste = link.sim.richieste();
    QVERIFY(!InviaRichiestaManuale(campi({{5, "256"}})));
    QCOMPARE(int(dialogs_.messaggi.size()), 1);
    QCOMPARE(dialogs_.messaggi[0].icona, platform::MsgIcon::Exclamation);
    QVERIFY(dialogs_.messaggi[0].testo.contains(QStringLiteral("\"256\"")));
    QCOMPARE(link.sim.richieste(), richieste);
    QVERIFY(BuffTx == tx);
    QCOMPARE(LenTx, lenTx);
}

void TestRichiestaManuale::ciclicaFinoAStop()
{
    QFETCH(Mezzo, mezzo);
    test::LinkSuSim link(mezzo);
    QVERIFY(link.avviato());
    QVERIFY(link.connetti());
    QStringList tempi;
    CicloManuale c;
    c.campi = [] { return campi(); };
    c.aperta = [] { return true; };
    c.tempo = [&tempi](qint64 ms) {
        tempi << TestoTempoRisposta(ms);
        if (tempi.size() == 3)
            FermaCicloManuale();
    };
    InviaCiclica(c);
    QCOMPARE(tempi.size(), 3);
    QCOMPARE(link.sim.richieste(), 3);
    QVERIFY(!CicloManualeInCorso());
    QVERIFY(!MonitorCom);
    QVERIFY(dialogs_.messaggi.empty());
    QVERIFY(MonitorRisposte::istanza().testo().startsWith(QStringLiteral("0A 04 02 ")));

    // Ended by its window closing instead: the link rests as after any loop, and a
    // disconnect disconnects.
    int giri = 0;
    c.aperta = [&giri] { return giri < 2; };
    c.tempo = [&giri](qint64) { ++giri; };
    InviaCiclica(c);
    QCOMPARE(giri, 2);
    Disconnetti();
    QVERIFY(!Controllore.Connesso);
    QVERIFY(LogModello::istanza().righe().last().startsWith(QStringLiteral("  Disconnect [")));
}

void TestRichiestaManuale::ciclicaFinisceSenzaRisposta()
{
    test::LinkSuSim link(Mezzo::Tcp);
    QVERIFY(link.avviato());
    QVERIFY(link.connetti());
    Controllore.Timeout = 200;
    int giri = 0;
    CicloManuale c;
    c.campi = [] { return campi(); };
    c.aperta = [] { return true; };
    c.tempo = [&](qint64) {
        if (++giri == 2)
            link.sim.impostaGuasto(Guasto::NessunaRisposta);
    };
    InviaCiclica(c);
    QCOMPARE(giri, 3);
    QCOMPARE(StopCom, std::int16_t(1));
    QCOMPARE(link.sim.richieste(), 3);
}

void TestRichiestaManuale::ciclicaNonConnessaNonGira()
{
    int giri = 0;
    CicloManuale c;
    c.campi = [] { return campi(); };
    c.aperta = [] { return true; };
    c.tempo = [&giri](qint64) { ++giri; };
    InviaCiclica(c);
    QCOMPARE(giri, 1);
    QCOMPARE(int(dialogs_.messaggi.size()), 1);
    QCOMPARE(dialogs_.messaggi[0].testo, QStringLiteral("Controller not connected"));
    QVERIFY(!CicloManualeInCorso());
}

void TestRichiestaManuale::ciclicaSenzaAttesaNonGira()
{
    test::LinkSuSim link(Mezzo::Tcp);
    QVERIFY(link.avviato());
    QVERIFY(link.connetti());
    AttendiRisposta = false;
    test::Attesa attesa;   // records the waits between rounds
    int giri = 0;
    CicloManuale c;
    c.campi = [] { return campi(); };
    c.aperta = [] { return true; };
    c.tempo = [&giri](qint64) {
        if (++giri == 5)
            FermaCicloManuale();
    };
    InviaCiclica(c);
    QCOMPARE(giri, 5);
    // Every round but the last waited before the next one started.
    int tra = 0;
    for (const qint64 t : attesa.attese)
        if (t > 0 && t <= kIntervalloMinimoMs)
            ++tra;
    QVERIFY2(tra >= 4, qPrintable(QString::number(tra)));
}

void TestRichiestaManuale::ciclicaCampiCambiatiDuranteIlCiclo()
{
    test::LinkSuSim link(Mezzo::Tcp);
    QVERIFY(link.avviato());
    QVERIFY(link.connetti());
    QStringList attuali = campi();
    int giri = 0;
    CicloManuale c;
    c.campi = [&attuali] { return attuali; };
    c.aperta = [] { return true; };
    c.tempo = [&](qint64) {
        ++giri;
        attuali = giri == 1 ? campi({{3, "7"}}) : campi({{3, "-7"}});
    };
    InviaCiclica(c);
    // The edit is sent from the next round; a field gone bad ends the loop with one message.
    QCOMPARE(giri, 2);
    const std::vector<sim::Trama> r = link.sim.ricevute();
    QCOMPARE(int(r.size()), 2);
    QCOMPARE(int(r[0][9]), 1);
    QCOMPARE(int(r[1][9]), 7);
    QCOMPARE(int(dialogs_.messaggi.size()), 1);
    QVERIFY(!CicloManualeInCorso());
}

QTEST_GUILESS_MAIN(TestRichiestaManuale)
#include "tst_richiestamanuale.moc"
