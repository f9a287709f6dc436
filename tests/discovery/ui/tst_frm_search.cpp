// The search window in the running application: opened from the menu, searching fake
// devices on 127.0.0.1, the tree, the diagram and the pop-up menu's entries.
#include "app/Comandi.h"
#include "base/Testi.h"
#include "app/ui/Main.h"
#include "app/ui/Principale.h"
#include "discovery/Dispositivi.h"
#include "discovery/ProtocolloRicerca.h"
#include "discovery/Ricerca.h"
#include "discovery/ui/frm_search.h"
#include "support/Banco.h"
#include "support/DispositiviFinti.h"
#include "support/Doubles.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

using namespace ludra;
using namespace ludra::ui;

class TestFrmSearch : public QObject {
    Q_OBJECT
private slots:
    void init() { banco_.apri(test::Banco::Doppi::Nessuno); Main(); }
    void cleanup() { Principale::distruggi(); banco_.chiudi(); }
    void cercaMostraEAgisce();

private:
    test::Banco banco_;
};

void TestFrmSearch::cercaMostraEAgisce()
{
    test::RisponditoreUdp udp;
    udp.risposteController = {
        test::RispostaControllerFinta("KVR5200", {1, 2, 3, 4, 5, 6}, {10, 0, 0, 7}, 3, 0),
        test::RispostaControllerFinta("KVR5200", {1, 2, 3, 4, 5, 7}, {10, 0, 0, 8}, 4, 0)};
    udp.risposteGateway = {test::RispostaGatewayFinta({9, 9, 9, 9, 9, 9})};
    IndirizziRicerca.broadcast = QStringLiteral("127.0.0.1");
    IndirizziRicerca.portaUdp = udp.porta();

    ClickMenu(QStringLiteral("mnu_search"));
    auto* f = qobject_cast<frm_search*>(Principale::istanza().finestra(Finestra::frm_search));
    QVERIFY(f);
    QCOMPARE(f->windowTitle(), QStringLiteral("Search Devices"));
    QCOMPARE(f->Command1->text(), QStringLiteral("Search Slave Nodes"));
    QCOMPARE(f->cmb_porta->count(), 33);
    QCOMPARE(f->cmb_porta->itemText(32), QStringLiteral("COM32"));
    QVERIFY(!f->Command1->isEnabled());
    QVERIFY(f->cmd_Search->isEnabled());
    f->cmb_porta->setCurrentIndex(3);
    QVERIFY(f->frm_opz[0]->isVisibleTo(f));
    QVERIFY(!f->frm_opz[1]->isVisibleTo(f));
    f->cmb_porta->setCurrentIndex(0);
    QVERIFY(f->frm_opz[1]->isVisibleTo(f));

    f->txt_Timeout->setText(QStringLiteral("120"));
    f->cmd_Search->click();
    QCOMPARE(f->lbl_search->text(), QStringLiteral("Search Complete"));
    QCOMPARE(f->Elenco->topLevelItemCount(), 1);
    QTreeWidgetItem* rete = f->Elenco->topLevelItem(0);
    QCOMPARE(rete->text(0), QStringLiteral("Ethernet"));
    QCOMPARE(rete->childCount(), 3);
    QCOMPARE(rete->child(2)->text(0), QStringLiteral("KVR1750-MBTCP"));
    QCOMPARE(f->disp.size(), std::size_t(3));   // host and two controllers
    QCOMPARE(f->disp[2]->y(), f->disp[1]->y() + f->disp[1]->height());

    // A click on a detail node selects its record.
    QTreeWidgetItem* mac2 = f->nodo(QStringLiteral("mac2"));
    QVERIFY(mac2);
    emit f->Elenco->itemClicked(mac2, 0);
    QCOMPARE(int(RicercaDispositivi::istanza().IndiceDispositivo), 2);
    QVERIFY(f->Command1->isEnabled());
    QVERIFY(!f->cmd_Search->isEnabled());
    // A right-click or an arrow key leaves the highlight on the device acted on.
    const QRect nodo1 = f->Elenco->visualItemRect(f->nodo(QStringLiteral("nodo1")));
    QTest::mouseClick(f->Elenco->viewport(), Qt::RightButton, {}, nodo1.center());
    QTest::keyClick(f->Elenco, Qt::Key_Up);
    QCOMPARE(f->Elenco->selectedItems(), QList<QTreeWidgetItem*>{mac2});
    f->cmd_stop->click();
    QVERIFY(f->cmd_Search->isEnabled());

    // The pop-up menu's entry sets the selected device's address.
    test::FakeDialogs dialogs;
    platform::Dialogs* prima = platform::setDialogs(&dialogs);
    dialogs.input.push_back(QStringLiteral("10.0.0.99"));
    udp.ricevuti.clear();
    ClickMenu(QStringLiteral("mnu_SetIP"));
    QTRY_COMPARE(udp.ricevuti.size(), std::size_t(1));
    QCOMPARE(udp.ricevuti[0], TramaImpostaIP({1, 2, 3, 4, 5, 7}, {10, 0, 0, 99}));
    platform::setDialogs(prima);

    // Italian captions on a language change.
    CambiaLingua(0);
    QCOMPARE(f->windowTitle(), QStringLiteral("Ricerca Dispositivi"));
    QCOMPARE(f->cmd_stop->text(), QStringLiteral("Termina"));
    QCOMPARE(f->Frame5->title(), QStringLiteral("Indirizzi"));
    QCOMPARE(f->Label4->text(), QStringLiteral("Da:"));
    QCOMPARE(f->Label11->text(), QStringLiteral("A:"));
    QCOMPARE(f->Command1->text(), QStringLiteral("Cerca Nodi Slave"));

    // Reopened, the window shows what the last search found.
    Principale::istanza().chiudi(Finestra::frm_search);
    ClickMenu(QStringLiteral("mnu_search"));
    f = qobject_cast<frm_search*>(Principale::istanza().finestra(Finestra::frm_search));
    QVERIFY(f);
    QVERIFY(f->nodo(QStringLiteral("init2")));
    QCOMPARE(f->disp.size(), std::size_t(3));
}

QTEST_MAIN(TestFrmSearch)
#include "tst_frm_search.moc"
