// The request and reply against the device simulator, over Modbus TCP on 127.0.0.1 and
// over Modbus RTU on a pseudo-terminal.
#include "app/Avvio.h"
#include "base/BarraStato.h"
#include "base/Log.h"
#include "link/Monitor.h"
#include "link/Richiesta.h"
#include "link/StatoLink.h"
#include "platform/Waiter.h"
#include "support/Banco.h"
#include "support/Doubles.h"
#include "support/LinkSim.h"
#include "support/LogProva.h"

#include <QTest>
#include <QTimer>

using namespace ludra;
using test::Mezzo;
using sim::Guasto;

Q_DECLARE_METATYPE(Mezzo)
Q_DECLARE_METATYPE(Guasto)

namespace {

QString pannello4() { return BarraStato::istanza().pannello(4); }

QStringList testiMessaggi(const test::FakeDialogs& d)
{
    QStringList t;
    for (const auto& m : d.messaggi)
        t << m.testo;
    return t;
}

void aggiungiMezzi()
{
    QTest::addColumn<Mezzo>("mezzo");
    QTest::newRow("tcp") << Mezzo::Tcp;
    QTest::newRow("rtu") << Mezzo::Rtu;
}

} // namespace

class TestRichiesta : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void letturaRiuscita_data() { aggiungiMezzi(); }
    void letturaRiuscita();
    void tramaRtuSulFilo();
    void tramaTcpSulFilo();
    void nonConnesso_data();
    void nonConnesso();
    void senzaAttesa_data() { aggiungiMezzi(); }
    void senzaAttesa();
    void guasti_data();
    void guasti();
    void rispostaTardiva_data() { aggiungiMezzi(); }
    void rispostaTardiva();
    void rispostaAPezziNonPassaAllaSeguente_data() { aggiungiMezzi(); }
    void rispostaAPezziNonPassaAllaSeguente();
    void inputVecchioScartatoPrimaDellInvio_data() { aggiungiMezzi(); }
    void inputVecchioScartatoPrimaDellInvio();
    void richiestaAnnidataRifiutata_data() { aggiungiMezzi(); }
    void richiestaAnnidataRifiutata();
    void monitor_data();
    void monitor();
    void richiestaTroppoLunga_data();
    void richiestaTroppoLunga();
    void memoriaDelControllore_data() { aggiungiMezzi(); }
    void memoriaDelControllore();
    void connessioneTcpCadutaDuranteLAttesa();
    void lunghezzaTcpErrata_data();
    void lunghezzaTcpErrata();
    void inondazione_data() { aggiungiMezzi(); }
    void inondazione();

private:
    test::Banco banco_;
    test::FakeDialogs& dialogs_ = banco_.dialogs;
};

void TestRichiesta::init()
{
    banco_.apri();
    banco_.tieniLink();
}

void TestRichiesta::cleanup()
{
    banco_.chiudi();
}

void TestRichiesta::letturaRiuscita()
{
    QFETCH(Mezzo, mezzo);
    test::LinkSuSim link(mezzo);
    QVERIFY(link.avviato());
    for (int i = 0; i < 32; ++i)
        link.sim.setRegistro(100 + i, std::uint16_t(0x0100 * i + 7));
    QVERIFY(link.connetti());
    const int righe = test::righeLog();
    StopCom = 0;
    test::RichiestaLettura(100, 32);
    QCOMPARE(int(InviaRichiesta(true)), 0);
    QCOMPARE(pannello4(), QStringLiteral("Com OK"));
    QCOMPARE(StopCom, std::int16_t(0));
    QVERIFY(dialogs_.messaggi.empty());
    QCOMPARE(test::logDa(righe), QStringList());
    QCOMPARE(int(LenRx), mezzo == Mezzo::Rtu ? 3 + 64 + 2 : 3 + 64);
    QCOMPARE(int(BuffRx[0]), 10);
    QCOMPARE(int(BuffRx[1]), 4);
    QCOMPARE(int(BuffRx[2]), 64);
    for (int i = 0; i < 32; ++i) {
        QCOMPARE(int(BuffRx[3 + 2 * std::size_t(i)]), i);
        QCOMPARE(int(BuffRx[4 + 2 * std::size_t(i)]), 7);
    }
    QCOMPARE(int(LenTx), mezzo == Mezzo::Rtu ? 8 : 6);
}

void TestRichiesta::tramaRtuSulFilo()
{
    test::LinkSuSim link(Mezzo::Rtu);
    QVERIFY(link.connetti());
    test::ImpostaRichiesta({0x0A, 0x04, 0, 0, 0, 7});
    QCOMPARE(int(InviaRichiesta(true)), 0);
    QCOMPARE(int(LenTx), 8);
    QCOMPARE(int(BuffTx[6]), 0xB0);
    QCOMPARE(int(BuffTx[7]), 0xB3);
    const auto ricevute = link.sim.ricevute();
    QCOMPARE(ricevute.size(), std::size_t(1));
    QCOMPARE(ricevute[0], (sim::Trama{0x0A, 0x04, 0, 0, 0, 7, 0xB0, 0xB3}));
}

void TestRichiesta::tramaTcpSulFilo()
{
    test::LinkSuSim link(Mezzo::Tcp);
    QVERIFY(link.connetti());
    link.sim.setRegistro(0, 1);
    test::ImpostaRichiesta({0x0A, 0x04, 0, 0, 0, 1});
    QCOMPARE(int(InviaRichiesta(true)), 0);
    QCOMPARE(int(LenTx), 6);
    const auto ricevute = link.sim.ricevute();
    QCOMPARE(ricevute.size(), std::size_t(1));
    // Transaction id always 0, protocol 0, length 6, then the request.
    QCOMPARE(ricevute[0], (sim::Trama{0, 0, 0, 0, 0, 6, 0x0A, 0x04, 0, 0, 0, 1}));
    QCOMPARE(int(LenRx), 5);
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(BuffRx.data()), 5),
             QByteArray::fromHex("0A04020001"));
}

void TestRichiesta::nonConnesso_data()
{
    QTest::addColumn<bool>("messaggi");
    QTest::newRow("with messages") << true;
    QTest::newRow("without messages") << false;
}

void TestRichiesta::nonConnesso()
{
    QFETCH(bool, messaggi);
    test::LinkSuSim link(Mezzo::Tcp);
    StopCom = 0;
    test::RichiestaLettura(0, 1);
    const int righe = test::righeLog();
    QCOMPARE(int(InviaRichiesta(messaggi)), 3);
    QCOMPARE(pannello4(), QStringLiteral("Com Error"));
    const QStringList log = test::logDa(righe);
    QCOMPARE(log.size(), 2);
    QVERIFY(log[0].startsWith(QStringLiteral("-- ")));
    QCOMPARE(log[1], QStringLiteral("  Com Error"));
    // Refused for want of a connection: the stop flag stays as it was.
    QCOMPARE(StopCom, std::int16_t(0));
    QCOMPARE(link.sim.richieste(), 0);
    if (messaggi) {
        QCOMPARE(dialogs_.messaggi.size(), std::size_t(1));
        QCOMPARE(dialogs_.messaggi[0].testo, QStringLiteral("Controller not connected"));
        QCOMPARE(dialogs_.messaggi[0].icona, platform::MsgIcon::Exclamation);
        QCOMPARE(dialogs_.messaggi[0].titolo, QStringLiteral("Ludra"));
    } else {
        QVERIFY(dialogs_.messaggi.empty());
    }
}

void TestRichiesta::senzaAttesa()
{
    QFETCH(Mezzo, mezzo);
    test::LinkSuSim link(mezzo);
    QVERIFY(link.connetti());
    AttendiRisposta = false;
    BuffRx.fill(0x55);
    LenRx = 77;
    test::RichiestaLettura(0, 1);
    QCOMPARE(int(InviaRichiesta(true)), 0);
    QCOMPARE(pannello4(), QStringLiteral("Com OK"));
    QCOMPARE(int(LenRx), 77);
    QCOMPARE(int(BuffRx[0]), 0x55);
    // The frame did leave.
    QVERIFY(QTest::qWaitFor([&] { return link.sim.richieste() == 1; }, 5000));
}

void TestRichiesta::guasti_data()
{
    QTest::addColumn<Mezzo>("mezzo");
    QTest::addColumn<Guasto>("guasto");
    QTest::addColumn<bool>("messaggi");
    QTest::addColumn<int>("esito");
    QTest::addColumn<QStringList>("boxes");

    const QStringList nessuno;
    const QString corta = QStringLiteral("Reply shorter than the request asked for");
    struct Riga {
        const char* nome;
        Guasto g;
        bool messaggi;
        int tcp;
        QStringList boxTcp;
        int rtu;
        QStringList boxRtu;
    };
    const Riga righe[] = {
        {"no reply", Guasto::NessunaRisposta, true, 1, nessuno, 1, nessuno},
        {"delayed reply", Guasto::Ritardo, true, 0, nessuno, 0, nessuno},
        {"bad CRC low byte", Guasto::CrcBassoErrato, true, -1, nessuno, 1,
         {"Errore Checksum 1", "CheckSum Rx Errato"}},
        {"bad CRC low byte, quiet", Guasto::CrcBassoErrato, false, -1, nessuno, 1,
         {"Errore Checksum 1"}},
        {"bad CRC high byte", Guasto::CrcAltoErrato, true, -1, nessuno, 1,
         {"Errore Checksum 2", "CheckSum Rx Errato"}},
        {"wrong node", Guasto::NodoErrato, true, 2, nessuno, 2, {"Risposta Errata (indirizzo)"}},
        {"wrong node, quiet", Guasto::NodoErrato, false, 2, nessuno, 2, nessuno},
        {"wrong function", Guasto::FunzioneErrata, true, 2, nessuno, 2,
         {"Risposta Errata (funzione)"}},
        {"exception", Guasto::Eccezione, true, 2, nessuno, 2, {"Risposta Errata (funzione)"}},
        {"short reply", Guasto::RispostaCorta, true, 1, {corta}, 1, {corta}},
        {"short reply, quiet", Guasto::RispostaCorta, false, 1, nessuno, 1, nessuno},
        {"over-long reply", Guasto::RispostaLunga, true, 0, nessuno, 0, nessuno},
        {"reply in pieces", Guasto::RispostaAPezzi, true, 0, nessuno, 0, nessuno},
        {"disconnect", Guasto::Disconnessione, true, 1, nessuno, 1, nessuno},
    };
    for (const Riga& r : righe) {
        if (r.tcp >= 0)
            QTest::addRow("tcp, %s", r.nome) << Mezzo::Tcp << r.g << r.messaggi << r.tcp << r.boxTcp;
        QTest::addRow("rtu, %s", r.nome) << Mezzo::Rtu << r.g << r.messaggi << r.rtu << r.boxRtu;
    }
}

void TestRichiesta::guasti()
{
    QFETCH(Mezzo, mezzo);
    QFETCH(Guasto, guasto);
    QFETCH(bool, messaggi);
    QFETCH(int, esito);
    QFETCH(QStringList, boxes);
    test::LinkSuSim link(mezzo);
    QVERIFY(link.connetti());
    // Silence costs a whole time-out: keep it short (0 whole seconds on the serial line
    // still collects a reply that is already there).
    Controllore.Timeout = 300;
    if (guasto == Guasto::NessunaRisposta || guasto == Guasto::Disconnessione)
        TimeoutRTU = 0;
    link.sim.setRegistro(3, 0xBEEF);
    link.sim.impostaGuasto(guasto, 1, 20);
    const int righe = test::righeLog();
    StopCom = 0;
    test::RichiestaLettura(3, 1);
    QCOMPARE(int(InviaRichiesta(messaggi)), esito);

    const QStringList log = test::logDa(righe);
    if (esito == 0) {
        QCOMPARE(pannello4(), QStringLiteral("Com OK"));
        QCOMPARE(log, QStringList());
        QCOMPARE(StopCom, std::int16_t(0));
        QCOMPARE(int(BuffRx[3]), 0xBE);
        QCOMPARE(int(BuffRx[4]), 0xEF);
    } else {
        QCOMPARE(pannello4(), esito == 1 ? QStringLiteral("Com TimeOut") : QStringLiteral("Com Error"));
        // A connection the device closed is reported first.
        const int chiusa = guasto == Guasto::Disconnessione && mezzo == Mezzo::Tcp ? 2 : 0;
        QCOMPARE(log.size(), 2 + chiusa);
        if (chiusa)
            QCOMPARE(log[1], QStringLiteral("  Disconnect [127.0.0.1]"));
        QVERIFY(log[chiusa].startsWith(QStringLiteral("-- ")));
        QCOMPARE(log[chiusa + 1],
                 esito == 1 ? QStringLiteral("  Com Timeout") : QStringLiteral("  Com Error"));
        QCOMPARE(StopCom, std::int16_t(1));
    }
    QCOMPARE(testiMessaggi(dialogs_), boxes);
    for (const auto& m : dialogs_.messaggi) {
        const bool guastoInterno = m.testo == QStringLiteral("Reply shorter than the request asked for");
        QCOMPARE(m.titolo, guastoInterno ? QStringLiteral("VUV-ODO") : QStringLiteral("Ludra"));
        QCOMPARE(m.icona, guastoInterno ? platform::MsgIcon::Critical : platform::MsgIcon::None);
    }

    // The link is usable again at once (TCP reconnects after a disconnect).
    if (guasto == Guasto::Disconnessione && mezzo == Mezzo::Tcp) {
        StopCom = 1;
        QVERIFY(link.connetti());
    }
    TimeoutRTU = 2;
    dialogs_.messaggi.clear();
    link.sim.setRegistro(4, 0x1234);
    test::RichiestaLettura(4, 1);
    QCOMPARE(int(InviaRichiesta(true)), 0);
    QCOMPARE(int(BuffRx[3]), 0x12);
    QCOMPARE(int(BuffRx[4]), 0x34);
}

void TestRichiesta::rispostaTardiva()
{
    QFETCH(Mezzo, mezzo);
    test::LinkSuSim link(mezzo);
    QVERIFY(link.connetti());
    Controllore.Timeout = 200;
    TimeoutRTU = 0;
    link.sim.setRegistro(7, 0x0707);
    link.sim.setRegistro(8, 0x0808);
    link.sim.impostaGuasto(Guasto::RispostaTardiva, 1);
    test::RichiestaLettura(7, 1);
    QCOMPARE(int(InviaRichiesta(true)), 1);
    QCOMPARE(pannello4(), QStringLiteral("Com TimeOut"));
    // The held reply lands right before this request's own: this request gets its own.
    TimeoutRTU = 2;
    Controllore.Timeout = 2000;
    test::RichiestaLettura(8, 1);
    QCOMPARE(int(InviaRichiesta(true)), 0);
    QCOMPARE(int(BuffRx[3]), 0x08);
    QCOMPARE(int(BuffRx[4]), 0x08);
    QCOMPARE(int(LenRx), mezzo == Mezzo::Rtu ? 7 : 5);
    QVERIFY(dialogs_.messaggi.empty());

    // A reply that comes once its request has given up waits in the line: the next
    // request throws it away before it sends.
    Controllore.Timeout = 100;
    TimeoutRTU = 0;
    link.sim.impostaGuasto(Guasto::Ritardo, 1, 150);
    test::RichiestaLettura(7, 1);
    QCOMPARE(int(InviaRichiesta(false)), 1);
    QTest::qWait(300);
    TimeoutRTU = 2;
    Controllore.Timeout = 2000;
    test::RichiestaLettura(8, 1);
    QCOMPARE(int(InviaRichiesta(true)), 0);
    QCOMPARE(int(BuffRx[3]), 0x08);
}

void TestRichiesta::rispostaAPezziNonPassaAllaSeguente()
{
    QFETCH(Mezzo, mezzo);
    test::LinkSuSim link(mezzo);
    QVERIFY(link.connetti());
    for (int i = 0; i < 16; ++i)
        link.sim.setRegistro(i, std::uint16_t(i + 1));
    link.sim.impostaGuasto(Guasto::RispostaAPezzi, 1, 30);
    test::RichiestaLettura(0, 16);
    QCOMPARE(int(InviaRichiesta(true)), 0);
    QCOMPARE(int(BuffRx[2]), 32);
    QCOMPARE(int(BuffRx[3 + 31]), 16);
    // The next reply is the next request's, not the tail of the split one.
    test::RichiestaLettura(9, 1);
    QCOMPARE(int(InviaRichiesta(true)), 0);
    QCOMPARE(int(BuffRx[2]), 2);
    QCOMPARE(int(BuffRx[4]), 10);
}

void TestRichiesta::inputVecchioScartatoPrimaDellInvio()
{
    QFETCH(Mezzo, mezzo);
    test::LinkSuSim link(mezzo);
    QVERIFY(link.connetti());
    link.sim.setRegistro(1, 0x1111);
    link.sim.setRegistro(2, 0x2222);
    // A reply nobody waits for arrives between requests.
    AttendiRisposta = false;
    test::RichiestaLettura(1, 1);
    QCOMPARE(int(InviaRichiesta(true)), 0);
    QVERIFY(platform::waiter().waitUntil([] { return DatiRicevuti == 1; }, 5000));
    AttendiRisposta = true;
    test::RichiestaLettura(2, 1);
    QCOMPARE(int(InviaRichiesta(true)), 0);
    QCOMPARE(int(BuffRx[3]), 0x22);
    QCOMPARE(int(BuffRx[4]), 0x22);
    QCOMPARE(int(DatiRicevuti), 0);
}

void TestRichiesta::richiestaAnnidataRifiutata()
{
    QFETCH(Mezzo, mezzo);
    test::LinkSuSim link(mezzo);
    QVERIFY(link.connetti());
    link.sim.setRegistro(5, 0x0505);
    link.sim.impostaGuasto(Guasto::Ritardo, 1, 150);
    int esitoInterno = -1;
    bool buffersIntatti = false;
    int inviateDurante = -1;
    QTimer::singleShot(20, [&] {
        const auto tx = BuffTx;
        const auto rx = BuffRx;
        const auto lenTx = LenTx;
        const auto lenRx = LenRx;
        const int prima = link.sim.richieste();
        esitoInterno = InviaRichiesta(true);
        buffersIntatti = tx == BuffTx && rx == BuffRx && lenTx == LenTx && lenRx == LenRx;
        inviateDurante = link.sim.richieste() - prima;
    });
    test::RichiestaLettura(5, 1);
    const int righe = test::righeLog();
    StopCom = 0;
    QCOMPARE(int(InviaRichiesta(true)), 0);
    QCOMPARE(esitoInterno, 1);
    QVERIFY(buffersIntatti);
    QCOMPARE(inviateDurante, 0);
    QCOMPARE(link.sim.richieste(), 1);
    QCOMPARE(int(BuffRx[3]), 5);
    QCOMPARE(int(BuffRx[4]), 5);
    QCOMPARE(pannello4(), QStringLiteral("Com OK"));
    // Nothing timed out: no box, no time-out line, and the waiting request's loop goes on.
    QVERIFY(dialogs_.messaggi.empty());
    const QStringList log = test::logDa(righe);
    QVERIFY(log.contains(QStringLiteral("  Request refused: Test is running")));
    QVERIFY(!log.contains(QStringLiteral("  Com Timeout")));
    QCOMPARE(int(StopCom), 0);
}

void TestRichiesta::monitor_data()
{
    QTest::addColumn<Mezzo>("mezzo");
    QTest::addColumn<QString>("testo");
    QTest::newRow("tcp") << Mezzo::Tcp << QStringLiteral("0A 04 02 00 01 ");
    // The checksum bytes are shown too.
    QTest::newRow("rtu") << Mezzo::Rtu << QStringLiteral("0A 04 02 00 01 DD 31 ");
}

void TestRichiesta::monitor()
{
    QFETCH(Mezzo, mezzo);
    QFETCH(QString, testo);
    test::LinkSuSim link(mezzo);
    QVERIFY(link.connetti());
    link.sim.setRegistro(0, 1);
    MonitorCom = true;
    test::RichiestaLettura(0, 1);
    QCOMPARE(int(InviaRichiesta(true)), 0);
    QCOMPARE(MonitorRisposte::istanza().testo(), testo);
    MonitorCom = false;
    link.sim.setRegistro(0, 2);
    QCOMPARE(int(InviaRichiesta(true)), 0);
    QCOMPARE(MonitorRisposte::istanza().testo(), testo);
}

void TestRichiesta::richiestaTroppoLunga_data()
{
    QTest::addColumn<Mezzo>("mezzo");
    QTest::addColumn<int>("lunghezza");
    QTest::addColumn<int>("esito");
    QTest::newRow("rtu 254 fits") << Mezzo::Rtu << 254 << -1;
    QTest::newRow("rtu 255 does not") << Mezzo::Rtu << 255 << 1;
    QTest::newRow("tcp 255 fits") << Mezzo::Tcp << 255 << -1;
    QTest::newRow("tcp 256 does not") << Mezzo::Tcp << 256 << 1;
    QTest::newRow("negative") << Mezzo::Tcp << -1 << 1;
}

void TestRichiesta::richiestaTroppoLunga()
{
    QFETCH(Mezzo, mezzo);
    QFETCH(int, lunghezza);
    QFETCH(int, esito);
    test::LinkSuSim link(mezzo);
    QVERIFY(link.connetti());
    if (esito >= 0) {
        Controllore.Timeout = 200;
        TimeoutRTU = 0;
    }
    test::ImpostaRichiesta({10, 0x41});
    LenTx = std::int16_t(lunghezza);
    const int risultato = InviaRichiesta(true);
    if (esito >= 0) {
        QCOMPARE(risultato, esito);
        QCOMPARE(dialogs_.messaggi.size(), std::size_t(1));
        QCOMPARE(dialogs_.messaggi[0].titolo, QStringLiteral("VUV-ODO"));
        QCOMPARE(StopCom, std::int16_t(1));
        QCOMPARE(link.sim.richieste(), 0);
    } else {
        // Sent: the simulator refuses the unknown function with an exception.
        QCOMPARE(risultato, 2);
    }
}

void TestRichiesta::memoriaDelControllore()
{
    QFETCH(Mezzo, mezzo);
    test::LinkSuSim link(mezzo);
    QVERIFY(link.connetti());
    // Write three bytes at 512 + 3, read them back as program image offset 3 and as
    // memory 515.
    test::ImpostaRichiesta({10, 20, 4, 0, 0x02, 0x03, 3, 0xA1, 0xB2, 0xC3});
    QCOMPARE(int(InviaRichiesta(true)), 0);
    QCOMPARE(int(link.sim.memoria(515)), 0xA1);
    test::ImpostaRichiesta({10, 20, 1, 0, 0, 3, 3});
    QCOMPARE(int(InviaRichiesta(true)), 0);
    QCOMPARE(int(BuffRx[3]), 0xA1);
    QCOMPARE(int(BuffRx[5]), 0xC3);
    test::ImpostaRichiesta({10, 20, 2, 0, 0x02, 0x04, 2});
    QCOMPARE(int(InviaRichiesta(true)), 0);
    QCOMPARE(int(BuffRx[3]), 0xB2);
    QCOMPARE(int(BuffRx[4]), 0xC3);
    // Past the end of memory: an exception reply.
    test::ImpostaRichiesta({10, 20, 2, 0, 0xFF, 0xFF, 2});
    QCOMPARE(int(InviaRichiesta(false)), 2);
}

void TestRichiesta::connessioneTcpCadutaDuranteLAttesa()
{
    test::LinkSuSim link(Mezzo::Tcp);
    QVERIFY(link.connetti());
    // A long time-out: the closed connection must end the wait, not the clock.
    Controllore.Timeout = 30000;
    link.sim.impostaGuasto(Guasto::Disconnessione, 1);
    test::RichiestaLettura(0, 1);
    QCOMPARE(int(InviaRichiesta(true)), 1);
    // Seen at once, as the disconnect key shows it.
    QVERIFY(!Controllore.Connesso);
    QCOMPARE(BarraStato::istanza().pannello(1), QStringLiteral("Not Connected"));
    QVERIFY(LogModello::istanza().righe().contains(QStringLiteral("  Disconnect [127.0.0.1]")));
    QCOMPARE(int(InviaRichiesta(false)), 3);
    QCOMPARE(link.sim.richieste(), 1);
}

void TestRichiesta::lunghezzaTcpErrata_data()
{
    QTest::addColumn<int>("scarto");
    QTest::addColumn<QByteArray>("richiesta");
    QTest::addColumn<QByteArray>("risposta");
    const char* funzioni[][2] = {
        {"0A0300010002", "0A030400000000"}, {"0A0400010001", "0A04020000"},
        {"0A0600050007", "0A0600050007"}, {"0A100005000204AAAABBBB", "0A1000050002"},
        {"0A14020000130A", "0A140A55000000000000000000"}, {"0A140400002001AA", "0A140400002001"}};
    for (const int scarto : {-1, 1, 2})
        for (const auto& f : funzioni)
            QTest::addRow("%s, %+d", f[0], scarto)
                << scarto << QByteArray::fromHex(f[0]) << QByteArray::fromHex(f[1]);
}

void TestRichiesta::lunghezzaTcpErrata()
{
    // A length the device fills wrong: the reply still ends when the function's is whole.
    QFETCH(int, scarto);
    QFETCH(QByteArray, richiesta);
    test::LinkSuSim link(Mezzo::Tcp);
    QVERIFY(link.connetti());
    link.sim.setScartoLunghezzaTcp(scarto);
    Controllore.Timeout = 20000;
    LenTx = std::int16_t(richiesta.size());
    std::copy(richiesta.begin(), richiesta.end(), BuffTx.begin());
    QCOMPARE(int(InviaRichiesta(true)), 0);
    QTEST(QByteArray(reinterpret_cast<const char*>(BuffRx.data()), LenRx), "risposta");
}

void TestRichiesta::inondazione()
{
    // A reply with a flood behind it fails on the flood, the event loop keeping its turns
    // (half the bound at most read in each); the link then serves again, never taking what
    // the flood left for a reply.
    QFETCH(Mezzo, mezzo);
    test::LinkSuSim link(mezzo);
    QVERIFY(link.connetti());
    link.sim.setRegistro(3, 0xBEEF);
    link.sim.impostaGuasto(Guasto::Inondazione);
    const QString troppi = QStringLiteral("The device sent more than 65536 bytes");
    const int righe = test::righeLog();
    test::RichiestaLettura(3, 1);
    QTimer turno;   // the most the reply grew by from one turn of the event loop to the next
    qsizetype ultimi = 0, crescita = 0;
    connect(&turno, &QTimer::timeout, [&] {
        crescita = qMax(crescita, StringaRx.size() - std::exchange(ultimi, StringaRx.size()));
    });
    turno.start(0);
    QCOMPARE(int(InviaRichiesta(true)), 1);
    QVERIFY2(crescita > 0 && crescita <= 32768, qPrintable(QString::number(crescita)));
    QCOMPARE(testiMessaggi(dialogs_), QStringList{troppi});
    QCOMPARE(test::logDa(righe).mid(1), (QStringList{"  " + troppi, "  Com Timeout"}));
    int esito = 1;
    for (int i = 0; i < 8 && esito != 0; ++i)
        esito = (test::RichiestaLettura(3, 1), InviaRichiesta(false));
    QCOMPARE(esito, 0);
    QCOMPARE(int(BuffRx[4]), 0xEF);
}

QTEST_GUILESS_MAIN(TestRichiesta)
#include "tst_richiesta.moc"
