// The MAC register window: opened from the Tools menu, a MAC read from the simulator
// listed, and closing with unsaved changes.
#include "app/Comandi.h"
#include "app/ui/Main.h"
#include "app/ui/Principale.h"
#include "devconfig/ui/frm_LettMAC.h"
#include "support/Banco.h"
#include "support/Doubles.h"
#include "support/LinkSim.h"

#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPointer>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

using namespace ludra;
using namespace ludra::ui;

class TestFrmLettMac : public QObject {
    Q_OBJECT
private slots:
    void init() { banco_.apri(test::Banco::Doppi::Nessuno); Main(); }
    void cleanup() { Principale::distruggi(); banco_.chiudi(); }
    void leggeEChiude();

private:
    test::Banco banco_;
};

void TestFrmLettMac::leggeEChiude()
{
    test::FakeDialogs dialoghi;
    platform::Dialogs* prima = platform::setDialogs(&dialoghi);
    test::LinkSuSim link(test::Mezzo::Tcp);
    QVERIFY(link.connetti());
    link.sim.setNodo(1);
    link.sim.setRegistro(14, 0x0004);
    link.sim.setRegistro(15, 0xA300);
    link.sim.setRegistro(16, 0x0107);

    ClickMenu(QStringLiteral("mnu_mac"));
    auto* f = qobject_cast<frm_LettMAC*>(Principale::istanza().finestra(Finestra::frm_LettMAC));
    QVERIFY(f);
    QCOMPARE(f->txt_anno->text(), QStringLiteral("09"));
    QCOMPARE(f->txt_pfc->maxLength(), 3);
    f->txt_pfc->setText(QStringLiteral("123"));
    f->txt_cliente->setText(QStringLiteral("Rossi"));
    f->Command1->click();
    QCOMPARE(f->lstMAC->count(), 1);
    QCOMPARE(f->lstMAC->item(0)->data(Qt::UserRole).toString(),
             QStringLiteral("[1]\t00-04-A3-00-01-07\tPFC:123/09\tCl.:Rossi"));
    f->Command1->click();   // the same device again
    QCOMPARE(f->lstMAC->count(), 1);
    QCOMPARE(dialoghi.messaggi.back().testo, QStringLiteral("MAC già inserito"));
    // A row clicked and Ctrl+clicked is no longer chosen: Modify rewrites nothing.
    f->lstMAC->setCurrentRow(0);
    QTest::keyClick(f->lstMAC, Qt::Key_Space, Qt::ControlModifier);
    f->txt_pfc->setText(QStringLiteral("456"));
    f->Command2->click();
    QCOMPARE(dialoghi.messaggi.back().testo, QStringLiteral("Selezionare un MAC"));
    QVERIFY(f->lstMAC->item(0)->data(Qt::UserRole).toString().contains(QStringLiteral("PFC:123/09")));

    // Unsaved: Cancel keeps the window, also when the program is closing.
    QPointer<QMdiSubWindow> cornice = Principale::istanza().cornice(Finestra::frm_LettMAC);
    dialoghi.risposte = {platform::MsgResult::Cancel};
    QVERIFY(!cornice->close());
    dialoghi.risposte = {platform::MsgResult::Cancel};
    QVERIFY(!Principale::istanza().close());
    QCOMPARE(dialoghi.messaggi.back().testo,
             QString::fromUtf8("L'elenco è stato modificato. Salvare il file?"));
    dialoghi.risposte = {platform::MsgResult::No};
    QVERIFY(cornice->close());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!cornice);
    platform::setDialogs(prima);
}

QTEST_MAIN(TestFrmLettMac)
#include "tst_frm_lettmac.moc"
