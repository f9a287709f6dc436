// The published-variables window: opened from the Tools menu, edited through its
// buttons, re-captioned by the language switch.
#include "app/Comandi.h"
#include "base/Testi.h"
#include "app/ui/Main.h"
#include "app/ui/Principale.h"
#include "link/StatoLink.h"
#include "monitor/Variabili.h"
#include "monitor/ui/frm_variabili.h"
#include "project/Registri.h"
#include "support/Banco.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

using namespace ludra;
using namespace ludra::ui;

class TestFrmVariabili : public QObject {
    Q_OBJECT
private slots:
    void init() { banco_.apri(test::Banco::Doppi::Tutti); Main(); }
    void cleanup() { Principale::distruggi(); banco_.chiudi(); }
    void apreVuotaEModifica();
    void lingua();
    void spostataMostraLaVoceSelezionata_data();
    void spostataMostraLaVoceSelezionata();

private:
    test::Banco banco_;
};

namespace {

frm_variabili* apri()
{
    ClickMenu(QStringLiteral("mnu_Format"));
    return qobject_cast<frm_variabili*>(
        Principale::istanza().finestra(Finestra::frm_variabili));
}

QString riga(frm_variabili* f, int i)
{
    return f->List1->item(i)->data(Qt::UserRole).toString();
}

} // namespace

void TestFrmVariabili::apreVuotaEModifica()
{
    Controllore.Modello = QStringLiteral("KVR5200");
    ImpostaModello();
    AggiungiVariabile();   // left over from before: the window starts empty anyway
    frm_variabili* f = apri();
    QVERIFY(f);
    QCOMPARE(f->List1->count(), 0);
    QCOMPARE(f->cmb_Type->count(), 5);
    QCOMPARE(f->cmb_Type->currentIndex(), 0);
    f->cmd_add->click();
    f->cmd_add->click();
    QCOMPARE(f->List1->count(), 2);
    QCOMPARE(riga(f, 1), QStringLiteral("1\t26\tuInt\t%+9.0f\tVar1"));

    f->List1->setCurrentRow(1);
    f->List1_Click();
    QCOMPARE(f->txt_WebReg[0]->text(), QStringLiteral("1"));
    QCOMPARE(f->txt_WebReg[2]->text(), QStringLiteral("Var1"));
    f->txt_WebReg[1]->setText(QStringLiteral("40"));
    f->cmb_Type->setCurrentIndex(3);
    f->txt_WebReg[3]->setText(QStringLiteral("%d"));
    f->cmd_RegistriWEB->click();
    QCOMPARE(riga(f, 1), QStringLiteral("1\t40\tLong\t%d\tVar1"));

    // A register that is not a number is refused and the list keeps what it showed.
    f->txt_WebReg[1]->setText(QStringLiteral("forty"));
    f->cmd_RegistriWEB->click();
    QCOMPARE(banco_.dialogs.messaggi.size(), std::size_t(1));
    QCOMPARE(riga(f, 1), QStringLiteral("1\t40\tLong\t%d\tVar1"));

    f->List1->setCurrentRow(1);
    f->cmd_up->click();
    QCOMPARE(f->List1->currentRow(), 0);
    QCOMPARE(riga(f, 0), QStringLiteral("0\t40\tLong\t%d\tVar1"));
    f->List1->setCurrentRow(1);
    f->cmd_remove->click();
    QCOMPARE(f->List1->count(), 1);

    // Not connected: the read fails and the list stays.
    f->cmd_update->click();
    QCOMPARE(f->List1->count(), 1);
    // The controller's list is in no project: New leaves it and its window.
    ClickMenu(QStringLiteral("mnu_new"));
    QCOMPARE(Principale::istanza().finestra(Finestra::frm_variabili), f);
    QCOMPARE(int(NumVariabili) + f->List1->count(), 2);
}

void TestFrmVariabili::lingua()
{
    frm_variabili* f = apri();
    QVERIFY(f);
    QCOMPARE(f->windowTitle(), QStringLiteral("Variables"));
    QCOMPARE(f->cmd_update->text(), QStringLiteral("Update"));
    QVERIFY(CambiaLingua(kItaliano));
    QCOMPARE(f->windowTitle(), QStringLiteral("Variabili"));
    QCOMPARE(f->Label1[4]->text(), QStringLiteral("Etichetta"));
    QCOMPARE(f->Label2[1]->text(), QStringLiteral("Etichetta"));
    QCOMPARE(f->cmd_update->text(), QStringLiteral("Leggi"));
    QCOMPARE(f->cmd_write->text(), QStringLiteral("Scrivi"));
}

void TestFrmVariabili::spostataMostraLaVoceSelezionata_data()
{
    QTest::addColumn<bool>("su");
    QTest::addColumn<int>("da");
    QTest::addColumn<int>("a");
    QTest::addColumn<bool>("scelta");
    QTest::newRow("up") << true << 2 << 1 << true;
    QTest::newRow("down") << false << 1 << 2 << true;
    QTest::newRow("up, none shown selected") << true << 2 << 2 << false;
}

// After a move the fields show the entry on the selected line, so storing them edits
// that entry and leaves its neighbour alone.
void TestFrmVariabili::spostataMostraLaVoceSelezionata()
{
    QFETCH(bool, su);
    QFETCH(int, da);
    QFETCH(int, a);
    QFETCH(bool, scelta);
    Controllore.Modello = QStringLiteral("KVR5200");
    ImpostaModello();
    frm_variabili* f = apri();
    QVERIFY(f);
    for (int i = 0; i < 4; ++i)
        f->cmd_add->click();
    f->List1->setCurrentRow(da);
    f->List1_Click();
    f->txt_WebReg[1]->setText(QStringLiteral("30"));
    f->cmd_RegistriWEB->click();
    f->List1->setCurrentRow(da);
    f->List1_Click();
    if (!scelta)   // Ctrl+Space leaves the focus frame on a line shown unselected
        QTest::keyClick(f->List1, Qt::Key_Space, Qt::ControlModifier);

    (su ? f->cmd_up : f->cmd_down)->click();
    QCOMPARE(f->List1->currentRow(), a);
    QCOMPARE(f->txt_WebReg[0]->text(), QString::number(a));
    QCOMPARE(f->txt_WebReg[1]->text(), QStringLiteral("30"));
    QCOMPARE(f->txt_WebReg[2]->text(), QStringLiteral("Var%1").arg(da));

    f->txt_WebReg[2]->setText(QStringLiteral("Cnt"));
    f->cmd_RegistriWEB->click();
    QCOMPARE(riga(f, a), QStringLiteral("%1\t30\tuInt\t%+9.0f\tCnt").arg(a));
    if (scelta)
        QCOMPARE(riga(f, da), QStringLiteral("%1\t26\tuInt\t%+9.0f\tVar%2").arg(da).arg(a));
}

QTEST_MAIN(TestFrmVariabili)
#include "tst_frm_variabili.moc"
