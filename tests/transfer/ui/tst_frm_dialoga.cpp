// The Modbus terminal opened from the Tools menu, sending to the device simulator once,
// over and over until Stop, and closed while it sends.
#include "app/Comandi.h"
#include "app/ui/Main.h"
#include "app/ui/Principale.h"
#include "link/StatoLink.h"
#include "support/Attesa.h"
#include "support/Banco.h"
#include "support/LinkSim.h"
#include "transfer/RichiestaManuale.h"
#include "transfer/ui/frm_dialoga.h"

#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>

using namespace ludra;
using namespace ludra::ui;

namespace {

frm_dialoga* apri()
{
    ClickMenu(QStringLiteral("mnu_dialoga"));
    return qobject_cast<frm_dialoga*>(Principale::istanza().finestra(Finestra::frm_dialoga));
}

} // namespace

class TestFrmDialoga : public QObject {
    Q_OBJECT
private slots:
    void init() { banco_.apri(test::Banco::Doppi::Nessuno); Main(); }
    void cleanup() { Principale::distruggi(); banco_.chiudi(); }
    void dalMenu();
    void inviaEPoiCiclaFinoAStop();
    void chiusaMentreCicla();

private:
    test::Banco banco_;
};

void TestFrmDialoga::dalMenu()
{
    frm_dialoga* f = apri();
    QVERIFY(f);
    QCOMPARE(f->windowTitle(), QStringLiteral("Terminal"));
    const QStringList attesi{"1", "4", "0", "1", "0", "1", ""};
    for (int i = 0; i < 7; ++i)
        QCOMPARE(f->txt_comando[i]->text(), attesi[i]);
    for (int i = 7; i < 39; ++i)
        QCOMPARE(f->txt_comando[i]->text(), QStringLiteral("0"));
    QCOMPARE(f->cmd_invia->text(), QStringLiteral("Send"));
    QCOMPARE(f->cmd_start->text(), QStringLiteral("Start"));
    QCOMPARE(f->cmd_stop->text(), QStringLiteral("Stop"));
    QVERIFY(f->txt_buff_rx->isReadOnly());
}

void TestFrmDialoga::inviaEPoiCiclaFinoAStop()
{
    test::LinkSuSim link(test::Mezzo::Tcp);
    QVERIFY(link.avviato());
    link.sim.setRegistro(1, 0x12AB);
    QVERIFY(link.connetti());
    frm_dialoga* f = apri();
    QVERIFY(f);
    f->txt_comando[0]->setText(QStringLiteral("10"));
    f->cmd_invia->click();
    QCOMPARE(f->txt_buff_rx->toPlainText(), QStringLiteral("0A 04 02 12 AB "));
    QVERIFY(f->cmd_invia->isEnabled());

    test::Attesa attesa;
    bool bloccati = true;
    attesa.duranteAttesa = [&] {
        bloccati = bloccati && !f->cmd_invia->isEnabled() && !f->cmd_start->isEnabled();
        if (link.sim.richieste() == 3) {
            link.sim.setRegistro(1, 0x0102);
            f->txt_comando[5]->setText(QStringLiteral("2"));
        }
        if (link.sim.richieste() >= 5)
            f->cmd_stop->click();
    };
    f->cmd_start->click();
    QVERIFY(bloccati);
    QVERIFY(link.sim.richieste() >= 5 && link.sim.richieste() <= 7);
    QCOMPARE(f->txt_buff_rx->toPlainText(), QStringLiteral("0A 04 04 01 02 00 00 "));
    QVERIFY(!f->Text1->text().isEmpty());
    QVERIFY(f->cmd_invia->isEnabled() && f->cmd_start->isEnabled());
    QCOMPARE(StopCom, std::int16_t(1));
}

void TestFrmDialoga::chiusaMentreCicla()
{
    test::LinkSuSim link(test::Mezzo::Rtu);
    QVERIFY(link.avviato());
    QVERIFY(link.connetti());
    QPointer<frm_dialoga> f = apri();
    QVERIFY(f);
    f->txt_comando[0]->setText(QStringLiteral("10"));
    QMdiSubWindow* cornice = Principale::istanza().cornice(Finestra::frm_dialoga);
    QVERIFY(cornice);
    test::Attesa attesa;
    attesa.duranteAttesa = [&] {
        if (link.sim.richieste() >= 2 && cornice) {
            cornice->close();
            cornice = nullptr;
        }
    };
    f->cmd_start->click();
    attesa.duranteAttesa = nullptr;
    const int inviate = link.sim.richieste();
    QVERIFY(inviate >= 2 && inviate <= 3);
    QTRY_VERIFY(f.isNull());
    QVERIFY(!Principale::istanza().caricata(Finestra::frm_dialoga));
    QVERIFY(!CicloManualeInCorso());
    QCOMPARE(link.sim.richieste(), inviate);
    QVERIFY(!MonitorCom);
}

QTEST_MAIN(TestFrmDialoga)
#include "tst_frm_dialoga.moc"
