#include "app/Avvio.h"
#include "base/Finestre.h"
#include "base/Menu.h"
#include "base/Testi.h"
#include "support/Banco.h"

#include <QTest>

using namespace ludra;

namespace {

struct FinestraProva : Localizzabile {
    int chiamate = 0;
    QString caption;
    void SetRes() override
    {
        ++chiamate;
        caption = Testi.t(53);
    }
};

QString caption(const char* nome)
{
    return MenuPrincipale::istanza().trova(QString::fromLatin1(nome))->caption;
}

} // namespace

class TestTesti : public QObject {
    Q_OBJECT
private slots:
    void init() { banco_.apri(test::Banco::Doppi::Tutti); }
    void cleanup() { banco_.chiudi(); }

    void menuCaptions_data();
    void menuCaptions();
    void reportTexts_data();
    void reportTexts();
    void daysAndMonths();
    void languageWordsAndNames();
    void functionNamesSameInBoth();
    void fixedNameTables();
    void emptySlots();
    void missingIdKeepsValue();
    void gapsInTheTable();
    void cambiaLinguaSwitchesLoadedWindows();
    void cambiaLinguaRefusesOtherValues();
    void switchingTwiceChangesNothing();
    void fixedMenuCaptionsStay();

private:
    test::Banco banco_;
};

void TestTesti::menuCaptions_data()
{
    QTest::addColumn<int>("lang");
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("text");
    QTest::newRow("it project") << 0 << "mnu_project" << "Progetto";
    QTest::newRow("it view") << 0 << "mnu_view" << "Visualizza";
    QTest::newRow("it tools") << 0 << "mnu_tools" << "Strumenti";
    QTest::newRow("it export") << 0 << "mnu_Export" << "Esporta";
    QTest::newRow("it about") << 0 << "mnu_About" << "Informazioni";
    QTest::newRow("it saveAs") << 0 << "mnu_saveAs" << "Salva come...";
    QTest::newRow("en project") << 1 << "mnu_project" << "Project";
    QTest::newRow("en images typo") << 1 << "mnu_images" << "Immages";
    QTest::newRow("en config") << 1 << "mnu_1000" << "Config";
    QTest::newRow("en variables") << 1 << "mnu_Format" << "Variables";
    QTest::newRow("en help") << 1 << "mnu_help" << "?";
    QTest::newRow("en export") << 1 << "mnu_Export" << "Export";
}

void TestTesti::menuCaptions()
{
    QFETCH(int, lang);
    QFETCH(QString, item);
    QFETCH(QString, text);
    ImpostaLingua(std::uint8_t(1 - lang));
    ImpostaLingua(std::uint8_t(lang));
    QCOMPARE(Lingua, std::uint8_t(lang));
    QCOMPARE(MenuPrincipale::istanza().trova(item)->caption, text);
}

void TestTesti::reportTexts_data()
{
    QTest::addColumn<int>("lang");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("text");
    QTest::newRow("it 44") << 0 << 44 << "Controllo errori";
    QTest::newRow("it 51") << 0 << 51 << "Impossibile compilare";
    QTest::newRow("it 54") << 0 << 54 << "Tabella Registri";
    QTest::newRow("it 59") << 0 << 59 << "Imposta Registro";
    QTest::newRow("it 91") << 0 << 91 << "Nodo ID";
    QTest::newRow("it 94") << 0 << 94 << "Porta COM";
    QTest::newRow("it 98") << 0 << 98 << QString::fromUtf8("Modalità Debug");
    QTest::newRow("it 109") << 0 << 109 << "Termina";
    QTest::newRow("it 172") << 0 << 172 << "Salvare i cambiamenti?";
    // The editor's argument captions, as the Italian editor has always spelt them.
    QTest::newRow("it 64") << 0 << 64 << "Indirizzo";
    QTest::newRow("it 65") << 0 << 65 << "Regisro";
    QTest::newRow("it 77") << 0 << 77 << "Se Vero Goto";
    QTest::newRow("it 78") << 0 << 78 << "Se Falso Goto";
    QTest::newRow("en 44") << 1 << 44 << "Error check";
    QTest::newRow("en 52") << 1 << 52 << "Label Error";
    QTest::newRow("en 91") << 1 << 91 << "Node ID";
    QTest::newRow("en 100") << 1 << 100 << "'Animate' time";
    QTest::newRow("en 101") << 1 << 101 << "Search Devices";
    QTest::newRow("en 169") << 1 << 169 << QString::fromUtf8("Bit [0÷15]");
    QTest::newRow("en 172") << 1 << 172 << "Do you want to save your changes?";
}

void TestTesti::reportTexts()
{
    QFETCH(int, lang);
    QFETCH(int, key);
    QFETCH(QString, text);
    ImpostaLingua(std::uint8_t(lang));
    QCOMPARE(Testi.t(key), text);
}

void TestTesti::daysAndMonths()
{
    ImpostaLingua(kInglese);
    QCOMPARE(Testi.Giorni[1], QStringLiteral("Sunday"));
    QCOMPARE(Testi.Giorni[7], QStringLiteral("Saturday"));
    QCOMPARE(Testi.Mesi[1], QStringLiteral("January"));
    QCOMPARE(Testi.Mesi[12], QStringLiteral("December"));
    ImpostaLingua(kItaliano);
    QCOMPARE(Testi.Giorni[1], QStringLiteral("Domenica"));
    QCOMPARE(Testi.Giorni[7], QStringLiteral("Sabato"));
    QCOMPARE(Testi.Mesi[12], QStringLiteral("Dicembre"));
}

void TestTesti::languageWordsAndNames()
{
    ImpostaLingua(kItaliano);
    QCOMPARE(Testi.ParolaLingua, QStringLiteral("Lingua"));
    QCOMPARE(Testi.NomiLingue[0], QStringLiteral("Italiano"));
    QCOMPARE(Testi.NomiLingue[1], QStringLiteral("English"));
    ImpostaLingua(kInglese);
    QCOMPARE(Testi.ParolaLingua, QStringLiteral("Language"));
    QCOMPARE(Testi.NomiLingue[0], QStringLiteral("Italiano"));
}

void TestTesti::functionNamesSameInBoth()
{
    ImpostaLingua(kItaliano);
    const auto italiano = NomiFunzioni;
    ImpostaLingua(kInglese);
    QCOMPARE(NomiFunzioni, italiano);
    QCOMPARE(NomiFunzioni[0], QStringLiteral("Read Holding"));
    QCOMPARE(NomiFunzioni[12], QStringLiteral(" "));
    QCOMPARE(NomiFunzioni[41], QStringLiteral("Log Write"));
    QCOMPARE(NomiFunzioni[46], QStringLiteral("Block Move"));
    for (int code = 47; code <= 50; ++code)
        QVERIFY(NomiFunzioni[std::size_t(code)].isEmpty());
}

void TestTesti::fixedNameTables()
{
    ImpostaLingua(kItaliano);
    QCOMPARE(NomiTipi[0], QStringLiteral("uInt"));
    QCOMPARE(NomiTipi[6], QStringLiteral("K_Long"));
    QCOMPARE(NomiTipi[10], QStringLiteral("Table"));
    QCOMPARE(PrefissiRegistro[0], QStringLiteral("%R"));
    QCOMPARE(PrefissiRegistro[1], QStringLiteral("%S"));
    QCOMPARE(PrefissiRegistro[2], QStringLiteral("%S"));
    QCOMPARE(PrefissiRegistro[3], QStringLiteral("%R"));
}

void TestTesti::emptySlots()
{
    for (std::uint8_t lang : {kItaliano, kInglese}) {
        ImpostaLingua(lang);
        QVERIFY(Testi.Giorni[0].isEmpty());
        QVERIFY(Testi.Mesi[0].isEmpty());
        QVERIFY(Testi.Vuoto101.isEmpty());
        // Menu captions are set on the menu, not kept among the texts.
        QVERIFY(Testi.t(19).isEmpty());
        QVERIFY(Testi.t(171).isEmpty());
    }
}

void TestTesti::missingIdKeepsValue()
{
    ImpostaLingua(kInglese);
    banco_.resources.mancanti = {2044, 2019, 1204};
    ImpostaLingua(kItaliano);
    QCOMPARE(Testi.t(44), QStringLiteral("Error check"));         // kept the English one
    QCOMPARE(Testi.t(45), QStringLiteral("Errore"));
    QCOMPARE(caption("mnu_project"), QStringLiteral("Project"));
    QCOMPARE(caption("mnu_new"), QStringLiteral("Nuovo"));
    QCOMPARE(NomiFunzioni[4], QStringLiteral("Add"));
}

void TestTesti::gapsInTheTable()
{
    ImpostaLingua(kInglese);
    for (int k : {47, 48, 63, 79})
        QVERIFY2(Testi.t(k).isEmpty(), qPrintable(QString::number(k)));
    QVERIFY(Testi.t(173).isEmpty());
    QVERIFY(Testi.t(-1).isEmpty());
}

void TestTesti::cambiaLinguaSwitchesLoadedWindows()
{
    ImpostaLingua(kInglese);
    FinestraProva caricata, nascosta, scaricata;
    FinestreCaricate::istanza().registra(&caricata);
    FinestreCaricate::istanza().registra(&nascosta);
    QVERIFY(CambiaLingua(0));
    QCOMPARE(caricata.chiamate, 1);
    QCOMPARE(nascosta.caption, QStringLiteral("Programma"));
    QCOMPARE(scaricata.chiamate, 0);
    QCOMPARE(caption("mnu_view"), QStringLiteral("Visualizza"));
    FinestreCaricate::istanza().rimuovi(&caricata);
    QVERIFY(CambiaLingua(1));
    QCOMPARE(caricata.chiamate, 1);
    QCOMPARE(nascosta.caption, QStringLiteral("Program"));
    FinestreCaricate::istanza().rimuovi(&nascosta);
}

void TestTesti::cambiaLinguaRefusesOtherValues()
{
    ImpostaLingua(kInglese);
    for (int lang : {2, -1, 256, 257}) {
        QVERIFY(!CambiaLingua(lang));
        QCOMPARE(Lingua, kInglese);
        QCOMPARE(caption("mnu_project"), QStringLiteral("Project"));
    }
}

void TestTesti::switchingTwiceChangesNothing()
{
    ImpostaLingua(kItaliano);
    const TestiLingua prima = Testi;
    const auto menuPrima = MenuPrincipale::istanza().voci();
    CambiaLingua(0);
    QCOMPARE(Testi.testo, prima.testo);
    QCOMPARE(Testi.Giorni, prima.Giorni);
    QCOMPARE(MenuPrincipale::istanza().voci().size(), menuPrima.size());
    for (std::size_t i = 0; i < menuPrima.size(); ++i)
        QCOMPARE(MenuPrincipale::istanza().voci()[i].caption, menuPrima[i].caption);
}

void TestTesti::fixedMenuCaptionsStay()
{
    ImpostaLingua(kItaliano);
    QCOMPARE(caption("mnu_scheduler"), QStringLiteral("Scheduler"));
    QCOMPARE(caption("mnu_collaudo"), QStringLiteral("Collaudo"));
    QCOMPARE(caption("mnu_FB"), QStringLiteral("Function Block"));
    QCOMPARE(caption("mnu_FB_Break"), QStringLiteral("Toggle Break"));
    QCOMPARE(caption("mnu_SetIP"), QStringLiteral("Set IP address"));
}

QTEST_GUILESS_MAIN(TestTesti)
#include "tst_testi.moc"
