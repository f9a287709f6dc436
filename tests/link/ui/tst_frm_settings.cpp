#include "app/Avvio.h"
#include "app/Comandi.h"
#include "app/Testi.h"
#include "app/ui/Main.h"
#include "app/ui/Principale.h"
#include "link/StatoLink.h"
#include "link/ui/frm_Settings.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace ludra;
using namespace ludra::ui;

class TestFrmSettings : public QObject {
    Q_OBJECT
private slots:
    void init() { Main(); }
    void cleanup() { Principale::distruggi(); }

    frm_Settings* apri(const char* voce)
    {
        ClickMenu(QString::fromLatin1(voce));
        return qobject_cast<frm_Settings*>(
            Principale::istanza().finestra(QStringLiteral("frm_Settings")));
    }

    void controllerPage();
    void workspacePage();
    void channelSubPages();
    void okStoresAndCloses();
    void cancelStoresNothing();
    void languageActsAtOnce();
};

void TestFrmSettings::controllerPage()
{
    frm_Settings* f = apri("mnu_controller");
    QVERIFY(f);
    QVERIFY(f->frm_opt[0]->isVisible());
    QVERIFY(!f->frm_opt[1]->isVisible());
    QCOMPARE(f->windowTitle(), QStringLiteral("Settings"));
    QCOMPARE(f->Combo1->currentText(), QStringLiteral("KVR5200-IO"));
    QCOMPARE(f->Combo1->count(), 6);
    QCOMPARE(f->cmbCOM->count(), 32);
    QCOMPARE(f->cmbBaud->count(), 7);
    QCOMPARE(f->txt_port->text(), QStringLiteral("502"));
    QCOMPARE(f->txt_address->text(), QStringLiteral("10"));
}

void TestFrmSettings::workspacePage()
{
    frm_Settings* f = apri("mnu_workspace");
    QVERIFY(!f->frm_opt[0]->isVisible());
    QVERIFY(f->frm_opt[1]->isVisible());
    QVERIFY(f->opt_lang[1]->isChecked());
    QCOMPARE(f->opt_lang[0]->text(), QStringLiteral("Italiano"));
}

void TestFrmSettings::channelSubPages()
{
    frm_Settings* f = apri("mnu_controller");
    f->optChannel[1]->click();
    QVERIFY(f->cmbCOM->isVisible());
    QVERIFY(!f->txt_IP->isVisible());
    f->optChannel[0]->click();
    QVERIFY(f->txt_IP->isVisible());
}

void TestFrmSettings::okStoresAndCloses()
{
    frm_Settings* f = apri("mnu_controller");
    f->txt_IP->setText(QStringLiteral("127.0.0.1"));
    f->txt_address->setText(QStringLiteral("3"));
    f->Combo1->setCurrentText(QStringLiteral("KVR5460"));
    f->cmd_ok[1]->click();
    QCOMPARE(Controllore.IP, QStringLiteral("127.0.0.1"));
    QCOMPARE(int(Controllore.Nodo), 3);
    QVERIFY(Principale::istanza().azioneMenu(QStringLiteral("mnu_display"))->isVisible());
    QVERIFY(!Principale::istanza().finestra(QStringLiteral("frm_Settings")));
}

void TestFrmSettings::cancelStoresNothing()
{
    frm_Settings* f = apri("mnu_controller");
    f->txt_address->setText(QStringLiteral("3"));
    f->cmd_ok[0]->click();
    QCOMPARE(int(Controllore.Nodo), 10);
    QVERIFY(!Principale::istanza().finestra(QStringLiteral("frm_Settings")));
}

void TestFrmSettings::languageActsAtOnce()
{
    frm_Settings* f = apri("mnu_workspace");
    f->opt_lang[0]->click();
    QCOMPARE(Lingua, kItaliano);
    QCOMPARE(f->windowTitle(), QStringLiteral("Impostazioni"));
    QCOMPARE(f->Frame4->title(), QStringLiteral("Lingua"));
    QCOMPARE(Principale::istanza().azioneMenu(QStringLiteral("mnu_view"))->text(),
             QStringLiteral("Visualizza"));
    f->cmd_ok[0]->click();   // Cancel keeps the language chosen
    QCOMPARE(Lingua, kItaliano);
    f = apri("mnu_workspace");
    QVERIFY(f->opt_lang[0]->isChecked());
    QCOMPARE(f->frm_opt[1]->title(), QStringLiteral("Workspace"));
    QCOMPARE(f->chk_Update->text(), QStringLiteral("Agg. continuo registri"));
}

QTEST_MAIN(TestFrmSettings)
#include "tst_frm_settings.moc"
