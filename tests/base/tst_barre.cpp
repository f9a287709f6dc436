#include "app/TabellaComandi.h"
#include "app/Avvio.h"
#include "base/BarraStato.h"
#include "base/BarraStrumenti.h"
#include "app/Comandi.h"
#include "base/Log.h"
#include "ladder/VistaLadder.h"
#include "link/AggiornaStato.h"
#include "link/StatoLink.h"
#include "project/Progetto.h"
#include "projectfiles/NuovoProgetto.h"
#include "support/Banco.h"

#include <QTest>

using namespace ludra;

class TestBarre : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        banco_.apri(test::Banco::Doppi::Tutti);
        CreaToolBar();
    }
    void cleanup() { banco_.chiudi(); }

    void toolbarOrder();
    void toolbarInitialState_data();
    void toolbarInitialState();
    void groups_data();
    void groups();
    void unknownGroupChangesNothing();
    void groupNamesAreCaseSensitive();
    void statusPanels_data();
    void statusPanels();
    void statusEmptyAtStart();
    void everyClickSetsStopComAndStatus();
    void viewHttpOpensDeviceAddress();
    void breakToggleNeedsALine();
    void logLines();
    void logStartForm();
    void logClear();

private:
    test::Banco banco_;
};

void TestBarre::toolbarOrder()
{
    QStringList chiavi;
    for (const Pulsante& p : BarraStrumenti::istanza().pulsanti())
        chiavi << (p.separatore ? QStringLiteral("-") : p.chiave);
    const QStringList atteso = {
        "proj_new", "proj_open", "proj_save", "-", "connect", "disconnect", "-", "download",
        "upload", "-", "debug", "release", "-", "run", "runBr", "pause", "step", "stop", "-",
        "rung_add_before", "rung_add_after", "rung_move_up", "rung_move_down", "rung_copy",
        "rung_paste", "rung_mod", "rung_del", "rung_redo", "new_sub", "rung_break", "-",
        "proj_comp", "view_log", "-", "view_reg", "view_http"};
    QCOMPARE(chiavi, atteso);
}

void TestBarre::toolbarInitialState_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("picture");
    QTest::addColumn<QString>("tooltip");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("proj_new") << "proj_new" << "file_new" << "New Project" << true;
    QTest::newRow("connect") << "connect" << "connect" << "Connect Controller" << true;
    QTest::newRow("download") << "download" << "download" << "Download" << false;
    QTest::newRow("upload") << "upload" << "upload" << "Upload" << false;
    QTest::newRow("debug") << "debug" << "debug" << "Set Debug Mode" << false;
    QTest::newRow("runBr") << "runBr" << "prog_runBr" << "Run to Break" << false;
    QTest::newRow("pause") << "pause" << "prog_halt" << "Halt/Step" << false;
    QTest::newRow("step") << "step" << "prog_step" << "Animate" << false;
    QTest::newRow("rung_mod") << "rung_mod" << "rung_modifica" << "Modify" << false;
    QTest::newRow("rung_del") << "rung_del" << "rung_delete" << "Delete" << false;
    QTest::newRow("new_sub") << "new_sub" << "new_sub" << "New Subroutine" << false;
    QTest::newRow("proj_comp") << "proj_comp" << "proj_comp" << "Compile Project" << false;
    QTest::newRow("view_log") << "view_log" << "view_log" << "View Log" << true;
    QTest::newRow("view_http") << "view_http" << "http" << "View Web Pages" << true;
}

void TestBarre::toolbarInitialState()
{
    QFETCH(QString, key);
    QFETCH(QString, picture);
    QFETCH(QString, tooltip);
    QFETCH(bool, enabled);
    const Pulsante* p = BarraStrumenti::istanza().trova(key);
    QVERIFY(p);
    QCOMPARE(p->immagine, picture);
    QCOMPARE(p->tooltip, tooltip);
    QCOMPARE(p->abilitato, enabled);
}

void TestBarre::groups_data()
{
    QTest::addColumn<QString>("group");
    QTest::addColumn<QStringList>("keys");
    QTest::newRow("DebugRelease") << "Puls_DebugRelease" << QStringList{"debug", "release"};
    QTest::newRow("Download") << "Puls_Download" << QStringList{"download"};
    QTest::newRow("Debug") << "Puls_Debug"
                           << QStringList{"run", "runBr", "pause", "step", "stop"};
    QTest::newRow("FunctionBlock")
        << "Puls_FunctionBlock"
        << QStringList{"rung_add_before", "rung_add_after", "rung_move_up", "rung_move_down",
                       "rung_copy", "rung_mod", "rung_del", "rung_break"};
    QTest::newRow("Compila") << "Puls_Compila" << QStringList{"proj_comp"};
}

void TestBarre::groups()
{
    QFETCH(QString, group);
    QFETCH(QStringList, keys);
    auto stato = [] {
        QHash<QString, bool> s;
        for (const Pulsante& p : BarraStrumenti::istanza().pulsanti())
            if (!p.separatore)
                s.insert(p.chiave, p.abilitato);
        return s;
    };
    const auto prima = stato();
    AbilitaPulsanti(group, true);
    auto dopo = stato();
    for (auto it = dopo.begin(); it != dopo.end(); ++it)
        QCOMPARE(it.value(), keys.contains(it.key()) ? true : prima.value(it.key()));
    AbilitaPulsanti(group, false);
    dopo = stato();
    for (const QString& k : keys)
        QVERIFY(!dopo.value(k));
    // Paste and restore belong to no group; upload and new_sub are never enabled.
    QVERIFY(!dopo.value("rung_paste") && !dopo.value("rung_redo"));
    QVERIFY(!dopo.value("upload") && !dopo.value("new_sub"));
}

void TestBarre::unknownGroupChangesNothing()
{
    AbilitaPulsanti(QStringLiteral("Puls_Nothing"), true);
    QVERIFY(!BarraStrumenti::istanza().abilitato(QStringLiteral("download")));
    QVERIFY(!BarraStrumenti::istanza().abilitato(QStringLiteral("run")));
}

void TestBarre::groupNamesAreCaseSensitive()
{
    AbilitaPulsanti(QStringLiteral("puls_download"), true);
    QVERIFY(!BarraStrumenti::istanza().abilitato(QStringLiteral("download")));
}

void TestBarre::statusPanels_data()
{
    QTest::addColumn<bool>("connected");
    QTest::addColumn<bool>("debug");
    QTest::addColumn<int>("run");
    QTest::addColumn<QString>("before3");
    QTest::addColumn<QStringList>("panels");
    QTest::newRow("not connected") << false << true << 255 << "RUN"
                                   << QStringList{"Not Connected", "", ""};
    QTest::newRow("run") << true << true << 255 << "" << QStringList{"Connected", "Debug Mode", "RUN"};
    QTest::newRow("run to break") << true << false << 90 << ""
                                  << QStringList{"Connected", "Release Mode", "RUN"};
    QTest::newRow("halt") << true << true << 100 << "RUN"
                          << QStringList{"Connected", "Debug Mode", "Stop"};
    QTest::newRow("stop keeps panel 3") << true << true << 252 << "Stop"
                                        << QStringList{"Connected", "Debug Mode", "Stop"};
    QTest::newRow("0 keeps panel 3") << true << false << 0 << "RUN"
                                     << QStringList{"Connected", "Release Mode", "RUN"};
}

void TestBarre::statusPanels()
{
    QFETCH(bool, connected);
    QFETCH(bool, debug);
    QFETCH(int, run);
    QFETCH(QString, before3);
    QFETCH(QStringList, panels);
    BarraStato::istanza().setPannello(3, before3);
    BarraStato::istanza().setPannello(4, QStringLiteral("Com OK"));
    Controllore.Connesso = connected;
    Controllore.ModoDebug = debug;
    Controllore.StatoRun = std::uint8_t(run);
    AggiornaStato();
    for (int i = 0; i < 3; ++i)
        QCOMPARE(BarraStato::istanza().pannello(i + 1), panels[i]);
    QCOMPARE(BarraStato::istanza().pannello(4), QStringLiteral("Com OK"));
    QVERIFY(BarraStato::istanza().pannello(5).isEmpty());
}

void TestBarre::statusEmptyAtStart()
{
    for (int i = 1; i <= 5; ++i)
        QVERIFY(BarraStato::istanza().pannello(i).isEmpty());
}

void TestBarre::everyClickSetsStopComAndStatus()
{
    for (const char* key : {"upload", "view_log", "no_such_key", "new_sub"}) {
        StopCom = 0;
        BarraStato::istanza().azzera();
        Toolbar1_ButtonClick(QString::fromLatin1(key));
        QCOMPARE(StopCom, std::int16_t(1));
        QCOMPARE(BarraStato::istanza().pannello(1), QStringLiteral("Not Connected"));
        QVERIFY(BarraStato::istanza().pannello(2).isEmpty());
    }
}

void TestBarre::viewHttpOpensDeviceAddress()
{
    Controllore.IP = QStringLiteral("127.0.0.1");
    Toolbar1_ButtonClick(QStringLiteral("view_http"));
    QCOMPARE(banco_.shell.aperti, QStringList{"http://127.0.0.1"});
}

void TestBarre::breakToggleNeedsALine()
{
    InitProgetto();
    AggiungiRung();
    RungCorrente = 2;
    Toolbar1_ButtonClick(QStringLiteral("rung_break"));
    QVERIFY(Sezioni[0].Rung[2].Break);
    ClickMenu(QStringLiteral("mnu_FB_Break"));
    QVERIFY(!Sezioni[0].Rung[2].Break);
    RungCorrente = 0;
    Toolbar1_ButtonClick(QStringLiteral("rung_break"));
    QVERIFY(!Sezioni[0].Rung[0].Break);   // the scratch slot is no program line
}

void TestBarre::logLines()
{
    LogWrite(QStringLiteral("Com OK"));
    LogWrite(QString());
    const LogModello& log = LogModello::istanza();
    QCOMPARE(log.righe(), (QStringList{"  Com OK", "  "}));
    QCOMPARE(log.selezione(), 1);
}

void TestBarre::logStartForm()
{
    LogWrite(QStringLiteral("first"));
    LogModello::istanza().setOrologio([] { return QDateTime(QDate(2026, 12, 31), QTime(23, 59, 59)); });
    LogStart();
    LogModello::istanza().setOrologio({});
    const QString riga = LogModello::istanza().righe().last();
    QVERIFY(riga.startsWith(QStringLiteral("-- ")));
    QVERIFY(riga.endsWith(QStringLiteral(" --")));
    QVERIFY2(riga.contains(QStringLiteral(":59:59")), qPrintable(riga));
    QVERIFY2(riga.contains(QStringLiteral("31")), qPrintable(riga));
    // Seconds, and no time zone, whatever the locale writes in its long time form.
    for (const char* nome : {"C", "en_US", "it_IT", "de_DE"}) {
        const QLocale locale{QString::fromLatin1(nome)};
        const QString testo =
            locale.toString(QDateTime(QDate(2026, 12, 31), QTime(23, 59, 59)), FormatoDataOra(locale));
        QVERIFY2(testo.contains(QStringLiteral(":59:59")), qPrintable(testo));
        QVERIFY2(!testo.endsWith(QLatin1Char(' ')), qPrintable(testo));
        QVERIFY2(!testo.contains(QStringLiteral("UTC")) && !testo.contains(QStringLiteral("Time")),
                 qPrintable(testo));
    }
    QCOMPARE(LogModello::istanza().selezione(), 0);   // the separator selects nothing
}

void TestBarre::logClear()
{
    LogWrite(QStringLiteral("x"));
    LogClear();
    QVERIFY(LogModello::istanza().righe().isEmpty());
    QCOMPARE(LogModello::istanza().selezione(), -1);
}

QTEST_GUILESS_MAIN(TestBarre)
#include "tst_barre.moc"
