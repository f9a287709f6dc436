// The project's lifecycle: the empty project, New and Close.
#include "base/BarraStrumenti.h"
#include "app/Comandi.h"
#include "display/PagineDisplay.h"
#include "images/Immagini.h"
#include "link/StatoLink.h"
#include "projectfiles/FileProgetto.h"
#include "tables/Tabelle.h"
#include "ladder/OperazioniRung.h"
#include "ladder/VistaLadder.h"
#include "project/Progetto.h"
#include "projectfiles/NuovoProgetto.h"
#include "project/Registri.h"
#include "support/Banco.h"
#include "support/Ladder.h"

#include <QtTest>

using namespace ludra;
using namespace ludra::test;

namespace {

bool abilitato(const char* chiave)
{
    return BarraStrumenti::istanza().abilitato(QString::fromLatin1(chiave));
}

bool gruppo(const char* nome, bool stato)
{
    for (const QString& k : PulsantiDelGruppo(QString::fromLatin1(nome)))
        if (BarraStrumenti::istanza().abilitato(k) != stato)
            return false;
    return true;
}

} // namespace

class TestProgetto : public QObject {
    Q_OBJECT
private slots:
    void init() { banco_.apri(Banco::Doppi::Tutti); }
    void cleanup() { banco_.chiudi(); }
    void progettoVuoto();
    void nuovoRispostoNo();
    void nuovoRispostoSi();
    void chiudi();
    void chiudiPoiNuovo();
    void nuovoLasciaIlResto();
    void nuovoSoloSullUnitaCorrente();
    void dueAvviiUguali();

private:
    Banco banco_;
};

void TestProgetto::progettoVuoto()
{
    avviaProgetto();
    QCOMPARE(NomeProgetto, QStringLiteral("Project"));
    QCOMPARE(int(Sezioni[0].NumRung), 1);
    QCOMPARE(Sezioni[0].Rung[1], RungVuoto());
    QCOMPARE(int(RungCorrente), 1);
    QCOMPARE(int(UltimaRiga), 1);
    QCOMPARE(Riga(0, 1).coloreBordo, colore::kRosso);
    QCOMPARE(Riga(0, 1).txt_desc, QStringLiteral("<...>"));
    QCOMPARE(Riga(0, 1).lbl_Rung.caption, QStringLiteral("1"));
    QVERIFY(!Riga(0, 1).img_Break && !Riga(0, 1).immagineVisibile);
    QVERIFY(Vista().Loaded);
    QCOMPARE(int(PagineDisplay.NumPagine), 1);
    QVERIFY(gruppo("Puls_FunctionBlock", true));
    QVERIFY(gruppo("Puls_Compila", true));
    QVERIFY(!abilitato("rung_paste") && !abilitato("rung_redo"));
    QVERIFY(banco_.dialogs.messaggi.empty());
    QCOMPARE(violazione(), QString());
}

void TestProgetto::nuovoRispostoNo()
{
    progettoDiLinee(5, 3);
    banco_.dialogs.risposte.push_back(platform::MsgResult::No);
    NuovoProgetto();
    QVERIFY(banco_.dialogs.richiesteFile.empty());   // no save dialog
    QCOMPARE(banco_.dialogs.messaggi.size(), std::size_t(1));
    QCOMPARE(banco_.dialogs.messaggi[0].testo, QStringLiteral("Do you want to save your changes?"));
    QCOMPARE(banco_.dialogs.messaggi[0].pulsanti, platform::MsgButtons::YesNo);
    for (int i = 1; i <= 5; ++i) {
        const Rung& r = Sezioni[0].Rung[std::size_t(i)];
        QCOMPARE(r.Descrizione, QStringLiteral("<...>"));
        QCOMPARE(r.Classe, std::int16_t(0));
        QCOMPARE(r.Etichetta, QString());
        QCOMPARE(r.ArgByte, (std::array<std::uint8_t, 32>{}));
        QVERIFY(!r.Caricato && r.LungDati == 0);
        // The argument texts stay.
        QCOMPARE(r.ArgTesto[0], QString(QChar('A' + i - 1)) + QStringLiteral("0"));
        QVERIFY(!RigaEsiste(0, i));
    }
    InitProgetto();
    QCOMPARE(etichette(), QStringLiteral("_"));
    QCOMPARE(int(RungCorrente), 1);
    QCOMPARE(NomeProgetto, QStringLiteral("Project"));
    QCOMPARE(violazione(), QString());
}

void TestProgetto::nuovoRispostoSi()
{
    progettoDiLinee(5, 3);
    QTemporaryDir cartella;
    NomeProgetto = FileProgetto = cartella.filePath(QStringLiteral("p.prj"));   // asked anyway
    banco_.dialogs.fileScelti.push_back(cartella.filePath(QStringLiteral("nuovo")));
    banco_.dialogs.risposte.push_back(platform::MsgResult::Yes);
    Toolbar1_ButtonClick(QStringLiteral("proj_new"));
    QCOMPARE(banco_.dialogs.richiesteFile.size(), std::size_t(1));
    QString errore;
    const auto salvato = LeggiFileProgetto(cartella.filePath(QStringLiteral("nuovo.prj")), errore);
    QVERIFY2(salvato, qPrintable(errore));
    QCOMPARE(salvato->righe.size(), std::size_t(5));   // saved before anything was cleared
    QCOMPARE(etichette(), QStringLiteral("_"));
    QCOMPARE(violazione(), QString());
}

void TestProgetto::chiudi()
{
    progettoDiLinee(3, 2);
    NomeProgetto = QStringLiteral("/tmp/pump");
    ClickMenu(QStringLiteral("mnu_close"));
    QCOMPARE(int(Sezioni[0].NumRung), 0);
    QCOMPARE(int(RungCorrente), 0);
    QCOMPARE(int(UltimaRiga), 0);
    QVERIFY(!Vista().Loaded);
    QVERIFY(gruppo("Puls_FunctionBlock", false));
    QVERIFY(gruppo("Puls_Compila", false));
    QCOMPARE(NomeProgetto, QStringLiteral("/tmp/pump"));
    QCOMPARE(violazione(), QString());
}

void TestProgetto::chiudiPoiNuovo()
{
    progettoDiLinee(3, 2);
    ClickMenu(QStringLiteral("mnu_close"));
    ClickMenu(QStringLiteral("mnu_new"));
    QVERIFY(Vista().Loaded);
    QCOMPARE(etichette(), QStringLiteral("_"));
    QVERIFY(gruppo("Puls_FunctionBlock", true));
    QCOMPARE(banco_.dialogs.messaggi.size(), std::size_t(2));
    QCOMPARE(violazione(), QString());
}

void TestProgetto::nuovoLasciaIlResto()
{
    progettoDiLinee(2, 1);
    PagineDisplay.NumPagine = 3;
    PagineDisplay.Pagine[0].NumOggetti = 4;
    PagineDisplay.Pagine[1].NumOggetti = 2;
    Controllore.Modello = QStringLiteral("KVR5200");
    ImpostaModello();
    TabellaRegistri[30] = {QString(), QStringLiteral("Level"), 0, 4};
    NumTabelle = NumImmagini = 2;
    Sezioni[0].Rung[0].Etichetta = QStringLiteral("copied");
    FileProgetto = QStringLiteral("/tmp/pump.prj");
    Toolbar1_ButtonClick(QStringLiteral("proj_new"));
    QCOMPARE(int(PagineDisplay.NumPagine), 1);
    QCOMPARE(int(PagineDisplay.Pagine[0].NumOggetti), 0);
    QCOMPARE(int(PagineDisplay.Pagine[1].NumOggetti + NumTabelle + NumImmagini), 0);
    QCOMPARE(TabellaRegistri[30].Nome + QString::number(TabellaRegistri[30].Formato), "1");
    QCOMPARE(Sezioni[0].Rung[0].Etichetta, QStringLiteral("copied"));
    // The closed project's path goes: a later Save must not overwrite it.
    QVERIFY(FileProgetto.isEmpty());
}

void TestProgetto::nuovoSoloSullUnitaCorrente()
{
    avviaProgetto();
    for (int u = 0; u < kNumSezioni; ++u) {
        Sezioni[std::size_t(u)].NumRung = 2;
        Sezioni[std::size_t(u)].Rung[1].Etichetta = QStringLiteral("U%1").arg(u);
    }
    SubCorrente = 3;
    NuovoProgetto();
    for (int u = 0; u < kNumSezioni; ++u) {
        QCOMPARE(int(Sezioni[std::size_t(u)].NumRung), 0);
        QCOMPARE(Sezioni[std::size_t(u)].Rung[1].Etichetta, QString());
    }
    QCOMPARE(int(SubCorrente), 0);
}

void TestProgetto::dueAvviiUguali()
{
    progettoDiLinee(6, 4);
    Toolbar1_ButtonClick(QStringLiteral("rung_copy"));
    cmd_Formato_Click();
    NuovaSub();
    avviaProgetto();
    QCOMPARE(int(NumSub), 0);
    QCOMPARE(int(SubCorrente), 0);
    QCOMPARE(int(Sezioni[0].Formato), 0);
    QCOMPARE(etichette(), QStringLiteral("_"));
    QVERIFY(!RigaEsiste(1, 1));
    QVERIFY(!CopiaDisponibile());
    QCOMPARE(Vista().VScroll.valore, 0);
    QCOMPARE(violazione(), QString());
}

QTEST_GUILESS_MAIN(TestProgetto)
#include "tst_progetto.moc"
