// The device configuration window in the running main window, opened from its menu
// item, with the link on the device simulator.
#include "app/Comandi.h"
#include "base/Testi.h"
#include "app/ui/Main.h"
#include "app/ui/Principale.h"
#include "devconfig/ui/frm_Config.h"
#include "link/StatoLink.h"
#include "platform/ui/VbColor.h"
#include "support/Attesa.h"
#include "support/Banco.h"
#include "support/Doubles.h"
#include "support/Frame.h"
#include "support/LinkSim.h"

#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace ludra;
using namespace ludra::ui;

namespace {

frm_Config* finestra()
{
    return qobject_cast<frm_Config*>(Principale::istanza().finestra(Finestra::frm_Config));
}

void scegli(frm_Config* f, const char* modello)
{
    f->modello->setCurrentIndex(f->modello->findText(QString::fromLatin1(modello)));
    f->modello_Click();
}

QColor sfondo(QWidget* w) { return w->palette().color(QPalette::Window); }

using Trame = QList<QList<int>>;
Trame trame(test::LinkSuSim& link)
{
    Trame out;
    for (const sim::Trama& t : test::richiesteRicevute(link.sim, link.mezzo()))
        out.append(QList<int>(t.begin(), t.end()));
    return out;
}

} // namespace

class TestFrmConfig : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        banco_.apri();
        Main();
        link = new test::LinkSuSim(test::Mezzo::Tcp);
        QVERIFY(link->connetti());
        Controllore.Modello = QStringLiteral("KVR1212");
        ClickMenu(QStringLiteral("mnu_1000"));
        QVERIFY(finestra());
    }
    void cleanup()
    {
        delete link;
        Principale::distruggi();
        banco_.chiudi();
    }

    void dalMenu();
    void disposizione_data();
    void disposizione();
    void cambioLingua();
    void letturaRiempieSenzaScrivere();
    void letturaFallitaLasciaICampi();
    void cicloFinisceAlGuasto();
    void spuntaUscitaScrive();
    void scritturaDuranteLetturaDopo();
    void indirizzoSlaveNonValido();
    void calendario();

private:
    test::Banco banco_;
    test::FakeDialogs* dialogs = &banco_.dialogs;
    test::LinkSuSim* link = nullptr;
};

void TestFrmConfig::dalMenu()
{
    frm_Config* f = finestra();
    QCOMPARE(f->modello->currentText(), QStringLiteral("KVR5200-IO"));
    QCOMPARE(f->modello->count(), 17);
    QCOMPARE(f->Indirizzo->text(), QStringLiteral("10"));
    QCOMPARE(f->windowTitle(), QStringLiteral("Configure Devices"));
    QVERIFY(f->isVisible());
    for (QWidget* w : std::initializer_list<QWidget*>{f->Frame1[0], f->Frame1[1], f->frm_IO, f->frm_DI, f->frm_DO})
        QVERIFY2(w->isVisible(), qPrintable(w->objectName()));
    for (QWidget* w : std::initializer_list<QWidget*>{f->frm_AI, f->frm_AO, f->frm_RTC, f->frm_Disp, f->frm_PupSafe})
        QVERIFY(!w->isVisible());
    QVERIFY(f->chk_OutputBit[1]->isVisible());
    QVERIFY(!f->chk_OutputBit[2]->isVisible());
    QVERIFY(f->LetturaFinita());
}

void TestFrmConfig::disposizione_data()
{
    QTest::addColumn<QString>("modello");
    QTest::addColumn<QStringList>("visibili");
    QTest::addColumn<QStringList>("nascosti");
    QTest::addColumn<int>("righe");   // input, output or digital output rows shown
    QTest::newRow("KVR1231") << "KVR1231" << QStringList{"DI", "latch", "events"} << QStringList{"DO", "AI", "port1"} << 0;
    QTest::newRow("KVR1104") << "KVR1104" << QStringList{"AI"} << QStringList{"AO", "DI", "port1"} << 4;
    QTest::newRow("KVR1142") << "KVR1142" << QStringList{"AI"} << QStringList{"AO"} << 8;
    QTest::newRow("KVR1173") << "KVR1173" << QStringList{"AO"} << QStringList{"AI"} << 4;
    QTest::newRow("KVR1225") << "KVR1225" << QStringList{"DI", "DO", "latch"} << QStringList{"AI"} << 8;
    QTest::newRow("KVR5460") << "KVR5460" << QStringList{"disp"} << QStringList{"port1", "RTC", "IO"} << 0;
    QTest::newRow("KVR5200-DL") << "KVR5200-DL" << QStringList{"port1", "RTC"} << QStringList{"IO", "disp"} << 0;
}

void TestFrmConfig::disposizione()
{
    QFETCH(QString, modello);
    QFETCH(QStringList, visibili);
    QFETCH(QStringList, nascosti);
    QFETCH(int, righe);
    frm_Config* f = finestra();
    scegli(f, "KVR1186");
    scegli(f, qPrintable(modello));
    const QHash<QString, QWidget*> nomi = {
        {"DI", f->frm_DI}, {"DO", f->frm_DO}, {"AI", f->frm_AI}, {"AO", f->frm_AO},
        {"latch", f->frm_latchH}, {"events", f->frm_PupSafe}, {"port1", f->Frame1[1]},
        {"disp", f->frm_Disp}, {"RTC", f->frm_RTC}, {"IO", f->frm_IO}};
    for (const QString& n : visibili)
        QVERIFY2(nomi[n]->isVisible(), qPrintable(n));
    for (const QString& n : nascosti)
        QVERIFY2(!nomi[n]->isVisible(), qPrintable(n));
    QVERIFY(f->Frame1[0]->isVisible());
    int mostrate = 0;
    for (int i = 0; i < 8; ++i)
        mostrate += f->chk_En[std::size_t(i)]->isVisible() || f->cmb_Out[std::size_t(i)]->isVisible() ||
                    f->chk_OutputBit[std::size_t(i)]->isVisible();
    QCOMPARE(mostrate, righe);
    if (modello == QLatin1String("KVR1104")) {
        QCOMPARE(f->cmb_Type->count(), 8);
        QCOMPARE(f->cmb_Type->currentIndex(), -1);
    }
}

void TestFrmConfig::cambioLingua()
{
    frm_Config* f = finestra();
    QVERIFY(CambiaLingua(kItaliano));
    QCOMPARE(f->windowTitle(), QStringLiteral("Configura Dispositivi"));
    QCOMPARE(f->cmd_read[0]->text(), QStringLiteral("Aggiorna"));
    QCOMPARE(f->Frame1[0]->title(), QStringLiteral("Port 0 (Master)"));
    QCOMPARE(f->Frame1[1]->title(), QStringLiteral("Port 1 (Slave)"));
    QCOMPARE(f->frm_latchH->title(), QStringLiteral("Latch H"));
    QCOMPARE(f->Label11[1]->text(), QStringLiteral("Ritardo"));
    QVERIFY(CambiaLingua(kInglese));
    QCOMPARE(f->Label11[1]->text(), QStringLiteral("Delay"));
}

void TestFrmConfig::letturaRiempieSenzaScrivere()
{
    frm_Config* f = finestra();
    link->sim.setRegistro(3, std::uint16_t('B' << 8 | 'A'));
    link->sim.setRegistro(4, std::uint16_t('D' << 8 | 'C'));
    link->sim.setRegistro(5, 4);
    link->sim.setRegistro(8, 0x0180);
    link->sim.setRegistro(9, 0x0200);
    link->sim.setRegistro(10, 0x0400);
    link->sim.setRegistro(11, 0x0100);
    link->sim.setRegistro(19, 0x0300);
    f->cmd_read[0]->click();
    QCOMPARE(f->txt_nome->text(), QStringLiteral("ABCD"));
    QCOMPARE(f->cmb_baud[0]->currentText(), QStringLiteral("19200"));
    QCOMPARE(f->cmb_baud[1]->currentText(), QStringLiteral("9600"));
    QCOMPARE(sfondo(f->Led[0]), platform::vbColor(platform::kVbRed));
    QCOMPARE(sfondo(f->Led[1]), platform::vbColor(0x808080));
    QCOMPARE(sfondo(f->Led[15]), platform::vbColor(platform::kVbRed));
    QVERIFY(f->chk_OutputBit[1]->isChecked());
    QCOMPARE(sfondo(f->chk_OutputBit[1]), platform::vbColor(platform::kVbRed));
    QCOMPARE(sfondo(f->chk_OutputBit[0]), platform::vbColor(platform::kVbWhite));
    QVERIFY(f->chk_pupEvent->isChecked());
    QVERIFY(f->chk_PupBit[0]->isChecked());
    // The boxes the read ticked wrote nothing: only the four reads went out.
    const Trame t = trame(*link);
    QCOMPARE(t.size(), 4);
    for (const QList<int>& r : t)
        QCOMPARE(r[1], 4);
    QVERIFY(dialogs->messaggi.empty());
    QVERIFY(f->LetturaFinita());
    link->sim.setRegistro(19, 0x0900);   // a code the list does not show
    f->cmd_read[0]->click();
    QCOMPARE(f->cmb_baud[1]->currentIndex(), -1);
}

void TestFrmConfig::letturaFallitaLasciaICampi()
{
    frm_Config* f = finestra();
    f->txt_nome->setText(QStringLiteral("XYZW"));
    f->txt_delay[1]->setText(QStringLiteral("3"));
    link->sim.setRegistro(3, std::uint16_t('B' << 8 | 'A'));
    link->sim.impostaGuastoDopo(2, sim::Guasto::Eccezione);   // the third read fails
    f->cmd_read[0]->click();
    QCOMPARE(f->txt_nome->text(), QStringLiteral("XYZW"));
    QCOMPARE(f->txt_delay[1]->text(), QStringLiteral("3"));
    QCOMPARE(int(dialogs->messaggi.size()), 1);
    QCOMPARE(dialogs->messaggi[0].titolo, QStringLiteral("VUV-ODO"));
    QVERIFY(f->cmd_read[0]->isEnabled());
    QVERIFY(f->LetturaFinita());
}

void TestFrmConfig::cicloFinisceAlGuasto()
{
    frm_Config* f = finestra();
    link->sim.impostaGuastoDopo(5, sim::Guasto::Eccezione);   // in the second cycle
    f->cmd_start->click();
    QCOMPARE(link->sim.richieste(), 6);
    QCOMPARE(StopCom, std::int16_t(1));
    QVERIFY(f->cmd_read[0]->isEnabled());
    QCOMPARE(int(dialogs->messaggi.size()), 1);
}

void TestFrmConfig::spuntaUscitaScrive()
{
    frm_Config* f = finestra();
    test::Attesa virtuali(test::Attesa::Tempo::PauseVirtuali);
    f->chk_OutputBit[0]->setChecked(true);   // as a read would: nothing sent
    f->chk_OutputBit[1]->click();
    QCOMPARE(trame(*link), (Trame{{10, 6, 0, 9, 3, 0}}));
    scegli(f, "KVR1212");
    f->chk_OutputBit[3]->click();
    f->chk_wdtEvent->click();
    QCOMPARE(trame(*link).mid(1), (Trame{{10, 5, 0, 19, 255, 0}, {10, 5, 0, 33, 255, 0}}));
    QCOMPARE(sfondo(f->chk_wdtEvent), platform::vbColor(platform::kVbRed));
}

void TestFrmConfig::scritturaDuranteLetturaDopo()
{
    frm_Config* f = finestra();
    test::Attesa attesa;
    bool cliccato = false;
    attesa.duranteAttesa = [&] {
        if (cliccato || f->LetturaFinita())
            return;
        cliccato = true;
        f->chk_OutputBit[1]->click();
        f->cmd_clear_latch->click();
    };
    f->cmd_read[0]->click();
    QVERIFY(cliccato);
    // The writes wait for the read's last reply, then go out with the values clicked.
    const Trame t = trame(*link);
    QCOMPARE(t.size(), 6);
    for (int i = 0; i < 4; ++i)
        QCOMPARE(t[i][1], 4);
    QCOMPARE(t.mid(4), (Trame{{10, 6, 0, 9, 2, 0}, {10, 15, 0, 4, 0, 8, 1, 0}}));
    QVERIFY(dialogs->messaggi.empty());
}

void TestFrmConfig::indirizzoSlaveNonValido()
{
    frm_Config* f = finestra();
    test::Attesa virtuali(test::Attesa::Tempo::PauseVirtuali);
    f->Indirizzo->setText(QStringLiteral("999"));
    f->cmd_invia[1]->click();
    f->cmd_read[0]->click();
    QCOMPARE(link->sim.richieste(), 0);
    QCOMPARE(int(dialogs->messaggi.size()), 2);
}

void TestFrmConfig::calendario()
{
    frm_Config* f = finestra();
    scegli(f, "KVR5200-DL");
    f->cmd_calendar->click();
    QVERIFY(f->MonthView1->isVisible());
    emit f->MonthView1->clicked(QDate(2025, 12, 25));
    QVERIFY(!f->MonthView1->isVisible());
    QCOMPARE(f->Text3[4]->text(), QStringLiteral("Thursday"));
    QCOMPARE(f->Text3[5]->text(), QStringLiteral("25"));
    QCOMPARE(f->Text3[6]->text(), QStringLiteral("December"));
    QCOMPARE(f->Text3[7]->text(), QStringLiteral("2025"));
    // What the calendar filled writes as it reads.
    for (int i : {0, 1, 3})
        f->Text3[std::size_t(i)]->setText(QStringLiteral("7"));
    f->cmd_invia[4]->click();
    QCOMPARE(trame(*link), (Trame{{10, 16, 0, 22, 0, 4, 8, 0, 7, 7, 7, 5, 0x25, 0x12, 0x25}}));
}

QTEST_MAIN(TestFrmConfig)
#include "tst_frm_config.moc"
