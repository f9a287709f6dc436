#include "devconfig/ui/frm_Config.h"

#include "devconfig/MappaDispositivi.h"
#include "devconfig/ScritturaConfig.h"
#include "devconfig/ui/ColoriConfig.h"
#include "link/StatoLink.h"
#include "platform/ui/Geometria.h"

#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>

// The configuration window's handlers: the fields handed to the read and the writes and
// back, and what each button and box does.
namespace ludra::ui {

void frm_Config::collega()
{
    connect(modello, &QComboBox::activated, this, [this] { modello_Click(); });
    connect(cmd_read[0], &QPushButton::clicked, this, [this] { cmd_read_Click(0); });
    connect(cmd_start, &QPushButton::clicked, this, &frm_Config::cmd_start_Click);
    connect(cmd_stop, &QPushButton::clicked, this, &frm_Config::cmd_stop_Click);
    for (int k = 0; k < int(cmd_invia.size()); ++k)
        if (cmd_invia[std::size_t(k)])
            connect(cmd_invia[std::size_t(k)], &QPushButton::clicked, this,
                    [this, k] { cmd_invia_Click(k); });
    for (int k = 0; k < kNumCanali; ++k) {
        const auto i = std::size_t(k);
        connect(cmd_Output[i], &QPushButton::clicked, this, [this, k] { cmd_Output_Click(k); });
        // The state a read sets recolours and enables; only the user's click writes.
        connect(chk_En[i], &QCheckBox::toggled, this, [this] { abilitaCanali(); });
        connect(chk_En[i], &QCheckBox::clicked, this, [this] {
            scrivi([a = Indirizzo->text(), c = campi()] { ScriviAbilitazioni(a, c); });
        });
        connect(chk_OutputBit[i], &QCheckBox::clicked, this, [this, k] {
            scrivi([m = modelloScelto(), a = Indirizzo->text(), k, c = campi()] {
                ScriviUscitaDigitale(m, a, k, c);
            });
        });
        for (QCheckBox* c : {chk_OutputBit[i], chk_PupBit[i], chk_SafeBit[i]})
            connect(c, &QCheckBox::toggled, c, [c](bool si) {
                colora(c, si ? platform::kVbRed : platform::kVbWhite);
            });
    }
    for (auto [c, numero] : {std::pair{chk_wdtEvent, kCoilEventoWdt},
                             std::pair{chk_pupEvent, kCoilEventoAccensione}}) {
        QCheckBox* box = c;
        colora(box, platform::kVbWhite);
        connect(box, &QCheckBox::toggled, box, [box](bool si) {
            colora(box, si ? platform::kVbRed : platform::kVbWhite);
        });
        connect(box, &QCheckBox::clicked, this, [this, n = numero](bool si) {
            scrivi([a = Indirizzo->text(), n, si] { ScriviEvento(a, n, si); });
        });
    }
    for (int k = 0; k < 2; ++k)
        connect(cmd_Set[std::size_t(k)], &QPushButton::clicked, this, [this, k] { cmd_Set_Click(k); });
    connect(cmd_clear_latch, &QPushButton::clicked, this, &frm_Config::cmd_clear_latch_Click);
    connect(cmd_sync, &QPushButton::clicked, this, &frm_Config::cmd_sync_Click);
    connect(cmd_calendar, &QPushButton::clicked, this, &frm_Config::cmd_calendar_Click);
    connect(MonthView1, &QCalendarWidget::clicked, this, [this](QDate d) {
        // The calendar's weekday counts from Sunday as 1.
        MonthView1_DateClick(d.day(), d.dayOfWeek() % 7 + 1, d.month(), d.year());
    });
}

CampiConfig frm_Config::campi() const
{
    CampiConfig c;
    c.txt_vers = txt_vers->text();
    c.txt_nome = txt_nome->text();
    c.txt_add = txt_add->text();
    if (opt_DispMode[0]->isChecked() || opt_DispMode[1]->isChecked())
        c.dispPos = opt_DispMode[1]->isChecked();
    c.contrasto = bar_Contr->value();
    c.luminosita = bar_Lumin->value();
    for (std::size_t i = 0; i < 8; ++i)
        c.Text3[i] = Text3[i]->text();
    for (std::size_t p = 0; p < 2; ++p) {
        c.baud[p] = cmb_baud[p]->currentIndex() >= 0 ? cmb_baud[p]->currentText() : QString();
        c.ritardo[p] = txt_delay[p]->text();
    }
    c.wdt = txt_wdt[0]->text();
    c.wdtAbilitato = chk_wdt[0]->isChecked();
    c.eventoWdt = chk_wdtEvent->isChecked();
    c.eventoAccensione = chk_pupEvent->isChecked();
    for (std::size_t i = 0; i < 8; ++i) {
        c.bitAccensione[i] = chk_PupBit[i]->isChecked();
        c.bitSicuro[i] = chk_SafeBit[i]->isChecked();
        c.bitUscita[i] = chk_OutputBit[i]->isChecked();
        c.tipoUscita[i] = cmb_Out[i]->currentIndex();
        c.uscita[i] = txt_Output[i]->text();
        c.sicuro[i] = txt_Safe[i]->text();
        c.abilitato[i] = chk_En[i]->isChecked();
        c.rotto[i] = colorato(pBreak[i], platform::kVbRed);
        c.ingresso[i] = txt_Input[i]->text();
        c.ingressoSync[i] = txt_Input_sync[i]->text();
    }
    for (std::size_t k = 0; k < 16; ++k)
        c.led[k] = colorato(Led[k], platform::kVbRed);
    if (cmb_Type->currentIndex() >= 0)
        c.tipoIngresso = cmb_Type->currentData().toInt();
    return c;
}

void frm_Config::mostraCampi(const CampiConfig& c)
{
    txt_vers->setText(c.txt_vers);
    txt_nome->setText(c.txt_nome);
    txt_add->setText(c.txt_add);
    if (c.dispPos)
        opt_DispMode[*c.dispPos ? 1 : 0]->setChecked(true);
    bar_Contr->setValue(c.contrasto);
    bar_Lumin->setValue(c.luminosita);
    for (std::size_t i = 0; i < 8; ++i)
        if (Text3[i]->text() != c.Text3[i])
            Text3[i]->setText(c.Text3[i]);
    for (std::size_t p = 0; p < 2; ++p) {
        // An empty text shows an empty box, which Write refuses.
        cmb_baud[p]->setCurrentIndex(cmb_baud[p]->findText(c.baud[p]));
        txt_delay[p]->setText(c.ritardo[p]);
    }
    txt_wdt[0]->setText(c.wdt);
    chk_wdt[0]->setChecked(c.wdtAbilitato);
    chk_wdtEvent->setChecked(c.eventoWdt);
    chk_pupEvent->setChecked(c.eventoAccensione);
    for (std::size_t i = 0; i < 8; ++i) {
        chk_PupBit[i]->setChecked(c.bitAccensione[i]);
        chk_SafeBit[i]->setChecked(c.bitSicuro[i]);
        chk_OutputBit[i]->setChecked(c.bitUscita[i]);
        cmb_Out[i]->setCurrentIndex(c.tipoUscita[i]);
        txt_Output[i]->setText(c.uscita[i]);
        txt_Safe[i]->setText(c.sicuro[i]);
        chk_En[i]->setChecked(c.abilitato[i]);
        colora(pBreak[i], c.rotto[i] ? platform::kVbRed : platform::kVbWhite);
        txt_Input[i]->setText(c.ingresso[i]);
        txt_Input_sync[i]->setText(c.ingressoSync[i]);
    }
    for (std::size_t k = 0; k < 16; ++k)
        colora(Led[k], c.led[k] ? platform::kVbRed : kVbGrigio);
    if (c.tipoIngresso) {
        const int k = cmb_Type->findData(*c.tipoIngresso);
        if (k >= 0)
            cmb_Type->setCurrentIndex(k);
    }
    abilitaCanali();
}

void frm_Config::cmd_read_Click(int indice)
{
    (void)indice;
    // One read at a time: a click that arrives while a read waits for its reply would
    // take the request buffers from under it.
    if (!letturaFinita_)
        return;
    letturaFinita_ = false;
    CampiConfig c = campi();
    QPointer<frm_Config> io(this);
    const bool ok = LeggiConfigurazione(modelloScelto(), Indirizzo->text(), c);
    if (!io)
        return;
    if (ok)
        mostraCampi(c);
    else
        cmd_stop_Click();
    letturaFinita_ = true;
    eseguiScritture();
}

void frm_Config::eseguiScritture()
{
    QPointer<frm_Config> io(this);
    std::vector<std::function<void()>> inAttesa;
    inAttesa.swap(inAttesa_);
    for (const auto& azione : inAttesa) {
        azione();
        if (!io)
            return;
    }
}

void frm_Config::scrivi(std::function<void()> azione)
{
    // During the cyclic read a write goes out between two reads, inside the loop: on its
    // own it would be refused while the loop holds the link.
    if (letturaFinita_ && !ciclo_)
        azione();
    else
        inAttesa_.push_back(std::move(azione));
}

void frm_Config::cmd_start_Click()
{
    if (ciclo_)
        return;
    ciclo_ = true;
    cmd_read[0]->setEnabled(false);
    QPointer<frm_Config> io(this);
    const bool avviata = LetturaCiclica({[this] { cmd_read_Click(0); },
                                         [io] { return !io.isNull(); },
                                         [this] { eseguiScritture(); }});
    if (!io)
        return;
    ciclo_ = false;
    if (avviata)
        cmd_stop_Click();
    else
        cmd_read[0]->setEnabled(true);
}

void frm_Config::cmd_stop_Click()
{
    StopCom = 1;
    cmd_read[0]->setEnabled(true);
}

void frm_Config::cmd_invia_Click(int indice)
{
    scrivi([indice, m = modelloScelto(), a = Indirizzo->text(), c = campi()] {
        ScriviFrame(indice, m, a, c);
    });
}

void frm_Config::cmd_Output_Click(int indice)
{
    if (indice >= 0 && indice < kNumCanali)
        scrivi([a = Indirizzo->text(), indice, v = txt_Output[std::size_t(indice)]->text()] {
            ScriviUscitaAnalogica(a, indice, v);
        });
}

void frm_Config::cmd_Set_Click(int indice)
{
    if (indice == 0)
        scrivi([a = Indirizzo->text(), c = campi()] { ScriviTipiUscite(a, c); });
    else if (indice == 1)
        scrivi([a = Indirizzo->text(), c = campi()] { ScriviValoriSicuri(a, c); });
}

void frm_Config::cmd_clear_latch_Click()
{
    scrivi([a = Indirizzo->text()] { AzzeraLatch(a); });
}

void frm_Config::cmd_sync_Click()
{
    scrivi([] { Sincronizza(); });
}

void frm_Config::cmd_calendar_Click()
{
    MonthView1->move(cmd_calendar->mapToGlobal(QPoint(0, cmd_calendar->height())));
    MonthView1->show();
    // Below a button near the screen's bottom edge it would open past it.
    platform::nelloSchermo(MonthView1);
    MonthView1->raise();
}

void frm_Config::MonthView1_DateClick(int giorno, int giornoSettimana, int mese, int anno)
{
    if (giornoSettimana >= 1 && giornoSettimana <= 7)
        Text3[4]->setText(QString::fromLatin1(GiorniInglesi[std::size_t(giornoSettimana)]));
    Text3[5]->setText(QString::number(giorno));
    if (mese >= 1 && mese <= 12)
        Text3[6]->setText(QString::fromLatin1(MesiInglesi[std::size_t(mese)]));
    Text3[7]->setText(QString::number(anno));
    MonthView1->hide();
}
} // namespace ludra::ui
