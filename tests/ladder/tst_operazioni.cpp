// The line commands as the toolbar and the pop-up menu run them, scenario by scenario,
// and the faults they must not have.
#include "base/BarraStrumenti.h"
#include "app/Comandi.h"
#include "base/Notifiche.h"
#include "ladder/OperazioniRung.h"
#include "ladder/VistaLadder.h"
#include "project/Progetto.h"
#include "projectfiles/NuovoProgetto.h"
#include "support/Banco.h"
#include "support/Ladder.h"

#include <QtTest>

using namespace ludra;
using namespace ludra::test;

namespace {

// Runs one step of a scenario: a toolbar key, "sel:i", "cancel" (the next question is
// answered Cancel) or a pop-up item "mnu_...".
void passo(FakeDialogs& dialogs, const QString& p)
{
    if (p.startsWith(QLatin1String("sel:")))
        Riga_Click(p.mid(4).toInt());
    else if (p == QLatin1String("cancel"))
        dialogs.risposte.push_back(platform::MsgResult::Cancel);
    else if (p.startsWith(QLatin1String("mnu_")))
        ClickMenu(p);
    else
        Toolbar1_ButtonClick(p);
}

bool abilitato(const char* chiave)
{
    return BarraStrumenti::istanza().abilitato(QString::fromLatin1(chiave));
}

} // namespace

class TestOperazioni : public QObject {
    Q_OBJECT
private slots:
    void init() { banco_.apri(Banco::Doppi::Tutti); }
    void cleanup() { banco_.chiudi(); }
    void scenari_data();
    void scenari();
    void cancellaChiedeConferma();
    void modificaApreLEditor();
    void breakSegueLaRiga();
    void duplicaNelBuffer();
    void duplicaSenzaImmagine();
    void descrizione();
    void selezioneConTreEventi();

    // Faults that must stay mended.
    void senzaLineaCorrenteNienteAccade_data();
    void senzaLineaCorrenteNienteAccade();
    void secondaCancellazioneNonToccaRiga0();
    void nuovoDimenticaUndoECopia();
    void ripristinoRifiutaIndiceFuori_data();
    void ripristinoRifiutaIndiceFuori();
    void ripristinoDopoCancellazioneReinserisce();
    void ripristinoNonRicodifica();
    void nuovaLineaVuota();
    void centunesimaLineaRifiutata();
    void decimaUnitaRifiutata();
    void inserisciPrimaInUnitaVuota();
    void cornicesegueLUltimaLinea();
    void copiaDiUnAltraUnita();

private:
    Banco banco_;
};

void TestOperazioni::scenari_data()
{
    QTest::addColumn<int>("linee");
    QTest::addColumn<int>("corrente");
    QTest::addColumn<QString>("passi");
    QTest::addColumn<QString>("attese");
    QTest::addColumn<int>("correnteAttesa");
    QTest::addColumn<bool>("incolla");
    QTest::addColumn<bool>("ripristina");

    QTest::newRow("delete 2 of 4") << 4 << 2 << "rung_del" << "A,C,D" << 2 << false << true;
    QTest::newRow("delete last, current") << 4 << 4 << "rung_del" << "A,B,C" << 3 << false << true;
    QTest::newRow("delete only line") << 1 << 1 << "rung_del" << "" << 0 << false << true;
    QTest::newRow("delete answered Cancel") << 3 << 2 << "cancel rung_del" << "A,B,C" << 2 << false << false;
    QTest::newRow("insert after last") << 3 << 3 << "rung_add_after" << "A,B,C,_" << 4 << false << false;
    QTest::newRow("insert after middle") << 3 << 2 << "rung_add_after" << "A,B,_,C" << 3 << false << false;
    QTest::newRow("insert before first") << 3 << 1 << "rung_add_before" << "_,A,B,C" << 1 << false << false;
    QTest::newRow("insert before middle") << 3 << 2 << "rung_add_before" << "A,_,B,C" << 2 << false << false;
    QTest::newRow("pop-up insert before") << 3 << 3 << "mnu_FB_Insert_Before" << "A,B,_,C" << 3 << false << false;
    QTest::newRow("pop-up insert after") << 2 << 1 << "mnu_FB_Insert_After" << "A,_,B" << 2 << false << false;
    QTest::newRow("pop-up delete") << 3 << 1 << "mnu_FB_Delete" << "B,C" << 1 << false << true;
    QTest::newRow("move up") << 3 << 3 << "rung_move_up" << "A,C,B" << 2 << false << false;
    QTest::newRow("move down") << 3 << 1 << "rung_move_down" << "B,A,C" << 2 << false << false;
    QTest::newRow("move up on line 1") << 3 << 1 << "rung_move_up" << "A,B,C" << 1 << false << false;
    QTest::newRow("move down on last") << 3 << 3 << "rung_move_down" << "A,B,C" << 3 << false << false;
    QTest::newRow("copy 3, move up 5") << 5 << 3 << "rung_copy sel:5 rung_move_up" << "A,B,C,E,D" << 4
                                       << false << false;
    QTest::newRow("copy, paste, paste, redo")
        << 5 << 2 << "rung_copy sel:4 rung_paste rung_paste rung_redo" << "A,B,C,B,E" << 4 << true << false;
    QTest::newRow("paste then redo") << 3 << 1 << "rung_copy sel:3 rung_paste rung_redo" << "A,B,C" << 3 << true
                                     << false;
    QTest::newRow("paste twice on other lines") << 4 << 1 << "rung_copy sel:2 rung_paste sel:3 rung_paste"
                                                << "A,A,A,D" << 3 << true << true;
    QTest::newRow("copy disables redo") << 3 << 2 << "rung_del rung_copy" << "A,C" << 2 << true << false;
    QTest::newRow("redo after delete middle") << 4 << 2 << "rung_del rung_redo" << "A,B,C,D" << 2 << false << false;
    QTest::newRow("redo after delete last") << 3 << 3 << "rung_del rung_redo" << "A,B,C" << 3 << false << false;
    QTest::newRow("redo after delete first") << 3 << 1 << "rung_del rung_redo" << "A,B,C" << 1 << false << false;
    QTest::newRow("redo after delete only") << 1 << 1 << "rung_del rung_redo" << "A" << 1 << false << false;
    QTest::newRow("redo after delete, select") << 4 << 2 << "rung_del sel:3 rung_redo" << "A,B,C,D" << 2 << false
                                               << false;
    QTest::newRow("insert ends redo") << 3 << 2 << "rung_del rung_add_after rung_redo" << "A,C,_" << 3 << false
                                      << false;
    QTest::newRow("move ends redo") << 3 << 2 << "rung_del rung_move_up rung_redo" << "C,A" << 1 << false << false;
    QTest::newRow("modify ends redo") << 3 << 2 << "rung_del rung_mod rung_redo" << "A,C" << 2 << false << false;
    QTest::newRow("second redo does nothing") << 3 << 2 << "rung_del rung_redo rung_redo" << "A,B,C" << 2 << false
                                              << false;
    QTest::newRow("delete twice, redo the second") << 4 << 2 << "rung_del rung_del rung_redo" << "A,C,D" << 2
                                                   << false << false;
}

void TestOperazioni::scenari()
{
    QFETCH(int, linee);
    QFETCH(int, corrente);
    QFETCH(QString, passi);
    QFETCH(QString, attese);
    QFETCH(int, correnteAttesa);
    QFETCH(bool, incolla);
    QFETCH(bool, ripristina);

    progettoDiLinee(linee, corrente);
    for (const QString& p : passi.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        passo(banco_.dialogs, p);
        QCOMPARE(violazione(), QString());
    }
    QCOMPARE(etichette(), attese);
    QCOMPARE(int(RungCorrente), correnteAttesa);
    QCOMPARE(abilitato("rung_paste"), incolla);
    QCOMPARE(abilitato("rung_redo"), ripristina);
}

void TestOperazioni::cancellaChiedeConferma()
{
    progettoDiLinee(2, 1);
    Toolbar1_ButtonClick(QStringLiteral("rung_del"));
    QCOMPARE(banco_.dialogs.messaggi.size(), std::size_t(1));
    QCOMPARE(banco_.dialogs.messaggi[0].testo, QStringLiteral("Delete Function Block ?"));
    QCOMPARE(banco_.dialogs.messaggi[0].pulsanti, platform::MsgButtons::OkCancel);
    QCOMPARE(banco_.dialogs.messaggi[0].titolo, QString::fromLatin1(platform::kAppTitle));
    // The row of the old last line is gone.
    QVERIFY(!RigaEsiste(0, 2));
}

void TestOperazioni::modificaApreLEditor()
{
    progettoDiLinee(3, 1);
    QSignalSpy aperte(&Notifiche::istanza(), &Notifiche::modificaRigaChiesta);
    Toolbar1_ButtonClick(QStringLiteral("rung_mod"));
    Riga_DblClick(3);
    ClickMenu(QStringLiteral("mnu_modify"));
    QCOMPARE(aperte, (QList<QVariantList>{{1}, {3}, {3}}));
    QCOMPARE(int(RungCorrente), 3);
}

void TestOperazioni::breakSegueLaRiga()
{
    progettoDiLinee(3, 2);
    Toolbar1_ButtonClick(QStringLiteral("rung_break"));
    QVERIFY(Sezioni[0].Rung[2].Break);
    QVERIFY(Riga(0, 2).img_Break);
    // The mark travels with its line.
    Toolbar1_ButtonClick(QStringLiteral("rung_move_down"));
    QVERIFY(Riga(0, 3).img_Break && Sezioni[0].Rung[3].Break);
    QVERIFY(!Riga(0, 2).img_Break && !Sezioni[0].Rung[2].Break);
    ClickMenu(QStringLiteral("mnu_FB_Break"));
    QVERIFY(!Riga(0, 3).img_Break && !Sezioni[0].Rung[3].Break);
    QCOMPARE(violazione(), QString());
}

void TestOperazioni::duplicaNelBuffer()
{
    progettoDiLinee(4, 1);
    DuplicaRung(4, 0);
    QCOMPARE(Sezioni[0].Rung[0], Sezioni[0].Rung[4]);
    QCOMPARE(Sezioni[0].Rung[0].Descrizione, QStringLiteral("desc D"));
    QVERIFY(!Riga(0, 0).pannelloVisibile);
    QCOMPARE(Riga(0, 0).txt_Label.caption, QStringLiteral("D"));
}

void TestOperazioni::duplicaSenzaImmagine()
{
    progettoDiLinee(3, 1);
    AggiornaRiga(2, [](RigaLadder& r) {
        r.immagineVisibile = false;
        r.immagine = 0;
    });
    DuplicaRung(2, 3);
    QVERIFY(Riga(0, 3).immagineVisibile);
    QCOMPARE(Riga(0, 3).immagine, 0);
    QCOMPARE(Riga(0, 3).lbl_Rung.caption, QStringLiteral("3"));
    RigaLadder attesa = Riga(0, 2);
    attesa.immagineVisibile = true;
    QVERIFY(Riga(0, 3).contenutoUguale(attesa));
    QCOMPARE(Sezioni[0].Rung[3], Sezioni[0].Rung[2]);
}

void TestOperazioni::descrizione()
{
    progettoDiLinee(2, 1);
    AggiungiRung();
    QCOMPARE(Sezioni[0].Rung[3].Descrizione, QStringLiteral("<...>"));
    QCOMPARE(Riga(0, 3).txt_desc, QStringLiteral("<...>"));
    txt_desc_GotFocus(3);
    QCOMPARE(int(RungCorrente), 3);
    QCOMPARE(Sezioni[0].Rung[3].Descrizione, QString());
    txt_desc_Change(3, QStringLiteral("pump on"));
    QCOMPARE(Sezioni[0].Rung[3].Descrizione, QStringLiteral("pump on"));
    txt_desc_GotFocus(2);
    QCOMPARE(Sezioni[0].Rung[2].Descrizione, QStringLiteral("desc B"));
    QCOMPARE(violazione(), QString());
}

void TestOperazioni::selezioneConTreEventi()
{
    progettoDiLinee(7, 2);
    Riga_Click(6);
    QCOMPARE(int(RungCorrente), 6);
    QCOMPARE(Riga(0, 6).coloreBordo, colore::kRosso);
    QCOMPARE(Riga(0, 2).coloreBordo, colore::kFacciaPulsante);
    QVERIFY(!Riga_MouseDown(4, 1));
    QVERIFY(Riga_MouseDown(5, kTastoDestro));
    QCOMPARE(int(RungCorrente), 5);
    QCOMPARE(violazione(), QString());
}

void TestOperazioni::senzaLineaCorrenteNienteAccade_data()
{
    QTest::addColumn<QString>("chiave");
    for (const char* k : {"rung_del", "rung_mod", "rung_move_up", "rung_move_down", "rung_copy", "rung_paste",
                          "rung_break", "mnu_FB_Delete", "mnu_modify", "mnu_FB_Break"})
        QTest::newRow(k) << QString::fromLatin1(k);
}

void TestOperazioni::senzaLineaCorrenteNienteAccade()
{
    QFETCH(QString, chiave);
    progettoDiLinee(1, 1);
    Toolbar1_ButtonClick(QStringLiteral("rung_copy"));
    Toolbar1_ButtonClick(QStringLiteral("rung_del"));
    QCOMPARE(int(Sezioni[0].NumRung), 0);
    const Sezione prima = Sezioni[0];
    const RigaLadder riga0 = Riga(0, 0);
    QSignalSpy aperto(&Notifiche::istanza(), &Notifiche::modificaRigaChiesta);
    banco_.dialogs.messaggi.clear();
    passo(banco_.dialogs, chiave);
    QVERIFY(aperto.isEmpty());
    QVERIFY(banco_.dialogs.messaggi.empty());   // nothing to delete, nothing to ask
    QCOMPARE(int(Sezioni[0].NumRung), 0);
    QCOMPARE(Sezioni[0].Rung, prima.Rung);
    QCOMPARE(Riga(0, 0), riga0);
    QCOMPARE(int(RungCorrente), 0);
    QCOMPARE(violazione(), QString());
}

void TestOperazioni::secondaCancellazioneNonToccaRiga0()
{
    progettoDiLinee(1, 1);
    Toolbar1_ButtonClick(QStringLiteral("rung_del"));
    Toolbar1_ButtonClick(QStringLiteral("rung_del"));
    CancellaRung(0);
    CancellaRung(RungCorrente);
    QCOMPARE(int(Sezioni[0].NumRung), 0);
    QCOMPARE(int(UltimaRiga), 0);
    QVERIFY(RigaEsiste(0, 0));
    // The deleted line can still come back.
    Toolbar1_ButtonClick(QStringLiteral("rung_redo"));
    QCOMPARE(etichette(), QStringLiteral("A"));
    QCOMPARE(violazione(), QString());
}

void TestOperazioni::nuovoDimenticaUndoECopia()
{
    for (const char* comando : {"proj_new", "mnu_new", "mnu_close"}) {
        banco_.dialogs.predefinita = platform::MsgResult::Ok;
        progettoDiLinee(3, 2);
        Toolbar1_ButtonClick(QStringLiteral("rung_copy"));
        Toolbar1_ButtonClick(QStringLiteral("rung_del"));
        QVERIFY(abilitato("rung_paste") && abilitato("rung_redo"));
        banco_.dialogs.predefinita = platform::MsgResult::No;
        passo(banco_.dialogs, QString::fromLatin1(comando));
        QVERIFY2(!abilitato("rung_paste") && !abilitato("rung_redo"), comando);
        QCOMPARE(RungUndo[0].Indice, std::int16_t(0));
        QCOMPARE(RungUndo[0].Rung, Rung{});
        // Neither command brings the old project's lines back.
        Toolbar1_ButtonClick(QStringLiteral("rung_redo"));
        Toolbar1_ButtonClick(QStringLiteral("rung_paste"));
        QCOMPARE(etichette(), QString::fromLatin1(qstrcmp(comando, "mnu_close") ? "_" : ""));
        QCOMPARE(violazione(), QString());
    }
}

void TestOperazioni::ripristinoRifiutaIndiceFuori_data()
{
    QTest::addColumn<QString>("presa");   // how the record was taken
    QTest::addColumn<int>("indice");
    QTest::newRow("paste, index 0") << "rung_paste" << 0;
    QTest::newRow("paste, index past the end") << "rung_paste" << 5;
    QTest::newRow("paste, index 101") << "rung_paste" << 101;
    QTest::newRow("delete, index 0") << "rung_del" << 0;
    QTest::newRow("delete, two past the end") << "rung_del" << 5;
    QTest::newRow("delete, negative") << "rung_del" << -3;
}

void TestOperazioni::ripristinoRifiutaIndiceFuori()
{
    QFETCH(QString, presa);
    QFETCH(int, indice);
    progettoDiLinee(4, 1);
    Toolbar1_ButtonClick(QStringLiteral("rung_copy"));
    Riga_Click(2);
    Toolbar1_ButtonClick(presa);
    RungUndo[0].Indice = std::int16_t(indice);
    const auto prima = Sezioni[0];
    Toolbar1_ButtonClick(QStringLiteral("rung_redo"));
    QCOMPARE(Sezioni[0].NumRung, prima.NumRung);
    QCOMPARE(Sezioni[0].Rung, prima.Rung);
    QVERIFY(!abilitato("rung_redo"));
    QCOMPARE(violazione(), QString());
}

void TestOperazioni::ripristinoDopoCancellazioneReinserisce()
{
    progettoDiLinee(4, 2);
    const Rung b = Sezioni[0].Rung[2];
    const Rung c = Sezioni[0].Rung[3];
    const RigaLadder rigaB = Riga(0, 2);
    Toolbar1_ButtonClick(QStringLiteral("rung_del"));
    Toolbar1_ButtonClick(QStringLiteral("rung_redo"));
    // The line that moved up into index 2 is not overwritten: it moves down again.
    QCOMPARE(Sezioni[0].Rung[2], b);
    QCOMPARE(Sezioni[0].Rung[3], c);
    QVERIFY(Riga(0, 2).contenutoUguale(rigaB));
    QCOMPARE(int(Sezioni[0].NumRung), 4);
    QCOMPARE(violazione(), QString());
}

void TestOperazioni::ripristinoNonRicodifica()
{
    progettoDiLinee(3, 1);
    // A blank line and a line never confirmed in the editor come back as they were.
    Toolbar1_ButtonClick(QStringLiteral("rung_add_after"));
    const Rung vuota = Sezioni[0].Rung[2];
    const RigaLadder rigaVuota = Riga(0, 2);
    QSignalSpy editor(&Notifiche::istanza(), &Notifiche::modificaRigaChiesta);
    Toolbar1_ButtonClick(QStringLiteral("rung_del"));
    Toolbar1_ButtonClick(QStringLiteral("rung_redo"));
    QCOMPARE(Sezioni[0].Rung[2], vuota);
    QCOMPARE(Sezioni[0].Rung[2].Classe, std::int16_t(0));
    QVERIFY(Riga(0, 2).contenutoUguale(rigaVuota));

    Riga_Click(1);
    Toolbar1_ButtonClick(QStringLiteral("rung_copy"));
    Riga_Click(3);
    const Rung b = Sezioni[0].Rung[3];
    const RigaLadder rigaB = Riga(0, 3);
    Toolbar1_ButtonClick(QStringLiteral("rung_paste"));
    Toolbar1_ButtonClick(QStringLiteral("rung_redo"));
    QVERIFY(editor.isEmpty());
    QCOMPARE(Sezioni[0].Rung[3], b);
    QVERIFY(Riga(0, 3).contenutoUguale(rigaB));
    QCOMPARE(violazione(), QString());
}

void TestOperazioni::nuovaLineaVuota()
{
    progettoDiLinee(3, 3);
    Sezioni[0].Rung[3].Break = true;
    AggiornaMarcaBreak(3);
    Toolbar1_ButtonClick(QStringLiteral("rung_del"));
    Toolbar1_ButtonClick(QStringLiteral("rung_del"));
    // Lines 2 and 3 still hold their records beyond the end; new lines must not.
    Toolbar1_ButtonClick(QStringLiteral("rung_add_after"));
    Toolbar1_ButtonClick(QStringLiteral("rung_add_after"));
    QCOMPARE(Sezioni[0].Rung[2], RungVuoto());
    QCOMPARE(Sezioni[0].Rung[3], RungVuoto());
    QVERIFY(!Riga(0, 3).img_Break);

    // Emptying the unit by deleting and then starting a new project.
    for (int i = 0; i < 3; ++i)
        Toolbar1_ButtonClick(QStringLiteral("rung_del"));
    progettoDiLinee(2, 1);
    Toolbar1_ButtonClick(QStringLiteral("rung_del"));
    Toolbar1_ButtonClick(QStringLiteral("rung_del"));
    InitProgetto();
    QCOMPARE(Sezioni[0].Rung[1], RungVuoto());

    // Insert Before opens a wholly blank line, argument texts included.
    progettoDiLinee(2, 2);
    Toolbar1_ButtonClick(QStringLiteral("rung_add_before"));
    QCOMPARE(Sezioni[0].Rung[2], RungVuoto());
    QCOMPARE(violazione(), QString());
}

void TestOperazioni::centunesimaLineaRifiutata()
{
    progettoDiLinee(3, 2);
    while (Sezioni[0].NumRung < kMaxRung)
        QVERIFY(AggiungiRung());
    SelezionaRung(50);
    const auto prima = Sezioni[0];
    QVERIFY(!AggiungiRung());
    Toolbar1_ButtonClick(QStringLiteral("rung_add_after"));
    ClickMenu(QStringLiteral("mnu_FB_Insert_Before"));
    QCOMPARE(Sezioni[0].NumRung, std::int16_t(kMaxRung));
    QCOMPARE(Sezioni[0].Rung, prima.Rung);
    QCOMPARE(banco_.dialogs.messaggi.size(), std::size_t(2));
    QVERIFY(banco_.dialogs.messaggi[0].testo.contains(QLatin1String("100")));
    // A full unit still pastes and restores in place.
    Toolbar1_ButtonClick(QStringLiteral("rung_del"));
    Toolbar1_ButtonClick(QStringLiteral("rung_add_after"));
    QCOMPARE(Sezioni[0].NumRung, std::int16_t(kMaxRung));
    QCOMPARE(violazione(), QString());
}

void TestOperazioni::decimaUnitaRifiutata()
{
    avviaProgetto();
    for (int u = 1; u <= 9; ++u) {
        QVERIFY(NuovaSub());
        QCOMPARE(int(SubCorrente), u);
        QCOMPARE(int(Sezioni[std::size_t(u)].NumRung), 1);
        QCOMPARE(CaptionTab(u + 1), QStringLiteral("Sub%1").arg(u));
        QCOMPARE(violazione(), QString());
    }
    QVERIFY(!NuovaSub());
    QCOMPARE(int(NumSub), 9);
    QCOMPARE(int(SubCorrente), 9);
    QCOMPARE(NumeroTab(), 10);
    // Each unit keeps its own rows.
    Tab_Prog_Click(1);
    QCOMPARE(int(SubCorrente), 0);
    QVERIFY(RigaEsiste(0, 1) && RigaEsiste(5, 1));
    Tab_Prog_Click(11);
    QCOMPARE(int(SubCorrente), 0);
}

void TestOperazioni::inserisciPrimaInUnitaVuota()
{
    progettoDiLinee(1, 1);
    Toolbar1_ButtonClick(QStringLiteral("rung_copy"));
    Toolbar1_ButtonClick(QStringLiteral("rung_del"));
    Toolbar1_ButtonClick(QStringLiteral("rung_add_before"));
    // Line 1 is blank and current; the copy buffer did not slip into it.
    QCOMPARE(etichette(), QStringLiteral("_"));
    QCOMPARE(int(RungCorrente), 1);
    QCOMPARE(Sezioni[0].Rung[0].Etichetta, QStringLiteral("A"));
    QCOMPARE(violazione(), QString());
}

void TestOperazioni::cornicesegueLUltimaLinea()
{
    progettoDiLinee(3, 3);
    Toolbar1_ButtonClick(QStringLiteral("rung_del"));
    QCOMPARE(int(RungCorrente), 2);
    QCOMPARE(Riga(0, 2).coloreBordo, colore::kRosso);
}

void TestOperazioni::copiaDiUnAltraUnita()
{
    progettoDiLinee(2, 1);
    Toolbar1_ButtonClick(QStringLiteral("rung_copy"));
    Toolbar1_ButtonClick(QStringLiteral("rung_del"));
    QVERIFY(NuovaSub());
    // Line 0 of unit 1 holds no copy and unit 0's undo record is not unit 1's.
    Toolbar1_ButtonClick(QStringLiteral("rung_paste"));
    Toolbar1_ButtonClick(QStringLiteral("rung_redo"));
    QCOMPARE(etichette(), QStringLiteral("_"));
    QCOMPARE(int(Sezioni[1].NumRung), 1);
    // A reset leaves every unit, used or not, with its design row alone.
    AzzeraVista();
    for (int unita : {0, 1, kNumSezioni - 1})
        QVERIFY(RigaEsiste(unita, 0) && !RigaEsiste(unita, 1) && !Riga(unita, 0).pannelloVisibile);
}

QTEST_GUILESS_MAIN(TestOperazioni)
#include "tst_operazioni.moc"
