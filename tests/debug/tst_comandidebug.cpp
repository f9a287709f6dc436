// The debugger's toolbar keys driving the device simulator: the program compiled and
// downloaded, then debug and release mode, run, run to break, halt/step, animate and
// stop, with the executing line marked and the status bar checked. Pauses run in
// virtual time and the simulated program moves one record per request.
#include "app/Avvio.h"
#include "base/BarraStato.h"
#include "base/BarraStrumenti.h"
#include "app/Comandi.h"
#include "base/Log.h"
#include "base/Notifiche.h"
#include "compiler/CodiceProgramma.h"
#include "compiler/Compilatore.h"
#include "devconfig/Eeprom.h"
#include "devconfig/LetturaConfig.h"
#include "discovery/Dispositivi.h"
#include "discovery/Ricerca.h"
#include "fbeditor/StatoComandi.h"
#include "ladder/VistaLadder.h"
#include "monitor/AggiornaRegistri.h"
#include "monitor/DialogoRegistro.h"
#include "monitor/DialogoValori.h"
#include "monitor/ScritturaRegistri.h"
#include "monitor/Variabili.h"
#include "app/Impostazioni.h"
#include "link/Sequenza.h"
#include "link/StatoLink.h"
#include "support/Banco.h"
#include "transfer/Download.h"
#include "device/MemoriaControllore.h"
#include "project/Progetto.h"
#include "project/Registri.h"
#include "projectfiles/NuovoProgetto.h"
#include "support/Doubles.h"
#include "support/Frame.h"
#include "support/Ladder.h"
#include "support/LinkSim.h"
#include "support/LogProva.h"
#include "transfer/Trasferimenti.h"

#include <QCoreApplication>
#include <QRandomGenerator>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <map>
#include <memory>

using namespace ludra;
using test::Mezzo;
using sim::Guasto;
using sim::StatoProgramma;
using sim::Trama;
using Comandi = std::vector<std::uint16_t>;

namespace {

QString pannello(int n) { return BarraStato::istanza().pannello(n); }

// The rows whose line number is marked red.
QList<int> righeRosse()
{
    QList<int> r;
    for (int i = 1; i <= Sezioni[0].NumRung; ++i)
        if (Riga(0, i).sfondoNumero == colore::kRosso)
            r << i;
    return r;
}

bool abilitato(const QString& k) { return BarraStrumenti::istanza().abilitato(k); }

// The keys as the toolbar shows them, greyed or not.
QList<bool> attivi()
{
    QList<bool> a;
    for (const Pulsante& p : BarraStrumenti::istanza().pulsanti())
        a << p.attivo();
    return a;
}

// A device key clicked while a loop runs ends it and runs once it has unwound: the
// outermost click lets those deferred keys run before the test looks.
void clic(const char* chiave)
{
    static int profondita = 0;
    ++profondita;
    Toolbar1_ButtonClick(QString::fromLatin1(chiave));
    if (--profondita == 0)
        QCoreApplication::processEvents();
}

// Reads of register 0 (function 4, one register) among the requests from `da` on.
int lettureComando(const std::vector<Trama>& richieste, std::size_t da)
{
    int n = 0;
    for (std::size_t i = da; i < richieste.size(); ++i)
        n += richieste[i] == Trama{10, 4, 0, 0, 0, 1};
    return n;
}

// The program's state after a key.
StatoProgramma statoDopo(std::string_view tasto)
{
    return tasto == "stop" ? StatoProgramma::Fermo
                           : tasto == "run" ? StatoProgramma::InEsecuzione : StatoProgramma::AllaPausa;
}

} // namespace

class TestComandiDebug : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void modoDebugERelease();
    void sequenzaDiDebug();
    void runConAggiornamento();
    void stopDuranteAnimazione();
    void runDuranteAnimazione();
    void stopDuranteRunBreak();
    void connessioneSenzaLetturaDelModo();
    void connessioneConByteSconosciuto();
    void connessioneFallitaNonChiedeIlModo();
    void animazioneSenzaCollegamentoFinisce();
    void runBreakSenzaCollegamentoFinisce();
    void unaSequenzaAllaVolta_data();
    void unaSequenzaAllaVolta();
    void comandiATurno_data();
    void comandiATurno();
    void comandiACaso();

private:
    // Lines 1..6 "A".."F", line 3 blank (it writes no record), a breakpoint on line 5:
    // records 0..4 come from lines 1, 2, 4, 5, 6. Compiled and downloaded, connected with
    // the toolbar, in debug mode.
    bool preparaProgramma();

    test::Banco banco_;
    test::FakeDialogs& dialogs_ = banco_.dialogs;
    std::unique_ptr<test::LinkSuSim> link_;
    std::unique_ptr<test::Attesa> pause_;
};

void TestComandiDebug::init()
{
    banco_.apri();
    test::progettoDiLinee(6, 1);
    link_ = std::make_unique<test::LinkSuSim>(Mezzo::Tcp);
    ImpostaModello();
    TempoAnimazione = 500;
    link_->sim.setAvanzamento(sim::Avanzamento::PerRichiesta);
    pause_ = std::make_unique<test::Attesa>(test::Attesa::Tempo::PauseVirtuali);
}

void TestComandiDebug::cleanup()
{
    pause_.reset();
    link_.reset();
    banco_.chiudi();
}

bool TestComandiDebug::preparaProgramma()
{
    Sezioni[0].Rung[3].Classe = 0;
    Sezioni[0].Rung[5].Break = true;
    const std::int32_t dim = Compila();
    if (dim <= 0 || CodiceProgramma[0] != 5)
        return false;
    link_->sim.setMemoria(19, 'V');
    clic("connect");
    if (!Controllore.Connesso || !Controllore.ModoDebug)
        return false;
    return DownloadProgramma(dim) && link_->sim.statoProgramma() == StatoProgramma::Fermo;
}

void TestComandiDebug::modoDebugERelease()
{
    link_->sim.setMemoria(19, 'U');
    clic("connect");
    QVERIFY(Controllore.Connesso);
    QCOMPARE(pannello(2), QStringLiteral("Release Mode"));
    QVERIFY(abilitato(QStringLiteral("debug")));
    QVERIFY(!abilitato(QStringLiteral("run")));

    clic("debug");
    QCOMPARE(int(link_->sim.memoria(19)), int('V'));
    QVERIFY(Controllore.ModoDebug);
    QCOMPARE(pannello(2), QStringLiteral("Debug Mode"));
    for (const char* k : {"download", "run", "runBr", "pause", "step", "stop"})
        QVERIFY2(abilitato(QString::fromLatin1(k)), k);

    clic("release");
    QCOMPARE(int(link_->sim.memoria(19)), int('U'));
    QVERIFY(!Controllore.ModoDebug);
    QCOMPARE(pannello(2), QStringLiteral("Release Mode"));
    for (const char* k : {"download", "run", "runBr", "pause", "step", "stop"})
        QVERIFY2(!abilitato(QString::fromLatin1(k)), k);
    QVERIFY(abilitato(QStringLiteral("debug")));
    QVERIFY(dialogs_.messaggi.empty());
}

void TestComandiDebug::sequenzaDiDebug()
{
    QVERIFY(preparaProgramma());
    auto& sim = link_->sim;
    QSignalSpy refresh(&Notifiche::istanza(), &Notifiche::registriCambiati);

    // Run, without automatic refresh: one command and back.
    clic("run");
    QCOMPARE(sim.comandi(), (Comandi{255}));
    QCOMPARE(sim.statoProgramma(), StatoProgramma::InEsecuzione);
    QCOMPARE(pannello(3), QStringLiteral("RUN"));

    // Stop: halt, stop, the counter back at the first record.
    clic("stop");
    QCOMPARE(sim.comandi(), (Comandi{255, 100, 252}));
    QCOMPARE(sim.statoProgramma(), StatoProgramma::Fermo);
    QCOMPARE(righeRosse(), QList<int>{1});
    QCOMPARE(pannello(3), QStringLiteral("Stop"));

    // Run to break: the device halts on record 3, written by line 5 (counter + 1 would
    // be line 4). The register is polled once a second until it leaves 90.
    const std::size_t pausePrima = pause_->pause.size();
    refresh.clear();
    clic("runBr");
    QCOMPARE(sim.comandi(), (Comandi{255, 100, 252, 90}));
    QCOMPARE(sim.statoProgramma(), StatoProgramma::AllaPausa);
    QCOMPARE(int(sim.registro(13)), 3);
    QCOMPARE(int(sim.registro(0)), 100);
    QCOMPARE(TabellaRegistri[0].Valore, 100);
    QCOMPARE(righeRosse(), QList<int>{5});
    QCOMPARE(std::vector<qint64>(pause_->pause.begin() + std::ptrdiff_t(pausePrima),
                                 pause_->pause.end()),
             (std::vector<qint64>{1000, 1000}));
    QCOMPARE(StopCom, std::int16_t(1));
    QCOMPARE(refresh.size(), 1);
    QCOMPARE(pannello(3), QStringLiteral("RUN"));

    // Halt/step while halted: one record on, to line 6.
    clic("pause");
    QCOMPARE(int(sim.registro(13)), 4);
    QCOMPARE(righeRosse(), QList<int>{6});
    QCOMPARE(Riga(0, 5).sfondoNumero, colore::kBianco);
    QCOMPARE(pannello(3), QStringLiteral("Stop"));

    // Animate: a step every 500 ms, round the program (5 records), until a click.
    const std::vector<int> attese{1, 2, 4, 5, 6};
    QList<int> viste;
    pause_->durantePausa = [&] {
        if (!righeRosse().isEmpty())
            viste << righeRosse().first();
        if (viste.size() == 5)
            clic("stop");
    };
    clic("step");
    pause_->durantePausa = {};
    // Rows seen in each pause: after the pause step's line 6, records 0, 1, 2, 3 then stop.
    QCOMPARE(viste, (QList<int>{6, 1, 2, 4, 5}));
    QCOMPARE(sim.comandi(),
             (Comandi{255, 100, 252, 90, 100, 100, 100, 100, 100, 100, 252}));
    QCOMPARE(righeRosse(), QList<int>{1});
    QCOMPARE(pannello(1), QStringLiteral("Connected"));
    QCOMPARE(pannello(3), QStringLiteral("Stop"));
    QVERIFY(dialogs_.messaggi.empty());
}

void TestComandiDebug::runConAggiornamento()
{
    QVERIFY(preparaProgramma());
    AggiornaAuto = true;
    QSignalSpy refresh(&Notifiche::istanza(), &Notifiche::registriCambiati);
    const std::size_t pausePrima = pause_->pause.size();
    int pause = 0;
    pause_->durantePausa = [&] {
        if (++pause == 4)
            clic("pause");
    };
    clic("run");
    pause_->durantePausa = {};
    // Three refreshes once a second, then the halt's; none after it from the run loop.
    QCOMPARE(std::vector<qint64>(pause_->pause.begin() + std::ptrdiff_t(pausePrima),
                                 pause_->pause.end()),
             (std::vector<qint64>{1000, 1000, 1000, 1000}));
    QCOMPARE(refresh.size(), 4);
    QCOMPARE(link_->sim.comandi(), (Comandi{255, 100}));
    QCOMPARE(pannello(3), QStringLiteral("Stop"));
}

// A stop clicked while animate waits: the stop's halt and stop are the last commands;
// the interrupted pass sends no further halt/step.
void TestComandiDebug::stopDuranteAnimazione()
{
    QVERIFY(preparaProgramma());
    int pause = 0;
    pause_->durantePausa = [&] {
        if (++pause == 3)
            clic("stop");
    };
    clic("step");
    pause_->durantePausa = {};
    QCOMPARE(link_->sim.comandi(), (Comandi{100, 100, 100, 252}));
    QCOMPARE(link_->sim.statoProgramma(), StatoProgramma::Fermo);
    QCOMPARE(pannello(3), QStringLiteral("Stop"));
}

// A run clicked while animate waits leaves the program running.
void TestComandiDebug::runDuranteAnimazione()
{
    QVERIFY(preparaProgramma());
    int pause = 0;
    pause_->durantePausa = [&] {
        if (++pause == 2)
            clic("run");
    };
    clic("step");
    pause_->durantePausa = {};
    QCOMPARE(link_->sim.comandi(), (Comandi{100, 255}));
    QCOMPARE(link_->sim.statoProgramma(), StatoProgramma::InEsecuzione);
    QCOMPARE(pannello(3), QStringLiteral("RUN"));
}

// A stop clicked while run to break waits: no further poll of register 0 after it.
void TestComandiDebug::stopDuranteRunBreak()
{
    QVERIFY(preparaProgramma());
    Sezioni[0].Rung[5].Break = false;
    const std::int32_t dim = Compila();
    QVERIFY(dim > 0);
    QVERIFY(DownloadProgramma(dim));
    std::size_t dopoStop = 0;
    pause_->durantePausa = [&] {
        clic("stop");
        dopoStop = test::richiesteRicevute(link_->sim, Mezzo::Tcp).size();
    };
    clic("runBr");
    pause_->durantePausa = {};
    QCOMPARE(link_->sim.comandi(), (Comandi{90, 100, 252}));
    QCOMPARE(lettureComando(test::richiesteRicevute(link_->sim, Mezzo::Tcp), dopoStop), 0);
    QCOMPARE(StopCom, std::int16_t(1));
    QCOMPARE(righeRosse(), QList<int>{1});
}

// The debug mode is stored only from a read that succeeded; until then it is unknown:
// not shown, and no download.
void TestComandiDebug::connessioneSenzaLetturaDelModo()
{
    Controllore.ModoDebug = true;
    link_->sim.setMemoria(19, 'U');
    link_->sim.impostaGuasto(Guasto::Eccezione, 1);
    clic("connect");
    QVERIFY(Controllore.Connesso);
    QVERIFY(Controllore.ModoDebug);
    QCOMPARE(pannello(2), QString());
    QVERIFY(!abilitato(QStringLiteral("download")) && !abilitato(QStringLiteral("run")));
    QVERIFY(abilitato(QStringLiteral("release")));
    QCOMPARE(LogModello::istanza().righe().last(), QStringLiteral("  Error"));
}

void TestComandiDebug::connessioneConByteSconosciuto()
{
    Controllore.ModoDebug = true;
    link_->sim.setMemoria(19, 0);
    clic("connect");
    QVERIFY(Controllore.Connesso);
    QVERIFY(Controllore.ModoDebug);
    link_->sim.setMemoria(19, 'U');
    clic("connect");
    QVERIFY(!Controllore.ModoDebug);
}

// A link that did not open: no read of the mode, no second message about it.
void TestComandiDebug::connessioneFallitaNonChiedeIlModo()
{
    link_->sim.ferma();
    const int messaggi = int(dialogs_.messaggi.size());
    Controllore.ModoDebug = true;
    clic("connect");
    QVERIFY(!Controllore.Connesso);
    QVERIFY(Controllore.ModoDebug);
    for (std::size_t i = std::size_t(messaggi); i < dialogs_.messaggi.size(); ++i)
        QVERIFY(dialogs_.messaggi[i].testo != QStringLiteral("Controller not connected"));
    QVERIFY(!LogModello::istanza().righe().contains(QStringLiteral("  Error")));
}

// A halt/step the controller cannot take ends animate instead of failing every pass.
void TestComandiDebug::animazioneSenzaCollegamentoFinisce()
{
    clic("step");
    QVERIFY(pause_->pause.empty());
    QVERIFY(dialogs_.messaggi.empty());
    QVERIFY(test::logContiene(QStringLiteral("Animate ended: the controller is not connected")));
    QCOMPARE(StopCom, std::int16_t(1));
}

void TestComandiDebug::runBreakSenzaCollegamentoFinisce()
{
    TabellaRegistri[0].Valore = 90;
    clic("runBr");
    QVERIFY(pause_->pause.empty());
    QCOMPARE(dialogs_.messaggi.size(), std::size_t(1));
    QCOMPARE(StopCom, std::int16_t(1));
}

// What the user does while something else holds the link, and what must come of it:
// nothing of a refused command is sent, the running sequence's frames go out whole and
// in order, its greyed keys come back as they were.
void TestComandiDebug::unaSequenzaAllaVolta_data()
{
    QTest::addColumn<QString>("corso");      // what runs: download, animate, config
    QTest::addColumn<QString>("azione");     // what the user does meanwhile
    QTest::addColumn<QString>("rifiuto");    // the Log line of the refusal, if any

    const QString dl = QStringLiteral("download");
    QTest::newRow("run key") << dl << "run" << "\"run\" refused: Download is running";
    QTest::newRow("compile key") << dl << "proj_comp" << "\"proj_comp\" refused: Download is running";
    QTest::newRow("new key") << dl << "proj_new" << "\"proj_new\" refused: Download is running";
    QTest::newRow("open menu") << dl << "mnu_openProj"
                               << "\"mnu_openProj\" refused: Download is running";
    QTest::newRow("Set IP menu") << dl << "mnu_SetIP" << "Set IP address refused: Download is running";
    QTest::newRow("settings OK") << dl << "settings" << "Settings OK refused: Download is running";
    QTest::newRow("configuration read") << dl << "config"
                                        << "Configuration read refused: Download is running";
    QTest::newRow("a handler's request") << dl << "request" << "Request refused: Download is running";
    QTest::newRow("close, then wait") << dl << "close-wait" << "";
    QTest::newRow("close anyway") << dl << "close-anyway" << "";
    QTest::newRow("close, then close now") << dl << "close-twice" << "";
    QTest::newRow("close its window, then the main one") << dl << "window-then-main" << "";
    for (const char* c : {"download", "animate", "Run"})   // refused, or carried out between passes
        for (const QString& a : {QStringLiteral("Register"), QStringLiteral("Variables")})
            QTest::newRow(qPrintable(a + QStringLiteral(" write in ") + QLatin1String(c)))
                << c << QStringLiteral("write-") + a.toLower()
                << (QLatin1String(c) == dl ? a + QStringLiteral(" write refused: Download is running")
                                           : QString());
    QTest::newRow("configuration read in animate") << "animate" << "config"
                                                   << "Configuration read refused: Animate is running";
    QTest::newRow("stop in animate's request") << "animate" << "stop-request" << "";
    QTest::newRow("EEPROM read in animate") << "animate" << "eeprom" << "EEPROM read refused: Animate is running";
    QTest::newRow("Set IP in animate") << "animate" << "setip" << "Set IP refused: Animate is running";
    QTest::newRow("device search in animate") << "animate" << "search" << "Device search refused: Animate is running";
    QTest::newRow("animate in a configuration read") << "config" << "step"
                                                     << "\"step\" refused: Configuration read is running";
    // A download tried as each request of a short command waits: refused every time.
    for (const char* c : {"Stop", "Pause", "Connect", "Set as Controller", "Register write"})
        QTest::newRow(qPrintable(QStringLiteral("download in ") + QLatin1String(c)))
            << c << "download" << QStringLiteral("Download refused: %1 is running").arg(QLatin1String(c));
    QTest::newRow("device lost in run") << "Run" << "device-lost" << "";
}

void TestComandiDebug::unaSequenzaAllaVolta()
{
    QFETCH(QString, corso);
    QFETCH(QString, azione);
    QFETCH(QString, rifiuto);
    QVERIFY(preparaProgramma());
    auto& sim = link_->sim;
    test::FakeFinestre host;
    const bool finestre = azione.startsWith(QLatin1String("window"));
    setHostFinestre(finestre ? &host : nullptr);
    const std::size_t prima = test::richiesteRicevute(sim, Mezzo::Tcp).size();
    const QList<bool> tastiPrima = attivi();
    const int righeLog = test::righeLog();
    QList<bool> tastiDurante;
    bool fatto = false;
    auto agisci = [&] {
        if (fatto)
            return;
        fatto = true;
        tastiDurante = attivi();
        if (azione == QLatin1String("settings")) {
            QVERIFY(!SalvaImpostazioni(CaricaImpostazioni()));
        } else if (azione == QLatin1String("config")) {
            CampiConfig c;
            QVERIFY(!LeggiConfigurazione(QStringLiteral("KVR5200-IO"), QStringLiteral("10"), c));
        } else if (azione == QLatin1String("eeprom")) {
            CampiEeprom c;
            QVERIFY(!LeggiMacEeprom(c));
        } else if (azione == QLatin1String("setip")) {
            dialogs_.input = {QStringLiteral("10.0.0.9")};
            RicercaDispositivi::istanza().SetIP();
            QCOMPARE(dialogs_.input.size(), std::size_t(1));   // no address asked for
        } else if (azione == QLatin1String("search")) {
            RicercaDispositivi::istanza().cmd_Search_Click();
        } else if (azione == QLatin1String("request")) {
            QVERIFY(!InviaComandoDebug(kComandoRun));
        } else if (azione == QLatin1String("write-register")) {
            QCOMPARE(ConfermaRegistro(30, QString(), 0, QStringLiteral("1234")),
                     corso != QLatin1String("download"));   // false: the dialog stays open
        } else if (azione == QLatin1String("write-variables")) {
            NumVariabili = 1;
            Variabili[0] = Variabile{30, 0, QString(), QStringLiteral("V")};
            ComandoVariabili(true);
        } else if (azione == QLatin1String("close-twice")) {
            dialogs_.risposte = {platform::MsgResult::No, platform::MsgResult::Yes};
            QVERIFY(!MDIForm_Unload());
            QCOMPARE(pannello(5), QStringLiteral("Download is running: closing when it ends"));
            QVERIFY(!MDIForm_Unload());
        } else if (azione == QLatin1String("window-then-main")) {
            dialogs_.risposte = {platform::MsgResult::No, platform::MsgResult::No};
            QVERIFY(!ChiusuraFinestraConsentita(Finestra::frm_Download));
            QVERIFY(!MDIForm_Unload());
        } else if (azione.startsWith(QLatin1String("close"))) {
            dialogs_.risposte = {azione == QLatin1String("close-anyway") ? platform::MsgResult::Yes
                                                                        : platform::MsgResult::No};
            QVERIFY(!MDIForm_Unload());
        } else if (azione.startsWith(QLatin1String("mnu_"))) {
            ClickMenu(azione);
        } else if (azione != QLatin1String("stop-request")) {
            clic(azione.toLatin1().constData());
        }
    };

    if (corso == QLatin1String("download")) {
        int pause = 0;
        pause_->durantePausa = [&] {
            if (++pause == 4)
                agisci();
        };
        const EsitoDownload esito = EseguiDownload({true, false, false, true});
        pause_->durantePausa = {};
        const std::vector<Trama> tutte = test::richiesteRicevute(sim, Mezzo::Tcp);
        const std::vector<Trama> frames(tutte.begin() + std::ptrdiff_t(prima), tutte.end());
        // Halt, stop, then only blocks in address order: nothing of the user's went out.
        QVERIFY(frames.size() > 3);
        QCOMPARE(frames[0], (Trama{10, 6, 0, 0, 0, 100}));
        QCOMPARE(frames[1], (Trama{10, 6, 0, 0, 0, 252}));
        std::size_t blocchi = 0;
        for (std::size_t i = 2; i < frames.size() && frames[i][1] == 20; ++i, ++blocchi)
            QCOMPARE((frames[i][4] << 8) | frames[i][5], int(PuntProg + 32 * blocchi));
        if (azione == QLatin1String("close-anyway") || azione == QLatin1String("close-twice")) {
            // Stopped between two blocks: neither reported nor started as a good program.
            QCOMPARE(esito, EsitoDownload::DownloadFallito);
            QCOMPARE(frames.size(), 2 + blocchi);
            QVERIFY(blocchi < std::size_t(DimCompilata / 32 + 1));
            const QStringList log = test::logDa(righeLog);
            QVERIFY(log.contains(QStringLiteral("  Download Failed")));
            QVERIFY(!log.contains(QStringLiteral("  Download Successul")));
            // The close waits for the event loop, and then the program quits at once (the
            // last window closed posts the Quit event).
            QTRY_VERIFY(SequenzaInCorso().isEmpty());
            QCoreApplication::postEvent(qApp, new QEvent(QEvent::Quit));
            const qint64 t0 = platform::waiter().nowMs();
            const Sequenza dopo(QStringLiteral("Test"), TipoSequenza::Breve);
            QVERIFY(!InviaComandoDebug(kComandoRun));
            QVERIFY(platform::waiter().nowMs() - t0 < Controllore.Timeout);
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
            QCoreApplication::exec();
        } else {
            QCOMPARE(esito, EsitoDownload::Completato);
            QCOMPARE(blocchi, std::size_t(DimCompilata / 32 + 1));
            QCOMPARE(frames.size(), 2 + blocchi + 1);
            QCOMPARE(frames.back(), (Trama{10, 6, 0, 0, 0, 255}));
        }
        QVERIFY(!tastiDurante.isEmpty());
        QVERIFY(!tastiDurante[std::size_t(0)]);   // proj_new: the project being sent
        QCOMPARE(attivi(), tastiPrima);
    } else if (corso == QLatin1String("animate") || azione.startsWith(QLatin1String("write"))) {
        const bool scrive = azione.startsWith(QLatin1String("write"));
        const bool aPasso = scrive || QStringList{"config", "eeprom", "setip", "search"}.contains(azione);
        AggiornaAuto = true;
        int pause = 0;
        std::size_t daComando = 0;
        pause_->durantePausa = [&] {
            if (aPasso && ++pause == 2) {
                agisci();
                daComando = test::richiesteRicevute(sim, Mezzo::Tcp).size();
            }
            // A refused or carried out command leaves the loop going: one more pass after it.
            if (pause == 3 || (fatto && !aPasso))
                clic("stop");
        };
        if (azione == QLatin1String("stop-request"))
            pause_->inizioAttesa = [&] {
                if (++pause == 3) {
                    fatto = true;
                    clic("stop");
                }
            };
        clic(corso == QLatin1String("Run") ? "run" : "step");
        pause_->durantePausa = {};
        pause_->inizioAttesa = {};
        QVERIFY(fatto);
        if (scrive) {
            const bool registro = azione == QLatin1String("write-register");
            // The command's frames whole, between one pass's refresh and the next pass.
            const std::vector<Trama> f = test::richiesteRicevute(sim, Mezzo::Tcp);
            const Trama passo = corso == QLatin1String("Run") ? Trama{10, 4, 0, 0, 0, 32}
                                                              : Trama{10, 6, 0, 0, 0, 100};
            const auto dopo = std::find(f.begin() + std::ptrdiff_t(daComando), f.end(), passo);
            QVERIFY(daComando > 0 && f[daComando - 1][1] == 4 && dopo != f.end() &&
                    dopo > f.begin() + std::ptrdiff_t(daComando));
            for (auto i = f.begin() + std::ptrdiff_t(daComando); i != dopo; ++i)
                QCOMPARE(int((*i)[1]), registro ? 6 : kFunzioneMemoria);
            QVERIFY(!registro || sim.registro(30) == 1234);
        }
        // A click during a request runs once the reply is in, from the event loop.
        QTRY_VERIFY(!sim.comandi().empty() && sim.comandi().back() == 252);
        const Comandi c = sim.comandi();
        QVERIFY(c.size() >= 2);
        QCOMPARE((Comandi{c[c.size() - 2], c.back()}), (Comandi{100, 252}));
        if (azione == QLatin1String("config"))
            QCOMPARE(c, (Comandi{100, 100, 100, 252}));
        QCOMPARE(sim.statoProgramma(), StatoProgramma::Fermo);
    } else if (corso == QLatin1String("config")) {
        pause_->inizioAttesa = agisci;
        CampiConfig c;
        LeggiConfigurazione(QStringLiteral("KVR5200-IO"), QStringLiteral("10"), c);
        pause_->inizioAttesa = {};
        QVERIFY(fatto);
        QVERIFY(sim.comandi().empty());
    } else if (azione == QLatin1String("device-lost")) {
        // The device gone while Run refreshes: the loop ends, with at most one message.
        AggiornaAuto = true;
        pause_->limiteReale = 100;
        int pause = 0;
        pause_->durantePausa = [&] {
            if (++pause == 2) {
                fatto = true;
                sim.ferma();
                QTRY_VERIFY(!Controllore.Connesso);   // the link closes within the pause
            }
            if (pause == 6)
                clic("stop");   // a loop that did not end would go on for ever
        };
        clic("run");
        pause_->durantePausa = {};
        QVERIFY(pause <= 3);
        // No request follows, and the Log says why the loop ended.
        QVERIFY(test::logDa(righeLog).filter(QStringLiteral("  Com ")).isEmpty());
        QVERIFY(test::logContiene(QStringLiteral("Run ended: the controller is not connected")));
        QVERIFY(dialogs_.messaggi.size() <= 1);
        dialogs_.messaggi.clear();
    } else {
        const std::map<QString, std::size_t> inviate = {
            {QStringLiteral("Stop"), 4}, {QStringLiteral("Pause"), 3}, {QStringLiteral("Connect"), 1},
            {QStringLiteral("Set as Controller"), 1}, {QStringLiteral("Register write"), 2}};
        Dispositivi[1] = Controllore;
        RicercaDispositivi::istanza().IndiceDispositivo = 1;
        RicercaDispositivi::istanza().NumeroDispositivi = 1;
        int tentativi = 0;
        pause_->inizioAttesa = [&] {
            ++tentativi;
            fatto = true;
            if (EseguiDownload({true, false, false, true}) != EsitoDownload::Rifiutato)
                tentativi = -100;
        };
        if (corso == QLatin1String("Stop"))
            clic("stop");
        else if (corso == QLatin1String("Pause"))
            clic("pause");
        else if (corso == QLatin1String("Connect"))
            clic("connect");
        else if (corso == QLatin1String("Set as Controller"))
            ClickMenu(QStringLiteral("mnu_SetAsController"));
        else
            ScriviValoreRegistro(3, 70000, 30);
        pause_->inizioAttesa = {};
        const std::vector<Trama> tutte = test::richiesteRicevute(sim, Mezzo::Tcp);
        // The command's own frames, and nothing of the download's between them.
        QCOMPARE(tutte.size() - prima, inviate.at(corso));
        QVERIFY(tentativi >= int(inviate.at(corso)));
        QCOMPARE(dialogs_.messaggi.size(), std::size_t(tentativi));   // each refusal said in its window
        dialogs_.messaggi.clear();
    }
    if (!rifiuto.isEmpty())
        QVERIFY2(test::logContiene(rifiuto), qPrintable(rifiuto));
    // The close's questions, or the refusal shown where the write was asked.
    const bool rifiutoMostrato = (azione.startsWith(QLatin1String("write")) ||
                                  QStringList{"config", "eeprom", "setip", "search", "mnu_SetIP"}.contains(azione)) && !rifiuto.isEmpty();
    const std::size_t scatole = (azione == QLatin1String("close-twice") || finestre) +
                                (azione.startsWith(QLatin1String("close")) || rifiutoMostrato ||
                                 finestre);
    QVERIFY2(dialogs_.messaggi.size() == scatole,
             qPrintable(dialogs_.messaggi.empty() ? QString() : dialogs_.messaggi[0].testo));
    QVERIFY(!rifiutoMostrato || dialogs_.messaggi[0].testo == rifiuto);
    if (finestre) {
        // Both closes the user confirmed are carried out once the download has ended.
        QTRY_COMPARE(host.chiuse, (QStringList{QStringLiteral("frm_Download"), QStringLiteral("principale")}));
        setHostFinestre(nullptr);
    }
}

// What the user asks during Run, Animate or a download on a link whose replies come
// 300 ms late (or at once), Stop 0.1 s later: every command reaches the controller, none
// is refused, Stop's 252 goes out and the loop ends. The set-register window left open
// holds nothing: its write, refused during the download, is asked again after it.
void TestComandiDebug::comandiATurno_data()
{
    QTest::addColumn<QString>("tasto");    // run, step or download
    QTest::addColumn<QString>("azione");
    QTest::addColumn<int>("ritardo");      // each reply's delay, ms
    for (const char* a : {"write", "update", "both", "R", "register", "queued at the end", "window", "edit", "editor"})
        QTest::newRow(qPrintable(QStringLiteral("run, %1").arg(QLatin1String(a)))) << "run" << a << 300;
    for (const char* a : {"both", "queued at the end", "run then stop"})
        QTest::newRow(qPrintable(QStringLiteral("step, %1").arg(QLatin1String(a)))) << "step" << a << 300;
    // Behind a Stop and two writes: the link pointed elsewhere, a long operation asked, the
    // application closed.
    for (const char* a : {"stop run stop", "stop step stop", "stop settings stop", "settings", "mnu_SetAsController",
                          "settings run stop", "exit, the link failing",
                          "project", "download", "refresh write refresh", "exit", "session end"})
        QTest::newRow(qPrintable(QStringLiteral("run, %1").arg(QLatin1String(a)))) << "run" << a << 300;
    QTest::newRow("run, both, fast link") << "run" << "both" << 0;
    QTest::newRow("run, silent device") << "run" << "silent" << 0;
    QTest::newRow("run, silent device, connect") << "run" << "silent connect" << 0;
    QTest::newRow("run, silent device, Set as Controller") << "run" << "silent mnu_SetAsController" << 0;
    QTest::newRow("download, window") << "download" << "window" << 0;
}

void TestComandiDebug::comandiATurno()
{
    QFETCH(QString, tasto);
    QFETCH(QString, azione);
    QFETCH(int, ritardo);
    const auto e = [&](const char* a) { return azione.section(u',', 0, 0) == QLatin1String(a); };   // "a, and b" is a too
    QVERIFY(preparaProgramma());
    auto& sim = link_->sim;
    sim.impostaGuasto(Guasto::Ritardo, ritardo ? 1 << 20 : 0, ritardo);
    test::FakeFinestre host;
    setHostFinestre(&host);
    AggiornaAuto = true;
    NumVariabili = 2;
    sim.setMemoria(*BaseVariabili() - 1, 7);
    const int righeLog = test::righeLog();
    bool letto = false;
    bool chiusoDopoStop = false;
    int pause = 0, ridisegni = 0;
    std::size_t letture = 0;
    const bool tasti = azione.startsWith(QLatin1String("stop ")) || azione.startsWith(QLatin1String("settings ")), dietro = !tasti &&
        (e("settings") || e("mnu_SetAsController") || e("project") || e("download") || e("refresh write refresh") ||
         e("exit") || e("session end"));
    Dispositivi[1] = Controllore;
    Dispositivi[1].Nodo = 11;
    RicercaDispositivi::istanza().IndiceDispositivo = RicercaDispositivi::istanza().NumeroDispositivi = 1;
    EsitoDownload esito = EsitoDownload::Completato;
    pause_->durantePausa = [&] {
        if (++pause > 50)
            StopCom = 1;   // a loop that the Stop waiting behind it did not end
        if (pause == 5 && e("window") && tasto != QLatin1String("download"))
            clic("stop");
        if (pause != 2)
            return;
        letture = test::richiesteRicevute(sim, Mezzo::Tcp).size();
        if (e("run then stop"))
            clic("run");
        if (e("write") || e("both") || e("queued at the end"))
            ComandoVariabili(true);
        if (e("update") || e("both") || e("edit"))
            ComandoVariabili(false, [&] { letto = true; });
        if (e("editor")) {   // the editor's value dialog stays open past the Stop
            QTimer::singleShot(4000, [&] {
                chiusoDopoStop = sim.comandi().back() == 252;
                ChiudiDialogoValori(Finestra::Input_Box);
            });
            StatoComandi::istanza().ClickFunzione(21);
            QVERIFY(StatoComandi::istanza().cmd_Set_Click(5));
        }
        if (e("edit")) {   // the read waits; the user edits an entry and writes
            QVERIFY(MemorizzaVariabile({"1", "77", 0, "%d", "Pump"}));
            ComandoVariabili(true);
            QVERIFY(MemorizzaVariabile({"1", "88", 0, "%d", "Pump"}));   // after Write: not sent
        }
        for (int i = 0; e("R") && i < 50; ++i)
            AggiornaRegistri_new(true);
        if (e("window")) {
            ModificaRegistro(30);   // returns at once, the window open
            QCOMPARE(ConfermaRegistro(30, QString(), 0, QStringLiteral("1234")), tasto == QLatin1String("run"));
        }
        if (dietro)
            clic("stop");
        for (const QString& t : tasti ? azione.split(u' ') : QStringList()) {
            if (t == QLatin1String("settings")) {   // what follows is for node 11
                ModuloImpostazioni m = CaricaImpostazioni();
                m.nodo = QStringLiteral("11");
                QVERIFY(SalvaImpostazioni(m));
                continue;
            }
            clic(t.toLatin1().constData());
        }
        for (int i = 0; e("refresh write refresh") && i < 2; ++i)
            ComandoVariabili(false, [&] { ++ridisegni; });
        if (e("refresh write refresh"))
            AggiornaRegistri_new(true);
        const bool muto = azione.startsWith(QLatin1String("silent"));
        for (int r = 30; r < (muto ? 35 : e("queued at the end") || dietro ? 32 : 30); ++r)
            QCOMPARE(ScriviValoreRegistro(0, r * 10, r), EsitoComando::Accodato);
        if (e("refresh write refresh"))
            AggiornaRegistri_new(true);
        if (e("settings")) {
            ModuloImpostazioni m = CaricaImpostazioni();
            m.nodo = QStringLiteral("11");
            QVERIFY(SalvaImpostazioni(m));
        }
        if (e("mnu_SetAsController")) {   // bound to the device selected at the click
            ClickMenu(azione);
            Dispositivi[1].Nodo = 12;
        }
        if (e("project"))
            QVERIFY(NuovoProgetto(true));
        if (e("download"))
            QuandoLibero([&] { esito = EseguiDownload({true, false, false, true}); });
        if (e("silent connect"))
            clic("connect");
        if (e("silent mnu_SetAsController"))
            ClickMenu(azione.section(u' ', 1));
        if (muto) {
            pause_->limiteReale = 50;
            sim.impostaGuasto(Guasto::NessunaRisposta, 1 << 20);
        } else if (e("queued at the end") || e("run then stop")) {
            clic("stop");   // queued together, before the loop's safe point
        } else if (!e("window") && !dietro && !tasti) {
            QTimer::singleShot(100, [] { clic("stop"); });
        }
    };
    // A loop that a waiting key starts later keeps the guard.
    const auto fine = qScopeGuard([&] { pause_->durantePausa = {}; });
    if (tasto == QLatin1String("download"))
        QCOMPARE(EseguiDownload({true, false, false, true}), EsitoDownload::Completato);
    else
        clic(tasto.toLatin1().constData());
    if (e("session end")) {   // nothing waited for: the Log names what was not sent
        dialogs_.risposte = {platform::MsgResult::No};
        QVERIFY(MDIForm_Unload(true));
        setHostFinestre(nullptr);
        QCOMPARE(test::logDa(righeLog).filter(QStringLiteral("Not sent, the session is ending: ")).size(), 1);
        return;
    }
    if (e("exit")) {   // closed unsaved: nothing starts during the question, then what waits goes out
        const std::size_t prima = sim.comandi().size();
        const bool cade = azione.contains(u',');
        dialogs_.risposte = {platform::MsgResult::No};
        dialogs_.avvisiRestano = cade;
        pause_->limiteReale = cade ? 50 : -1;
        dialogs_.durante = [&] {   // the link dies as the user answers
            QTest::qWait(1000);
            if (cade)
                sim.impostaGuasto(Guasto::NessunaRisposta, 1 << 20);
        };
        QVERIFY(!MDIForm_Unload() && sim.comandi().size() == prima);
        dialogs_.durante = {};
        if (cade) {   // the box naming the writes stands, and the window waits until it is read
            QTRY_VERIFY(dialogs_.messaggi.back().testo.startsWith(QLatin1String("Not sent, the link failed: Register write")));
            QVERIFY(!QTest::qWaitFor([&] { return !host.chiuse.isEmpty(); }, 100));
            dialogs_.leggiAvvisi();
        }
        QTRY_COMPARE(host.chiuse, QStringList{"principale"});
        if (cade)
            return setHostFinestre(nullptr);
        QCOMPARE((std::vector<int>{sim.registro(30), sim.registro(31), sim.comandi().back()}),
                 (std::vector<int>{300, 310, 252}));
    }
    setHostFinestre(nullptr);
    const QStringList log = test::logDa(righeLog);
    if (azione.startsWith(QLatin1String("silent"))) {   // one time-out, then what waits is dropped with one line
        // A connect waiting is kept: it goes out, and its mode read waits a time-out of its own.
        QTRY_COMPARE(test::logDa(righeLog).filter(QStringLiteral("Com Timeout")).size(), e("silent") ? 1 : 2);
        QCOMPARE(test::logDa(righeLog).filter(QStringLiteral("Not sent, the link failed: Register write, "
                                           "Register write, Register write, Register write")).size(), 1);
        return;
    }
    if (tasto == QLatin1String("download")) {   // it went on under the window
        QCOMPARE(dialogs_.messaggi.size(), std::size_t(1));
        QVERIFY(DialogoAperto && ConfermaRegistro(30, QString(), 0, QStringLiteral("1234")));
    } else {
        QVERIFY2(log.filter(QStringLiteral("refused")).isEmpty() == !e("download"), qPrintable(log.join(u'\n')));
        QTRY_VERIFY_WITH_TIMEOUT(ComandiInAttesa().isEmpty() && AttivitaInCorso().isEmpty(), 10000);
        QTRY_VERIFY_WITH_TIMEOUT(!sim.comandi().empty() && sim.comandi().back() == 252, 5000);
        QCOMPARE(sim.statoProgramma(), StatoProgramma::Fermo);
        QVERIFY(SequenzaInCorso().isEmpty() && !CicloInCorso() && pause >= 2);
    }
    const Comandi c = sim.comandi();
    QVERIFY(!e("run then stop") || (pause <= 50 && Comandi(c.end() - 3, c.end()) == (Comandi{255, 100, 252})));
    // A Stop goes ahead of the window commands still waiting: they follow it.
    if (e("write") || e("both") || e("queued at the end") || e("edit"))
        QTRY_COMPARE(int(sim.memoria(*BaseVariabili() - 1)), 1);
    if (e("edit"))   // the edit went out, and the read before it left it on screen
        QTRY_VERIFY(sim.memoria(*BaseVariabili() + 16) == 77 && NumVariabili == 2 && !letto &&
                    Variabili[1].Indirizzo == 88);
    if (e("update") || e("both"))
        QTRY_VERIFY(letto && NumVariabili == (e("both") ? 2 : 8));
    if (e("window"))
        QTRY_COMPARE(sim.registro(30), std::uint16_t(1234));
    if (e("editor"))
        QTRY_VERIFY(!DialogoAperto && chiusoDopoStop);
    if (e("queued at the end"))
        QTRY_COMPARE((std::vector<int>{sim.registro(30), sim.registro(31)}), (std::vector<int>{300, 310}));
    // Fifty refreshes asked at once: one read, besides the loop's own and the Stop's; with
    // the window open the loop's reads went on.
    const std::vector<Trama> f = test::richiesteRicevute(sim, Mezzo::Tcp);
    const auto n = std::count(f.begin() + std::ptrdiff_t(letture), f.end(), Trama{10, 4, 0, 0, 0, 32});
    QVERIFY(e("R") ? n <= 3 : !e("window") || tasto != QLatin1String("run") || n >= 3);
    // Each write goes to the node it was asked for, or not at all; a read asked after it
    // follows it; a long operation waits or is refused; Set as Controller comes after them.
    const auto scritta = [&](int r) { return std::find_if(f.begin(), f.end(), [r](const Trama& t) {
        return t[1] == 6 && t[3] == r; }); };
    QVERIFY(!dietro || e("settings") || e("project") || scritta(31) != f.end());
    for (int r : {30, 31})
        QVERIFY(!dietro || (scritta(r) == f.end() ? e("settings") || e("project") : (*scritta(r))[0] == 10));
    QVERIFY(!e("refresh write refresh") || (ridisegni == 2 && std::find(scritta(31), f.end(), Trama{10, 4, 0, 0, 0, 32}) != f.end()));
    QVERIFY(!e("download") || esito == EsitoDownload::Rifiutato);
    QVERIFY(!e("mnu_SetAsController") || (Controllore.Nodo == 11 && Controllore.Connesso && f.back()[0] == 11));
    QVERIFY(!e("settings") || std::find(f.begin(), f.end(), Trama{10, 6, 0, 0, 0, 252}) != f.end());
    // The program on node 10 stopped, the last Stop went to node 11 where the settings point.
    const auto stop = [&](int nodo) { return std::find(f.rbegin(), f.rend(), Trama{std::uint8_t(nodo), 6, 0, 0, 0, 252}); };
    QVERIFY(!e("stop settings stop") || (stop(10) != f.rend() && stop(11) < stop(10)));
    // Node 10's program left running is named at the change of node, after the Stop to node 11 and in the status bar.
    const QString dieci = QStringLiteral("  The program on node 10 at 127.0.0.1:%1 was not stopped: the %2 node 11 at "
                                         "127.0.0.1:%1").arg(link_->portaTcp);
    QVERIFY(!e("settings run stop") || (stop(10) == f.rend() && stop(11) != f.rend() && pannello(5) == dieci.section(u':', 0, 1).trimmed()
        && test::logDa(righeLog).filter("not stopped") == QStringList({dieci.arg("link now goes to"), dieci.arg("Stop went to")})));
    QCOMPARE(log.filter(QStringLiteral("Not sent")).size(), int(e("settings") || e("project")));
}

// Keys, register writes and refreshes and changes of node at random moments of a Run on
// the slow link, against what was asked: each write goes to the node in force when it was
// asked, in the order asked, or not at all after a change of node; the last key's frames
// are the last commands, to its controller, and the program ends as it says. A failure
// prints the seed; LUDRA_SEME replays it. Now and then keys pass the queue's bound (the last
// keeps its place) and the application is closed at the end, which waits for all of it.
void TestComandiDebug::comandiACaso()
{
    const quint32 seme = qEnvironmentVariableIsSet("LUDRA_SEME") ? qgetenv("LUDRA_SEME").toUInt()
                                                                  : QRandomGenerator::global()->generate();
    const auto stampa = qScopeGuard([seme] { if (QTest::currentTestFailed()) qWarning("seed %u", seme); });
    QRandomGenerator g(seme);
    QVERIFY(preparaProgramma());
    auto& sim = link_->sim;
    sim.impostaGuasto(Guasto::Ritardo, 1 << 20, 100);
    AggiornaAuto = true;
    std::map<int, std::pair<int, int>> scritte;   // register: node, changes of node before it
    constexpr int kPassi = 30;
    int cambi = 0, cambiUltimo = 0, passi = 0, nodoUltimo = 10;
    test::FakeFinestre host;
    setHostFinestre(&host);
    const auto senzaHost = qScopeGuard([] { setHostFinestre(nullptr); });
    std::optional<bool> chiusa;   // the close asked, and whether it went at once
    const char* ultimo = "run";
    const auto agisci = [&] {
        // After a Stop or a Halt with nothing waiting, no loop goes on.
        if (CicloInCorso() && ComandiInAttesa().isEmpty() && cambiUltimo == cambi && passi < kPassi &&
            (ultimo == std::string_view("stop") || ultimo == std::string_view("pause"))) {
            passi = kPassi;   // reported once, and the loop ends
            StopCom = 1;
            QFAIL("a loop goes on after a Stop or a Halt");
        }
        if (passi >= kPassi || g.bounded(2) || ComandiInAttesa().size() > 12) {   // below the bound
            StopCom = passi >= kPassi ? 1 : StopCom;   // after the last key its loop ends at once
            return;
        }
        // Clicks close together, each adding at most three commands: the queue's bound (16)
        // refuses none of them, but for a burst of keys.
        for (int n = int(g.bounded(1, 4)); n > 0 && passi < kPassi && ComandiInAttesa().size() < 14; --n) {
            const int r = 30 + passi, quale = ++passi == kPassi ? 0 : int(g.bounded(10));
            if (quale < 5) {
                // Keys clicked in a row, or Halt/Step held past the bound, then a key that takes its place.
                for (int volte = g.bounded(5) ? int(g.bounded(1, 4)) : int(g.bounded(17, 23)), k = volte; k > 0; --k) {
                    // Animate, whose first step comes a pause later, is never the last key.
                    const bool fine = passi == kPassi && k == 1;
                    ultimo = std::array{"run", "pause", "stop", "stop", "stop", "step"}[volte > 3 && k > 1 ? 1 : g.bounded(fine ? 5 : 6)];
                    nodoUltimo = Controllore.Nodo;
                    cambiUltimo = cambi;
                    clic(ultimo);
                }
                const QStringList tasti = ComandiInAttesa().filter(QStringLiteral("\""));
                QVERIFY(tasti.isEmpty() || cambiUltimo < cambi || tasti.back() == QStringLiteral("\"%1\"").arg(QLatin1String(ultimo)));
            } else if (quale < 7) {
                scritte[r] = {Controllore.Nodo, cambi};
                ScriviValoreRegistro(0, r, r);
            } else if (quale < 8) {
                AggiornaRegistri_new(true);
            } else {
                ModuloImpostazioni m = CaricaImpostazioni();
                m.nodo = QString::number(21 - Controllore.Nodo);
                ++cambi;
                QVERIFY(SalvaImpostazioni(m));
            }
        }
    };
    pause_->durantePausa = pause_->inizioAttesa = agisci;
    const auto fine = qScopeGuard([this] { pause_->durantePausa = pause_->inizioAttesa = {}; });
    clic("run");
    while (passi < kPassi || !ComandiInAttesa().isEmpty() || !AttivitaInCorso().isEmpty()) {
        QTest::qWait(int(g.bounded(300)));
        // Nothing waits or runs: the program stands as the last key left it, unless a
        // change of node dropped that key.
        if (ComandiInAttesa().isEmpty() && AttivitaInCorso().isEmpty() && cambiUltimo == cambi &&
            ultimo != std::string_view("step"))
            QCOMPARE(sim.statoProgramma(), statoDopo(ultimo));
        agisci();
        if (passi == kPassi && !chiusa && g.bounded(2)) {   // closed unsaved: what was asked goes out first
            dialogs_.risposte = {platform::MsgResult::No};
            chiusa = MDIForm_Unload();
            QVERIFY(!*chiusa || (ComandiInAttesa().isEmpty() && AttivitaInCorso().isEmpty()));
        }
    }
    if (chiusa && !*chiusa)
        QTRY_COMPARE(host.chiuse, QStringList{QStringLiteral("principale")});
    std::vector<Trama> comandi;
    std::vector<int> esecuzione{-1};   // before each command, the node running the program
    std::vector<int> inEsecuzione;     // of the nodes running one, the last set running counts
    int scritto = 0;
    for (const Trama& t : test::richiesteRicevute(sim, Mezzo::Tcp)) {
        if (t[1] == 6 && t[3] >= 30) {
            QVERIFY2(t[3] > scritto && scritte.at(t[3]).first == t[0], qPrintable(QString::number(t[3])));
            for (auto i = scritte.upper_bound(scritto); i->first < t[3]; ++i)
                QVERIFY(i->second.second < cambi);   // skipped: the node changed after it
            scritto = t[3];
        } else if (t[1] == 6 && t[3] == 0) {
            // A Stop's halt and stop go together to where the program runs.
            QVERIFY(t[5] != 252 || (!comandi.empty() && comandi.back()[5] == 100 && comandi.back()[0] == t[0] &&
                                    (esecuzione[esecuzione.size() - 2] < 0 || esecuzione[esecuzione.size() - 2] == t[0])));
            comandi.push_back(t);
            std::erase(inEsecuzione, t[0]);
            if (t[5] != 252)
                inEsecuzione.push_back(t[0]);
            esecuzione.push_back(inEsecuzione.empty() ? -1 : inEsecuzione.back());
        }
    }
    const Trama& a = comandi.back();
    QCOMPARE(int(a[5]), ultimo == std::string_view("stop") ? 252 : ultimo == std::string_view("run") ? 255 : 100);
    QCOMPARE(int(a[0]), ultimo != std::string_view("stop") || esecuzione[esecuzione.size() - 3] < 0
                            ? nodoUltimo : esecuzione[esecuzione.size() - 3]);
    QCOMPARE(sim.statoProgramma(), statoDopo(ultimo));
}

QTEST_GUILESS_MAIN(TestComandiDebug)
#include "tst_comandidebug.moc"
