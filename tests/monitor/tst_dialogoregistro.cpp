// The set-register dialog on a register: what it shows, what OK checks, writes and
// stores, against the device simulator.
#include "app/Avvio.h"
#include "base/Log.h"
#include "base/Notifiche.h"
#include "base/Testi.h"
#include "link/Connessione.h"
#include "link/StatoLink.h"
#include "monitor/DialogoRegistro.h"
#include "monitor/InputBox.h"
#include "projectfiles/NuovoProgetto.h"
#include "monitor/ScritturaRegistri.h"
#include "project/Registri.h"
#include "support/Banco.h"
#include "support/Doubles.h"
#include "support/LinkSim.h"

#include <QLocale>
#include <QSignalSpy>
#include <QTest>

using namespace ludra;
using test::Mezzo;

Q_DECLARE_METATYPE(Mezzo)

class TestDialogoRegistro : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void valoreIniziale_data();
    void valoreIniziale();
    void floatConPuntoInOgniLingua();
    void ultimoRegistroSenzaCoppia();
    void righeBit_data();
    void righeBit();
    void paroleBit();
    void nomeModificabile();
    void controlloValori_data();
    void controlloValori();

    void scritturaPerTipo_data();
    void scritturaPerTipo();
    void fuoriIntervalloNonScriveNulla_data();
    void fuoriIntervalloNonScriveNulla();
    void senzaTipoMantieneIlTipo();
    void nonConnessoMemorizzaSoltanto();
    void coppiaSenzaRisposta();
    void apertoSuAltroProgettoODispositivo_data();
    void apertoSuAltroProgettoODispositivo();

private:
    test::Banco banco_;
    test::FakeDialogs& dialogs = banco_.dialogs;
};

void TestDialogoRegistro::init()
{
    banco_.apri(test::Banco::Doppi::Dialoghi, test::Banco::Avvio::Stato);
}

void TestDialogoRegistro::cleanup()
{
    QLocale::setDefault(QLocale::c());
    banco_.chiudi();
}

void TestDialogoRegistro::valoreIniziale_data()
{
    QTest::addColumn<int>("formato");
    QTest::addColumn<int>("basso");
    QTest::addColumn<int>("alto");
    QTest::addColumn<QString>("testo");
    QTest::newRow("uInt 40000") << 0 << 40000 << 0 << "40000";
    QTest::newRow("Int -1") << 1 << -1 << 0 << "65535";
    QTest::newRow("Hex -2") << 7 << -2 << 0 << "65534";
    QTest::newRow("Long -1") << 3 << 65535 << 65535 << "-1";
    QTest::newRow("Long stored signed") << 3 << -1 << -1 << "-1";
    QTest::newRow("Long 70000") << 3 << 0x1170 << 1 << "70000";
    QTest::newRow("uLong unsigned") << 2 << 65535 << 65535 << "4294967295";
    QTest::newRow("Float 1") << 4 << 0 << 0x3F80 << "1";
    QTest::newRow("Float -2.5") << 4 << 0 << 0xC020 << "-2.5";
    QTest::newRow("Float 0.1") << 4 << 0xCCCD << 0x3DCC << "0.100000001490116";
    QTest::newRow("K_Long one word") << 6 << 65535 << 65535 << "65535";
    QTest::newRow("Table") << 10 << 3 << 0 << "3";
    QTest::newRow("out of range") << 0 << 70000 << 0 << "";
}

void TestDialogoRegistro::valoreIniziale()
{
    QFETCH(int, formato);
    QFETCH(int, basso);
    QFETCH(int, alto);
    QFETCH(QString, testo);
    TabellaRegistri[30].Formato = std::uint8_t(formato);
    TabellaRegistri[30].Valore = basso;
    TabellaRegistri[31].Valore = alto;
    QCOMPARE(TestoValoreIniziale(30), testo);
}

void TestDialogoRegistro::floatConPuntoInOgniLingua()
{
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    TabellaRegistri[30].Formato = 4;
    TabellaRegistri[30].Valore = 0;
    TabellaRegistri[31].Valore = 0x3FC0;   // 1.5
    QCOMPARE(TestoValoreIniziale(30), QStringLiteral("1.5"));
}

void TestDialogoRegistro::ultimoRegistroSenzaCoppia()
{
    TabellaRegistri[1024].Formato = 3;
    TabellaRegistri[1024].Valore = 7;
    QCOMPARE(TestoValoreIniziale(1024), QStringLiteral("7"));
    QCOMPARE(ParoleRegistro(1024).alta, std::uint16_t(0));
    QCOMPARE(TestoValoreIniziale(1025), QString());
    QCOMPARE(TestoValoreIniziale(-1), QString());
}

void TestDialogoRegistro::righeBit_data()
{
    QTest::addColumn<int>("formato");
    QTest::addColumn<bool>("riga0");
    QTest::addColumn<bool>("riga1");
    QTest::newRow("uInt") << 0 << false << false;
    QTest::newRow("Bin") << 9 << true << false;
    QTest::newRow("uLong") << 2 << true << true;
    QTest::newRow("Long") << 3 << true << true;
    QTest::newRow("Float") << 4 << false << false;
    QTest::newRow("Table") << 10 << true << false;
}

void TestDialogoRegistro::righeBit()
{
    QFETCH(int, formato);
    QFETCH(bool, riga0);
    QFETCH(bool, riga1);
    TabellaRegistri[40].Formato = std::uint8_t(formato);
    const RigheBit r = RigheBitIniziali(40);
    QCOMPARE(r.riga0, riga0);
    QCOMPARE(r.riga1, riga1);
    // Choosing a type afterwards: only "Bin" shows them, both.
    QVERIFY(RigheBitPerTipo(9).riga0 && RigheBitPerTipo(9).riga1);
    QVERIFY(!RigheBitPerTipo(3).riga0 && !RigheBitPerTipo(3).riga1);
}

void TestDialogoRegistro::paroleBit()
{
    TabellaRegistri[50].Valore = -1;
    TabellaRegistri[51].Valore = 0x8001;
    const ParoleBit p = ParoleRegistro(50);
    QCOMPARE(p.bassa, std::uint16_t(0xFFFF));
    QCOMPARE(p.alta, std::uint16_t(0x8001));
    // All 32 bits of a Long pair at -1, then bit 0 cleared: the unsigned sum.
    QCOMPARE(TestoDaBit(0xFFFFFFFEu, true, true), QStringLiteral("4294967294"));
}

void TestDialogoRegistro::nomeModificabile()
{
    QVERIFY(!NomeModificabile(5));
    QVERIFY(!NomeModificabile(25));
    QVERIFY(NomeModificabile(26));
}

void TestDialogoRegistro::controlloValori_data()
{
    QTest::addColumn<int>("voce");
    QTest::addColumn<double>("valore");
    QTest::addColumn<bool>("valido");
    QTest::newRow("uInt 65535") << 0 << 65535.0 << true;
    QTest::newRow("uInt 65535.4 rounds in") << 0 << 65535.4 << true;
    QTest::newRow("uInt 65536") << 0 << 65536.0 << false;
    QTest::newRow("Int -32768") << 1 << -32768.0 << true;
    QTest::newRow("Int -32769") << 1 << -32769.0 << false;
    QTest::newRow("Hex 70000") << 7 << 70000.0 << false;
    QTest::newRow("Bin -40000") << 9 << -40000.0 << false;
    QTest::newRow("K_Long 1e6") << 6 << 1e6 << false;
    QTest::newRow("Long -2^31") << 3 << -2147483648.0 << true;
    QTest::newRow("Long -2^31-1") << 3 << -2147483649.0 << false;
    QTest::newRow("uLong 2^32-1") << 2 << 4294967295.0 << true;
    QTest::newRow("uLong 2^32") << 2 << 4294967296.0 << false;
    QTest::newRow("Float 3.4e38") << 4 << 3.4e38 << true;
    QTest::newRow("Float 1e39") << 4 << 1e39 << false;
    QTest::newRow("Float -inf") << 4 << -std::numeric_limits<double>::infinity() << false;
    QTest::newRow("ASCII anything") << 8 << 1e300 << true;
    QTest::newRow("K_Flt anything") << 5 << 1e300 << true;
    QTest::newRow("no type") << -1 << 1e300 << true;
}

void TestDialogoRegistro::controlloValori()
{
    QFETCH(int, voce);
    QFETCH(double, valore);
    QFETCH(bool, valido);
    QCOMPARE(!ValoreNonValido(voce, valore).has_value(), valido);
}

void TestDialogoRegistro::scritturaPerTipo_data()
{
    QTest::addColumn<Mezzo>("mezzo");
    QTest::addColumn<int>("voce");
    QTest::addColumn<QString>("testo");
    QTest::addColumn<int>("reg30");
    QTest::addColumn<int>("reg31");
    QTest::addColumn<int>("tab30");
    QTest::addColumn<int>("tab31");
    // reg31 / tab31 of -1: register 31 not written, table entry as it was (0).
    QTest::newRow("uInt") << Mezzo::Tcp << 0 << "1234" << 1234 << -1 << 1234 << 0;
    QTest::newRow("uInt 2.5 to even") << Mezzo::Tcp << 0 << "2.5" << 2 << -1 << 2 << 0;
    QTest::newRow("uInt 3.5 to even") << Mezzo::Tcp << 0 << "3.5" << 4 << -1 << 4 << 0;
    QTest::newRow("Int -2") << Mezzo::Rtu << 1 << "-2" << 0xFFFE << -1 << 65534 << 0;
    QTest::newRow("Hex &HFF") << Mezzo::Tcp << 7 << "&HFF" << 255 << -1 << 255 << 0;
    QTest::newRow("Bin") << Mezzo::Tcp << 9 << "8" << 8 << -1 << 8 << 0;
    QTest::newRow("K_Long one word") << Mezzo::Tcp << 6 << "300" << 300 << -1 << 300 << 0;
    QTest::newRow("Long 70000") << Mezzo::Rtu << 3 << "70000" << 0x1170 << 1 << 4464 << 1;
    QTest::newRow("Long -1") << Mezzo::Tcp << 3 << "-1" << 0xFFFF << 0xFFFF << -1 << -1;
    QTest::newRow("uLong 2^32-1") << Mezzo::Tcp << 2 << "4294967295" << 0xFFFF << 0xFFFF << -1 << -1;
    QTest::newRow("Float 1.0") << Mezzo::Tcp << 4 << "1.0" << 0 << 0x3F80 << 0 << 16256;
    QTest::newRow("Float -2.5") << Mezzo::Rtu << 4 << " -2.5" << 0 << 0xC020 << 0 << -16352;
    QTest::newRow("ASCII") << Mezzo::Tcp << 8 << "99" << -1 << -1 << 0 << 0;
    QTest::newRow("K_Flt") << Mezzo::Tcp << 5 << "99" << -1 << -1 << 0 << 0;
    QTest::newRow("uInt in blanks") << Mezzo::Tcp << 0 << " 12 " << 12 << -1 << 12 << 0;
    QTest::newRow("uInt 1e3") << Mezzo::Tcp << 0 << "1e3" << 1000 << -1 << 1000 << 0;
    QTest::newRow("uInt &H1F") << Mezzo::Tcp << 0 << "&H1F" << 31 << -1 << 31 << 0;
    QTest::newRow("ASCII not a number") << Mezzo::Tcp << 8 << "12a" << -1 << -1 << 0 << 0;
    QTest::newRow("Float 3.75 under it_IT.UTF-8") << Mezzo::Tcp << 4 << "3.75" << 0 << 0x4070 << 0 << 16496;
    QTest::newRow("Long 2.6 under de_DE.UTF-8") << Mezzo::Rtu << 3 << "2.6" << 3 << 0 << 3 << 0;
    QTest::newRow("uInt 1.5e3 under tr_TR.UTF-8") << Mezzo::Tcp << 0 << "1.5e3" << 1500 << -1 << 1500 << 0;
}

void TestDialogoRegistro::scritturaPerTipo()
{
    QFETCH(Mezzo, mezzo);
    QFETCH(int, voce);
    QFETCH(QString, testo);
    QFETCH(int, reg30);
    QFETCH(int, reg31);
    QFETCH(int, tab30);
    QFETCH(int, tab31);
    test::LinkSuSim link(mezzo);
    QVERIFY(link.connetti());
    link.sim.setRegistro(30, 0x5555);
    link.sim.setRegistro(31, 0x5555);
    TabellaRegistri[30].Formato = 0;
    const int richieste = link.sim.richieste();
    QVERIFY(ConfermaRegistro(30, QStringLiteral("Setpoint"), voce, testo));
    const int scritture = (reg30 >= 0) + (reg31 >= 0);
    QCOMPARE(link.sim.richieste(), richieste + scritture);
    QCOMPARE(int(link.sim.registro(30)), reg30 >= 0 ? reg30 : 0x5555);
    QCOMPARE(int(link.sim.registro(31)), reg31 >= 0 ? reg31 : 0x5555);
    QCOMPARE(TabellaRegistri[30].Valore, tab30);
    QCOMPARE(TabellaRegistri[31].Valore, tab31);
    QCOMPARE(TabellaRegistri[30].Nome, QStringLiteral("Setpoint"));
    QCOMPARE(int(TabellaRegistri[30].Formato), voce);
    QVERIFY(dialogs.messaggi.empty());
}

void TestDialogoRegistro::fuoriIntervalloNonScriveNulla_data()
{
    QTest::addColumn<int>("voce");
    QTest::addColumn<QString>("testo");
    QTest::addColumn<QString>("messaggio");
    QTest::newRow("uInt") << 0 << "65536" << "Value out of range (-32768 to 65535)";
    QTest::newRow("Int") << 1 << "-40000" << "Value out of range (-32768 to 65535)";
    QTest::newRow("Long") << 3 << "5000000000"
                          << "Value out of range (-2147483648 to 4294967295)";
    QTest::newRow("Float") << 4 << "1E39" << "Value out of range for a Float";
    QTest::newRow("Float huge") << 4 << "9E999" << "Value out of range for a Float";
    QTest::newRow("uInt 70000") << 0 << "70000" << "Value out of range (-32768 to 65535)";
    for (const char* t : {"12a", "abc", "2x0", ""})
        QTest::addRow("uInt '%s'", t) << 0 << t << "Value is not a number";
    QTest::newRow("Float 1.5x") << 4 << "1.5x" << "Value is not a number";
}

void TestDialogoRegistro::fuoriIntervalloNonScriveNulla()
{
    QFETCH(int, voce);
    QFETCH(QString, testo);
    QFETCH(QString, messaggio);
    test::LinkSuSim link(Mezzo::Tcp);
    QVERIFY(link.connetti());
    TabellaRegistri[30].Nome = QStringLiteral("old");
    TabellaRegistri[30].Formato = 9;
    TabellaRegistri[30].Valore = 17;
    const int richieste = link.sim.richieste();
    QSignalSpy fuoco(&Notifiche::istanza(), &Notifiche::campoRifiutato);
    QVERIFY(!ConfermaRegistro(30, QStringLiteral("new"), voce, testo));
    QCOMPARE(fuoco.at(0), (QVariantList{"Input_Box", "Testo_1"}));
    QCOMPARE(link.sim.richieste(), richieste);
    QCOMPARE(int(dialogs.messaggi.size()), 1);
    QCOMPARE(dialogs.messaggi[0].testo, messaggio);
    QCOMPARE(TabellaRegistri[30].Nome, QStringLiteral("old"));
    QCOMPARE(int(TabellaRegistri[30].Formato), 9);
    QCOMPARE(TabellaRegistri[30].Valore, 17);
}

void TestDialogoRegistro::senzaTipoMantieneIlTipo()
{
    test::LinkSuSim link(Mezzo::Tcp);
    QVERIFY(link.connetti());
    TabellaRegistri[60].Formato = 10;
    const int richieste = link.sim.richieste();
    QVERIFY(ConfermaRegistro(60, QStringLiteral("Curve"), -1, QStringLiteral("5")));
    QCOMPARE(int(TabellaRegistri[60].Formato), 10);
    QCOMPARE(TabellaRegistri[60].Nome, QStringLiteral("Curve"));
    QCOMPARE(link.sim.richieste(), richieste);
}

void TestDialogoRegistro::nonConnessoMemorizzaSoltanto()
{
    TabellaRegistri[30].Valore = 3;
    QVERIFY(ConfermaRegistro(30, QStringLiteral("Speed"), 3, QStringLiteral("99999999999")));
    QCOMPARE(TabellaRegistri[30].Nome, QStringLiteral("Speed"));
    QCOMPARE(int(TabellaRegistri[30].Formato), 3);
    QCOMPARE(TabellaRegistri[30].Valore, 3);
    QVERIFY(dialogs.messaggi.empty());
    QVERIFY(ConfermaRegistro(2000, QStringLiteral("x"), 0, QStringLiteral("1")));   // no such row
}

void TestDialogoRegistro::coppiaSenzaRisposta()
{
    test::LinkSuSim link(Mezzo::Tcp);
    QVERIFY(link.connetti());
    Controllore.Timeout = 50;
    link.sim.impostaGuasto(sim::Guasto::NessunaRisposta, 2);
    TabellaRegistri[30].Valore = 11;
    TabellaRegistri[31].Valore = 12;
    const int righe = LogModello::istanza().righe().size();
    // Both writes are tried; each failure is reported and logged; the name and type
    // are stored all the same.
    QVERIFY(ConfermaRegistro(30, QStringLiteral("Total"), 3, QStringLiteral("70000")));
    QCOMPARE(link.sim.richieste() >= 2, true);
    QCOMPARE(TabellaRegistri[30].Valore, 11);
    QCOMPARE(TabellaRegistri[31].Valore, 12);
    QCOMPARE(int(TabellaRegistri[30].Formato), 3);
    const QStringList log = LogModello::istanza().righe().mid(righe);
    QCOMPARE(log.count(QStringLiteral("  Error")), 2);
    QCOMPARE(log.count(QStringLiteral("  Com Timeout")), 2);
}


// A window opened on one project's register and one device, OK'd after the project or
// the device has changed: nothing written, nothing stored, a box says why.
void TestDialogoRegistro::apertoSuAltroProgettoODispositivo_data()
{
    QTest::addColumn<QString>("cambio");
    QTest::addColumn<QString>("messaggio");   // empty: the OK goes through
    const QString altro = QStringLiteral(" has been %1 since this window opened: nothing was written or stored.");
    QTest::newRow("project opened") << "project" << "Another project" + altro.arg("opened");
    for (const char* c : {"node", "ip"})
        QTest::newRow(c) << c << "The link" + altro.arg("set to another device");
    QTest::newRow("same device reconnected") << "reconnect" << "";
}

void TestDialogoRegistro::apertoSuAltroProgettoODispositivo()
{
    QFETCH(QString, cambio);
    QFETCH(QString, messaggio);
    test::LinkSuSim link(Mezzo::Tcp);
    QVERIFY(link.connetti());
    test::FakeFinestre host;
    setHostFinestre(&host);
    ModificaRegistro(30);
    setHostFinestre(nullptr);
    Controllore.Nodo = cambio == QLatin1String("node") ? 11 : Controllore.Nodo;
    Controllore.IP = cambio == QLatin1String("ip") ? QStringLiteral("127.0.0.2") : Controllore.IP;
    QVERIFY(cambio == QLatin1String("project") ? NuovoProgetto() : (Disconnetti(), Connetti(), true));
    dialogs.messaggi.clear();
    QVERIFY(ConfermaRegistro(30, QStringLiteral("Pump"), 2, QStringLiteral("70000"), InputBox.Apertura));
    QCOMPARE(TabellaRegistri[30].Nome == QStringLiteral("Pump") && link.sim.registro(31) == 1, messaggio.isEmpty());
    QCOMPARE(dialogs.messaggi.empty() ? QString() : dialogs.messaggi[0].testo, messaggio);
}

QTEST_GUILESS_MAIN(TestDialogoRegistro)
#include "tst_dialogoregistro.moc"
