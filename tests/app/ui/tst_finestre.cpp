#include "app/Comandi.h"
#include "base/Testi.h"
#include "app/ui/Main.h"
#include "app/ui/Principale.h"
#include "app/ui/frmAbout.h"
#include "app/ui/frm_Progetto.h"
#include "app/ui/frm_Settings.h"
#include "monitor/ui/Registri.h"
#include "platform/Twips.h"
#include "link/StatoLink.h"
#include "project/Registri.h"
#include "support/Banco.h"

#include <QGroupBox>
#include <QLabel>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTreeWidget>

using namespace ludra;
using namespace ludra::ui;

class TestFinestre : public QObject {
    Q_OBJECT
private slots:
    void init() { banco_.apri(test::Banco::Doppi::Nessuno); Main(); }
    void cleanup() { Principale::distruggi(); banco_.chiudi(); }

    void aboutShowsProductData();
    void aboutFollowsLanguageAndCloses();
    void projectTreeOpensSettings();
    void projectTreeOtherNodesDoNothing();
    void projectTreeKeepsWidth();
    void registersWindowFromToolbar();
    void registersFollowModelAndLanguage();
    void registerRowsFollowTable();
    void everyWindowOfTheTableLoads();

private:
    test::Banco banco_;
};

void TestFinestre::aboutShowsProductData()
{
    ClickMenu(QStringLiteral("mnu_About"));
    auto* about = qobject_cast<frmAbout*>(Principale::istanza().finestra(Finestra::frmAbout));
    QVERIFY(about);
    QCOMPARE(about->windowTitle(), QStringLiteral("About Ludra"));
    QCOMPARE(about->lblTitle->text(), QStringLiteral("Ludra"));
    QCOMPARE(about->lblVersion->text(), QStringLiteral("Version: 1.0"));
    QCOMPARE(about->lblDescription->text(),
             QStringLiteral("Development and Test IDE for QUINTAR products"));
    QVERIFY(!about->picIcon->pixmap().isNull());
}

void TestFinestre::aboutFollowsLanguageAndCloses()
{
    ClickMenu(QStringLiteral("mnu_About"));
    auto* about = qobject_cast<frmAbout*>(Principale::istanza().finestra(Finestra::frmAbout));
    CambiaLingua(0);
    QCOMPARE(about->lblDescription->text(),
             QStringLiteral("Development and Test IDE for QUINTAR products"));
    about->cmdOK->click();
    QVERIFY(!Principale::istanza().caricata(Finestra::frmAbout));
}

void TestFinestre::projectTreeOpensSettings()
{
    Principale::istanza().mostra(Finestra::frm_Progetto);
    auto* albero = qobject_cast<frm_Progetto*>(
        Principale::istanza().finestra(Finestra::frm_Progetto));
    QVERIFY(albero);
    albero->Lista->setCurrentItem(albero->Lista->topLevelItem(0));
    albero->Lista_DblClick();
    auto* settings = qobject_cast<frm_Settings*>(
        Principale::istanza().finestra(Finestra::frm_Settings));
    QVERIFY(settings);
    QVERIFY(settings->frm_opt[0]->isVisible());
    QVERIFY(!settings->frm_opt[1]->isVisible());
}

void TestFinestre::projectTreeOtherNodesDoNothing()
{
    Principale::istanza().mostra(Finestra::frm_Progetto);
    auto* albero = qobject_cast<frm_Progetto*>(
        Principale::istanza().finestra(Finestra::frm_Progetto));
    albero->Lista->addTopLevelItem(new QTreeWidgetItem(QStringList{"Other"}));
    albero->Lista->setCurrentItem(albero->Lista->topLevelItem(2));
    albero->Lista_DblClick();
    albero->Lista->setCurrentItem(nullptr);
    albero->Lista_DblClick();
    albero->Lista->setCurrentItem(albero->Lista->topLevelItem(0));   // its highlight taken away
    QTest::keyClick(albero->Lista, Qt::Key_Space, Qt::ControlModifier);
    albero->Lista_DblClick();
    QVERIFY(!Principale::istanza().caricata(Finestra::frm_Settings));
}

void TestFinestre::projectTreeKeepsWidth()
{
    Principale::istanza().mostra(Finestra::frm_Progetto);
    QMdiSubWindow* sub = Principale::istanza().cornice(Finestra::frm_Progetto);
    sub->resize(sub->width() + 120, 300);
    QCOMPARE(sub->width(), platform::twipsToPx(3090));
    QCOMPARE(sub->height(), 300);
}

void TestFinestre::registersWindowFromToolbar()
{
    Toolbar1_ButtonClick(QStringLiteral("view_reg"));
    auto* registri = qobject_cast<Registri*>(Principale::istanza().finestra(Finestra::Registri));
    QVERIFY(registri);
    QCOMPARE(registri->windowTitle(), QStringLiteral("Registers Table"));
    QCOMPARE(registri->vista()->model()->rowCount(), 1025);
    QVERIFY(registri->height() <= platform::twipsToPx(8000));
    QCOMPARE(registri->Command1->text(), QStringLiteral("R"));
}

void TestFinestre::registersFollowModelAndLanguage()
{
    ClickMenu(QStringLiteral("mnu_Registri"));
    auto* registri = qobject_cast<Registri*>(Principale::istanza().finestra(Finestra::Registri));
    QAbstractItemModel* m = registri->vista()->model();
    QCOMPARE(m->data(m->index(8, 1)).toString(), QStringLiteral("Digital Inputs"));
    Controllore.Modello = QStringLiteral("KVR5460");
    ImpostaModello();
    QCOMPARE(m->data(m->index(8, 1)).toString(), QStringLiteral("Function Keys"));
    CambiaLingua(0);
    QCOMPARE(registri->windowTitle(), QStringLiteral("Tabella Registri"));
    QCOMPARE(m->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Registro"));
}

void TestFinestre::registerRowsFollowTable()
{
    ClickMenu(QStringLiteral("mnu_Registri"));
    auto* registri = qobject_cast<Registri*>(Principale::istanza().finestra(Finestra::Registri));
    QAbstractItemModel* m = registri->vista()->model();
    TabellaRegistri[50].Formato = 3;
    TabellaRegistri[50].Valore = 65535;
    TabellaRegistri[51].Valore = 65535;
    registri->VScroll1_Change();
    QCOMPARE(m->data(m->index(50, 2)).toString(), QStringLiteral("-1"));
    QCOMPARE(m->data(m->index(51, 2)).toString(), QStringLiteral("---"));
    QCOMPARE(m->data(m->index(51, 3)).toString(), QString());
    registri->scorriA(100);
    QCOMPARE(registri->primoVisibile(), 100);
}

void TestFinestre::everyWindowOfTheTableLoads()
{
    for (int i = 0; i < kNumFinestre; ++i) {
        const QString nome = nomeFinestra(Finestra(i));
        QCOMPARE(finestraDaNome(nome), std::optional(Finestra(i)));
        QVERIFY2(Principale::istanza().carica(Finestra(i)), qPrintable(nome));
    }
    QVERIFY(!finestraDaNome(QStringLiteral("frm_nessuna")));
}

QTEST_MAIN(TestFinestre)
#include "tst_finestre.moc"
