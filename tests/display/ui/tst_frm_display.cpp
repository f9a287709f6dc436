// The display designer in the running main window: objects created, drawn, selected,
// applied and compiled into the page units.
#include "app/Comandi.h"
#include "app/ui/Main.h"
#include "app/ui/Principale.h"
#include "compiler/Compilatore.h"
#include "display/CompilaPagine.h"
#include "display/EditorPagine.h"
#include "display/ui/DisegnoPagina.h"
#include "display/ui/frm_display.h"
#include "link/StatoLink.h"
#include "project/Progetto.h"
#include "project/Registri.h"
#include "support/Banco.h"
#include "support/Doubles.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <QToolButton>

using namespace ludra;
using namespace ludra::ui;

namespace {

frm_display* designer()
{
    return qobject_cast<frm_display*>(Principale::istanza().finestra(Finestra::frm_display));
}

void nuovo(int tipo)
{
    designer()->opt_Type(tipo)->setChecked(true);
    designer()->cmd_Ogg_Click(0);
}

// Black pixels of the preview inside a rectangle.
int neri(const QImage& img, const QRect& r)
{
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            n += img.pixel(x, y) == qRgb(0, 0, 0);
    return n;
}

} // namespace

class TestFrmDisplay : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        banco_.apri();
        Main();
        Controllore.Modello = QStringLiteral("KVR5460");
        ImpostaModello();
        ClickMenu(QStringLiteral("mnu_display"));
        QVERIFY(designer());
    }

    void cleanup()
    {
        Principale::distruggi();
        banco_.chiudi();
    }

    void apertura()
    {
        QCOMPARE(designer()->lst_page()->count(), 1);
        QCOMPARE(designer()->lst_page()->item(0)->text(), QStringLiteral("PAGE [1]"));
        QCOMPARE(designer()->lst_Ogg()->count(), 0);
        QVERIFY(designer()->Frame2()->isHidden());
        QVERIFY(!designer()->opt_Type(7)->isEnabled());
        const QImage vuota = designer()->anteprima();
        QCOMPARE(vuota.size(), DimensioneAnteprima());
        QCOMPARE(neri(vuota, vuota.rect()), 0);
    }

    void rettangolo()
    {
        nuovo(5);
        QCOMPARE(designer()->lst_Ogg()->item(0)->text(), QStringLiteral("[1] Rect"));
        QVERIFY(!designer()->Frame2()->isHidden());
        QVERIFY(designer()->txt_Spess()->isVisibleTo(designer()));
        QVERIFY(!designer()->txt_format(0)->isVisibleTo(designer()));
        // 16 x 16 at 0,0: 656 x 720 twips in the top-left corner, 1 pixel thick.
        const QImage img = designer()->anteprima();
        QCOMPARE(img.pixel(1, 20), qRgb(0, 0, 0));
        QCOMPARE(img.pixel(20, 20), qRgb(255, 255, 255));
        QCOMPARE(neri(img, QRect(45, 0, 100, 96)), 0);
        QCOMPARE(neri(img, QRect(0, 50, 43, 40)), 0);
    }

    void labelGrandeApplicata()
    {
        nuovo(0);
        QVERIFY(designer()->txt_format(1)->isVisibleTo(designer()));
        QVERIFY(designer()->txt_bit()->isEnabled());
        const QRectF piccola = RettangoloOggetto(PagineDisplay.Pagine[0].Oggetti[1]);
        designer()->cmb_Type()->setCurrentIndex(2);
        designer()->txt_PosY()->setText(QStringLiteral("2"));
        QVERIFY(designer()->cmd_Set_Click());
        const OggettoDisplay& o = PagineDisplay.Pagine[0].Oggetti[1];
        QCOMPARE(o.Codice, 0);
        QCOMPARE(o.PosY, 2);
        // Applying compiles the pages.
        QCOMPARE(Sezioni[1].Rung[1].ArgByte[0], 0);
        QCOMPARE(Sezioni[1].Rung[1].ArgByte[2], 2);
        const QRectF grande = RettangoloOggetto(o);
        QVERIFY(grande.height() > 3 * piccola.height());
    }

    void rifiutoSenzaCambiamenti()
    {
        nuovo(1);
        designer()->txt_PosX()->setText(QStringLiteral("300"));
        QVERIFY(!designer()->cmd_Set_Click());
        QCOMPARE(dialogs->messaggi.size(), std::size_t(1));
        QCOMPARE(PagineDisplay.Pagine[0].Oggetti[1].PosX, 0);
    }

    void selezioneEriordino()
    {
        nuovo(5);
        nuovo(6);
        nuovo(1);
        QCOMPARE(designer()->OggettoAttivo(), 3);
        designer()->cmd_Ogg_Click(2);
        QCOMPARE(designer()->OggettoAttivo(), 2);
        QCOMPARE(designer()->lst_Ogg()->currentRow(), 1);
        QCOMPARE(designer()->lst_Ogg()->item(1)->text(), QStringLiteral("[2] %R26"));
        // A click on the frame selects the frontmost object under it.
        const QRectF r = RettangoloOggetto(PagineDisplay.Pagine[0].Oggetti[3]);
        QTest::mouseClick(designer()->frame(), Qt::LeftButton, {}, r.center().toPoint());
        QCOMPARE(designer()->OggettoAttivo(), 3);
        QVERIFY(!designer()->pannello(QStringLiteral("frm_Picture"))->isHidden());
        designer()->cmd_Ogg_Click(1);
        QCOMPARE(designer()->lst_Ogg()->count(), 2);
        QCOMPARE(designer()->OggettoAttivo(), 2);
        // The arrow keys select as a click does: the commands take the entry highlighted.
        QTest::keyClick(designer()->lst_Ogg(), Qt::Key_Up);
        // Ctrl+Space cannot take the highlight off the entry the commands act on.
        QTest::keyClick(designer()->lst_Ogg(), Qt::Key_Space, Qt::ControlModifier);
        QVERIFY(designer()->lst_Ogg()->item(0)->isSelected());
        designer()->cmd_Ogg_Click(1);
        designer()->cmd_page_Click(0);
        designer()->Command2_Click(5);
        QTest::keyClick(designer()->lst_page(), Qt::Key_Down);
        QTest::keyClick(designer()->lst_page(), Qt::Key_Space, Qt::ControlModifier);
        QVERIFY(designer()->lst_page()->currentItem()->isSelected());
        designer()->cmd_page_Click(1);
        QCOMPARE(VociOggetti(0), QStringList{"[1] %R26"});
    }

    void pagineEchiusura()
    {
        designer()->cmd_page_Click(0);
        nuovo(2);
        QCOMPARE(designer()->lst_page()->count(), 2);
        designer()->Command2_Click(5);
        QCOMPARE(designer()->PaginaAttiva(), 0);
        QCOMPARE(designer()->lst_Ogg()->count(), 0);
        designer()->Command4_Click();
        QVERIFY(!Principale::istanza().caricata(Finestra::frm_display));
        QCOMPARE(Sezioni[2].Rung[1].Etichetta, QStringLiteral("PAG2"));
        QCOMPARE(Sezioni[2].Rung[1].ArgByte[0], 8);
    }

    void compilaRigenera()
    {
        // A program compile regenerates the page units from the pages.
        EditorPagine e;
        e.NuovoOggetto(0, OggettoNuovo(5));
        Sezioni[1].NumRung = 0;
        Compila();
        QCOMPARE(Sezioni[1].NumRung, 2);
        QCOMPARE(Sezioni[1].Rung[1].ArgByte[0], 17);
    }

    void pannelloNonCopreAnteprima()
    {
        // The window opens with no object selected; the properties panel that the first
        // object shows fits beside the preview instead of covering it.
        QApplication::processEvents();
        nuovo(0);
        QApplication::processEvents();
        QVERIFY(designer()->Frame2()->isVisible());
        const QRect anteprima(designer()->frame()->mapTo(designer(), QPoint(0, 0)),
                              designer()->frame()->size());
        const QRect pannello = designer()->Frame2()->geometry();
        QVERIFY2(!anteprima.intersects(pannello),
                 qPrintable(QStringLiteral("preview %1,%2 %3x%4 panel %5,%6")
                                .arg(anteprima.x()).arg(anteprima.y()).arg(anteprima.width())
                                .arg(anteprima.height()).arg(pannello.x()).arg(pannello.y())));
        QVERIFY(designer()->width() >= designer()->minimumSizeHint().width());
    }

    void chiusoConIlProgetto_data()
    {
        QTest::addColumn<QString>("voce");
        QTest::newRow("new") << QStringLiteral("mnu_new");
        QTest::newRow("close") << QStringLiteral("mnu_close");
    }

    void chiusoConIlProgetto()
    {
        // The designer stands on a page of the project being closed: it goes with it, and
        // reopened it shows the next project's single page.
        QFETCH(QString, voce);
        designer()->cmd_page_Click(0);
        designer()->cmd_page_Click(0);
        nuovo(0);
        QCOMPARE(int(PagineDisplay.NumPagine), 3);
        dialogs->risposte.push_back(platform::MsgResult::No);
        ClickMenu(voce);
        QTRY_VERIFY(!Principale::istanza().caricata(Finestra::frm_display));
        if (voce == QLatin1String("mnu_new")) {
            QCOMPARE(int(PagineDisplay.NumPagine), 1);
            ClickMenu(QStringLiteral("mnu_display"));
            QVERIFY(designer());
            QCOMPARE(designer()->lst_page()->count(), 1);
            QCOMPARE(designer()->lst_Ogg()->count(), 0);
        }
    }

private:
    test::Banco banco_;
    test::FakeDialogs* dialogs = &banco_.dialogs;
};

QTEST_MAIN(TestFrmDisplay)
#include "tst_frm_display.moc"
