// The register window and the set-register dialog in the running main window, with the
// link on the device simulator.
#include "app/Comandi.h"
#include "app/ui/Main.h"
#include "app/ui/Principale.h"
#include "link/StatoLink.h"
#include "monitor/AggiornaRegistri.h"
#include "monitor/DialogoRegistro.h"
#include "monitor/DialogoValori.h"
#include "monitor/InputBox.h"
#include "monitor/ui/Input_Box.h"
#include "monitor/ui/Registri.h"
#include "project/Registri.h"
#include "support/Attesa.h"
#include "support/Banco.h"
#include "support/Doubles.h"
#include "support/LinkSim.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTableView>
#include <QSignalSpy>
#include <QTest>

using namespace ludra;
using namespace ludra::ui;

namespace {

Registri* registri()
{
    return qobject_cast<Registri*>(Principale::istanza().finestra(Finestra::Registri));
}

Input_Box* dialogo()
{
    return qobject_cast<Input_Box*>(Principale::istanza().finestra(Finestra::Input_Box));
}

QString cella(int riga, int colonna)
{
    QAbstractItemModel* m = registri()->vista()->model();
    return m->data(m->index(riga, colonna)).toString();
}

QColor coloreValore(int riga)
{
    QAbstractItemModel* m = registri()->vista()->model();
    return m->data(m->index(riga, 2), Qt::ForegroundRole).value<QBrush>().color();
}

void doppioClic(int registro)
{
    QTableView* v = registri()->vista();
    v->scrollTo(v->model()->index(registro, 0), QAbstractItemView::PositionAtTop);
    const QPoint p = v->visualRect(v->model()->index(registro, 1)).center();
    // A double-click is a press, a release and the double-click on the same cell.
    QTest::mouseClick(v->viewport(), Qt::LeftButton, {}, p);
    QTest::mouseDClick(v->viewport(), Qt::LeftButton, {}, p);
}

// The dialog to act on at the first pump after it opened; at a later pump the dialog is
// still open only because a check failed, and it is cancelled so the test goes on.
Input_Box* primaVolta(bool& visto)
{
    Input_Box* box = dialogo();
    if (!box || !DialogoAperto)
        return nullptr;
    if (visto) {
        box->cmd_ok_Click(0);
        return nullptr;
    }
    visto = true;
    return box;
}

// Runs the queued handlers (the R button) and, at each pump, what the user does in the
// dialog: its opener does not wait for it.
void eventi()
{
    for (int i = 0; i < 3; ++i)
        platform::waiter().pumpOnce();
}

} // namespace

class TestRegistriUi : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void pulsanteRLegge();
    void letturaDallaPosizione();
    void impostaInOgniTipo_data();
    void impostaInOgniTipo();
    void registroDiSistema();
    void bitDiUnRegistroBin();
    void coppiaLongABit();
    void tabellaMantieneIlTipo();
    void invioNelNomeConferma();
    void valoreFuoriIntervallo();
    void cornicheAnnulla();
    void secondaAperturaInPrimoPiano();

private:
    test::Banco banco_;
    test::FakeDialogs* dialogs = &banco_.dialogs;
    test::LinkSuSim* link = nullptr;
    test::Attesa* attesa = nullptr;
};

void TestRegistriUi::init()
{
    banco_.apri();
    Main();
    link = new test::LinkSuSim(test::Mezzo::Tcp);
    QVERIFY(link->connetti());
    attesa = new test::Attesa;
    Toolbar1_ButtonClick(QStringLiteral("view_reg"));
    QVERIFY(registri());
}

void TestRegistriUi::cleanup()
{
    delete attesa;
    delete link;
    Principale::distruggi();
    banco_.chiudi();
}

void TestRegistriUi::pulsanteRLegge()
{
    for (int r = 0; r < 32; ++r)
        link->sim.setRegistro(r, std::uint16_t(100 + r));
    TabellaRegistri[30].Formato = 7;   // Hex
    QTest::mouseClick(registri()->Command1, Qt::LeftButton);
    eventi();
    QCOMPARE(cella(26, 2), QStringLiteral("126"));
    QCOMPARE(cella(30, 2), QStringLiteral("0082"));
    QCOMPARE(coloreValore(26), QColor(192, 0, 0));    // changed
    QCOMPARE(cella(40, 2), QStringLiteral("0"));      // not read
    QTest::mouseClick(registri()->Command1, Qt::LeftButton);
    eventi();
    QCOMPARE(coloreValore(26), QColor(0, 192, 0));    // the same twice
    // Only cells whose text or colour changed are redrawn.
    QSignalSpy cambiate(registri()->vista()->model(), &QAbstractItemModel::dataChanged);
    AggiornaRegistri_new(true);
    QVERIFY(cambiate.isEmpty());
    link->sim.setRegistro(5, 1);
    AggiornaRegistri_new(true);
    QCOMPARE(cambiate.size(), 1);
    QCOMPARE(cambiate[0][0].toModelIndex(), registri()->vista()->model()->index(5, 2));
    QCOMPARE(cambiate[0][1].toModelIndex(), registri()->vista()->model()->index(5, 2));
    QVERIFY(dialogs->messaggi.empty());
}

void TestRegistriUi::letturaDallaPosizione()
{
    for (int r = 0; r <= 1024; ++r)
        link->sim.setRegistro(r, std::uint16_t(r));
    registri()->scorriA(300);
    QCOMPARE(PrimoRegistroSchermo, 300);
    QTest::mouseClick(registri()->Command1, Qt::LeftButton);
    eventi();
    QCOMPARE(TabellaRegistri[331].Valore, 331);
    QCOMPARE(TabellaRegistri[332].Valore, 0);
    // Closed, the window's last position still says where a refresh reads.
    Principale::istanza().chiudi(Finestra::Registri);
    eventi();
    QVERIFY(!registri());
    QCOMPARE(PrimoRegistroSchermo, 300);
    link->sim.setRegistro(300, 7);
    AggiornaRegistri_new(true);
    QCOMPARE(TabellaRegistri[300].Valore, 7);
    // A new window starts at the top again.
    Toolbar1_ButtonClick(QStringLiteral("view_reg"));
    QCOMPARE(PrimoRegistroSchermo, 0);
}

void TestRegistriUi::impostaInOgniTipo_data()
{
    QTest::addColumn<int>("tipo");
    QTest::addColumn<QString>("valore");
    QTest::addColumn<int>("reg40");
    QTest::addColumn<int>("reg41");
    QTest::addColumn<QString>("mostrato");
    QTest::newRow("uInt") << 0 << "1234" << 1234 << 0 << "1234";
    QTest::newRow("Int") << 1 << "-5" << 65531 << 0 << "-5";
    QTest::newRow("uLong") << 2 << "4000000000" << 0x2800 << 0xEE6B << "4000000000";
    QTest::newRow("Long") << 3 << "-70000" << 0xEE90 << 0xFFFE << "-70000";
    QTest::newRow("Float") << 4 << "-1.25" << 0 << 0xBFA0 << "-1.25000";
    QTest::newRow("K_Flt") << 5 << "9" << 0 << 0 << "0";
    QTest::newRow("K_Long") << 6 << "77" << 77 << 0 << "77";
    QTest::newRow("Hex") << 7 << "&H1F" << 31 << 0 << "001F";
    QTest::newRow("ASCII") << 8 << "9" << 0 << 0 << "  ";
    QTest::newRow("Bin") << 9 << "5" << 5 << 0 << "00000000 00000101";
}

void TestRegistriUi::impostaInOgniTipo()
{
    QFETCH(int, tipo);
    QFETCH(QString, valore);
    QFETCH(int, reg40);
    QFETCH(int, reg41);
    QFETCH(QString, mostrato);
    bool visto = false;
    attesa->duranteAttesa = [&] {
        Input_Box* box = primaVolta(visto);
        if (!box)
            return;
        QCOMPARE(box->Label1(2)->text(), QStringLiteral("%R40"));
        QCOMPARE(box->Combo1()->count(), 10);
        QCOMPARE(box->Combo1()->currentIndex(), int(TabellaRegistri[40].Formato));
        box->Combo1()->setCurrentIndex(tipo);
        box->Testo(0)->setText(QStringLiteral("Sensor"));
        box->Testo(1)->setText(valore);
        QTest::mouseClick(box->cmd_ok(1), Qt::LeftButton);
    };
    doppioClic(40);
    eventi();
    QVERIFY(visto);
    QVERIFY(!DialogoAperto);
    QVERIFY(!dialogo());
    QCOMPARE(int(link->sim.registro(40)), reg40);
    QCOMPARE(int(link->sim.registro(41)), reg41);
    QCOMPARE(int(TabellaRegistri[40].Formato), tipo);
    QCOMPARE(TabellaRegistri[40].Nome, QStringLiteral("Sensor"));
    // Redrawn as soon as the dialog closed.
    QCOMPARE(cella(40, 1), QStringLiteral("Sensor"));
    QCOMPARE(cella(40, 2), mostrato);
    QVERIFY(dialogs->messaggi.empty());
}

void TestRegistriUi::registroDiSistema()
{
    bool visto = false;
    attesa->duranteAttesa = [&] {
        Input_Box* box = primaVolta(visto);
        if (!box)
            return;
        QVERIFY(!box->Testo(0)->isEnabled());
        QVERIFY(box->Combo1()->isVisibleTo(box));
        box->Combo1()->setCurrentIndex(7);
        box->cmd_ok_Click(1);
    };
    const QString nome = TabellaRegistri[5].Nome;
    doppioClic(5);
    eventi();
    QVERIFY(visto);
    QCOMPARE(TabellaRegistri[5].Nome, nome);
    QCOMPARE(int(TabellaRegistri[5].Formato), 7);
}

void TestRegistriUi::bitDiUnRegistroBin()
{
    TabellaRegistri[50].Formato = 9;
    bool visto = false;
    attesa->duranteAttesa = [&] {
        Input_Box* box = primaVolta(visto);
        if (!box)
            return;
        QVERIFY(box->pBits(0)->isVisibleTo(box));
        QVERIFY(!box->pBits(1)->isVisibleTo(box));
        QCOMPARE(box->Testo(1)->text(), QStringLiteral("0"));
        box->cmd_bit_Click(3);
        QCOMPARE(box->Testo(1)->text(), QStringLiteral("8"));
        QCOMPARE(box->cmd_bit(3)->text(), QStringLiteral("1"));
        box->cmd_bit_Click(3);
        QCOMPARE(box->Testo(1)->text(), QStringLiteral("0"));
        box->cmd_bit_Click(0);
        // Another type hides the bit editor; "Bin" shows both rows.
        box->Combo1()->setCurrentIndex(0);
        QVERIFY(!box->pBits(0)->isVisibleTo(box));
        box->Combo1()->setCurrentIndex(9);
        QVERIFY(box->pBits(1)->isVisibleTo(box));
        QTest::mouseClick(box->cmd_ok(1), Qt::LeftButton);
    };
    doppioClic(50);
    eventi();
    QVERIFY(visto);
    QCOMPARE(int(link->sim.registro(50)), 1);
}

void TestRegistriUi::coppiaLongABit()
{
    TabellaRegistri[60].Formato = 3;
    TabellaRegistri[60].Valore = 65535;
    TabellaRegistri[61].Valore = 65535;
    bool visto = false;
    attesa->duranteAttesa = [&] {
        Input_Box* box = primaVolta(visto);
        if (!box)
            return;
        QCOMPARE(box->Testo(1)->text(), QStringLiteral("-1"));
        QVERIFY(box->pBits(0)->isVisibleTo(box) && box->pBits(1)->isVisibleTo(box));
        for (int i = 0; i < 32; ++i)
            QCOMPARE(box->cmd_bit(i)->text(), QStringLiteral("1"));
        box->cmd_bit_Click(0);
        QCOMPARE(box->Testo(1)->text(), QStringLiteral("4294967294"));
        box->cmd_ok_Click(1);
    };
    doppioClic(60);
    eventi();
    QVERIFY(visto);
    QCOMPARE(int(link->sim.registro(60)), 0xFFFE);
    QCOMPARE(int(link->sim.registro(61)), 0xFFFF);
    QCOMPARE(cella(60, 2), QStringLiteral("-2"));
}

void TestRegistriUi::tabellaMantieneIlTipo()
{
    TabellaRegistri[70].Formato = 10;
    bool visto = false;
    attesa->duranteAttesa = [&] {
        Input_Box* box = primaVolta(visto);
        if (!box)
            return;
        QCOMPARE(box->Combo1()->currentIndex(), -1);
        QVERIFY(!box->Combo1()->isEditable());
        box->Testo(0)->setText(QStringLiteral("Curve"));
        box->cmd_ok_Click(1);
    };
    doppioClic(70);
    eventi();
    QVERIFY(visto);
    QCOMPARE(int(TabellaRegistri[70].Formato), 10);
    QCOMPARE(TabellaRegistri[70].Nome, QStringLiteral("Curve"));
}

void TestRegistriUi::invioNelNomeConferma()
{
    bool visto = false;
    attesa->duranteAttesa = [&] {
        Input_Box* box = primaVolta(visto);
        if (!box)
            return;
        box->Testo(0)->setText(QStringLiteral("Level"));
        QTest::keyClick(box->Testo(0), Qt::Key_Return);
    };
    doppioClic(30);
    eventi();
    QVERIFY(visto);
    QVERIFY(!DialogoAperto);
    QCOMPARE(TabellaRegistri[30].Nome, QStringLiteral("Level"));
}

void TestRegistriUi::valoreFuoriIntervallo()
{
    int passo = 0;
    attesa->duranteAttesa = [&] {
        Input_Box* box = dialogo();
        if (!box || !DialogoAperto)
            return;
        if (passo == 0) {
            box->Testo(1)->setText(QStringLiteral("70000"));
            box->cmd_ok_Click(1);
            // Refused with a message; the dialog stays on the same register.
            QCOMPARE(int(dialogs->messaggi.size()), 1);
            QVERIFY(dialogo() == box && DialogoAperto);
            passo = 1;
        } else if (passo == 1) {
            box->Testo(1)->setText(QStringLiteral("7000"));
            box->cmd_ok_Click(1);
            passo = 2;
        } else {
            box->cmd_ok_Click(0);
        }
    };
    doppioClic(30);
    eventi();
    QCOMPARE(passo, 2);
    QCOMPARE(int(link->sim.registro(30)), 7000);
    QCOMPARE(dialogs->messaggi[0].testo, QStringLiteral("Value out of range (-32768 to 65535)"));
}

void TestRegistriUi::cornicheAnnulla()
{
    bool visto = false;
    attesa->duranteAttesa = [&] {
        Input_Box* box = primaVolta(visto);
        if (!box)
            return;
        box->Testo(0)->setText(QStringLiteral("changed"));
        box->Combo1()->setCurrentIndex(3);
        box->Testo(1)->setText(QStringLiteral("5"));
        Principale::istanza().cornice(Finestra::Input_Box)->close();
    };
    const QString nome = TabellaRegistri[30].Nome;
    const int formato = TabellaRegistri[30].Formato;
    const int richieste = link->sim.richieste();
    doppioClic(30);
    eventi();
    QVERIFY(visto);
    QVERIFY(!DialogoAperto);
    QCOMPARE(TabellaRegistri[30].Nome, nome);
    QCOMPARE(int(TabellaRegistri[30].Formato), formato);
    QCOMPARE(link->sim.richieste(), richieste);
}

void TestRegistriUi::secondaAperturaInPrimoPiano()
{
    int passo = 0;
    attesa->duranteAttesa = [&] {
        Input_Box* box = dialogo();
        if (!box || !DialogoAperto)
            return;
        if (passo == 0) {
            passo = 1;
            // The user double-clicks another row while the dialog is open.
            registri()->activateWindow();
            Principale::istanza().mostra(Finestra::Registri);
            ModificaRegistro(45);
            QCOMPARE(InputBox.Indice, std::int16_t(30));
            QVERIFY(dialogo() == box);
            QCOMPARE(Principale::istanza().area()->activeSubWindow(),
                     Principale::istanza().cornice(Finestra::Input_Box));
            QCOMPARE(box->Label1(2)->text(), QStringLiteral("%R30"));
            box->Testo(1)->setText(QStringLiteral("12"));
            box->cmd_ok_Click(1);
        } else {
            box->cmd_ok_Click(0);
        }
    };
    doppioClic(30);
    eventi();
    QCOMPARE(passo, 1);
    QCOMPARE(int(link->sim.registro(30)), 12);
    QCOMPARE(int(link->sim.registro(45)), 0);
}

QTEST_MAIN(TestRegistriUi)
#include "tst_registri.moc"
