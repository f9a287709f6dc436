// A project built through the function-block editor, saved and opened again: the same
// lines, rows, compiled image and saved files come back, under any locale.
#include "compiler/CodiceProgramma.h"
#include "compiler/Compilatore.h"
#include "fbeditor/CompilaComando.h"
#include "fbeditor/Ricodifica.h"
#include "fbeditor/StatoComandi.h"
#include "ladder/OperazioniRung.h"
#include "ladder/VistaLadder.h"
#include "monitor/DialogoRegistro.h"
#include "platform/Cp1252.h"
#include "projectfiles/FileProgetto.h"
#include "projectfiles/NuovoProgetto.h"
#include "support/Banco.h"
#include "tables/Tabelle.h"

#include <QTemporaryDir>
#include <QTest>
#include <clocale>

using namespace ludra;

namespace {

StatoComandi& S() { return StatoComandi::istanza(); }

// Fills the editor for a block: "k=text" sets field k, "k#n" picks entry n of its list.
void campi(int codice, const QString& elenco)
{
    S().ClickFunzione(codice);
    for (const QString& c : elenco.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        if (c.contains(QLatin1Char('#'))) {
            const QStringList p = c.split(QLatin1Char('#'));
            S().SelezionaVoce(p[0].toInt(), p[1].toInt());
            continue;
        }
        const int uguale = int(c.indexOf(QLatin1Char('=')));
        const int k = c.left(uguale).toInt();
        S().ImpostaTesto(k, c.mid(uguale + 1));
        if (k == 0)
            S().txt_Var_Click(0);
    }
}

struct Blocco {
    int codice;
    const char* campi;
};

// The blocks the lines cycle through; code -1 leaves the line blank.
constexpr Blocco kBlocchi[] = {
    {0, "0=10;1=100;2=4;4=%R 30"},
    {1, "0=1;1=5;2=2;4=%R 40"},
    {4, "0=%R 30;1=%R 31;4=%R 32"},
    {-1, ""},
    {11, "4=LOOP"},
    {16, "0=3;1=1500;2=%R 50"},
    {30, "0=%R 40;1#1;4=%R 41"},
    {40, "0=3;1=7;2=1;4=%R 27"},
    {15, ""},
    {10, "0=4660;1=-1;3=65535"},   // register words beyond the register table
    {46, "0=4660;1=10;2=-1"},
    {3, "0=%R 30;1=2.5;2=.75;4=%R 31;5=-0.5;6=1.5E2"},   // a Scale with fractions
};

} // namespace

class TestGiroProgetto : public QObject {
    Q_OBJECT
private slots:
    void init() { banco_.apri(test::Banco::Doppi::Tutti, test::Banco::Avvio::Stato); }
    void cleanup() { banco_.chiudi(); }
    void saveAndOpenGiveBackTheProject_data();
    void saveAndOpenGiveBackTheProject();
    void noTextSavedAsQuestionMarks_data();
    void noTextSavedAsQuestionMarks();

private:
    test::Banco banco_;
};

void TestGiroProgetto::saveAndOpenGiveBackTheProject_data()
{
    QTest::addColumn<QByteArray>("locale");   // the fixture opens the test under it
    for (const char* l : {"C", "it_IT.UTF-8", "de_DE.UTF-8", "tr_TR.UTF-8"})
        QTest::addRow("opened under %s", l) << QByteArray(l);
}

void TestGiroProgetto::saveAndOpenGiveBackTheProject()
{
    QFETCH(QByteArray, locale);
    std::setlocale(LC_ALL, "C");   // the project is written under C
    banco_.dialogs.predefinita = platform::MsgResult::No;
    InitProgetto();
    RicodificaRungHook = RicodificaRiga;

    NumTabelle = 9;
    for (int t = 0; t < 9; ++t) {
        Tabella& tab = Tabelle[std::size_t(t)];
        tab.Nome = QStringLiteral("T%1").arg(t);
        tab.NumPunti = std::uint8_t(2 + 3 * t);
        for (int p = 0; p < tab.NumPunti; ++p) {
            tab.Ingresso[std::size_t(p)] = p * 10.5;
            tab.Uscita[std::size_t(p)] = -p * 0.125 + t;
        }
    }
    AllocaTabelle();
    PagineDisplay.NumPagine = 2;
    PagineDisplay.Pagine[1].NumOggetti = 1;
    PagineDisplay.Pagine[1].Oggetti[1].Testo[0] = QStringLiteral("Level, %");
    PagineDisplay.Pagine[1].Oggetti[1].Max = 99.5;
    TabellaRegistri[30].Nome = QStringLiteral("Level");

    // 100 lines through the editor, the first one carrying the label the jumps use.
    for (int i = 1; i <= 100; ++i) {
        if (i > 1)
            QVERIFY(AggiungiRung());
        const Blocco& b = kBlocchi[(i - 1) % std::size(kBlocchi)];
        if (b.codice >= 0) {
            S().Carica();
            S().CaricaRiga(i);
            campi(b.codice, QString::fromLatin1(b.campi));
            S().ImpostaEtichetta(i == 1 ? QStringLiteral("LOOP")
                                        : i % 10 == 0 ? QStringLiteral("L%1").arg(i) : QString());
            QVERIFY2(CompilaComando() == kComandoScritto, qPrintable(QString::number(i)));
            S().Scarica();
        }
        if (i % 3 == 0) {
            Sezioni[0].Rung[std::size_t(i)].Descrizione = QStringLiteral("Step %1, tank").arg(i);
            ImpostaDescrizione(0, i, Sezioni[0].Rung[std::size_t(i)].Descrizione);
        }
    }
    QCOMPARE(int(Sezioni[0].NumRung), 100);
    // The lines really hold their blocks (a Read Holding and a linearisation).
    QCOMPARE(Sezioni[0].Rung[1].Classe, std::int16_t(2));
    QCOMPARE(int(Sezioni[0].Rung[1].ArgByte[0]), 10);
    QVERIFY(Sezioni[0].Rung[7].LungDati > 0);
    QCOMPARE(Sezioni[0].Rung[4].Classe, std::int16_t(0));
    for (int i : {2, 7, 50})
        Sezioni[0].Rung[std::size_t(i)].Break = true;

    QTemporaryDir dir;
    banco_.dialogs.fileScelti.push_back(dir.path() + QStringLiteral("/giro.prj"));
    QVERIFY(SalvaProgetto(true));

    // Breakpoints live only while the program is edited; the rest must come back.
    for (int i = 1; i <= 100; ++i)
        Sezioni[0].Rung[std::size_t(i)].Break = false;
    const Sezione prima = Sezioni[0];
    std::vector<RigaLadder> righePrima;
    for (int i = 1; i <= 100; ++i)
        righePrima.push_back(Riga(0, i));
    QVERIFY(Compila() > 0);
    const auto immaginePrima = CodiceProgramma;
    const auto tabellePrima = Tabelle;

    std::setlocale(LC_ALL, locale.constData());
    banco_.dialogs.fileScelti.push_back(dir.path() + QStringLiteral("/giro.prj"));
    ApriProgetto();
    QCOMPARE(int(Sezioni[0].NumRung), 100);
    for (int i = 1; i <= 100; ++i) {
        Rung atteso = prima.Rung[std::size_t(i)];
        atteso.Caricato = true;   // every line read from a file is a loaded line
        QCOMPARE(Sezioni[0].Rung[std::size_t(i)], atteso);
        const RigaLadder& r = Riga(0, i);
        const RigaLadder& p = righePrima[std::size_t(i - 1)];
        QVERIFY2(r.contenutoUguale(p), qPrintable(QString::number(i)));
    }
    QCOMPARE(Tabelle, tabellePrima);
    QCOMPARE(TabellaRegistri[30].Nome, QStringLiteral("Level"));
    QCOMPARE(PagineDisplay.Pagine[1].Oggetti[1].Testo[0], QStringLiteral("Level, %"));
    QVERIFY(Compila() > 0);
    QCOMPARE(CodiceProgramma, immaginePrima);
    QTemporaryDir di2;
    banco_.dialogs.fileScelti.push_back(di2.path() + QStringLiteral("/giro.prj"));
    QVERIFY(SalvaProgetto(true));
    for (const QString& f : QDir(dir.path()).entryList(QDir::Files)) {
        QFile a(dir.filePath(f)), b(di2.filePath(f));
        QVERIFY2(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly)
                     && a.readAll() == b.readAll(), qPrintable(f));
    }
    RicodificaRungHook = nullptr;
}

void TestGiroProgetto::noTextSavedAsQuestionMarks_data()
{
    QTest::addColumn<QString>("campo");   // where it is typed; "line 1" takes it past every field
    QTest::addColumn<QString>("testo");
    const QString emoji = QString::fromUtf8("Desc\u20AC emo\U0001F600 e\u0301"), accento = QString::fromUtf8("Re\u0301g");
    for (const char* campo : {"description", "label", "register name"}) {
        QTest::addRow("%s, emoji", campo) << campo << emoji;
        QTest::addRow("%s, combining accent", campo) << campo << accento;
    }
    QTest::newRow("jump target, emoji") << "goto" << QString::fromUtf8("A\U0001F601");
    QTest::newRow("the writer handed an emoji") << "line 1" << emoji;
}

// Refused where it is typed, or by the save: the files stay as they were, never with "?".
void TestGiroProgetto::noTextSavedAsQuestionMarks()
{
    QFETCH(QString, campo);
    QFETCH(QString, testo);
    InitProgetto();
    QTemporaryDir dir;
    banco_.dialogs.fileScelti.push_back(dir.path() + QStringLiteral("/giro.prj"));
    QVERIFY(SalvaProgetto(true));
    const auto disco = [&] {   // every file's name and bytes
        QByteArrayList tutto;
        for (const QString& f : QDir(dir.path()).entryList(QDir::Files))
            if (QFile da(dir.filePath(f)); da.open(QIODevice::ReadOnly))
                tutto << f.toUtf8() << da.readAll();
        return tutto;
    };
    const QByteArrayList prima = disco();
    S().CaricaRiga(1);
    campi(11, "4=" + (campo == "goto" ? testo : QStringLiteral("L")));
    S().ImpostaEtichetta(campo == "label" ? testo : QString());
    QVERIFY(campo == "description" ? !txt_desc_Change(1, testo)
            : campo == "register name" ? !ConfermaRegistro(30, testo, -1, {})
            : campo == "line 1" ? !(Sezioni[0].Rung[1].Descrizione = testo).isEmpty() : !ConfermaComando());
    QCOMPARE(SalvaProgetto(false), campo != "line 1");
    const QString detto = banco_.dialogs.messaggi.back().testo;
    QVERIFY2(detto.contains(platform::primoFuoriCp1252(testo))
                 && (campo != "line 1" || detto.contains("giro.prj, line 2")), qPrintable(detto));
    QCOMPARE(disco(), prima);
}

QTEST_GUILESS_MAIN(TestGiroProgetto)
#include "tst_giroprogetto.moc"
