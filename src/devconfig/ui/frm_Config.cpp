#include "devconfig/ui/frm_Config.h"

#include "base/Testi.h"
#include "base/ui/FuocoCampo.h"
#include "devconfig/FrmConfig.h"
#include "devconfig/MappaDispositivi.h"
#include "devconfig/ui/ColoriConfig.h"
#include "link/StatoLink.h"
#include "platform/ui/Pictures.h"
#include "platform/ui/TestoSemplice.h"

#include <QCalendarWidget>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QVBoxLayout>

namespace ludra::ui {
namespace {

using G = GruppoDispositivo;

QFrame* spia(QWidget* parent, int lato)
{
    auto* f = new QFrame(parent);
    f->setFrameShape(QFrame::Box);
    f->setFixedSize(lato, lato);
    return f;
}

QLineEdit* campo(QWidget* parent, const QString& nome, int larghezza = 60)
{
    auto* e = new QLineEdit(parent);
    e->setObjectName(nome);
    e->setFixedWidth(larghezza);
    return e;
}

QPushButton* pulsanteScrivi(QWidget* parent)
{
    return new QPushButton(QStringLiteral("Write"), parent);
}

QString testo(int k) { return Testi.t(k); }

} // namespace

frm_Config::frm_Config(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frm_Config"));
    SeguiCampiRifiutati(this);
    creaTesta();
    creaProg();
    creaPorte();
    creaEventi();
    creaIO();
    creaOrologio();
    creaDisplay();

    auto* sinistra = new QVBoxLayout;
    sinistra->addWidget(Frm_Prog);
    sinistra->addWidget(frm_Ports);
    sinistra->addWidget(frm_PupSafe);
    sinistra->addStretch();
    auto* destra = new QVBoxLayout;
    destra->addWidget(frm_IO);
    destra->addWidget(frm_RTC);
    destra->addWidget(frm_Disp);
    destra->addStretch();
    auto* corpo = new QHBoxLayout;
    corpo->addLayout(sinistra);
    corpo->addLayout(destra, 1);

    auto* testa = new QHBoxLayout;
    testa->addWidget(Label1[0]);
    testa->addWidget(Indirizzo);
    testa->addWidget(Label1[1]);
    testa->addWidget(modello);
    testa->addWidget(cmd_read[0]);
    testa->addWidget(Frame6);
    testa->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(testa);
    layout->addLayout(corpo);

    collega();
    FinestreCaricate::istanza().registra(this);
    SetModello = FrmConfig.SetModello;
    Form_Load();
}

frm_Config::~frm_Config() { FinestreCaricate::istanza().rimuovi(this); }

void frm_Config::creaTesta()
{
    Label1[0] = new platform::Etichetta(this);
    Label1[1] = new platform::Etichetta(this);
    Indirizzo = campo(this, QStringLiteral("Indirizzo"), 50);
    modello = new QComboBox(this);
    modello->setMinimumContentsLength(14);
    cmd_read[0] = new QPushButton(this);
    Frame6 = new QGroupBox(this);
    cmd_start = new QPushButton(Frame6);
    cmd_stop = new QPushButton(Frame6);
    auto* l = new QHBoxLayout(Frame6);
    l->setContentsMargins(4, 4, 4, 4);
    l->addWidget(cmd_start);
    l->addWidget(cmd_stop);
    MonthView1 = new QCalendarWidget(this);
    MonthView1->setWindowFlags(Qt::Popup);
    MonthView1->hide();
}

void frm_Config::creaProg()
{
    Frm_Prog = new QGroupBox(this);
    txt_vers = campo(Frm_Prog, QStringLiteral("txt_vers"), 90);
    txt_vers->setReadOnly(true);
    txt_nome = campo(Frm_Prog, QStringLiteral("txt_nome"), 90);
    txt_add = campo(Frm_Prog, QStringLiteral("txt_add"), 90);
    Label6 = new platform::Etichetta(Frm_Prog);
    Label5 = new platform::Etichetta(Frm_Prog);
    Label10 = new platform::Etichetta(Frm_Prog);
    cmd_invia[0] = pulsanteScrivi(Frm_Prog);
    cmd_invia[2] = pulsanteScrivi(Frm_Prog);
    auto* g = new QGridLayout(Frm_Prog);
    g->addWidget(Label6, 0, 0);
    g->addWidget(txt_vers, 0, 1);
    g->addWidget(Label5, 1, 0);
    g->addWidget(txt_nome, 1, 1);
    g->addWidget(cmd_invia[0], 1, 2);
    g->addWidget(Label10, 2, 0);
    g->addWidget(txt_add, 2, 1);
    g->addWidget(cmd_invia[2], 2, 2);
}

void frm_Config::creaPorte()
{
    frm_Ports = new QGroupBox(this);
    auto* v = new QVBoxLayout(frm_Ports);
    Label12 = new platform::Etichetta;
    Label7 = new platform::Etichetta;
    for (int p = 0; p < 2; ++p) {
        const auto i = std::size_t(p);
        Frame1[i] = new QGroupBox(frm_Ports);
        cmb_baud[i] = new QComboBox(Frame1[i]);
        cmb_baud[i]->setObjectName(QStringLiteral("cmb_baud_%1").arg(p));
        for (const char* b : TestiBaud)
            cmb_baud[i]->addItem(QString::fromLatin1(b));
        cmb_baud[i]->setCurrentIndex(-1);
        txt_delay[i] = campo(Frame1[i], QStringLiteral("txt_delay_%1").arg(p));
        Label8[i] = new platform::Etichetta(Frame1[i]);
        Label11[i] = new platform::Etichetta(Frame1[i]);
        auto* g = new QGridLayout(Frame1[i]);
        g->addWidget(Label8[i], 0, 0);
        g->addWidget(cmb_baud[i], 0, 1);
        g->addWidget(Label11[i], 1, 0);
        g->addWidget(txt_delay[i], 1, 1);
        if (p == 0) {
            txt_wdt[0] = campo(Frame1[0], QStringLiteral("txt_wdt_0"));
            chk_wdt[0] = new QCheckBox(Frame1[0]);
            g->addWidget(Label12, 2, 0);
            g->addWidget(txt_wdt[0], 2, 1);
            g->addWidget(Label7, 3, 0);
            g->addWidget(chk_wdt[0], 3, 1);
        }
        cmd_invia[p == 0 ? 3 : 8] = pulsanteScrivi(Frame1[i]);
        g->addWidget(cmd_invia[p == 0 ? 3 : 8], 0, 2);
        v->addWidget(Frame1[i]);
    }
}

void frm_Config::creaEventi()
{
    frm_PupSafe = new QGroupBox(this);
    chk_wdtEvent = new QCheckBox(frm_PupSafe);
    chk_pupEvent = new QCheckBox(frm_PupSafe);
    Label18 = new platform::Etichetta(frm_PupSafe);
    Label21 = new platform::Etichetta(frm_PupSafe);
    auto* g = new QGridLayout(frm_PupSafe);
    g->addWidget(Label18, 0, 0);
    g->addWidget(chk_wdtEvent, 0, 1);
    g->addWidget(Label21, 1, 0);
    g->addWidget(chk_pupEvent, 1, 1);
}

void frm_Config::creaIO()
{
    frm_IO = new QGroupBox(this);
    creaIngressiAnalogici();
    creaUsciteAnalogiche();
    creaDigitali();
    cmd_clear_latch = new QPushButton(frm_IO);
    auto* v = new QVBoxLayout(frm_IO);
    v->addWidget(frm_AI);
    v->addWidget(frm_AO);
    v->addWidget(frm_DI);
    v->addWidget(frm_DO);
    v->addWidget(cmd_clear_latch, 0, Qt::AlignLeft);
}

void frm_Config::creaIngressiAnalogici()
{
    frm_AI = new QGroupBox(frm_IO);
    auto* g = new QGridLayout(frm_AI);
    Label16 = new platform::Etichetta(frm_AI);
    Label13 = new platform::Etichetta(frm_AI);
    Label15 = new platform::Etichetta(frm_AI);
    Label14 = new platform::Etichetta(frm_AI);
    g->addWidget(Label16, 0, 1);
    g->addWidget(Label13, 0, 2);
    g->addWidget(Label15, 0, 3);
    g->addWidget(Label14, 0, 4);
    for (int c = 0; c < kNumCanali; ++c) {
        const auto i = std::size_t(c);
        chk_En[i] = new QCheckBox(frm_AI);
        txt_Input[i] = campo(frm_AI, QStringLiteral("txt_Input_%1").arg(c), 70);
        txt_Input[i]->setReadOnly(true);
        pBreak[i] = spia(frm_AI, 14);
        colora(pBreak[i], platform::kVbWhite);
        txt_Input_sync[i] = campo(frm_AI, QStringLiteral("txt_Input_sync_%1").arg(c), 70);
        txt_Input_sync[i]->setReadOnly(true);
        g->addWidget(new platform::Etichetta(QString::number(c), frm_AI), c + 1, 0);
        g->addWidget(chk_En[i], c + 1, 1);
        g->addWidget(txt_Input[i], c + 1, 2);
        g->addWidget(pBreak[i], c + 1, 3);
        g->addWidget(txt_Input_sync[i], c + 1, 4);
    }
    Label9 = new platform::Etichetta(frm_AI);
    cmb_Type = new QComboBox(frm_AI);
    cmb_Type->setMinimumContentsLength(8);
    cmd_invia[7] = pulsanteScrivi(frm_AI);
    cmd_sync = new QPushButton(frm_AI);
    auto* tipo = new QHBoxLayout;
    tipo->addWidget(Label9);
    tipo->addWidget(cmb_Type);
    tipo->addWidget(cmd_invia[7]);
    tipo->addStretch();
    tipo->addWidget(cmd_sync);
    g->addLayout(tipo, kNumCanali + 1, 0, 1, 5);
}

void frm_Config::creaUsciteAnalogiche()
{
    frm_AO = new QGroupBox(frm_IO);
    auto* g = new QGridLayout(frm_AO);
    Label17 = new platform::Etichetta(frm_AO);
    Label20 = new platform::Etichetta(frm_AO);
    Label19 = new platform::Etichetta(frm_AO);
    g->addWidget(Label17, 0, 1);
    g->addWidget(Label20, 0, 2);
    g->addWidget(Label19, 0, 4);
    for (int c = 0; c < kNumCanali; ++c) {
        const auto i = std::size_t(c);
        cmb_Out[i] = new QComboBox(frm_AO);
        cmb_Out[i]->addItems({QStringLiteral("mA"), QStringLiteral("V")});
        txt_Output[i] = campo(frm_AO, QStringLiteral("txt_Output_%1").arg(c), 70);
        cmd_Output[i] = pulsanteScrivi(frm_AO);
        txt_Safe[i] = campo(frm_AO, QStringLiteral("txt_Safe_%1").arg(c), 70);
        g->addWidget(new platform::Etichetta(QString::number(c), frm_AO), c + 1, 0);
        g->addWidget(cmb_Out[i], c + 1, 1);
        g->addWidget(txt_Output[i], c + 1, 2);
        g->addWidget(cmd_Output[i], c + 1, 3);
        g->addWidget(txt_Safe[i], c + 1, 4);
    }
    for (int k = 0; k < 2; ++k)
        cmd_Set[std::size_t(k)] = new QPushButton(QStringLiteral("Set All"), frm_AO);
    g->addWidget(cmd_Set[0], kNumCanali + 1, 1);
    g->addWidget(cmd_Set[1], kNumCanali + 1, 4);
}

void frm_Config::creaDigitali()
{
    frm_DI = new QGroupBox(frm_IO);
    auto* g = new QGridLayout(frm_DI);
    for (int k = 0; k < 16; ++k) {
        Led[std::size_t(k)] = spia(frm_DI, 16);
        colora(Led[std::size_t(k)], kVbGrigio);
        g->addWidget(new platform::Etichetta(QString::number(k), frm_DI), (k / 8) * 2, k % 8,
                     Qt::AlignHCenter);
        g->addWidget(Led[std::size_t(k)], (k / 8) * 2 + 1, k % 8, Qt::AlignHCenter);
    }
    frm_latchH = new QGroupBox(frm_DI);
    frm_latchL = new QGroupBox(frm_DI);
    frm_syncDI = new QGroupBox(QStringLiteral("Sync"), frm_DI);
    auto* latch = new QHBoxLayout;
    for (QGroupBox* b : {frm_latchH, frm_latchL, frm_syncDI}) {
        b->setFlat(true);
        latch->addWidget(b);
    }
    g->addLayout(latch, 4, 0, 1, 8);

    frm_DO = new QGroupBox(frm_IO);
    auto* o = new QGridLayout(frm_DO);
    Label2 = new platform::Etichetta(frm_DO);
    Label4 = new platform::Etichetta(frm_DO);
    o->addWidget(Label2, 1, 0);
    o->addWidget(Label4, 2, 0);
    for (int k = 0; k < 8; ++k) {
        const auto i = std::size_t(k);
        chk_OutputBit[i] = new QCheckBox(QString::number(k), frm_DO);
        chk_PupBit[i] = new QCheckBox(frm_DO);
        chk_SafeBit[i] = new QCheckBox(frm_DO);
        for (QCheckBox* c : {chk_OutputBit[i], chk_PupBit[i], chk_SafeBit[i]})
            colora(c, platform::kVbWhite);
        o->addWidget(chk_OutputBit[i], 0, k + 1);
        o->addWidget(chk_PupBit[i], 1, k + 1);
        o->addWidget(chk_SafeBit[i], 2, k + 1);
    }
    cmd_invia[1] = pulsanteScrivi(frm_DO);
    o->addWidget(cmd_invia[1], 1, 9, 2, 1);
}

void frm_Config::creaOrologio()
{
    frm_RTC = new QGroupBox(this);
    for (int k = 0; k < 8; ++k)
        Text3[std::size_t(k)] = campo(frm_RTC, QStringLiteral("Text3_%1").arg(k), k < 4 ? 40 : 90);
    // The field between the minutes and the seconds has no register.
    Text3[2]->setReadOnly(true);
    cmd_calendar = new QPushButton(frm_RTC);
    cmd_calendar->setIcon(QIcon(platform::LoadResPicture(131, 16)));
    cmd_invia[4] = pulsanteScrivi(frm_RTC);
    auto* ora = new QHBoxLayout;
    auto* giorno = new QHBoxLayout;
    for (int k = 0; k < 8; ++k)
        (k < 4 ? ora : giorno)->addWidget(Text3[std::size_t(k)]);
    ora->addStretch();
    ora->addWidget(cmd_calendar);
    giorno->addStretch();
    giorno->addWidget(cmd_invia[4]);
    auto* v = new QVBoxLayout(frm_RTC);
    v->addLayout(ora);
    v->addLayout(giorno);
}

void frm_Config::creaDisplay()
{
    frm_Disp = new QGroupBox(this);
    lbl_Mode = new platform::Etichetta(frm_Disp);
    lbl_Contr = new platform::Etichetta(frm_Disp);
    lbl_Lumin = new platform::Etichetta(frm_Disp);
    opt_DispMode[0] = new QRadioButton(frm_Disp);
    opt_DispMode[1] = new QRadioButton(frm_Disp);
    bar_Contr = new QSlider(Qt::Horizontal, frm_Disp);
    bar_Lumin = new QSlider(Qt::Horizontal, frm_Disp);
    for (QSlider* s : {bar_Contr, bar_Lumin})
        s->setRange(0, 15);
    cmd_invia[5] = pulsanteScrivi(frm_Disp);
    auto* g = new QGridLayout(frm_Disp);
    g->addWidget(lbl_Mode, 0, 0);
    g->addWidget(opt_DispMode[1], 0, 1);
    g->addWidget(opt_DispMode[0], 0, 2);
    g->addWidget(lbl_Contr, 1, 0);
    g->addWidget(bar_Contr, 1, 1, 1, 2);
    g->addWidget(lbl_Lumin, 2, 0);
    g->addWidget(bar_Lumin, 2, 1, 1, 2);
    g->addWidget(cmd_invia[5], 0, 3);
}

void frm_Config::SetRes()
{
    setWindowTitle(testo(111));
    Label1[0]->setText(testo(112));
    Label1[1]->setText(testo(113));
    cmd_read[0]->setText(testo(114));
    cmd_start->setText(testo(115));
    cmd_stop->setText(testo(116));
    Frm_Prog->setTitle(testo(117));
    frm_Ports->setTitle(testo(118));
    frm_PupSafe->setTitle(testo(119));
    frm_IO->setTitle(testo(120));
    frm_RTC->setTitle(testo(121));
    frm_Disp->setTitle(testo(122));
    Label10->setText(testo(123));
    Label6->setText(testo(124));
    Label5->setText(testo(125));
    Label21->setText(testo(126));
    Label18->setText(testo(127));
    lbl_Mode->setText(testo(128));
    opt_DispMode[1]->setText(testo(129));
    opt_DispMode[0]->setText(testo(130));
    lbl_Lumin->setText(testo(131));
    lbl_Contr->setText(testo(132));
    Frame1[0]->setTitle(QStringLiteral("Port 0 (") + testo(134) + QStringLiteral(")"));
    Frame1[1]->setTitle(QStringLiteral("Port 1 (") + testo(133) + QStringLiteral(")"));
    for (std::size_t i = 0; i < 2; ++i) {
        Label8[i]->setText(testo(135));
        Label11[i]->setText(testo(136));
    }
    Label12->setText(testo(137));
    Label7->setText(testo(138));
    frm_AI->setTitle(testo(139));
    Label9->setText(testo(140));
    Label16->setText(testo(141));
    Label13->setText(testo(142));
    Label15->setText(testo(143));
    Label14->setText(testo(144));
    cmd_sync->setText(testo(145));
    frm_AO->setTitle(testo(146));
    Label17->setText(testo(147));
    Label20->setText(testo(148));
    Label19->setText(testo(149));
    frm_DI->setTitle(testo(150));
    frm_DO->setTitle(testo(151));
    frm_latchH->setTitle(testo(152) + QStringLiteral(" H"));
    frm_latchL->setTitle(testo(152) + QStringLiteral(" L"));
    cmd_clear_latch->setText(testo(153));
    Label2->setText(testo(154));
    Label4->setText(testo(155));
}

void frm_Config::Form_Load()
{
    SetRes();
    letturaFinita_ = true;
    Indirizzo->setText(QString::number(Controllore.Nodo));
    for (const ModelloDispositivo& m : ModelliDispositivo())
        modello->addItem(QString::fromLatin1(m.nome));
    modello->setCurrentIndex(-1);
    const int scelto = modello->findText(SetModello, Qt::MatchExactly);
    if (scelto >= 0) {
        modello->setCurrentIndex(scelto);
        modello_Click();
    }
}

QString frm_Config::modelloScelto() const
{
    return modello->currentIndex() >= 0 ? modello->currentText() : QString();
}

void frm_Config::modello_Click()
{
    for (QWidget* w : std::initializer_list<QWidget*>{
             Frame1[1], frm_IO, frm_AI, frm_AO, frm_DI, frm_DO, frm_PupSafe, frm_latchH,
             frm_latchL, frm_syncDI, cmd_clear_latch, frm_RTC, frm_Disp})
        w->setVisible(false);
    Frame1[0]->setVisible(true);

    const QString nome = modelloScelto();
    const ModelloDispositivo* m = TrovaModello(nome);
    const G g = m ? m->gruppo : G::Nessuno;
    const int righe = m ? m->canali : 0;
    if (g == G::Controllore) {
        Frame1[1]->setVisible(!m->display);
        frm_Disp->setVisible(m->display);
        frm_RTC->setVisible(m->orologio && !m->display);
        if (m->ioDigitali)
            for (QWidget* w : {frm_IO, frm_DI, frm_DO})
                w->setVisible(true);
    } else if (g == G::IngressiAnalogici) {
        frm_IO->setVisible(true);
        frm_AI->setVisible(true);
    } else if (g == G::UsciteAnalogiche) {
        frm_IO->setVisible(true);
        frm_AO->setVisible(true);
    } else if (g == G::DigitaliIO) {
        for (QWidget* w : std::initializer_list<QWidget*>{frm_IO, frm_DI, frm_PupSafe, frm_latchH,
                                                          frm_latchL, frm_syncDI, cmd_clear_latch})
            w->setVisible(true);
        frm_DO->setVisible(nome != QLatin1String("KVR1231"));
    }
    for (int k = 0; k < kNumCanali; ++k) {
        const auto i = std::size_t(k);
        const bool ingresso = g == G::IngressiAnalogici && k < righe;
        for (QWidget* w : std::initializer_list<QWidget*>{chk_En[i], txt_Input[i], pBreak[i],
                                                          txt_Input_sync[i]})
            w->setVisible(ingresso);
        const bool uscita = g == G::UsciteAnalogiche && k < righe;
        for (QWidget* w : std::initializer_list<QWidget*>{cmb_Out[i], txt_Output[i],
                                                          cmd_Output[i], txt_Safe[i]})
            w->setVisible(uscita);
        chk_OutputBit[i]->setVisible(k < righe);
    }
    // The row numbers follow their rows.
    for (QGroupBox* f : {frm_AI, frm_AO}) {
        auto* g2 = static_cast<QGridLayout*>(f->layout());
        for (int k = 0; k < kNumCanali; ++k)
            if (QLayoutItem* it = g2->itemAtPosition(k + 1, 0); it && it->widget())
                it->widget()->setVisible(f == frm_AI ? chk_En[std::size_t(k)]->isVisibleTo(f)
                                                     : cmb_Out[std::size_t(k)]->isVisibleTo(f));
    }

    if (g == G::IngressiAnalogici) {
        cmb_Type->clear();
        for (const TipoIngresso& t : TipiIngresso(nome))
            cmb_Type->addItem(QString::fromLatin1(t.testo), t.codice);
        cmb_Type->setCurrentIndex(-1);
    }
    // The frame of the main window follows the frames the model shows.
    adjustSize();
    if (QWidget* cornice = parentWidget())
        cornice->adjustSize();
}

void frm_Config::abilitaCanali()
{
    for (std::size_t i = 0; i < chk_En.size(); ++i) {
        const bool si = chk_En[i]->isChecked();
        txt_Input[i]->setEnabled(si);
        pBreak[i]->setEnabled(si);
        txt_Input_sync[i]->setEnabled(si);
    }
}

void frm_Config::closeEvent(QCloseEvent* evento)
{
    // A cyclic read ends with the window.
    StopCom = 1;
    QWidget::closeEvent(evento);
}

} // namespace ludra::ui
