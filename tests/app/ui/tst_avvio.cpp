#include "app/Avvio.h"
#include "base/BarraStato.h"
#include "base/BarraStrumenti.h"
#include "base/Log.h"
#include "base/Menu.h"
#include "base/Testi.h"
#include "app/ui/Log.h"
#include "app/ui/Main.h"
#include "app/ui/Principale.h"
#include "display/PagineDisplay.h"
#include "link/StatoLink.h"
#include "platform/Twips.h"
#include "platform/ui/Pictures.h"
#include "platform/ui/StileApplicazione.h"
#include "project/Progetto.h"
#include "project/Registri.h"
#include "support/Banco.h"
#include "support/Doubles.h"

#include <QAction>
#include <QApplication>
#include <QScreen>
#include <QLabel>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QSignalSpy>
#include <QStyleOption>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>

using namespace ludra;
using namespace ludra::ui;
using platform::twipsToPx;

class TestAvvio : public QObject {
    Q_OBJECT
private slots:
    void init() { banco_.apri(test::Banco::Doppi::Nessuno); Main(); }
    void cleanup() { Principale::distruggi(); banco_.chiudi(); }

    void languageAndCaption();
    void mainWindowGeometry();
    void logWindowAtTopLeft();
    void logWidthIsFixed();
    void framesShowTheirWindowsTitles();
    void stylePicturesReadWhenDrawn_data();
    void stylePicturesReadWhenDrawn();
    void statusPanelsEmpty();
    void statusPanelChangeKeepsLayout();
    void linkDefaults();
    void processValues();
    void projectStarts();
    void toolbarAfterStart();
    void imageListHasEveryPicture();
    void displayMenuHiddenAtStart();
    void hiddenMenuItems_data();
    void hiddenMenuItems();
    void menuFollowsLanguage();
    void menuFollowsModel();
    void logWindowShowsLines();
    void toolbarClickRunsDispatch();
    void twoStartsBeginAlike();

private:
    test::Banco banco_;
};

void TestAvvio::languageAndCaption()
{
    QCOMPARE(Lingua, kInglese);
    QCOMPARE(Principale::istanza().windowTitle(), QStringLiteral("Ludra"));
    QVERIFY(!Principale::istanza().windowIcon().isNull());
}

void TestAvvio::mainWindowGeometry()
{
    // The designed size where the screen holds it. This program runs on the offscreen
    // platform's 800 x 800 screen and again on a 1024 x 768 one: the status bar and the
    // OK of a child window opened below the others stay on screen.
    Principale& p = Principale::istanza();
    const QRect schermo = p.screen()->availableGeometry();
    const QSize bordi = p.frameGeometry().size() - p.size();
    QCOMPARE(p.size(), QSize(twipsToPx(16000), twipsToPx(13000)).boundedTo(schermo.size() - bordi));
    QVERIFY(schermo.contains(p.frameGeometry()));
    p.mostraPagina(Finestra::frm_Settings, 0);
    QWidget* ok = p.finestra(Finestra::frm_Settings)->findChild<QWidget*>("cmd_ok_1");
    for (const QWidget* w : {static_cast<QWidget*>(p.statusBar()), ok})
        QVERIFY2(schermo.contains(QRect(w->mapToGlobal(QPoint()), w->size())),
                 qPrintable(w->objectName()));
    // The windows the start sets side by side too.
    for (const QMdiSubWindow* sub : p.area()->subWindowList())
        QVERIFY2(p.area()->viewport()->rect().contains(sub->geometry()), qPrintable(sub->objectName()));
}

void TestAvvio::logWindowAtTopLeft()
{
    QMdiSubWindow* log = Principale::istanza().cornice(Finestra::Log);
    QVERIFY(log);
    QVERIFY(log->isVisible());
    QCOMPARE(log->pos(), QPoint(0, 0));
    QCOMPARE(log->height(), twipsToPx(10000));
    QCOMPARE(log->width(), twipsToPx(3090));
}

void TestAvvio::logWidthIsFixed()
{
    QMdiSubWindow* log = Principale::istanza().cornice(Finestra::Log);
    log->resize(log->width() + 100, log->height() - 50);
    QCOMPARE(log->width(), twipsToPx(3090));
    QCOMPARE(log->height(), twipsToPx(10000) - 50);
}

void TestAvvio::framesShowTheirWindowsTitles()
{
    // The start's frames take their titles after the start's queued layout, before the
    // window is first drawn.
    QVERIFY(Principale::istanza().cornice(Finestra::Log)->windowTitle().isEmpty());
    QCoreApplication::sendPostedEvents();
    for (const Finestra f : {Finestra::Log, Finestra::Program, Finestra::Registri}) {
        QMdiSubWindow* cornice = Principale::istanza().cornice(f);
        QVERIFY(cornice && !cornice->windowTitle().isEmpty());
        QCOMPARE(cornice->windowTitle(), cornice->widget()->windowTitle());
    }
    // Loaded later, a window's frame has its title at once.
    Principale::istanza().chiudi(Finestra::Log);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    Principale::istanza().mostra(Finestra::Log);
    QCOMPARE(Principale::istanza().cornice(Finestra::Log)->windowTitle(), QStringLiteral("Log"));
}

void TestAvvio::stylePicturesReadWhenDrawn_data()
{
    QTest::addColumn<int>("quale");
    for (const QStyle::StandardPixmap q :
         {QStyle::SP_TitleBarMenuButton, QStyle::SP_TitleBarCloseButton,
          QStyle::SP_TitleBarNormalButton, QStyle::SP_ToolBarHorizontalExtensionButton})
        QTest::addRow("%d", int(q)) << int(q);
}

void TestAvvio::stylePicturesReadWhenDrawn()
{
    QFETCH(int, quale);
    const auto q = QStyle::StandardPixmap(quale);
    platform::StileApplicazione stile(QApplication::style()->name());
    QStyleOption destra;
    destra.direction = Qt::RightToLeft;
    const QStyleOption* daDestra = &destra;
    for (const QStyleOption* opzione : {static_cast<const QStyleOption*>(nullptr), daDestra}) {
        const QIcon differita = stile.standardIcon(q, opzione);
        QVERIFY(!differita.isNull());
        QCOMPARE(differita.cacheKey(), stile.standardIcon(q, opzione).cacheKey());
        QCOMPARE(differita.pixmap(16).toImage(),
                 stile.baseStyle()->standardIcon(q, opzione).pixmap(16).toImage());
    }
}

void TestAvvio::statusPanelsEmpty()
{
    for (int i = 1; i <= 5; ++i)
        QVERIFY(Principale::istanza().pannello(i)->text().isEmpty());
}

void TestAvvio::statusPanelChangeKeepsLayout()
{
    struct ContaLayout : QObject {
        int n = 0;
        bool eventFilter(QObject*, QEvent* e) override
        {
            n += e->type() == QEvent::LayoutRequest;
            return false;
        }
    } conta;
    Principale& p = Principale::istanza();
    QApplication::processEvents();
    p.statusBar()->installEventFilter(&conta);
    // What every request does to panel 4: neither change lays the bar out again.
    BarraStato::istanza().setPannello(4, QString());
    BarraStato::istanza().setPannello(4, QStringLiteral("Com OK"));
    QCOMPARE(p.pannello(4)->text(), QStringLiteral("Com OK"));
    QApplication::processEvents();
    QCOMPARE(conta.n, 0);
    for (int i = 1; i <= 4; ++i)
        QCOMPARE(p.pannello(i)->height(), p.pannello(5)->height());
    // The measure a panel keeps follows its text and its font.
    PannelloStato* pannello = p.pannello(2);
    const QSize prima = pannello->sizeHint();
    pannello->setText(QStringLiteral("a longer text than before"));
    QVERIFY(pannello->sizeHint().width() > prima.width());
    QFont grande = pannello->font();
    grande.setPointSize(grande.pointSize() * 3);
    pannello->setFont(grande);
    QVERIFY(pannello->sizeHint().height() > prima.height());
}

void TestAvvio::linkDefaults()
{
    QCOMPARE(ModoCom, kModoTcp);
    QCOMPARE(Controllore.IP, QString::fromLatin1(kIndirizzoPredefinito));
    QCOMPARE(Controllore.Porta, std::uint16_t(502));
    QCOMPARE(int(Controllore.Nodo), 10);
    QCOMPARE(Controllore.Modello, QStringLiteral("KVR5200-IO"));
    QCOMPARE(Controllore.Timeout, std::int16_t(1000));
    QCOMPARE(int(Controllore.Canale), 0);
    QVERIFY(!Controllore.Connesso);
    QCOMPARE(int(Controllore.StatoRun), 0);
    QCOMPARE(TimeoutRTU, std::int16_t(2));
    QVERIFY(AttendiRisposta);
    QCOMPARE(StopCom, std::int16_t(1));
}

void TestAvvio::processValues()
{
    QVERIFY(!AggiornaAuto);
    QCOMPARE(TempoAnimazione, std::int16_t(500));
    QCOMPARE(int(PagineDisplay.NumPagine), 1);
    QCOMPARE(SubCorrente, std::int16_t(0));
    QCOMPARE(NumSub, std::int16_t(0));
    QCOMPARE(TabellaRegistri[8].Nome, QStringLiteral("Digital Inputs"));
}

void TestAvvio::projectStarts()
{
    QCOMPARE(NomeProgetto, QStringLiteral("Project"));
    QCOMPARE(Sezioni[0].NumRung, std::int16_t(1));
    QCOMPARE(RungCorrente, std::int16_t(1));
    QCOMPARE(Sezioni[0].Rung[1].Classe, std::int16_t(0));
}

void TestAvvio::toolbarAfterStart()
{
    QStringList abilitati;
    for (QAction* a : Principale::istanza().toolbar()->actions())
        if (!a->isSeparator() && a->isEnabled())
            abilitati << a->objectName();
    const QStringList atteso = {"proj_new",       "proj_open",      "proj_save",
                                "connect",        "disconnect",     "rung_add_before",
                                "rung_add_after", "rung_move_up",   "rung_move_down",
                                "rung_copy",      "rung_mod",       "rung_del",
                                "rung_break",     "proj_comp",      "view_log",
                                "view_reg",       "view_http"};
    QCOMPARE(abilitati, atteso);
    QAction* run = Principale::istanza().azioneToolbar(QStringLiteral("run"));
    QCOMPARE(run->toolTip(), QStringLiteral("Run"));
    QVERIFY(!run->icon().isNull());
    QVERIFY(run->text().isEmpty() || run->text() == run->toolTip());
}

void TestAvvio::imageListHasEveryPicture()
{
    QCOMPARE(Principale::istanza().numeroImmagini(), 47);
    for (const ImmagineLista& i : ElencoImmagini()) {
        QVERIFY2(platform::PictureExists(i.risorsa), i.chiave);
        QVERIFY(!Principale::istanza().immagine(QString::fromLatin1(i.chiave)).isNull());
    }
    // Drawn when first asked for, each size looks as a set drawn whole at start would.
    QIcon intera;
    for (int lato : {16, 24, 32, 48, 64})
        intera.addPixmap(platform::LoadResPicture(119, lato));
    for (int lato : {12, 20, 24, 40, 100})
        for (QIcon::Mode modo : {QIcon::Disabled, QIcon::Normal})
            QCOMPARE(platform::LoadResIcon(119).pixmap(lato, modo).toImage(), intera.pixmap(lato, modo).toImage());
    QVERIFY(platform::PictureExists(300));
    QVERIFY(!platform::PictureExists(999));
    QVERIFY(platform::LoadResPicture(999).isNull());
}

void TestAvvio::displayMenuHiddenAtStart()
{
    QVERIFY(!Principale::istanza().azioneMenu(QStringLiteral("mnu_display"))->isVisible());
}

void TestAvvio::hiddenMenuItems_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<bool>("visible");
    for (const char* h : {"mnu_Export", "mnu_viewProj", "mnu_images", "mnu_scheduler",
                          "mnu_collaudo", "mnu_display"})
        QTest::newRow(h) << h << false;
    for (const char* v : {"mnu_new", "mnu_exit", "mnu_controller", "mnu_log", "mnu_search",
                          "mnu_Tables", "mnu_About", "mnu_help", "mnu_tools"})
        QTest::newRow(v) << v << true;
}

void TestAvvio::hiddenMenuItems()
{
    QFETCH(QString, item);
    QFETCH(bool, visible);
    QCOMPARE(Principale::istanza().azioneMenu(item)->isVisible(), visible);
}

void TestAvvio::menuFollowsLanguage()
{
    CambiaLingua(0);
    QCOMPARE(Principale::istanza().azioneMenu(QStringLiteral("mnu_project"))->text(),
             QStringLiteral("Progetto"));
    QCOMPARE(Principale::istanza().azioneMenu(QStringLiteral("mnu_new"))->text(),
             QStringLiteral("Nuovo"));
    QCOMPARE(Principale::istanza().popup(QStringLiteral("mnu_FB"))->actions().first()->text(),
             QStringLiteral("Modify"));
    CambiaLingua(1);
    QCOMPARE(Principale::istanza().azioneMenu(QStringLiteral("mnu_tools"))->text(),
             QStringLiteral("Tools"));
}

void TestAvvio::menuFollowsModel()
{
    QAction* display = Principale::istanza().azioneMenu(QStringLiteral("mnu_display"));
    Controllore.Modello = QStringLiteral("KVR5460");
    ImpostaModello();
    QVERIFY(display->isVisible());
    Controllore.Modello = QStringLiteral("KVR1750-MBTCP");
    ImpostaModello();
    QVERIFY(display->isVisible());
    Controllore.Modello = QStringLiteral("KVR5200-DL");
    ImpostaModello();
    QVERIFY(!display->isVisible());
}

void TestAvvio::logWindowShowsLines()
{
    auto* log = qobject_cast<Log*>(Principale::istanza().finestra(Finestra::Log));
    QVERIFY(log);
    LogWrite(QStringLiteral("Com OK"));
    QApplication::processEvents();
    QCOMPARE(log->Testo()->count(), 1);
    QCOMPARE(log->Testo()->testo(0), QStringLiteral("  Com OK"));
    QCOMPARE(log->Testo()->currentRow(), 0);
    LogStart();
    QApplication::processEvents();
    QCOMPARE(log->Testo()->count(), 2);
    QCOMPARE(log->Testo()->currentRow(), 0);
    LogClear();
    QCOMPARE(log->Testo()->count(), 0);
    // The lines of one turn of the event loop reach the window as one append, the last
    // line written selected and in view.
    QSignalSpy inserite(log->Testo()->model(), &QAbstractItemModel::rowsInserted);
    for (int i = 0; i < 100; ++i)
        LogWrite(QString::number(i));
    LogStart();
    QCOMPARE(log->Testo()->count(), 0);
    QApplication::processEvents();
    QCOMPARE(inserite.size(), 1);
    QCOMPARE(log->Testo()->count(), 101);
    QCOMPARE(log->Testo()->currentRow(), 99);
    QVERIFY(log->Testo()->viewport()->rect().contains(
        log->Testo()->visualRect(log->Testo()->model()->index(99, 0))));
}

void TestAvvio::toolbarClickRunsDispatch()
{
    StopCom = 0;
    Principale::istanza().azioneToolbar(QStringLiteral("view_log"))->trigger();
    QCOMPARE(StopCom, std::int16_t(1));
    QCOMPARE(Principale::istanza().pannello(1)->text(), QStringLiteral("Not Connected"));
}

void TestAvvio::twoStartsBeginAlike()
{
    TabellaRegistri[40].Nome = QStringLiteral("left over");
    Controllore.Porta = 600;
    CambiaLingua(0);
    LogWrite(QStringLiteral("old"));
    Principale::distruggi();
    Main();
    QCOMPARE(Lingua, kInglese);
    QVERIFY(TabellaRegistri[40].Nome.isEmpty());
    QCOMPARE(Controllore.Porta, std::uint16_t(502));
    QVERIFY(LogModello::istanza().righe().isEmpty());
    QCOMPARE(Principale::istanza().azioneMenu(QStringLiteral("mnu_project"))->text(),
             QStringLiteral("Project"));
}

QTEST_MAIN(TestAvvio)
#include "tst_avvio.moc"
