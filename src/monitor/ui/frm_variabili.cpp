#include "monitor/ui/frm_variabili.h"

#include "base/Testi.h"
#include "base/ui/FuocoCampo.h"
#include "base/ui/RigaEvidenziata.h"
#include "link/Sequenza.h"
#include "monitor/Variabili.h"
#include "platform/ui/TestoSemplice.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace ludra::ui {

namespace {

// Column stops of the list, shared by its heads.
constexpr std::array<int, 5> kColonne = {0, 40, 100, 170, 250};

} // namespace

frm_variabili::frm_variabili(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frm_variabili"));
    SeguiCampiRifiutati(this);
    // A fresh window starts from an empty list; the records stay as they were.
    SvuotaElencoVariabili();

    auto* teste = new QWidget(this);
    for (int i = 0; i < 5; ++i) {
        Label1[std::size_t(i)] = new platform::Etichetta(teste);
        Label1[std::size_t(i)]->move(kColonne[std::size_t(i)] + 4, 0);
    }
    teste->setFixedHeight(18);
    List1 = new QListWidget(this);
    List1->setObjectName(QStringLiteral("List1"));
    List1->setMinimumSize(330, 300);

    auto* campi = new QGridLayout;
    for (int i = 0; i < 4; ++i) {
        txt_WebReg[std::size_t(i)] = new QLineEdit(this);
        txt_WebReg[std::size_t(i)]->setObjectName(QStringLiteral("txt_WebReg_%1").arg(i));
    }
    for (int i : {0, 1, 5, 6, 7})
        Label2[std::size_t(i)] = new platform::Etichetta(this);
    cmb_Type = new QComboBox(this);
    cmb_Type->setObjectName(QStringLiteral("cmb_Type"));
    campi->addWidget(Label2[0], 0, 0);
    campi->addWidget(txt_WebReg[0], 0, 1);
    campi->addWidget(Label2[5], 1, 0);
    campi->addWidget(txt_WebReg[1], 1, 1);
    campi->addWidget(Label2[6], 2, 0);
    campi->addWidget(cmb_Type, 2, 1);
    campi->addWidget(Label2[7], 3, 0);
    campi->addWidget(txt_WebReg[3], 3, 1);
    campi->addWidget(Label2[1], 4, 0);
    campi->addWidget(txt_WebReg[2], 4, 1);

    const auto pulsante = [this](const QString& nome, const QString& testo) {
        auto* b = new QPushButton(testo, this);
        b->setObjectName(nome);
        return b;
    };
    cmd_RegistriWEB = pulsante(QStringLiteral("cmd_RegistriWEB"), QString());
    cmd_RegistriWEB->setIcon(style()->standardIcon(QStyle::SP_ArrowLeft));
    cmd_RegistriWEB->setFixedWidth(40);
    cmd_add = pulsante(QStringLiteral("cmd_add"), QStringLiteral("+"));
    cmd_remove = pulsante(QStringLiteral("cmd_remove"), QStringLiteral("-"));
    cmd_up = pulsante(QStringLiteral("cmd_up"), QStringLiteral("^"));
    cmd_down = pulsante(QStringLiteral("cmd_down"), QStringLiteral("v"));
    cmd_update = pulsante(QStringLiteral("cmd_update"), QString());
    cmd_write = pulsante(QStringLiteral("cmd_write"), QString());
    campi->addWidget(cmd_RegistriWEB, 5, 0);

    auto* movimenti = new QHBoxLayout;
    for (QPushButton* b : {cmd_add, cmd_remove, cmd_up, cmd_down}) {
        b->setFixedWidth(32);
        movimenti->addWidget(b);
    }
    movimenti->addStretch();

    auto* sinistra = new QVBoxLayout;
    sinistra->addWidget(teste);
    sinistra->addWidget(List1);
    sinistra->addLayout(movimenti);
    auto* destra = new QVBoxLayout;
    destra->addLayout(campi);
    destra->addStretch();
    destra->addWidget(cmd_update);
    destra->addWidget(cmd_write);
    auto* tutto = new QHBoxLayout(this);
    tutto->addLayout(sinistra);
    tutto->addLayout(destra);

    SetRes();
    for (int i = 0; i < kTipiVariabile; ++i)
        cmb_Type->addItem(NomiTipi[std::size_t(i)]);
    cmb_Type->setCurrentIndex(0);
    FinestreCaricate::istanza().registra(this);

    connect(cmd_add, &QPushButton::clicked, this, &frm_variabili::cmd_add_Click);
    connect(cmd_remove, &QPushButton::clicked, this, &frm_variabili::cmd_remove_Click);
    connect(cmd_up, &QPushButton::clicked, this, &frm_variabili::cmd_up_Click);
    connect(cmd_down, &QPushButton::clicked, this, &frm_variabili::cmd_down_Click);
    connect(List1, &QListWidget::itemClicked, this, &frm_variabili::List1_Click);
    connect(cmd_RegistriWEB, &QPushButton::clicked, this, &frm_variabili::cmd_RegistriWEB_Click);
    connect(cmd_update, &QPushButton::clicked, this, &frm_variabili::cmd_update_Click);
    connect(cmd_write, &QPushButton::clicked, this, &frm_variabili::cmd_write_Click);
}

frm_variabili::~frm_variabili()
{
    FinestreCaricate::istanza().rimuovi(this);
}

void frm_variabili::SetRes()
{
    setWindowTitle(Testi.t(156));
    for (int i = 0; i < 5; ++i)
        Label1[std::size_t(i)]->setText(Testi.t(157 + i));
    for (auto* l : Label1)
        l->adjustSize();
    Label2[0]->setText(Testi.t(157));
    Label2[5]->setText(Testi.t(158));
    Label2[6]->setText(Testi.t(159));
    Label2[7]->setText(Testi.t(160));
    Label2[1]->setText(Testi.t(161));
    cmd_update->setText(Testi.t(162));
    cmd_write->setText(Testi.t(163));
}

void frm_variabili::AggiornaLista()
{
    List1->clear();
    // The list's columns are the TABs of each line, drawn as fixed stops.
    for (const QString& riga : RigheVariabili()) {
        const QStringList parti = riga.split(QChar(9));
        QString mostrata;
        const QFontMetrics fm(List1->font());
        for (int i = 0; i < parti.size(); ++i) {
            mostrata += parti[i];
            if (i + 1 < parti.size()) {
                const int fino = kColonne[std::size_t(i) + 1];
                while (fm.horizontalAdvance(mostrata) < fino - 4)
                    mostrata += QLatin1Char(' ');
            }
        }
        auto* voce = new QListWidgetItem(mostrata, List1);
        voce->setData(Qt::UserRole, riga);
    }
}

void frm_variabili::cmd_add_Click()
{
    AggiungiVariabile();
    AggiornaLista();
}

// The commands act on the line shown selected: after a Ctrl+click or Ctrl+Space the
// focus frame still sits on a line that nothing shows chosen.
void frm_variabili::cmd_remove_Click()
{
    if (NumVariabili == 0)
        return;
    RimuoviVariabile(rigaEvidenziata(List1));
    AggiornaLista();
}

void frm_variabili::cmd_up_Click()
{
    const int nuova = SpostaVariabileSu(rigaEvidenziata(List1));
    if (nuova < 0)
        return;
    AggiornaLista();
    List1->setCurrentRow(nuova);
    // The fields must show the entry now selected: the store button writes into the
    // entry their index names.
    List1_Click();
}

void frm_variabili::cmd_down_Click()
{
    const int nuova = SpostaVariabileGiu(rigaEvidenziata(List1));
    if (nuova < 0)
        return;
    AggiornaLista();
    List1->setCurrentRow(nuova);
    // The fields must show the entry now selected: the store button writes into the
    // entry their index names.
    List1_Click();
}

void frm_variabili::List1_Click()
{
    const auto campi = CampiDiVariabile(rigaEvidenziata(List1));
    if (!campi)
        return;
    txt_WebReg[0]->setText(campi->indice);
    txt_WebReg[1]->setText(campi->registro);
    if (campi->tipo >= 0)
        cmb_Type->setCurrentIndex(campi->tipo);
    txt_WebReg[3]->setText(campi->formato);
    txt_WebReg[2]->setText(campi->nome);
}

void frm_variabili::cmd_RegistriWEB_Click()
{
    const CampiVariabile campi{txt_WebReg[0]->text(), txt_WebReg[1]->text(),
                               cmb_Type->currentIndex(), txt_WebReg[3]->text(),
                               txt_WebReg[2]->text()};
    if (MemorizzaVariabile(campi))
        AggiornaLista();
}

void frm_variabili::cmd_update_Click()
{
    // The window may have closed while the requests waited, or before a loop read.
    ComandoVariabili(false, [io = QPointer<frm_variabili>(this)] {
        if (io)
            io->AggiornaLista();
    });
}

void frm_variabili::cmd_write_Click()
{
    ComandoVariabili(true);
}

void frm_variabili::closeEvent(QCloseEvent* evento)
{
    // While its sequence runs the window closes only once it has ended.
    if (!ChiusuraFinestraConsentita(Finestra::frm_variabili)) {
        evento->ignore();
        return;
    }
    QWidget::closeEvent(evento);
}

} // namespace ludra::ui
