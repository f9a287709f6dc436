// The ladder window draws the view's rows and hands clicks, presses, typing, the
// format button, the tabs and the scroll bar back to the ladder.
#include "base/BarraStrumenti.h"
#include "app/Comandi.h"
#include "base/Notifiche.h"
#include "base/Testi.h"
#include "app/ui/Main.h"
#include "app/ui/Principale.h"
#include "ladder/OperazioniRung.h"
#include "ladder/VistaLadder.h"
#include "ladder/ui/Program.h"
#include "ladder/ui/RigaProgram.h"
#include "platform/Twips.h"
#include "platform/ui/VbColor.h"
#include "projectfiles/FileProgetto.h"
#include "project/Progetto.h"
#include "support/Banco.h"
#include "support/Doubles.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QMenu>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTabBar>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>
#include <memory>

using namespace ludra;
using namespace ludra::ui;
using platform::twipsToPx;

namespace {

void svuotaCestino()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

Program* finestra()
{
    return qobject_cast<Program*>(Principale::istanza().finestra(Finestra::Program));
}

void toolbar(const char* chiave)
{
    QAction* a = Principale::istanza().azioneToolbar(QString::fromLatin1(chiave));
    QVERIFY(a && a->isEnabled());
    a->trigger();
}

} // namespace

class TestProgram : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void avvio();
    void righeDaToolbar();
    void clicSulleRighe();
    void popupDelleRighe();
    void descrizione();
    void formato();
    void didascalie();
    void schedeEScorrimento();
    void chiusaERiaperta();
    void chiudiENuovo();
    void unitaPiena();
    void aperturaInUnaVolta();

private:
    test::Banco banco_;
    test::Banco* doubles = &banco_;
};

void TestProgram::init()
{
    banco_.apri(test::Banco::Doppi::Tutti);
    doubles->dialogs.predefinita = platform::MsgResult::Ok;
    ui::Main();
    QCoreApplication::processEvents();
}

void TestProgram::cleanup()
{
    Principale::distruggi();
    svuotaCestino();
    banco_.chiudi();
}

void TestProgram::avvio()
{
    Program* p = finestra();
    QVERIFY(p);
    QCOMPARE(p->windowTitle(), QStringLiteral("Program"));
    QCOMPARE(p->Tab_Prog()->count(), 1);
    QCOMPARE(p->Tab_Prog()->tabText(0), QStringLiteral("Main"));
    QCOMPARE(p->note()->text(), QStringLiteral("Main Program"));
    QCOMPARE(p->immagineFormato(), 130);
    QVERIFY(!p->VScroll()->isVisible());
    RigaProgram* r = p->riga(0, 1);
    QVERIFY(r);
    QVERIFY(!p->riga(0, 2));
    QCOMPARE(r->lbl_Rung->text(), QStringLiteral("1"));
    QCOMPARE(r->txt_desc->text(), QStringLiteral("<...>"));
    QVERIFY(!r->Immagine->isVisible() && !r->img_Break->isVisible());
    QCOMPARE(r->Bordo->colore(), platform::vbColor(colore::kRosso));
    QCOMPARE(r->shRung->geometry(), QRect(twipsToPx(120), twipsToPx(200), twipsToPx(5475), twipsToPx(1515)));
    QCOMPARE(r->Bordo->geometry(), QRect(twipsToPx(60), twipsToPx(140), twipsToPx(5595), twipsToPx(1635)));
    QVERIFY(r->shRung->isVisible());
    QCOMPARE(r->shRung->parentWidget(), p->prog(0));
    // Right of the Log at the top.
    QMdiSubWindow* log = Principale::istanza().cornice(Finestra::Log);
    QMdiSubWindow* prog = Principale::istanza().cornice(Finestra::Program);
    QCOMPARE(prog->geometry().top(), 0);
    QCOMPARE(prog->geometry().left(), log->geometry().right() + 1);
    QVERIFY(Principale::istanza().azioneToolbar(QStringLiteral("rung_del"))->isEnabled());
    QVERIFY(!Principale::istanza().azioneToolbar(QStringLiteral("rung_paste"))->isEnabled());
    QVERIFY(CambiaLingua(kItaliano));
    QCOMPARE(p->windowTitle(), QStringLiteral("Programma"));
}

void TestProgram::righeDaToolbar()
{
    Program* p = finestra();
    for (int i = 0; i < 3; ++i)
        toolbar("rung_add_after");
    for (int i = 1; i <= 4; ++i)
        QVERIFY(p->riga(0, i));
    QCOMPARE(p->riga(0, 4)->lbl_Rung->text(), QStringLiteral("4"));
    // The fourth line shows the bar and scrolls one row.
    QVERIFY(p->VScroll()->isVisible());
    QCOMPARE(p->VScroll()->maximum(), 4);
    QCOMPARE(p->VScroll()->value(), 1);
    QCOMPARE(p->riga(0, 2)->shRung->y(), twipsToPx(200));
    QCOMPARE(p->riga(0, 1)->shRung->y(), twipsToPx(-1600));
    QCOMPARE(p->riga(0, 4)->Bordo->colore(), platform::vbColor(colore::kRosso));
    QCOMPARE(p->riga(0, 1)->Bordo->colore(), platform::vbColor(colore::kFacciaPulsante));

    toolbar("rung_copy");
    QVERIFY(Principale::istanza().azioneToolbar(QStringLiteral("rung_paste"))->isEnabled());
    toolbar("rung_break");
    QVERIFY(p->riga(0, 4)->img_Break->isVisibleTo(p->riga(0, 4)->shRung));
    toolbar("rung_del");
    QCOMPARE(doubles->dialogs.messaggi.back().testo, QStringLiteral("Delete Function Block ?"));
    svuotaCestino();
    QVERIFY(!p->riga(0, 4));
    QVERIFY(Principale::istanza().azioneToolbar(QStringLiteral("rung_redo"))->isEnabled());
    toolbar("rung_redo");
    QVERIFY(p->riga(0, 4));
    QVERIFY(p->riga(0, 4)->img_Break->isVisibleTo(p->riga(0, 4)->shRung));
}

void TestProgram::clicSulleRighe()
{
    Program* p = finestra();
    for (int i = 0; i < 2; ++i)
        toolbar("rung_add_after");
    QSignalSpy aperte(&Notifiche::istanza(), &Notifiche::modificaRigaChiesta);
    QTest::mouseClick(p->riga(0, 1)->txt_Label, Qt::LeftButton);
    QCOMPARE(int(RungCorrente), 1);
    QCOMPARE(p->riga(0, 1)->Bordo->colore(), platform::vbColor(colore::kRosso));
    QCOMPARE(p->riga(0, 3)->Bordo->colore(), platform::vbColor(colore::kFacciaPulsante));
    QTest::mouseClick(p->riga(0, 2)->shRung, Qt::LeftButton);
    QCOMPARE(int(RungCorrente), 2);
    // The line number answers nothing.
    QTest::mouseClick(p->riga(0, 1)->lbl_Rung, Qt::LeftButton);
    QCOMPARE(int(RungCorrente), 2);
    QTest::mouseDClick(p->riga(0, 1)->txt_Label, Qt::LeftButton);
    QCOMPARE(int(RungCorrente), 1);
    QCOMPARE(aperte, QList<QVariantList>{{1}});
}

void TestProgram::popupDelleRighe()
{
    Program* p = finestra();
    toolbar("rung_add_after");
    QTest::mousePress(p->riga(0, 1)->txt_Func->isVisible() ? p->riga(0, 1)->txt_Func : p->riga(0, 1)->shRung,
                      Qt::RightButton);
    QCOMPARE(int(RungCorrente), 1);
    QMenu* menu = Principale::istanza().popup(QStringLiteral("mnu_FB"));
    QVERIFY(menu);
    QTRY_VERIFY(menu->isVisible());
    menu->hide();
    Principale::istanza().azioneMenu(QStringLiteral("mnu_FB_Insert_Before"))->trigger();
    QCOMPARE(int(Sezioni[0].NumRung), 3);
    QCOMPARE(int(RungCorrente), 1);
    Principale::istanza().azioneMenu(QStringLiteral("mnu_FB_Break"))->trigger();
    QVERIFY(p->riga(0, 1)->img_Break->isVisibleTo(p->riga(0, 1)->shRung));
    Principale::istanza().azioneMenu(QStringLiteral("mnu_FB_Delete"))->trigger();
    svuotaCestino();
    QCOMPARE(int(Sezioni[0].NumRung), 2);
    QVERIFY(!p->riga(0, 3));
    QVERIFY(!p->riga(0, 1)->img_Break->isVisibleTo(p->riga(0, 1)->shRung));
}

void TestProgram::descrizione()
{
    Program* p = finestra();
    QLineEdit* box = p->riga(0, 1)->txt_desc;
    toolbar("rung_add_after");
    // The focus an activated window hands back does not enter the box; a click does.
    box->setFocus(Qt::ActiveWindowFocusReason);
    QCOMPARE(box->text(), QStringLiteral("<...>"));
    QCOMPARE(int(RungCorrente), 2);
    QTest::mouseClick(box, Qt::LeftButton);
    QCOMPARE(int(RungCorrente), 1);
    QCOMPARE(box->text(), QString());
    QCOMPARE(Sezioni[0].Rung[1].Descrizione, QString());
    QTest::keyClicks(box, QStringLiteral("pump on"));
    QCOMPARE(Sezioni[0].Rung[1].Descrizione, QStringLiteral("pump on"));
    // A copy carries the description to another row's box.
    toolbar("rung_copy");
    toolbar("rung_add_after");
    toolbar("rung_paste");
    QCOMPARE(int(RungCorrente), 2);
    QCOMPARE(p->riga(0, 2)->txt_desc->text(), QStringLiteral("pump on"));
}

void TestProgram::formato()
{
    Program* p = finestra();
    toolbar("rung_add_after");
    QTest::mouseClick(p->cmd_Formato(), Qt::LeftButton);
    QCOMPARE(p->immagineFormato(), 129);
    RigaProgram* r = p->riga(0, 2);
    QCOMPARE(r->shRung->geometry(), QRect(twipsToPx(120), twipsToPx(200), twipsToPx(5475), twipsToPx(400)));
    QVERIFY(r->txt_Func->isVisibleTo(r->shRung));
    QVERIFY(r->txt_Var->isVisibleTo(r->shRung));
    QVERIFY(p->VScroll()->isVisible());
    QCOMPARE(p->VScroll()->value(), 1);
    QTest::mouseClick(p->cmd_Formato(), Qt::LeftButton);
    QCOMPARE(p->immagineFormato(), 130);
    QVERIFY(!r->txt_Func->isVisibleTo(r->shRung));
    QCOMPARE(r->shRung->height(), twipsToPx(1515));
}

void TestProgram::didascalie()
{
    // Eight argument lines with ascenders and descenders: on the screen each shows as
    // many rows of ink as its text alone, none cut by the next line or the description.
    AggiornaRiga(1, [](RigaLadder& r) { r.lbl_VarN.fill({QStringLiteral("Register gjpq"), true}); });
    RigaProgram* r = finestra()->riga(0, 1);
    const auto inchiostro = [](const QImage& img) {
        int n = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                if (qGray(img.pixel(x, y)) < 128 && ++n)
                    break;
        return n;
    };
    QLabel sola(r->lbl_VarN[0]->text());
    sola.setFont(r->lbl_VarN[0]->font());
    for (QLabel* l : r->lbl_VarN)
        QCOMPARE(inchiostro(r->shRung->grab(l->geometry()).toImage()), inchiostro(sola.grab().toImage()));
    QVERIFY(r->lbl_VarN[3]->geometry().bottom() < r->txt_desc->y());
}

void TestProgram::schedeEScorrimento()
{
    Program* p = finestra();
    for (int i = 0; i < 5; ++i)
        toolbar("rung_add_after");
    p->VScroll()->setValue(0);
    QCOMPARE(Vista().VScroll.valore, 0);
    QCOMPARE(p->riga(0, 1)->shRung->y(), twipsToPx(200));
    p->VScroll()->setValue(3);
    QCOMPARE(p->riga(0, 4)->shRung->y(), twipsToPx(200));

    QVERIFY(NuovaSub());
    QCOMPARE(p->Tab_Prog()->count(), 2);
    QCOMPARE(p->Tab_Prog()->tabText(1), QStringLiteral("Sub1"));
    QCOMPARE(p->Tab_Prog()->currentIndex(), 1);
    QVERIFY(p->prog(1)->isVisible() && !p->prog(0)->isVisible());
    QCOMPARE(p->riga(1, 1)->shRung->parentWidget(), p->prog(1));
    p->Tab_Prog()->setCurrentIndex(0);
    QCOMPARE(int(SubCorrente), 0);
    QVERIFY(p->prog(0)->isVisible() && !p->prog(1)->isVisible());
}

void TestProgram::chiusaERiaperta()
{
    Program* p = finestra();
    toolbar("rung_add_after");
    toolbar("rung_add_after");
    ImpostaDescrizione(0, 2, QStringLiteral("valve"));
    Principale::istanza().cornice(Finestra::Program)->close();
    svuotaCestino();
    QVERIFY(!finestra());
    QVERIFY(!Vista().Loaded);
    // The lines stay; commands keep working on them and bring the window back.
    QCOMPARE(int(Sezioni[0].NumRung), 3);
    ClickMenu(QStringLiteral("mnu_program"));
    p = finestra();
    QVERIFY(p);
    QVERIFY(Vista().Loaded);
    for (int i = 1; i <= 3; ++i)
        QVERIFY(p->riga(0, i));
    QCOMPARE(p->riga(0, 2)->txt_desc->text(), QStringLiteral("valve"));
    QCOMPARE(p->riga(0, 3)->Bordo->colore(), platform::vbColor(colore::kRosso));
    QCOMPARE(p->riga(0, 1)->shRung->y(), twipsToPx(200));

    Principale::istanza().cornice(Finestra::Program)->close();
    svuotaCestino();
    toolbar("rung_move_up");
    QVERIFY(finestra());
    QCOMPARE(finestra()->riga(0, 2)->txt_desc->text(), QStringLiteral("<...>"));
    QCOMPARE(finestra()->riga(0, 3)->txt_desc->text(), QStringLiteral("valve"));
}

void TestProgram::chiudiENuovo()
{
    toolbar("rung_add_after");
    Principale::istanza().azioneMenu(QStringLiteral("mnu_close"))->trigger();
    svuotaCestino();
    QVERIFY(!finestra());
    QVERIFY(!Principale::istanza().azioneToolbar(QStringLiteral("rung_del"))->isEnabled());
    QVERIFY(!Principale::istanza().azioneToolbar(QStringLiteral("proj_comp"))->isEnabled());
    Principale::istanza().azioneMenu(QStringLiteral("mnu_new"))->trigger();
    Program* p = finestra();
    QVERIFY(p);
    QVERIFY(p->riga(0, 1));
    QVERIFY(!p->riga(0, 2));
    QCOMPARE(p->riga(0, 1)->Bordo->colore(), platform::vbColor(colore::kRosso));
    QVERIFY(Principale::istanza().azioneToolbar(QStringLiteral("rung_del"))->isEnabled());
}

void TestProgram::unitaPiena()
{
    Program* p = finestra();
    for (int i = 1; i < kMaxRung; ++i)
        toolbar("rung_add_before");
    QCOMPARE(int(Sezioni[0].NumRung), kMaxRung);
    // Reopened, the window has controls only for the rows in view; growing it builds the
    // ones it uncovers.
    Principale::istanza().cornice(Finestra::Program)->close();
    svuotaCestino();
    ClickMenu(QStringLiteral("mnu_program"));
    p = finestra();
    const auto costruite = [p] {
        return p->prog(0)->findChildren<QWidget*>(QRegularExpression(QStringLiteral("^shRung_")),
                                                  Qt::FindDirectChildrenOnly).size();
    };
    const auto inVista = costruite();
    QVERIFY(inVista <= 5);
    QMdiSubWindow* cornice = Principale::istanza().cornice(Finestra::Program);
    cornice->resize(cornice->width(), cornice->height() + twipsToPx(2 * 1800));
    QCOMPARE(costruite(), inVista + 2);
    // The compact rows parked at the top edge show the last line's, also when an earlier
    // row is built after it.
    QTest::mouseClick(p->cmd_Formato(), Qt::LeftButton);
    QVERIFY(p->riga(0, 50));
    QCOMPARE(p->prog(0)->childAt(p->prog(0)->width() / 2, 0)->property("riga").toInt(), kMaxRung);
    QTest::mouseClick(p->cmd_Formato(), Qt::LeftButton);
    // Tab walks the description boxes in line order, into rows not built yet.
    for (const Qt::Key tasto : {Qt::Key_Tab, Qt::Key_Backtab}) {
        p->riga(0, 60)->txt_desc->setFocus(Qt::TabFocusReason);
        QTest::keyClick(p->riga(0, 60)->txt_desc, tasto);
        QCOMPARE(int(RungCorrente), tasto == Qt::Key_Tab ? 61 : 59);
    }
    SelezionaRung(1);
    for (int i = 1; i <= kMaxRung; ++i)
        QVERIFY(p->riga(0, i));
    toolbar("rung_add_after");
    QCOMPARE(int(Sezioni[0].NumRung), kMaxRung);
    QVERIFY(!p->riga(0, kMaxRung + 1));
    QCOMPARE(p->VScroll()->maximum(), kMaxRung);
    // The view follows the last appended line; line 1 stays current.
    QCOMPARE(int(RungCorrente), 1);
    p->VScroll()->setValue(0);
    QCOMPARE(p->riga(0, 1)->shRung->y(), twipsToPx(200));
}

void TestProgram::aperturaInUnaVolta()
{
    Program* p = finestra();
    for (int i = 0; i < 4; ++i)
        toolbar("rung_add_after");
    ImpostaDescrizione(0, 3, QStringLiteral("tre"));
    QTemporaryDir cartella;
    doubles->dialogs.fileScelti = {cartella.filePath(QStringLiteral("a.prj")),
                                   cartella.filePath(QStringLiteral("a.prj"))};
    QVERIFY(SalvaProgetto(true));
    RigaProgram* prima = p->riga(0, 1);
    QSignalSpy vista(&Notifiche::istanza(), &Notifiche::ladderCambiato);
    ApriProgetto();
    svuotaCestino();
    // One layout for the whole file, in the same window, on the same row controls.
    QCOMPARE(vista.size(), 1);
    QCOMPARE(finestra(), p);
    QCOMPARE(p->riga(0, 1), prima);
    QCOMPARE(p->riga(0, 3)->txt_desc->text(), QStringLiteral("tre"));
    QVERIFY(p->riga(0, 5) && p->riga(0, 5)->shRung->isVisible() && !p->riga(0, 6));
}

QTEST_MAIN(TestProgram)
#include "tst_program.moc"
