#include "display/ui/frm_display.h"

#include "base/Testi.h"
#include "base/ui/FuocoCampo.h"
#include "base/ui/RigaEvidenziata.h"
#include "display/CompilaPagine.h"
#include "display/ui/DisegnoPagina.h"
#include "platform/ui/Pictures.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QSignalBlocker>
#include <QToolButton>
#include <QVBoxLayout>

namespace ludra::ui {

void Picture1::mousePressEvent(QMouseEvent* evento)
{
    emit cliccato(evento->position());
    QLabel::mousePressEvent(evento);
}

void Picture1::mouseMoveEvent(QMouseEvent* evento)
{
    emit mosso(evento->position());
    QLabel::mouseMoveEvent(evento);
}

namespace {

QPushButton* pulsante(const QString& nome, QWidget* parent)
{
    auto* b = new QPushButton(parent);
    b->setObjectName(nome);
    b->setIconSize(QSize(20, 20));
    b->setFixedSize(30, 28);
    return b;
}

} // namespace

frm_display::frm_display(QWidget* parent) : QWidget(parent)
{
    setObjectName(QString::fromLatin1(kNome));
    auto* principale = new QHBoxLayout(this);
    costruisciListe();
    auto* sinistra = new QVBoxLayout;
    sinistra->addWidget(frame4_);
    sinistra->addWidget(frame5_, 1);
    principale->addLayout(sinistra);
    costruisciAnteprima();
    auto* centro = new QVBoxLayout;
    centro->addWidget(picture1_);
    auto* strumenti = new QHBoxLayout;
    strumenti->addWidget(command1_);
    strumenti->addWidget(command7_);
    strumenti->addWidget(command6_);
    strumenti->addWidget(text1_);
    strumenti->addStretch();
    strumenti->addWidget(command4_);
    centro->addLayout(strumenti);
    centro->addStretch();
    principale->addLayout(centro);
    costruisciPannello();
    principale->addWidget(frame2_);

    // Load.
    SetRes();
    FinestreCaricate::istanza().registra(this);
    SeguiCampiRifiutati(this);
    editor_.PaginaAttiva = 0;
    ElencoPagine();
    editor_.OggettoAttivo = 0;
    DrawDisplay();
    ViewPar(editor_.PaginaAttiva, 0);
}

frm_display::~frm_display()
{
    FinestreCaricate::istanza().rimuovi(this);
}

void frm_display::costruisciListe()
{
    frame4_ = new QGroupBox(this);
    frame4_->setObjectName(QStringLiteral("Frame4"));
    auto* l4 = new QVBoxLayout(frame4_);
    lstPage_ = new QListWidget(frame4_);
    lstPage_->setObjectName(QStringLiteral("lst_page"));
    lstPage_->setFixedSize(170, 110);
    l4->addWidget(lstPage_);
    auto* riga = new QHBoxLayout;
    for (int i = 0; i < 4; ++i) {
        cmdPage_[std::size_t(i)] = pulsante(QStringLiteral("cmd_page_%1").arg(i), frame4_);
        riga->addWidget(cmdPage_[std::size_t(i)]);
        connect(cmdPage_[std::size_t(i)], &QPushButton::clicked, this, [this, i] { cmd_page_Click(i); });
    }
    l4->addLayout(riga);
    auto* scorri = new QHBoxLayout;
    for (int i = 0; i < 2; ++i) {
        command2_[std::size_t(i)] = new QPushButton(i == 0 ? QStringLiteral("<") : QStringLiteral(">"), frame4_);
        command2_[std::size_t(i)]->setObjectName(QStringLiteral("Command2_%1").arg(i + 4));
        scorri->addWidget(command2_[std::size_t(i)]);
        connect(command2_[std::size_t(i)], &QPushButton::clicked, this, [this, i] { Command2_Click(i + 4); });
    }
    l4->addLayout(scorri);
    connect(lstPage_, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { sceltaPagina(lstPage_->row(item)); });
    // The page highlighted is the page chosen, the one Delete page removes.
    seguiEvidenziata(
        lstPage_, this, [this] { return int(editor_.PaginaAttiva); },
        [this](int r) { sceltaPagina(r); });

    frame5_ = new QGroupBox(this);
    frame5_->setObjectName(QStringLiteral("Frame5"));
    auto* l5 = new QVBoxLayout(frame5_);
    lstOgg_ = new QListWidget(frame5_);
    lstOgg_->setObjectName(QStringLiteral("lst_Ogg"));
    lstOgg_->setFixedWidth(170);
    l5->addWidget(lstOgg_, 1);
    connect(lstOgg_, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { SelezionaOggetto(lstOgg_->row(item) + 1); });
    seguiEvidenziata(
        lstOgg_, this, [this] { return int(editor_.OggettoAttivo) - 1; },
        [this](int r) { SelezionaOggetto(r + 1); });
    auto* comandi = new QHBoxLayout;
    for (int i = 0; i < 5; ++i) {
        cmdOgg_[std::size_t(i)] = pulsante(QStringLiteral("cmd_Ogg_%1").arg(i), frame5_);
        comandi->addWidget(cmdOgg_[std::size_t(i)]);
        connect(cmdOgg_[std::size_t(i)], &QPushButton::clicked, this, [this, i] { cmd_Ogg_Click(i); });
    }
    cmdOgg_[4]->setText(QStringLiteral("R"));
    l5->addLayout(comandi);
    gruppoTipi_ = new QButtonGroup(this);
    auto* tipi = new QGridLayout;
    for (int i = 0; i < 8; ++i) {
        auto* b = new QToolButton(frame5_);
        b->setObjectName(QStringLiteral("opt_Type_%1").arg(i));
        b->setCheckable(true);
        b->setAutoRaise(true);
        b->setIconSize(QSize(24, 24));
        gruppoTipi_->addButton(b, i);
        optType_[std::size_t(i)] = b;
        tipi->addWidget(b, i / 4, i % 4);
    }
    l5->addLayout(tipi);
}

void frm_display::costruisciAnteprima()
{
    picture1_ = new Picture1(this);
    picture1_->setObjectName(QStringLiteral("Picture1"));
    picture1_->setFixedSize(DimensioneAnteprima());
    picture1_->setMouseTracking(true);
    picture1_->setStyleSheet(QStringLiteral("border: none;"));
    connect(picture1_, &Picture1::cliccato, this, [this](QPointF punto) {
        if (const int slot = OggettoIn(editor_.pagina(), punto))
            SelezionaOggetto(slot);
    });
    text1_ = new QLineEdit(this);
    text1_->setObjectName(QStringLiteral("Text1"));
    text1_->setReadOnly(true);
    text1_->setFixedWidth(90);
    connect(picture1_, &Picture1::mosso, this, [this](QPointF punto) {
        text1_->setText(QStringLiteral("%1,%2").arg(qRound(punto.x() * 15)).arg(qRound(punto.y() * 15)));
    });
    command1_ = new QPushButton(QStringLiteral("Grid"), this);
    command1_->setObjectName(QStringLiteral("Command1"));
    connect(command1_, &QPushButton::clicked, this, [this] {
        griglia_ = true;
        ridisegna();
    });
    command7_ = new QPushButton(QStringLiteral("Clear"), this);
    command7_->setObjectName(QStringLiteral("Command7"));
    connect(command7_, &QPushButton::clicked, this, [this] {
        senzaOggetti_ = true;
        ridisegna();
    });
    command6_ = new QPushButton(QStringLiteral("Redraw"), this);
    command6_->setObjectName(QStringLiteral("Command6"));
    connect(command6_, &QPushButton::clicked, this, [this] { DrawDisplay(); });
    command4_ = new QPushButton(this);
    command4_->setObjectName(QStringLiteral("Command4"));
    command4_->setIconSize(QSize(24, 24));
    command4_->setFixedSize(40, 34);
    connect(command4_, &QPushButton::clicked, this, [this] { Command4_Click(); });
}

void frm_display::SetRes()
{
    setWindowTitle(Testi.t(164));
    frame4_->setTitle(Testi.t(165));
    frame5_->setTitle(Testi.t(166));
    lblReg_->setText(Testi.t(158));
    lblRegType_->setText(Testi.t(159));
    label3_->setText(Testi.t(160));
    lblPos_->setText(Testi.t(167));
    lblRev_->setText(Testi.t(168));
    for (int i = 0; i < 4; ++i) {
        const QIcon icona(platform::LoadResPicture(142 + i));
        cmdPage_[std::size_t(i)]->setIcon(icona);
        cmdOgg_[std::size_t(i)]->setIcon(icona);
    }
    platform::suggerimento(cmdOgg_[2], QStringLiteral("Send to Back"));
    platform::suggerimento(cmdOgg_[3], QStringLiteral("Bring to Front"));
    static const int figure[8] = {137, 138, 141, 140, 149, 150, 148, 139};
    static const char* suggerimenti[8] = {"Label", "Number", "Date", "Time",
                                          "ProgressBar", "Rectangle", "Picture", "Image"};
    for (int i = 0; i < 8; ++i) {
        optType_[std::size_t(i)]->setIcon(QIcon(platform::LoadResPicture(figure[i])));
        platform::suggerimento(optType_[std::size_t(i)], QString::fromLatin1(suggerimenti[i]));
    }
    // Image objects come only from a project file.
    optType_[7]->setEnabled(false);
    command4_->setIcon(QIcon(platform::LoadResPicture(146)));
}

void frm_display::ElencoPagine()
{
    const QSignalBlocker blocco(lstPage_);
    lstPage_->clear();
    lstPage_->addItems(VociPagine());
    lstPage_->setCurrentRow(editor_.PaginaAttiva);
}

void frm_display::ridisegna()
{
    OpzioniDisegno opzioni;
    opzioni.selezionato = editor_.OggettoAttivo;
    opzioni.griglia = griglia_;
    opzioni.oggetti = !senzaOggetti_;
    immagine_ = DisegnaPagina(editor_.pagina(), opzioni);
    picture1_->setPixmap(QPixmap::fromImage(immagine_));
}

void frm_display::DrawDisplay()
{
    griglia_ = false;
    senzaOggetti_ = false;
    const QSignalBlocker blocco(lstOgg_);
    lstOgg_->clear();
    lstOgg_->addItems(VociOggetti(editor_.PaginaAttiva));
    if (editor_.OggettoAttivo >= 1)
        lstOgg_->setCurrentRow(editor_.OggettoAttivo - 1);
    ridisegna();
}

void frm_display::sceltaPagina(int riga)
{
    if (riga < 0 || riga >= lstPage_->count())
        return;
    editor_.PaginaAttiva = std::uint8_t(riga);
    lstPage_->setCurrentRow(riga);
    editor_.OggettoAttivo = 0;
    DrawDisplay();
    ViewPar(editor_.PaginaAttiva, 0);
}

void frm_display::Command2_Click(int indice)
{
    const int n = lstPage_->count();
    if (n == 0)
        return;
    const int riga = lstPage_->currentRow();
    sceltaPagina(indice == 4 ? (riga <= 0 ? n - 1 : riga - 1) : (riga >= n - 1 ? 0 : riga + 1));
}

void frm_display::cmd_page_Click(int indice)
{
    switch (indice) {
    case 0: editor_.NuovaPagina(); break;
    case 1: editor_.EliminaPagina(); break;
    case 2: editor_.PaginaSu(); break;
    case 3: editor_.PaginaGiu(); break;
    default: return;
    }
    ElencoPagine();
    editor_.OggettoAttivo = 0;
    DrawDisplay();
    ViewPar(editor_.PaginaAttiva, 0);
}

void frm_display::cmd_Ogg_Click(int indice)
{
    switch (indice) {
    case 0: {
        const int tipo = gruppoTipi_->checkedId();
        if (tipo < 0 || !optType_[std::size_t(tipo)]->isEnabled())
            return;
        if (!editor_.NuovoOggetto(editor_.PaginaAttiva, OggettoNuovo(tipo)))
            return;
        DrawDisplay();
        ViewPar(editor_.PaginaAttiva, editor_.OggettoAttivo);
        cmd_Set_Click();
        SelezionaOggetto(editor_.OggettoAttivo);
        break;
    }
    case 1:
        if (editor_.DeleteObject(editor_.OggettoAttivo)) {
            DrawDisplay();
            ViewPar(editor_.PaginaAttiva, editor_.OggettoAttivo);
        }
        break;
    case 2:
    case 3:
        if (indice == 2 ? editor_.SendToBack() : editor_.BringToFront()) {
            DrawDisplay();
            ViewPar(editor_.PaginaAttiva, editor_.OggettoAttivo);
            lstOgg_->setCurrentRow(editor_.OggettoAttivo - 1);
        }
        break;
    case 4:
        DrawDisplay();
        break;
    default:
        break;
    }
}

void frm_display::SelezionaOggetto(int slot)
{
    if (slot < 1 || !editor_.Seleziona(slot))
        return;
    lstOgg_->setCurrentRow(slot - 1);
    ridisegna();
    ViewPar(editor_.PaginaAttiva, slot);
}

void frm_display::Command4_Click()
{
    CompilaOggetti();
    if (HostFinestre* host = hostFinestre())
        host->chiudi(Finestra::frm_display);
}

} // namespace ludra::ui
