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
        f->Command4_Click();
        QVERIFY(!Principale::istanza().caricata(Finestra::frm_scheduler));
        QCOMPARE(Schedulazioni.Oggetti[1].Codice[16], 2);
        QCOMPARE(Schedulazioni.Oggetti[2].Codice[16], 3);
    }

    void listaMostraLAttivo_data()
    {
        QTest::addColumn<int>("tasto");   // 0: a click on entry 1
        QTest::newRow("entry 1 clicked") << 0;
        QTest::newRow("arrow up") << int(Qt::Key_Up);
        QTest::newRow("home key") << int(Qt::Key_Home);
    }

    // A click selects no object here: the list cannot highlight another entry than the
    // one Delete acts on.
    void listaMostraLAttivo()
    {
        QFETCH(int, tasto);
        ClickMenu(QStringLiteral("mnu_scheduler"));
        auto* f = qobject_cast<frm_scheduler*>(Principale::istanza().finestra(Finestra::frm_scheduler));
        f->opt_Type()->setChecked(true);
        f->cmd_Ogg_Click(0);
        f->cmd_Ogg_Click(0);
        QListWidget* lista = f->lst_Ogg();
        if (tasto == 0)
            QTest::mouseClick(lista->viewport(), Qt::LeftButton, {},
                              lista->visualItemRect(lista->item(0)).center());
        else
            QTest::keyClick(lista, Qt::Key(tasto));
        QCOMPARE(lista->selectedItems(), QList<QListWidgetItem*>{lista->item(3)});
        f->cmd_Ogg_Click(1);
        QStringList voci;
        for (int i = 0; i < lista->count(); ++i)
            voci << lista->item(i)->text();
        QCOMPARE(voci.join(QLatin1Char('|')),
                 QStringLiteral("[1] Logger \\Dir0\\|[2] Logger \\Dir1\\|[3] Logger \\Dir0\\"));
        QCOMPARE(lista->selectedItems(), QList<QListWidgetItem*>{lista->item(2)});
    }

private:
    test::Banco banco_;
};

QTEST_MAIN(TestFrmScheduler)
#include "tst_frm_scheduler.moc"
