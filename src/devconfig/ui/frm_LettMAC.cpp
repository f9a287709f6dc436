#include "devconfig/ui/frm_LettMAC.h"

#include "base/ui/RigaEvidenziata.h"
#include "link/Sequenza.h"
#include "platform/ui/TestoSemplice.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace ludra::ui {

frm_LettMAC::frm_LettMAC(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frm_LettMAC"));
    setWindowTitle(QStringLiteral("MAC"));

    const auto pulsante = [this](const QString& nome, const QString& testo) {
        auto* b = new QPushButton(testo, this);
        b->setObjectName(nome);
        return b;
    };
    txt_pfc = new QLineEdit(this);
    txt_pfc->setObjectName(QStringLiteral("txt_pfc"));
    txt_pfc->setMaxLength(3);
    txt_pfc->setFixedWidth(50);
    txt_anno = new QLineEdit(QStringLiteral("09"), this);
    txt_anno->setObjectName(QStringLiteral("txt_anno"));
    txt_anno->setMaxLength(2);
    txt_anno->setFixedWidth(36);
    txt_cliente = new QLineEdit(this);
    txt_cliente->setObjectName(QStringLiteral("txt_cliente"));

    auto* campi = new QGridLayout;
    campi->addWidget(new platform::Etichetta(QStringLiteral("PFC"), this), 0, 0);
    campi->addWidget(new platform::Etichetta(QStringLiteral("Anno"), this), 0, 2);
    campi->addWidget(txt_pfc, 1, 0);
    campi->addWidget(new platform::Etichetta(QStringLiteral("/"), this), 1, 1);
    campi->addWidget(txt_anno, 1, 2);
    campi->addWidget(new platform::Etichetta(QStringLiteral("Cliente"), this), 0, 3);
    campi->addWidget(txt_cliente, 1, 3);

    Command1 = pulsante(QStringLiteral("Command1"), QStringLiteral("Carica MAC da 25AA02E48"));
    Command2 = pulsante(QStringLiteral("Command2"), QStringLiteral("Modifica MAC -->"));
    cmd_loadFile = pulsante(QStringLiteral("cmd_loadFile"), QStringLiteral("Load File"));
    cmd_SaveFile = pulsante(QStringLiteral("cmd_SaveFile"), QStringLiteral("Save File"));

    auto* report = new QGroupBox(QStringLiteral("MAC -> PFC"), this);
    auto* lReport = new QVBoxLayout(report);
    const std::array<QString, 3> voci = {QStringLiteral("PFC"), QStringLiteral("Cliente"),
                                         QStringLiteral("Anno")};
    for (int i = 0; i < 3; ++i) {
        opt_report[std::size_t(i)] = new QRadioButton(voci[std::size_t(i)], report);
        opt_report[std::size_t(i)]->setObjectName(QStringLiteral("opt_report_%1").arg(i));
        lReport->addWidget(opt_report[std::size_t(i)]);
    }
    opt_report[0]->setChecked(true);
    cmd_report = new QPushButton(QStringLiteral("Crea Report"), report);
    cmd_report->setObjectName(QStringLiteral("cmd_report"));
    lReport->addWidget(cmd_report);

    lstMAC = new QListWidget(this);
    lstMAC->setObjectName(QStringLiteral("lstMAC"));
    lstMAC->setMinimumSize(520, 320);

    auto* sinistra = new QVBoxLayout;
    sinistra->addLayout(campi);
    sinistra->addWidget(Command1);
    sinistra->addWidget(Command2);
    sinistra->addWidget(report);
    sinistra->addStretch();
    sinistra->addWidget(cmd_loadFile);
    sinistra->addWidget(cmd_SaveFile);
    auto* tutto = new QHBoxLayout(this);
    tutto->addLayout(sinistra);
    tutto->addWidget(lstMAC, 1);

    connect(Command1, &QPushButton::clicked, this, &frm_LettMAC::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &frm_LettMAC::Command2_Click);
    connect(cmd_loadFile, &QPushButton::clicked, this, &frm_LettMAC::cmd_loadFile_Click);
    connect(cmd_SaveFile, &QPushButton::clicked, this, &frm_LettMAC::cmd_SaveFile_Click);
    connect(cmd_report, &QPushButton::clicked, this, &frm_LettMAC::cmd_report_Click);
}

void frm_LettMAC::AggiornaLista()
{
    lstMAC->clear();
    // The TABs of each line stand as column stops.
    for (const QString& riga : registro_.righeLista()) {
        auto* voce = new QListWidgetItem(QString(riga).replace(QChar(9), QStringLiteral("    ")),
                                         lstMAC);
        voce->setData(Qt::UserRole, riga);
    }
}

void frm_LettMAC::Command1_Click()
{
    QPointer<frm_LettMAC> io(this);
    const bool letto = registro_.leggiMac(txt_pfc->text(), txt_anno->text(), txt_cliente->text());
    if (!io)
        return;
    // Also after a duplicate; not after a failed request, which changed nothing.
    if (letto || !registro_.MacLetto.isEmpty())
        AggiornaLista();
}

void frm_LettMAC::Command2_Click()
{
    // The row shown highlighted: a row whose highlight a Ctrl+click took away is not chosen.
    if (registro_.modifica(rigaEvidenziata(lstMAC), txt_pfc->text(), txt_anno->text(),
                           txt_cliente->text()))
        AggiornaLista();
}

void frm_LettMAC::cmd_SaveFile_Click()
{
    // A save over a file another writer changed shows the lines merged in.
    if (registro_.salva())
        AggiornaLista();
}

void frm_LettMAC::cmd_loadFile_Click()
{
    if (registro_.carica())
        AggiornaLista();
}

void frm_LettMAC::cmd_report_Click()
{
    SceltaReport s;
    for (int i = 0; i < 3; ++i)
        if (opt_report[std::size_t(i)]->isChecked())
            s.criterio = CriterioReport(i);
    s.pfc = txt_pfc->text();
    s.anno = txt_anno->text();
    s.cliente = txt_cliente->text();
    registro_.report(s);
}

void frm_LettMAC::closeEvent(QCloseEvent* evento)
{
    if (!ChiusuraFinestraConsentita(Finestra::frm_LettMAC) || !registro_.puoChiudere()) {
        evento->ignore();
        return;
    }
    QWidget::closeEvent(evento);
}

} // namespace ludra::ui
