#include "app/Avvio.h"
#include "app/Comandi.h"
#include "base/Testi.h"
#include "app/ui/Main.h"
#include "app/ui/Principale.h"
#include "base/BarraStrumenti.h"
#include "link/StatoLink.h"
#include "app/ui/frm_Settings.h"
#include "platform/PortaSeriale.h"
#include "support/Banco.h"
#include "support/LinkSim.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QFile>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

using namespace ludra;
using namespace ludra::ui;

class TestFrmSettings : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        banco_.apri(test::Banco::Doppi::Dialoghi);
        Main();
        // The machine's own serial devices stay out of the tests: ports 2 and 5 are
        // two files of a private folder, every other number names nothing.
        QVERIFY(cartella.isValid());
        for (const char* nome : {"ttyA", "ttyB"}) {
            QFile f(cartella.filePath(QString::fromLatin1(nome)));
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
        const QString base = cartella.path();
        mappaPrecedente = platform::setMappaPorte([base](int n) {
            if (n == 2)
                return base + QStringLiteral("/ttyA");
            if (n == 5)
                return base + QStringLiteral("/ttyB");
            return base + QStringLiteral("/absent%1").arg(n);
        });
    }
    void cleanup()
    {
        Principale::distruggi();
        platform::setMappaPorte(mappaPrecedente);
        banco_.chiudi();
    }

    frm_Settings* apri(const char* voce)
    {
        ClickMenu(QString::fromLatin1(voce));
        return qobject_cast<frm_Settings*>(
            Principale::istanza().finestra(Finestra::frm_Settings));
    }

    void controllerPage();
    void workspacePage();
    void channelSubPages();
    void okStoresAndCloses();
    void badPortKeepsTheWindow();
    void cancelStoresNothing();
    void languageActsAtOnce();
    void serialListShowsDevices();
    void serialChoiceOpensThatDevice();
    void absentPortStaysListed();

private:
    test::Banco banco_;
    QTemporaryDir cartella;
    platform::MappaPorte mappaPrecedente;
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
    QCOMPARE(f->cmbCOM->count(), 3);   // ports 2 and 5, and COM1 that is in force
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
    QCOMPARE(f->lbl_tempo->text(), QStringLiteral("0.5"));   // the start-up 500 ms
    f->cmd_ok[1]->click();
    QCOMPARE(TempoAnimazione, std::int16_t(500));
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
    QVERIFY(!Principale::istanza().finestra(Finestra::frm_Settings));
}

void TestFrmSettings::badPortKeepsTheWindow()
{
    frm_Settings* f = apri("mnu_controller");
    f->txt_port->setText(QStringLiteral("70000"));
    f->cmd_ok[1]->click();
    QCOMPARE(int(Controllore.Porta), 502);
    QCOMPARE(f->focusWidget(), f->txt_port);
    QCOMPARE(Principale::istanza().finestra(Finestra::frm_Settings), f);
}

void TestFrmSettings::cancelStoresNothing()
{
    frm_Settings* f = apri("mnu_controller");
    f->txt_address->setText(QStringLiteral("3"));
    f->cmd_ok[0]->click();
    QCOMPARE(int(Controllore.Nodo), 10);
    QVERIFY(!Principale::istanza().finestra(Finestra::frm_Settings));
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

void TestFrmSettings::serialListShowsDevices()
{
    Controllore.Canale = 1;
    Controllore.Porta = 5;
    frm_Settings* f = apri("mnu_controller");
    QCOMPARE(f->cmbCOM->count(), 2);
    QCOMPARE(f->cmbCOM->itemText(0), QStringLiteral("COM2 (%1)").arg(cartella.filePath("ttyA")));
    QCOMPARE(f->cmbCOM->itemData(0).toInt(), 2);
    QCOMPARE(f->cmbCOM->itemData(0, Qt::ToolTipRole).toString(), cartella.filePath("ttyA"));
    QCOMPARE(f->cmbCOM->currentIndex(), 1);
    QCOMPARE(f->cmbCOM->currentData().toInt(), 5);
    // The entry chosen is the number stored, and that number opens the device shown.
    f->cmbCOM->setCurrentIndex(0);
    f->cmd_ok[1]->click();
    QCOMPARE(int(Controllore.Canale), 1);
    QCOMPARE(int(Controllore.Porta), 2);
    QCOMPARE(platform::percorsoPorta(Controllore.Porta), cartella.filePath("ttyA"));
}

void TestFrmSettings::serialChoiceOpensThatDevice()
{
    // The simulator's serial line listed as port 1: choosing it and connecting reaches it.
    test::LinkSuSim link(test::Mezzo::Rtu);
    QVERIFY(link.avviato());
    Controllore.Canale = 0;
    Controllore.Porta = 502;
    frm_Settings* f = apri("mnu_controller");
    f->optChannel[1]->click();
    QCOMPARE(f->cmbCOM->count(), 1);
    QCOMPARE(f->cmbCOM->currentText(), QStringLiteral("COM1 (%1)").arg(link.percorsoPty.mid(5)));
    f->cmbBaud->setCurrentText(QStringLiteral("115200"));
    f->cmd_ok[1]->click();
    QCOMPARE(int(Controllore.Porta), 1);
    QVERIFY(link.connetti());
    QCOMPARE(int(ModoCom), int(kModoRtu));
}

void TestFrmSettings::absentPortStaysListed()
{
    // A port in force whose device is away is still offered, so OK does not move the
    // link to another device.
    Controllore.Canale = 1;
    Controllore.Porta = 3;
    frm_Settings* f = apri("mnu_controller");
    QCOMPARE(f->cmbCOM->count(), 3);
    QCOMPARE(f->cmbCOM->itemData(1).toInt(), 3);
    QCOMPARE(f->cmbCOM->currentData().toInt(), 3);
    f->cmd_ok[1]->click();
    QCOMPARE(int(Controllore.Porta), 3);
}

QTEST_MAIN(TestFrmSettings)
#include "tst_frm_settings.moc"
