#include "app/ui/Main.h"
#include "app/ui/Principale.h"
#include "base/Testi.h"
#include "compiler/Compilatore.h"
#include "fbeditor/CompilaComando.h"
#include "fbeditor/StatoComandi.h"
#include "fbeditor/TabellaFunzioni.h"
#include "fbeditor/ui/PulsanteFunzione.h"
#include "fbeditor/ui/comandi.h"
#include "projectfiles/NuovoProgetto.h"
#include "ladder/OperazioniRung.h"
#include "ladder/VistaLadder.h"
#include "ladder/ui/Program.h"
#include "ladder/ui/RigaProgram.h"
#include "monitor/ui/Registri.h"
#include "project/Progetto.h"
#include "project/Registri.h"
#include "support/Banco.h"
#include "support/Doubles.h"
#include "support/Ladder.h"
#include "tables/Tabelle.h"

#include <QAbstractItemModel>
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTableView>
#include <QTest>
#include <functional>
#include <map>

using namespace ludra;
using namespace ludra::ui;

namespace {

StatoComandi& S() { return StatoComandi::istanza(); }

void svuotaCestino()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

template <typename T>
T* finestra(Finestra f)
{
    return qobject_cast<T*>(Principale::istanza().finestra(f));
}

comandi* editor() { return finestra<comandi>(Finestra::comandi); }

void toolbar(const char* chiave)
{
    QAction* a = Principale::istanza().azioneToolbar(QString::fromLatin1(chiave));
    QVERIFY(a && a->isEnabled());
    a->trigger();
}

// Types a text into a value field as the user does.
void digita(comandi* c, int k, const QString& testo)
{
    QLineEdit* campo = c->txt_Var(k)->lineEdit();
    campo->selectAll();
    QTest::keyClick(campo, Qt::Key_Backspace);
    QTest::keyClicks(campo, testo);
}

void scegliTipo(comandi* c, int k, const QString& nome)
{
    QComboBox* opt = c->txt_Opt(k);
    const int i = opt->findText(nome);
    QVERIFY(i >= 0);
    opt->setCurrentIndex(i);
    emit opt->activated(i);
}

void scegliBlocco(comandi* c, int scheda, int codice)
{
    c->Tab_Funzioni()->setCurrentIndex(scheda - 1);
    QTest::mouseClick(c->opt_Funzione(codice), Qt::LeftButton);
}

} // namespace

class TestConfermaUi : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void doppioClicScegliOk();
    void invioDopoModifica();
    void erroreLasciaLaRiga();
    void registroNelCampoAttivo();
    void ogniBloccoOfferto();
    void riapertoPrimaDellaDistruzione();
    void okSullaRigaAperta_data();
    void okSullaRigaAperta();

private:
    test::Banco banco_;
    test::Banco* doubles = &banco_;
};

void TestConfermaUi::init()
{
    banco_.apri(test::Banco::Doppi::Tutti);
    ludra::ui::Main();
    QCoreApplication::processEvents();
}

void TestConfermaUi::cleanup()
{
    Principale::distruggi();
    svuotaCestino();
    banco_.chiudi();
}

void TestConfermaUi::doppioClicScegliOk()
{
    Program* p = finestra<Program>(Finestra::Program);
    QVERIFY(p);
    QTest::mouseDClick(p->riga(0, 1)->txt_Label, Qt::LeftButton);
    comandi* c = editor();
    QVERIFY(c);
    QVERIFY(S().Loaded);

    scegliBlocco(c, 5, 4);   // Math, Add
    QCOMPARE(c->lbl_nomeFunz()->text(), QStringLiteral("Add"));
    digita(c, 0, QStringLiteral("%R 30"));
    digita(c, 1, QStringLiteral("%R 31"));
    scegliTipo(c, 1, QStringLiteral("Long"));
    digita(c, 4, QStringLiteral("%R 32"));
    QTest::keyClicks(c->txt_Label(), QStringLiteral("SUM"));
    QTest::mouseClick(c->cmd_AddFunc(), Qt::LeftButton);
    svuotaCestino();

    QVERIFY(!editor());
    QVERIFY(!S().Loaded);
    QVERIFY(doubles->dialogs.messaggi.empty());
    const Rung& r = Sezioni[0].Rung[1];
    QCOMPARE(int(r.Funzione), 1);
    QCOMPARE(int(r.ArgByte[4]), 0x31);   // Int, and Long for operand B
    QCOMPARE(int(TabellaRegistri[31].Formato), 3);
    RigaProgram* riga = p->riga(0, 1);
    QCOMPARE(riga->txt_Label->text(), QStringLiteral("SUM"));
    QCOMPARE(riga->txt_Func->text(), QStringLiteral("Add"));
    QCOMPARE(riga->txt_Var->text(), QStringLiteral("[ %R 30 , %R 31 , %R 32 ]"));
    QCOMPARE(riga->lbl_VarN[1]->text(), QStringLiteral("Source B (Long)"));
    QVERIFY(riga->lbl_VarN[1]->isVisibleTo(riga->shRung));
    QCOMPARE(riga->txt_VarN[4]->text(), QStringLiteral("%R 32"));
    QVERIFY(riga->Immagine->isVisibleTo(riga->shRung));
    QVERIFY(!riga->Immagine->pixmap().isNull());
}

void TestConfermaUi::invioDopoModifica()
{
    toolbar("rung_mod");
    comandi* c = editor();
    QVERIFY(c);
    scegliBlocco(c, 1, 1);   // Comm, Write
    digita(c, 0, QStringLiteral("7"));
    c->txt_delay()->selectAll();
    QTest::keyClicks(c->txt_delay(), QStringLiteral("40"));
    QTest::keyClick(c->txt_Var(0)->lineEdit(), Qt::Key_Return);
    svuotaCestino();
    QVERIFY(!editor());
    const Rung& r = Sezioni[0].Rung[1];
    QCOMPARE(int(r.Classe), 1);
    QCOMPARE(int(r.ArgByte[0]), 7);
    QCOMPARE(int(r.Ritardo), 40);

    // Opened again, the line shows as it was written; Enter in the label commits.
    toolbar("rung_mod");
    c = editor();
    QVERIFY(c);
    QCOMPARE(c->lbl_nomeFunz()->text(), QStringLiteral("Write"));
    QCOMPARE(c->txt_Var(0)->currentText(), QStringLiteral("7"));
    QCOMPARE(c->txt_delay()->text(), QStringLiteral("40"));
    const Rung prima = r;
    QTest::keyClicks(c->txt_Label(), QStringLiteral("W"));
    QTest::keyClick(c->txt_Label(), Qt::Key_Enter);
    svuotaCestino();
    QVERIFY(!editor());
    QCOMPARE(r.Etichetta, QStringLiteral("W"));
    QCOMPARE(r.ArgByte, prima.ArgByte);
    QCOMPARE(finestra<Program>(Finestra::Program)->riga(0, 1)->txt_Label->text(), QStringLiteral("W"));
}

void TestConfermaUi::erroreLasciaLaRiga()
{
    Program* p = finestra<Program>(Finestra::Program);
    QTest::mouseDClick(p->riga(0, 1)->txt_Label, Qt::LeftButton);
    comandi* c = editor();
    scegliBlocco(c, 7, 45);   // Flow, Clear WatchDog
    digita(c, 4, QStringLiteral("5"));
    QTest::mouseClick(c->cmd_AddFunc(), Qt::LeftButton);
    svuotaCestino();
    const Rung prima = Sezioni[0].Rung[1];
    const QString sommario = p->riga(0, 1)->txt_Var->text();
    QCOMPARE(sommario, QStringLiteral("[ 5 ]"));

    QTest::mouseDClick(p->riga(0, 1)->txt_Label, Qt::LeftButton);
    c = editor();
    QVERIFY(c);
    scegliBlocco(c, 1, 0);   // Read Holding with a number of registers "2x0"
    digita(c, 2, QStringLiteral("2x0"));
    digita(c, 0, QStringLiteral("12"));
    QTest::mouseClick(c->cmd_AddFunc(), Qt::LeftButton);
    QVERIFY(c->txt_Var(2)->isAncestorOf(c->focusWidget()) || c->focusWidget() == c->txt_Var(2));
    QTest::keyClick(c->txt_Var(0)->lineEdit(), Qt::Key_Return);
    svuotaCestino();
    QCOMPARE(doubles->dialogs.messaggi.size(), std::size_t(2));
    QCOMPARE(doubles->dialogs.messaggi[0].testo, QStringLiteral("Error: Check Values"));
    QCOMPARE(doubles->dialogs.messaggi[0].titolo, QString::fromLatin1(platform::kAppTitle));
    QVERIFY(editor());
    QVERIFY(S().Loaded);
    QCOMPARE(Sezioni[0].Rung[1], prima);
    QCOMPARE(p->riga(0, 1)->txt_Var->text(), sommario);
    QCOMPARE(p->riga(0, 1)->txt_Func->text(), QStringLiteral("Clear WatchDog"));
}

void TestConfermaUi::registroNelCampoAttivo()
{
    Principale::istanza().mostra(Finestra::Registri);
    Registri* reg = finestra<Registri>(Finestra::Registri);
    QVERIFY(reg);
    TabellaRegistri[30].Formato = 2;   // uLong
    toolbar("rung_mod");
    comandi* c = editor();
    scegliBlocco(c, 5, 18);   // Mult
    // The focus on the second operand makes it the one a clicked register fills.
    c->txt_Var(1)->lineEdit()->setFocus();
    QCoreApplication::processEvents();
    S().Focus(1);
    QCOMPARE(int(S().ArgomentoAttivo), 1);

    reg->scorriA(30);
    QTableView* vista = reg->vista();
    const QModelIndex indice = vista->model()->index(30, 1);
    QTest::mouseClick(vista->viewport(), Qt::LeftButton, {}, vista->visualRect(indice).center());
    QCOMPARE(c->txt_Var(1)->currentText(), QStringLiteral("%R 30"));
    QCOMPARE(c->txt_Opt(1)->currentText(), QStringLiteral("uLong"));
    QCOMPARE(int(Argomenti[1].Tipo), 2);

    // A constant field takes nothing.
    S().ClickFunzione(46);   // Block Move: field 1 is the count
    S().Focus(1);
    const QModelIndex altro = vista->model()->index(31, 0);
    reg->scorriA(31);
    QTest::mouseClick(vista->viewport(), Qt::LeftButton, {}, vista->visualRect(altro).center());
    QCOMPARE(c->txt_Var(1)->currentText(), QStringLiteral(" 1"));
}

void TestConfermaUi::ogniBloccoOfferto()
{
    // Every block a tab offers can be picked and confirmed with its defaults, and shows
    // in its row with its name and picture. Linearization needs a table to pick.
    NumTabelle = 1;
    Tabelle[0].Nome = QStringLiteral("PT100");
    Tabelle[0].NumPunti = 4;
    Program* p = finestra<Program>(Finestra::Program);
    for (int scheda = 1; scheda <= 9; ++scheda) {
        for (const PosizioneFunzione& pos : PosizioniScheda(scheda)) {
            toolbar("rung_mod");
            comandi* c = editor();
            QVERIFY(c);
            scegliBlocco(c, scheda, pos.codice);
            if (pos.codice == 9)   // Write KVR1000 starts with no device chosen
                S().SelezionaVoce(0, 0);
            QTest::mouseClick(c->cmd_AddFunc(), Qt::LeftButton);
            svuotaCestino();
            QVERIFY2(!editor(), qPrintable(NomiFunzioni[pos.codice]));
            RigaProgram* riga = p->riga(0, 1);
            QCOMPARE(riga->txt_Func->text(), NomiFunzioni[pos.codice]);
            QVERIFY(!riga->Immagine->pixmap().isNull());
        }
    }
    QVERIFY(doubles->dialogs.messaggi.empty());
}

void TestConfermaUi::riapertoPrimaDellaDistruzione()
{
    // The committed editor goes from the event loop; the one opened meanwhile stays
    // loaded, so a clicked register still reaches it.
    toolbar("rung_mod");
    QTest::mouseClick(editor()->cmd_AddFunc(), Qt::LeftButton);
    toolbar("rung_mod");
    QVERIFY(S().Loaded);
    svuotaCestino();
    QVERIFY(editor());
    QVERIFY(S().Loaded);
    S().Focus(4);
    S().RegistroCliccato(40);
    QCOMPARE(editor()->txt_Var(4)->currentText(), QStringLiteral("%R 40"));
}

void TestConfermaUi::okSullaRigaAperta_data()
{
    QTest::addColumn<QString>("azione");   // the line opened, then what is done
    QTest::addColumn<QString>("dopo");     // the lines after OK, then after Undo
    QTest::newRow("row 3 clicked") << "1 click" << "EDIT,B,C A,B,C";
    QTest::newRow("its line deleted") << "1 delete" << "B,C A,B,C";
    QTest::newRow("the line above deleted") << "2 delete" << "EDIT,C B,C";
    QTest::newRow("compiled from a subroutine") << "1 compile" << "EDIT,B,C A,B,C";
    QTest::newRow("project closed") << "1 close" << " ";
}

// OK writes the line the editor was opened on, undoably; with that line gone, nothing.
void TestConfermaUi::okSullaRigaAperta()
{
    QFETCH(QString, azione);
    QFETCH(QString, dopo);
    const int unita = azione.endsWith("compile") && NuovaSub() ? 1 : 0;
    QVERIFY(AggiungiRung() && AggiungiRung());
    for (int i = 1; i <= 3; ++i)
        test::scriviLinea(i, QString(QChar('A' + i - 1)));
    ModificaRung(azione.left(1).toInt());
    scegliBlocco(editor(), 7, 45);   // Flow, Clear WatchDog
    digita(editor(), 4, QStringLiteral("5"));
    QTest::keyClicks(editor()->txt_Label(), QStringLiteral("EDIT"));
    const std::map<QString, std::function<void()>> azioni = {
        {"click", [] { Riga_Click(3); }}, {"delete", [] { CancellaRung(1); }},
        {"compile", [] { Compila(); }}, {"close", [] { NuovoProgetto(); }}};
    azioni.at(azione.mid(2))();
    QTest::mouseClick(editor()->cmd_AddFunc(), Qt::LeftButton);
    svuotaCestino();
    Tab_Prog_Click(unita + 1);
    const QString scritte = test::etichette();
    RipristinaRung();
    QCOMPARE(scritte + ' ' + test::etichette(), dopo);
    const auto& detti = doubles->dialogs.messaggi;
    QCOMPARE(detti.empty() ? "" : detti.back().testo, scritte.contains("EDIT") ? "" : kRigaPersa);
}

QTEST_MAIN(TestConfermaUi)
#include "tst_conferma.moc"
