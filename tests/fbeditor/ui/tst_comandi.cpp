#include "base/Testi.h"
#include "app/ui/Main.h"
#include "app/ui/Principale.h"
#include "fbeditor/ApriEditor.h"
#include "fbeditor/StatoComandi.h"
#include "fbeditor/TabellaFunzioni.h"
#include "fbeditor/ui/PulsanteFunzione.h"
#include "fbeditor/ui/comandi.h"
#include "monitor/DialogoValori.h"
#include "monitor/ui/Input_Box.h"
#include "platform/Twips.h"
#include "project/Progetto.h"
#include "support/Banco.h"
#include "support/Doubles.h"
#include "tables/InputTab.h"
#include "tables/Tabelle.h"
#include "tables/ui/Input_Tab.h"

#include <QComboBox>
#include <QGroupBox>
#include <QMdiSubWindow>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabBar>
#include <QTest>

using namespace ludra;
using namespace ludra::ui;
using platform::twipsToPx;

namespace {

StatoComandi& S() { return StatoComandi::istanza(); }

comandi* editor()
{
    return qobject_cast<comandi*>(Principale::istanza().finestra(Finestra::comandi));
}

template <typename T>
T* finestra(Finestra f)
{
    return qobject_cast<T*>(Principale::istanza().finestra(f));
}

// The choices on view, as "code@left,top" in pixels.
QStringList pulsantiVisibili(comandi* c)
{
    QStringList v;
    for (int code = 0; code < kNumCodiciFunzione; ++code) {
        PulsanteFunzione* b = c->opt_Funzione(code);
        if (b && b->isVisibleTo(c))
            v << QStringLiteral("%1@%2,%3").arg(code).arg(b->x()).arg(b->y());
    }
    return v;
}

QString pos(int code, int riga, int colonna)
{
    return QStringLiteral("%1@%2,%3")
        .arg(code)
        .arg(twipsToPx(kLeftPulsante(colonna)))
        .arg(twipsToPx(kTopPulsante(riga)));
}

} // namespace

class TestComandiUi : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void siApreSullaSchedaComm();
    void disegnaIlBloccoDellaRiga();
    void schedaShift();
    void coloriDeiPulsanti();
    void sceltaDiUnBlocco();
    void modificheTornanoAlloStato();
    void invioConferma();
    void setKLongConInputBox();
    void inputBoxAnnullaEChiusura();
    void pickerDelleTabelle();
    void cambioLingua();
    void chiudereNonToccaLaRiga();

private:
    test::Banco banco_;
    test::Banco* doubles = &banco_;
};

void TestComandiUi::init()
{
    banco_.apri(test::Banco::Doppi::Tutti);
    ludra::ui::Main();
}

void TestComandiUi::cleanup()
{
    Principale::distruggi();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    banco_.chiudi();
}

void TestComandiUi::siApreSullaSchedaComm()
{
    Principale::istanza().mostra(Finestra::comandi);
    comandi* c = editor();
    QVERIFY(c);
    QVERIFY(S().Loaded);
    QCOMPARE(c->windowTitle(), QStringLiteral("Functions"));
    QCOMPARE(c->Tab_Funzioni()->count(), 9);
    QCOMPARE(c->Tab_Funzioni()->tabText(8), QStringLiteral("Display"));
    QCOMPARE(c->Tab_Funzioni()->currentIndex(), 0);
    QCOMPARE(pulsantiVisibili(c),
             (QStringList{pos(0, 0, 1), pos(1, 0, 2), pos(2, 1, 0), pos(9, 1, 1), pos(40, 0, 0)}));
    QVERIFY(!c->opt_Funzione(41));
}

void TestComandiUi::disegnaIlBloccoDellaRiga()
{
    Rung& r = Sezioni[0].Rung[1];
    r.Classe = 3;
    r.Funzione = 1;
    r.SubOp = 0;   // Add
    r.Etichetta = QStringLiteral("SUM");
    ApriEditor(1);
    comandi* c = editor();
    QVERIFY(c);
    QVERIFY(c->isVisibleTo(Principale::istanza().cornice(Finestra::comandi)));
    QCOMPARE(c->Tab_Funzioni()->currentIndex(), 4);   // Math
    QVERIFY(c->opt_Funzione(4)->isChecked());
    QCOMPARE(c->lbl_nomeFunz()->text(), QStringLiteral("Add"));
    QCOMPARE(c->txt_Label()->text(), QStringLiteral("SUM"));
    QVERIFY(!c->txt_delay()->isVisibleTo(c));

    QCOMPARE(c->lbl_Var(0)->text(), QStringLiteral("Source A"));
    QVERIFY(c->lbl_Var(0)->isVisibleTo(c));
    QCOMPARE(c->txt_Var(0)->currentText(), QStringLiteral("%R 26"));
    QCOMPARE(c->txt_Opt(0)->count(), 6);
    QCOMPARE(c->txt_Opt(0)->itemText(5), QStringLiteral("K_Flt"));
    QCOMPARE(c->txt_Opt(0)->currentText(), QStringLiteral("Int"));
    QCOMPARE(c->lbl_Var(1)->text(), QStringLiteral("Source B"));
    QCOMPARE(c->lbl_Var(4)->text(), QStringLiteral("Dest"));
    QCOMPARE(c->txt_Opt(4)->count(), 5);
    for (int k : {2, 3, 5, 6, 7}) {
        QVERIFY(!c->lbl_Var(k)->isVisibleTo(c));
        QVERIFY(!c->txt_Var(k)->isVisibleTo(c));
        QVERIFY(!c->txt_Opt(k)->isVisibleTo(c));
    }
    QVERIFY(!c->cmd_Set(0)->isVisibleTo(c));

    // A communication block shows the delay.
    S().ClickFunzione(0);
    QVERIFY(c->txt_delay()->isVisibleTo(c));
    QCOMPARE(c->txt_delay()->text(), QStringLiteral("10"));
    QCOMPARE(c->lbl_Delay()->text(), QStringLiteral("Delay"));
}

void TestComandiUi::schedaShift()
{
    Principale::istanza().mostra(Finestra::comandi);
    comandi* c = editor();
    c->Tab_Funzioni()->setCurrentIndex(3);
    QCOMPARE(S().Scheda, 4);
    QCOMPARE(pulsantiVisibili(c),
             (QStringList{pos(25, 0, 0), pos(26, 0, 1), pos(27, 1, 0), pos(28, 1, 1)}));
    QCOMPARE(c->opt_Funzione(27)->x(), twipsToPx(100));
    QCOMPARE(c->opt_Funzione(28)->x(), twipsToPx(1200));
}

void TestComandiUi::coloriDeiPulsanti()
{
    Principale::istanza().mostra(Finestra::comandi);
    comandi* c = editor();
    QCOMPARE(c->opt_Funzione(0)->colore(), QColor(0, 255, 1));
    QCOMPARE(c->opt_Funzione(3)->colore(), QColor(255, 255, 0));
    QCOMPARE(c->opt_Funzione(16)->colore(), QColor(255, 0, 255));
    QCOMPARE(c->opt_Funzione(20)->colore(), QColor(255, 192, 128));
    QCOMPARE(c->opt_Funzione(25)->colore(), QColor(0, 255, 255));
    QCOMPARE(c->opt_Funzione(45)->colore(), QColor(128, 255, 255));
    QCOMPARE(c->opt_Funzione(43)->colore(), QColor(255, 0, 0));
    QCOMPARE(c->opt_Funzione(13)->text(), QStringLiteral("If(bit) -> Goto"));
    // The drawn button carries its colour.
    const QImage img = c->opt_Funzione(0)->grab().toImage();
    QCOMPARE(img.pixelColor(img.width() / 2, 4), QColor(0, 255, 1));
}

void TestComandiUi::sceltaDiUnBlocco()
{
    Principale::istanza().mostra(Finestra::comandi);
    comandi* c = editor();
    c->Tab_Funzioni()->setCurrentIndex(0);
    QTest::mouseClick(c->opt_Funzione(9), Qt::LeftButton);
    QCOMPARE(int(S().FunzioneCorrente), 9);
    QCOMPARE(c->lbl_Var(0)->text(), QStringLiteral("Device"));
    QCOMPARE(c->txt_Var(0)->count(), 6);
    QCOMPARE(c->txt_Var(0)->currentIndex(), -1);
    // The user picks a device: its resources fill the resource field.
    c->txt_Var(0)->setCurrentIndex(0);
    emit c->txt_Var(0)->activated(0);
    QCOMPARE(c->txt_Var(4)->count(), 1);
    QCOMPARE(c->txt_Var(4)->currentText(), QStringLiteral("Analog Out"));
    QVERIFY(c->opt_Funzione(9)->isChecked());
    QVERIFY(!c->opt_Funzione(0)->isChecked());
}

void TestComandiUi::modificheTornanoAlloStato()
{
    ApriEditor(1);
    comandi* c = editor();
    S().ClickFunzione(21);   // AND(word)
    QLineEdit* campo = c->txt_Var(5)->lineEdit();
    campo->selectAll();
    QTest::keyClicks(campo, QStringLiteral("&HFF"));
    QCOMPARE(S().Righe[5].testo, QStringLiteral("&HFF"));
    QTest::keyClicks(c->txt_Label(), QStringLiteral("L1"));
    QCOMPARE(S().Etichetta, QStringLiteral("L1"));
    // Choosing K_Long in a type list enables the row's set button.
    QVERIFY(!c->cmd_Set(0)->isEnabled());
    c->txt_Opt(0)->setCurrentIndex(2);
    emit c->txt_Opt(0)->activated(2);
    QCOMPARE(int(Argomenti[0].Tipo), 6);
    QVERIFY(c->cmd_Set(0)->isEnabled());
    // Focus follows the row.
    c->txt_Var(2)->setFocus();
    QApplication::processEvents();
    if (c->txt_Var(2)->hasFocus())
        QCOMPARE(int(S().ArgomentoAttivo), 2);
}

void TestComandiUi::invioConferma()
{
    ApriEditor(1);
    comandi* c = editor();
    int conferme = 0;
    connect(c, &comandi::conferma, this, [&] { ++conferme; });
    QTest::keyClick(c->txt_Label(), Qt::Key_Return);
    QTest::keyClick(c->txt_Var(0)->lineEdit(), Qt::Key_Enter);
    QTest::mouseClick(c->cmd_AddFunc(), Qt::LeftButton);
    QCOMPARE(conferme, 3);
}

void TestComandiUi::setKLongConInputBox()
{
    ApriEditor(1);
    comandi* c = editor();
    S().ClickFunzione(21);
    QVERIFY(c->cmd_Set(5)->isVisibleTo(c) && c->cmd_Set(5)->isEnabled());
    QString bitVisti;
    doubles->waiter.duranteAttesa = [&] {
        Input_Box* box = finestra<Input_Box>(Finestra::Input_Box);
        if (!box || !DialogoAperto)
            return;
        QCOMPARE(box->Testo(1)->text(), QStringLiteral(" 1"));
        QVERIFY(box->Combo1()->isHidden());
        QVERIFY(box->Testo(0)->isHidden());
        for (int i = 31; i >= 0; --i)
            bitVisti += box->cmd_bit(i)->text();
        box->cmd_bit_Click(3);
        QCOMPARE(box->Testo(1)->text(), QStringLiteral("9"));
        box->cmd_bit_Click(31);
        QCOMPARE(box->Testo(1)->text(), QStringLiteral("2147483657"));
        QTest::mouseClick(box->cmd_ok(1), Qt::LeftButton);
    };
    QTest::mouseClick(c->cmd_Set(5), Qt::LeftButton);
    QApplication::processEvents();   // the queued click opens the dialog
    std::exchange(doubles->waiter.duranteAttesa, {})();
    QCOMPARE(bitVisti, QString(31, QLatin1Char('0')) + QLatin1Char('1'));
    QVERIFY(!DialogoAperto);
    QCOMPARE(S().Righe[5].testo, QStringLiteral("2147483657"));
    QCOMPARE(c->txt_Var(5)->currentText(), QStringLiteral("2147483657"));
    QVERIFY(!Principale::istanza().finestra(Finestra::Input_Box));
}

void TestComandiUi::inputBoxAnnullaEChiusura()
{
    ApriEditor(1);
    S().ClickFunzione(21);
    S().ImpostaTesto(5, QStringLiteral("12"));
    doubles->waiter.duranteAttesa = [&] {
        Input_Box* box = finestra<Input_Box>(Finestra::Input_Box);
        if (!box || !DialogoAperto)
            return;
        QCOMPARE(box->cmd_bit(2)->text(), QStringLiteral("1"));
        QCOMPARE(box->cmd_bit(3)->text(), QStringLiteral("1"));
        QCOMPARE(box->cmd_bit(4)->text(), QStringLiteral("0"));
        box->Testo(1)->setText(QStringLiteral("999"));
        box->cmd_ok_Click(0);
    };
    QVERIFY(S().cmd_Set_Click(5)); std::exchange(doubles->waiter.duranteAttesa, {})();
    QCOMPARE(S().Righe[5].testo, QStringLiteral("12"));

    // The close box cancels as well, and the next opening works.
    doubles->waiter.duranteAttesa = [&] {
        if (!DialogoAperto)
            return;
        if (QMdiSubWindow* cornice = Principale::istanza().cornice(Finestra::Input_Box))
            cornice->close();
    };
    QVERIFY(S().cmd_Set_Click(5)); std::exchange(doubles->waiter.duranteAttesa, {})();
    QVERIFY(!DialogoAperto);
    QCOMPARE(S().Righe[5].testo, QStringLiteral("12"));

    doubles->waiter.duranteAttesa = [&] {
        Input_Box* box = finestra<Input_Box>(Finestra::Input_Box);
        if (!box || !DialogoAperto)
            return;
        box->Testo(1)->setText(QStringLiteral("7"));
        QTest::keyClick(box->Testo(1), Qt::Key_Return);   // Enter acts as OK
    };
    QVERIFY(S().cmd_Set_Click(5)); std::exchange(doubles->waiter.duranteAttesa, {})();
    QCOMPARE(S().Righe[5].testo, QStringLiteral("7"));
}

void TestComandiUi::pickerDelleTabelle()
{
    NumTabelle = 3;
    Tabelle[0].Nome = QStringLiteral("PT100");
    Tabelle[1].Nome = QStringLiteral("TC-K");
    Tabelle[2].Nome = QStringLiteral("NTC");
    ApriEditor(1);
    comandi* c = editor();
    S().ClickFunzione(30);   // Linearization
    QCOMPARE(c->txt_Var(1)->count(), 3);
    QCOMPARE(c->txt_Var(1)->currentText(), QStringLiteral("PT100"));
    QVERIFY(c->cmd_Set(1)->isEnabled());
    QStringList elenco;
    int selezionata = -2;
    doubles->waiter.duranteAttesa = [&] {
        Input_Tab* tab = finestra<Input_Tab>(Finestra::Input_Tab);
        if (!tab || !DialogoAperto)
            return;
        for (int i = 0; i < tab->ListaTab()->count(); ++i)
            elenco << tab->ListaTab()->item(i)->text();
        selezionata = tab->ListaTab()->currentRow();
        tab->ListaTab()->setCurrentRow(2);
        QTest::mouseClick(tab->cmd_ok(1), Qt::LeftButton);
    };
    QVERIFY(S().cmd_Set_Click(1)); std::exchange(doubles->waiter.duranteAttesa, {})();
    QCOMPARE(elenco, (QStringList{"PT100", "TC-K", "NTC"}));
    QCOMPARE(selezionata, 0);
    QCOMPARE(InputTab.TabAttiva, std::int16_t(2));
    QCOMPARE(c->txt_Var(1)->currentText(), QStringLiteral("NTC"));
    QCOMPARE(S().Righe[1].selezione, 2);

    // Cancel leaves the choice; the window title is the tables'.
    doubles->waiter.duranteAttesa = [&] {
        Input_Tab* tab = finestra<Input_Tab>(Finestra::Input_Tab);
        if (!tab || !DialogoAperto)
            return;
        QCOMPARE(tab->windowTitle(), QStringLiteral("Tables"));
        QCOMPARE(tab->ListaTab()->currentRow(), 2);
        tab->ListaTab()->setCurrentRow(0);
        tab->cmd_ok_Click(0);
    };
    QVERIFY(S().cmd_Set_Click(1)); std::exchange(doubles->waiter.duranteAttesa, {})();
    QCOMPARE(c->txt_Var(1)->currentText(), QStringLiteral("NTC"));
}

void TestComandiUi::cambioLingua()
{
    Principale::istanza().mostra(Finestra::comandi);
    comandi* c = editor();
    QVERIFY(CambiaLingua(kItaliano));
    QCOMPARE(c->windowTitle(), QStringLiteral("Funzioni"));
    QCOMPARE(c->findChild<QGroupBox*>(QStringLiteral("f_argomenti"))->title(),
             QStringLiteral("Opzioni"));
    // Block names stay English.
    QCOMPARE(c->opt_Funzione(1)->text(), QStringLiteral("Write"));
    QVERIFY(CambiaLingua(kInglese));
    QCOMPARE(c->windowTitle(), QStringLiteral("Functions"));
}

void TestComandiUi::chiudereNonToccaLaRiga()
{
    Sezione& sezione = Sezioni[0];
    Rung& r = sezione.Rung[1];
    r.Classe = 3;
    r.Funzione = 137;   // Trip
    r.SubOp = 5;
    r.Caricato = true;
    r.ArgByte.fill(0x77);
    r.ArgTesto[0] = QStringLiteral("%R 40");
    const Sezione prima = sezione;
    ApriEditor(1);
    comandi* c = editor();
    QCOMPARE(c->txt_Var(0)->currentText(), QStringLiteral("%R 40"));
    for (int code : {4, 22, 43, 20})
        S().ClickFunzione(code);
    Principale::istanza().cornice(Finestra::comandi)->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!editor());
    QVERIFY(!S().Loaded);
    for (int i = 0; i <= kMaxRung; ++i)
        QCOMPARE(sezione.Rung[std::size_t(i)], prima.Rung[std::size_t(i)]);
}

QTEST_MAIN(TestComandiUi)
#include "tst_comandi.moc"
