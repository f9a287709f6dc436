// The debugger's toolbar keys driving the device simulator: the program compiled and
// downloaded, then debug and release mode, run, run to break, halt/step, animate and
// stop, with the executing line marked and the status bar checked. Pauses run in
// virtual time and the simulated program moves one record per request.
#include "app/Avvio.h"
#include "app/BarraStato.h"
#include "app/BarraStrumenti.h"
#include "app/Comandi.h"
#include "app/Log.h"
#include "app/Notifiche.h"
#include "compiler/CodiceProgramma.h"
#include "compiler/Compilatore.h"
#include "ladder/VistaLadder.h"
#include "link/StatoLink.h"
#include "project/Progetto.h"
#include "project/Registri.h"
#include "support/Doubles.h"
#include "support/Frame.h"
#include "support/Ladder.h"
#include "support/LinkSim.h"
#include "transfer/Trasferimenti.h"

#include <QSignalSpy>
#include <QTest>
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

void clic(const char* chiave) { Toolbar1_ButtonClick(QString::fromLatin1(chiave)); }

// Reads of register 0 (function 4, one register) among the requests from `da` on.
int lettureComando(const std::vector<Trama>& richieste, std::size_t da)
{
    int n = 0;
    for (std::size_t i = da; i < richieste.size(); ++i)
        n += richieste[i] == Trama{10, 4, 0, 0, 0, 1};
    return n;
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

private:
    // Lines 1..6 "A".."F", line 3 blank (it writes no record), a breakpoint on line 5:
    // records 0..4 come from lines 1, 2, 4, 5, 6. Compiled and downloaded, connected with
    // the toolbar, in debug mode.
    bool preparaProgramma();

    test::FakeDialogs dialogs_;
    platform::Dialogs* prima_ = nullptr;
    std::unique_ptr<test::LinkSuSim> link_;
    std::unique_ptr<test::PauseVirtuali> pause_;
};

void TestComandiDebug::init()
{
    test::progettoDiLinee(6, 1);
    dialogs_ = test::FakeDialogs{};
    prima_ = platform::setDialogs(&dialogs_);
    link_ = std::make_unique<test::LinkSuSim>(Mezzo::Tcp);
    ImpostaModello();
    TempoAnimazione = 500;
    link_->sim.setAvanzamento(sim::Avanzamento::PerRichiesta);
    pause_ = std::make_unique<test::PauseVirtuali>();
}

void TestComandiDebug::cleanup()
{
    pause_.reset();
    link_.reset();
    platform::setDialogs(prima_);
    AzzeraStatoProcesso();
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

// The debug mode is stored only from a read that succeeded.
void TestComandiDebug::connessioneSenzaLetturaDelModo()
{
    Controllore.ModoDebug = true;
    link_->sim.setMemoria(19, 'U');
    link_->sim.impostaGuasto(Guasto::Eccezione, 1);
    clic("connect");
    QVERIFY(Controllore.Connesso);
    QVERIFY(Controllore.ModoDebug);
    QCOMPARE(pannello(2), QStringLiteral("Debug Mode"));
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
    QCOMPARE(pause_->pause.size(), std::size_t(1));
    QCOMPARE(dialogs_.messaggi.size(), std::size_t(1));
    QCOMPARE(dialogs_.messaggi[0].testo, QStringLiteral("Controller not connected"));
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

QTEST_GUILESS_MAIN(TestComandiDebug)
#include "tst_comandidebug.moc"
