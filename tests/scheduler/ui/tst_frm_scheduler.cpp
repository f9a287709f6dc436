// The scheduler window in the running main window.
#include "app/Comandi.h"
#include "app/ui/Main.h"
#include "app/ui/Principale.h"
#include "scheduler/Schedulazioni.h"
#include "scheduler/ui/frm_scheduler.h"
#include "support/Banco.h"

#include <QGroupBox>
#include <QListWidget>
#include <QRadioButton>
#include <QTest>

using namespace ludra;
using namespace ludra::ui;

class TestFrmScheduler : public QObject {
    Q_OBJECT

private slots:
    void init() { banco_.apri(test::Banco::Doppi::Nessuno); Main(); }
    void cleanup() { Principale::distruggi(); banco_.chiudi(); }

    void nuovoECompila()
    {
        ClickMenu(QStringLiteral("mnu_scheduler"));
        auto* f = qobject_cast<frm_scheduler*>(Principale::istanza().finestra(Finestra::frm_scheduler));
        QVERIFY(f);
        QVERIFY(!f->proprieta()->isEnabled());
        f->cmd_Ogg_Click(0);   // no kind chosen
        QCOMPARE(Schedulazioni.NumOggetti, 0);
        f->opt_Type()->setChecked(true);
        f->cmd_Ogg_Click(0);
        QCOMPARE(f->lst_Ogg()->count(), 2);
        QCOMPARE(f->lst_Ogg()->item(1)->text(), QStringLiteral("[2] Logger \\Dir1\\"));
        QCOMPARE(f->OggettoAttivo(), 2);
        QVERIFY(f->proprieta()->isEnabled());
        f->cmd_Ogg_Click(2);
        QCOMPARE(f->lst_Ogg()->currentRow(), 0);
        // A click selects nothing here: the entry Delete acts on stays highlighted.
        QListWidget* l = f->lst_Ogg();
        QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, l->visualItemRect(l->item(1)).center());
        QCOMPARE(l->selectedItems(), QList<QListWidgetItem*>{l->item(0)});
        f->Command4_Click();
        QVERIFY(!Principale::istanza().caricata(Finestra::frm_scheduler));
        QCOMPARE(Schedulazioni.Oggetti[1].Codice[16], 2);
        QCOMPARE(Schedulazioni.Oggetti[2].Codice[16], 3);
    }

private:
    test::Banco banco_;
};

QTEST_MAIN(TestFrmScheduler)
#include "tst_frm_scheduler.moc"
