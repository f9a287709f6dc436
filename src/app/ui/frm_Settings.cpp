#include "app/ui/frm_Settings.h"

#include "base/Testi.h"
#include "base/ui/FuocoCampo.h"
#include "platform/PortaSeriale.h"
#include "platform/ui/Pictures.h"
#include "platform/ui/TestoSemplice.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QVBoxLayout>

namespace ludra::ui {

namespace {

template <typename T>
T* nominato(T* w, const char* nome)
{
    w->setObjectName(QString::fromLatin1(nome));
    return w;
}

// A named field on a form's row, after a caption label the captions fill in later.
template <typename T>
T* campo(QFormLayout* form, QLabel*& etichetta, T* w, const char* nome)
{
    etichetta = new platform::Etichetta;
    form->addRow(etichetta, nominato(w, nome));
    return w;
}

// A part of the controller page that shows for one channel only: a named panel with its
// fields in a form of its own.
QFormLayout* pannelloCanale(QWidget*& pannello, const char* nome)
{
    pannello = nominato(new QWidget, nome);
    auto* form = new QFormLayout(pannello);
    form->setContentsMargins(0, 0, 0, 0);
    return form;
}

} // namespace

frm_Settings::frm_Settings(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frm_Settings"));
    auto* principale = new QVBoxLayout(this);

    // Controller page.
    frm_opt[0] = nominato(new QGroupBox(this), "frm_opt_0");
    auto* controller = new QFormLayout(frm_opt[0]);
    Combo1 = campo(controller, Label5, new QComboBox, "Combo1");
    Combo1->addItems(ModelliImpostazioni());
    txt_address = campo(controller, Label2, new QLineEdit, "txt_address");

    Frame2 = nominato(new QGroupBox, "Frame2");
    auto* canali = new QHBoxLayout(Frame2);
    auto* gruppoCanali = new QButtonGroup(this);
    for (int i = 0; i < 2; ++i) {
        optChannel[i] = new QRadioButton;
        optChannel[i]->setObjectName(QStringLiteral("optChannel_%1").arg(i));
        gruppoCanali->addButton(optChannel[i], i);
        canali->addWidget(optChannel[i]);
        connect(optChannel[i], &QRadioButton::toggled, this, [this, i](bool on) {
            if (on)
                optChannel_Click(i);
        });
    }
    controller->addRow(Frame2);

    auto* tcp = pannelloCanale(frmTCP, "frmTCP");
    txt_IP = campo(tcp, Label1, new QLineEdit, "txt_IP");
    txt_port = campo(tcp, Label7, new QLineEdit, "txt_port");
    txt_timeoutTCP = nominato(new QLineEdit, "txt_timeoutTCP");
    tcp->addRow(new platform::Etichetta(QStringLiteral("Timeout (mSec)")), txt_timeoutTCP);
    controller->addRow(frmTCP);

    auto* com = pannelloCanale(frmCOM, "frmCOM");
    cmbCOM = campo(com, Label6, new QComboBox, "cmbCOM");
    cmbBaud = nominato(new QComboBox, "cmbBaud");
    cmbBaud->addItems(VelocitaSeriali());
    com->addRow(new platform::Etichetta(QStringLiteral("Baud Rate")), cmbBaud);
    chk_Modem = nominato(new QCheckBox(QStringLiteral("Modem Dial up")), "chk_Modem");
    com->addRow(chk_Modem);
    controller->addRow(frmCOM);
    principale->addWidget(frm_opt[0]);

    // Workspace page.
    frm_opt[1] = nominato(new QGroupBox(this), "frm_opt_1");
    auto* workspace = new QVBoxLayout(frm_opt[1]);
    Frame3 = nominato(new QGroupBox, "Frame3");
    auto* debug = new QVBoxLayout(Frame3);
    chk_Update = nominato(new QCheckBox, "chk_Update");
    debug->addWidget(chk_Update);
    Frame1 = nominato(new QGroupBox, "Frame1");
    auto* animazione = new QHBoxLayout(Frame1);
    Slider1 = nominato(new QSlider(Qt::Horizontal), "Slider1");
    Slider1->setRange(0, kUltimaPosizioneAnimazione);
    Slider1->setPageStep(1);
    Slider1->setTickPosition(QSlider::TicksBelow);
    lbl_tempo = nominato(new platform::Etichetta, "lbl_tempo");
    animazione->addWidget(Slider1);
    animazione->addWidget(lbl_tempo);
    animazione->addWidget(new platform::Etichetta(QStringLiteral("sec.")));
    connect(Slider1, &QSlider::valueChanged, this,
            [this](int v) { lbl_tempo->setText(TestoAnimazione(v)); });
    debug->addWidget(Frame1);
    workspace->addWidget(Frame3);

    Frame4 = nominato(new QGroupBox, "Frame4");
    auto* lingue = new QHBoxLayout(Frame4);
    auto* gruppoLingue = new QButtonGroup(this);
    for (int i = 0; i < 2; ++i) {
        img_lang[i] = new platform::Etichetta;
        opt_lang[i] = new QRadioButton;
        opt_lang[i]->setObjectName(QStringLiteral("opt_lang_%1").arg(i));
        gruppoLingue->addButton(opt_lang[i], i);
        lingue->addWidget(img_lang[i]);
        lingue->addWidget(opt_lang[i]);
    }
    workspace->addWidget(Frame4);
    principale->addWidget(frm_opt[1]);

    auto* pulsanti = new QHBoxLayout;
    pulsanti->addStretch();
    for (int i = 0; i < 2; ++i) {
        cmd_ok[i] = new QPushButton(i == 0 ? QStringLiteral("Cancel") : QStringLiteral("OK"));
        cmd_ok[i]->setObjectName(QStringLiteral("cmd_ok_%1").arg(i));
        connect(cmd_ok[i], &QPushButton::clicked, this, [this, i] { cmd_ok_Click(i); });
    }
    pulsanti->addWidget(cmd_ok[1]);
    pulsanti->addWidget(cmd_ok[0]);
    principale->addLayout(pulsanti);

    FinestreCaricate::istanza().registra(this);
    SeguiCampiRifiutati(this);
    SetRes();
    carica(CaricaImpostazioni());
    // The language acts at once, whichever button later closes the window.
    for (int i = 0; i < 2; ++i) {
        connect(opt_lang[i], &QRadioButton::clicked, this, [i] { CambiaLingua(i); });
    }
    mostraPagina(0);
}

frm_Settings::~frm_Settings() { FinestreCaricate::istanza().rimuovi(this); }

void frm_Settings::SetRes()
{
    setWindowTitle(Testi.t(88));
    frm_opt[0]->setTitle(Testi.t(89));
    Label5->setText(Testi.t(90));
    Label2->setText(Testi.t(91));
    Frame2->setTitle(Testi.t(92));
    optChannel[0]->setText(Testi.t(93));
    optChannel[1]->setText(Testi.t(94));
    Label1->setText(Testi.t(95));
    Label7->setText(Testi.t(96));
    Label6->setText(Testi.t(94));
    frm_opt[1]->setTitle(Testi.t(97));
    Frame3->setTitle(Testi.t(98));
    chk_Update->setText(Testi.t(99));
    Frame1->setTitle(Testi.t(100));
    Frame4->setTitle(Testi.ParolaLingua);
    for (int i = 0; i < 2; ++i) {
        opt_lang[i]->setText(Testi.NomiLingue[std::size_t(i)]);
        img_lang[i]->setPixmap(platform::LoadResPicture(152 + i, 24));
    }
}

void frm_Settings::riempiPorte(int numero)
{
    // The machine's serial devices under the numbers the link opens them by; the port
    // in force stays on the list even when its device is away, so OK keeps it.
    cmbCOM->clear();
    bool presente = false;
    for (const platform::PortaElencata& p : platform::elencoPorte()) {
        if (!presente && p.numero > numero) {
            aggiungiPorta(numero, platform::percorsoPorta(numero));
            presente = true;
        }
        aggiungiPorta(p.numero, p.percorso);
        presente = presente || p.numero == numero;
    }
    if (!presente)
        aggiungiPorta(numero, platform::percorsoPorta(numero));
    cmbCOM->setCurrentIndex(cmbCOM->findData(numero));
}

void frm_Settings::aggiungiPorta(int numero, const QString& percorso)
{
    const QString testo = percorso.isEmpty()
                              ? QStringLiteral("COM%1").arg(numero)
                              : QStringLiteral("COM%1 (%2)").arg(numero).arg(platform::nomeBreve(percorso));
    cmbCOM->addItem(testo, numero);
    cmbCOM->setItemData(cmbCOM->count() - 1, platform::testoSuggerimento(percorso), Qt::ToolTipRole);
}

void frm_Settings::carica(const ModuloImpostazioni& m)
{
    opt_lang[m.lingua == 0 ? 0 : 1]->setChecked(true);
    Combo1->setCurrentText(m.modello);
    riempiPorte(m.indiceCom + 1);
    cmbBaud->setCurrentText(m.baud);
    txt_IP->setText(m.ip);
    txt_port->setText(m.porta);
    txt_timeoutTCP->setText(m.timeoutTcp);
    chk_Modem->setChecked(m.modem);
    optChannel[m.canale]->setChecked(true);
    optChannel_Click(m.canale);
    txt_address->setText(m.nodo);
    posizioneMostrata_ = m.posizioneMostrata;
    Slider1->setValue(m.posizioneAnimazione);
    lbl_tempo->setText(TestoAnimazione(m.posizioneAnimazione));
    chk_Update->setChecked(m.aggiorna);
}

ModuloImpostazioni frm_Settings::modulo() const
{
    ModuloImpostazioni m;
    m.modello = Combo1->currentText();
    m.nodo = txt_address->text();
    m.canale = optChannel[1]->isChecked() ? 1 : 0;
    m.ip = txt_IP->text();
    m.porta = txt_port->text();
    m.timeoutTcp = txt_timeoutTCP->text();
    m.indiceCom = cmbCOM->currentIndex() >= 0 ? cmbCOM->currentData().toInt() - 1 : 0;
    m.baud = cmbBaud->currentText();
    m.modem = chk_Modem->isChecked();
    m.aggiorna = chk_Update->isChecked();
    m.posizioneAnimazione = Slider1->value();
    m.posizioneMostrata = posizioneMostrata_;
    m.lingua = opt_lang[0]->isChecked() ? 0 : 1;
    return m;
}

void frm_Settings::optChannel_Click(int indice)
{
    frmCOM->setVisible(indice == 1);
    frmTCP->setVisible(indice == 0);
}

void frm_Settings::mostraPagina(int pagina)
{
    frm_opt[0]->setVisible(pagina == 0);
    frm_opt[1]->setVisible(pagina != 0);
    adjustSize();
    if (parentWidget())
        parentWidget()->adjustSize();
}

void frm_Settings::cmd_ok_Click(int indice)
{
    // A refused OK keeps the window and what the user typed.
    if (indice == 1 && !SalvaImpostazioni(modulo()))
        return;
    if (HostFinestre* host = hostFinestre())
        host->chiudi(Finestra::frm_Settings);
}

} // namespace ludra::ui
