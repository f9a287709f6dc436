#include "scheduler/ui/frm_scheduler.h"

#include "base/Testi.h"
#include "base/ui/RigaEvidenziata.h"
#include "platform/ui/Pictures.h"
#include "platform/ui/TestoSemplice.h"

#include <QCalendarWidget>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace ludra::ui {

frm_scheduler::frm_scheduler(QWidget* parent) : QWidget(parent)
{
    setObjectName(QString::fromLatin1(kNome));
    setWindowTitle(QStringLiteral("Scheduler"));
    auto* l = new QHBoxLayout(this);

    frame5_ = new QGroupBox(this);
    frame5_->setObjectName(QStringLiteral("Frame5"));
    auto* l5 = new QVBoxLayout(frame5_);
    lstOgg_ = new QListWidget(frame5_);
    lstOgg_->setObjectName(QStringLiteral("lst_Ogg"));
    lstOgg_->setFixedWidth(190);
    l5->addWidget(lstOgg_, 1);
    // A click or an arrow key selects no object here: the list goes on showing the one
    // the commands act on.
    connect(lstOgg_, &QListWidget::itemSelectionChanged, this, [this] {
        if (rigaEvidenziata(lstOgg_) != editor_.OggettoAttivo - 1)
            evidenziaAttivo();
    });
    auto* comandi = new QHBoxLayout;
    for (int i = 0; i < 4; ++i) {
        auto* b = new QPushButton(frame5_);
        b->setObjectName(QStringLiteral("cmd_Ogg_%1").arg(i));
        b->setFixedSize(30, 28);
        cmdOgg_[std::size_t(i)] = b;
        comandi->addWidget(b);
        connect(b, &QPushButton::clicked, this, [this, i] { cmd_Ogg_Click(i); });
    }
    l5->addLayout(comandi);
    optType_ = new QRadioButton(QStringLiteral("Logger"), frame5_);
    optType_->setObjectName(QStringLiteral("opt_Type_0"));
    l5->addWidget(optType_);
    l->addWidget(frame5_);

    // The schedule fields are shown for the current object; the objects keep the
    // schedule they were created with.
    auto* destra = new QVBoxLayout;
    proprieta_ = new QGroupBox(this);
    proprieta_->setObjectName(QStringLiteral("Frame2"));
    auto* lp = new QFormLayout(proprieta_);
    auto* abilita = new QHBoxLayout;
    for (const char* testo : {"Trigger", "Continuous", "Timed"}) {
        auto* o = new QRadioButton(QString::fromLatin1(testo), proprieta_);
        o->setObjectName(QStringLiteral("opt_enable"));
        abilita->addWidget(o);
    }
    lp->addRow(abilita);
    lblReg_ = new platform::Etichetta(proprieta_);
    lblReg_->setObjectName(QStringLiteral("lbl_reg"));
    auto* reg = new QHBoxLayout;
    auto* txtReg = new QLineEdit(proprieta_);
    txtReg->setObjectName(QStringLiteral("txt_reg"));
    txtReg->setFixedWidth(60);
    auto* txtBit = new QLineEdit(proprieta_);
    txtBit->setObjectName(QStringLiteral("txt_bit"));
    txtBit->setFixedWidth(40);
    reg->addWidget(txtReg);
    reg->addWidget(new platform::Etichetta(QStringLiteral("Bit"), proprieta_));
    reg->addWidget(txtBit);
    reg->addStretch();
    lp->addRow(lblReg_, reg);
    auto* inizio = new QLineEdit(proprieta_);
    inizio->setObjectName(QStringLiteral("txt_inizio"));
    auto* calendario = new QPushButton(proprieta_);
    calendario->setObjectName(QStringLiteral("cmd_calendar"));
    calendario->setIcon(QIcon(platform::LoadResPicture(131)));
    auto* riga = new QHBoxLayout;
    riga->addWidget(inizio);
    riga->addWidget(calendario);
    lp->addRow(QStringLiteral("Start"), riga);
    lp->addRow(QStringLiteral("End"), new QLineEdit(proprieta_));
    lp->addRow(QStringLiteral("Day"), new QLineEdit(proprieta_));
    monthView1_ = new QCalendarWidget(proprieta_);
    monthView1_->setObjectName(QStringLiteral("MonthView1"));
    monthView1_->hide();
    lp->addRow(monthView1_);
    connect(calendario, &QPushButton::clicked, this, [this] { monthView1_->show(); });
    connect(monthView1_, &QCalendarWidget::clicked, this, [this, inizio](QDate giorno) {
        inizio->setText(giorno.toString(QStringLiteral("dd/MM/yy")));
        monthView1_->hide();
    });
    destra->addWidget(proprieta_);
    auto* pulsanti = new QHBoxLayout;
    auto* set = new QPushButton(QStringLiteral("Set"), this);
    set->setObjectName(QStringLiteral("cmd_Set"));
    connect(set, &QPushButton::clicked, this, [this] { CompilaOggetti(); });
    auto* chiudi = new QPushButton(this);
    chiudi->setObjectName(QStringLiteral("Command4"));
    chiudi->setIcon(QIcon(platform::LoadResPicture(146)));
    connect(chiudi, &QPushButton::clicked, this, [this] { Command4_Click(); });
    pulsanti->addStretch();
    pulsanti->addWidget(set);
    pulsanti->addWidget(chiudi);
    destra->addLayout(pulsanti);
    destra->addStretch();
    l->addLayout(destra);

    SetRes();
    FinestreCaricate::istanza().registra(this);
    editor_.OggettoAttivo = 0;
    elenco();
    ViewPar(0, 0);
}

frm_scheduler::~frm_scheduler()
{
    FinestreCaricate::istanza().rimuovi(this);
}

void frm_scheduler::SetRes()
{
    frame5_->setTitle(Testi.t(166));
    lblReg_->setText(Testi.t(158));
    for (int i = 0; i < 4; ++i)
        cmdOgg_[std::size_t(i)]->setIcon(QIcon(platform::LoadResPicture(142 + i)));
    platform::suggerimento(cmdOgg_[2], QStringLiteral("Send to Back"));
    platform::suggerimento(cmdOgg_[3], QStringLiteral("Bring to Front"));
    optType_->setIcon(QIcon(platform::LoadResPicture(141)));
}

void frm_scheduler::elenco()
{
    const QSignalBlocker blocco(lstOgg_);
    lstOgg_->clear();
    lstOgg_->addItems(VociScheduler());
    evidenziaAttivo();
}

void frm_scheduler::evidenziaAttivo() { evidenziaRiga(lstOgg_, editor_.OggettoAttivo - 1); }

void frm_scheduler::ViewPar(int, int ogg)
{
    proprieta_->setEnabled(ogg != 0);
}

void frm_scheduler::cmd_Ogg_Click(int indice)
{
    bool fatto = false;
    switch (indice) {
    case 0:
        if (!optType_->isChecked())
            return;
        fatto = editor_.NuovoLogger();
        break;
    case 1: fatto = editor_.DeleteObject(editor_.OggettoAttivo); break;
    case 2: fatto = editor_.SpostaIndietro(); break;
    case 3: fatto = editor_.SpostaAvanti(); break;
    default: return;
    }
    if (!fatto)
        return;
    elenco();
    ViewPar(0, editor_.OggettoAttivo);
}

void frm_scheduler::CompilaOggetti()
{
    CompilaOggettiScheduler();
}

void frm_scheduler::Command4_Click()
{
    CompilaOggetti();
    if (HostFinestre* host = hostFinestre())
        host->chiudi(Finestra::frm_scheduler);
}

} // namespace ludra::ui
