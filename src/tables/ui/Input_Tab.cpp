#include "tables/ui/Input_Tab.h"

#include "base/Testi.h"
#include "base/ui/RigaEvidenziata.h"
#include "monitor/DialogoValori.h"
#include "platform/Twips.h"
#include "platform/Waiter.h"
#include "platform/ui/TestoSemplice.h"
#include "tables/InputTab.h"
#include "tables/Tabelle.h"
#include "platform/ui/Geometria.h"

#include <QCloseEvent>
#include <QFrame>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>

namespace ludra::ui {

using platform::posiziona;
using platform::twipsToPx;

namespace {

const QString kNomeFinestra = QString::fromLatin1(Input_Tab::kNome);

// The point grid inside its frame, in twips.
constexpr int kTopPrimaRiga = 600;
constexpr int kAltezzaRiga = 300;
constexpr int kLarghezzaRiga = 3240;

QLineEdit* casella(QWidget* padre, const QString& nome)
{
    auto* e = new QLineEdit(padre);
    e->setObjectName(nome);
    return e;
}

} // namespace

Input_Tab::Input_Tab(QWidget* parent) : QWidget(parent)
{
    setObjectName(kNomeFinestra);
    setFixedSize(twipsToPx(7440), twipsToPx(4500));

    fTabella_ = new QGroupBox(this);
    fTabella_->setObjectName(QStringLiteral("f_tabella"));
    posiziona(fTabella_, 120, 60, 3960, 4320);
    lblNome_ = new platform::Etichetta(fTabella_);
    lblNome_->setObjectName(QStringLiteral("Label3_4"));
    posiziona(lblNome_, 120, 330, 960, 285);
    nome_ = casella(fTabella_, QStringLiteral("txt_NomeTab"));
    posiziona(nome_, 1080, 300, 2760, 315);
    lblPunti_ = new platform::Etichetta(fTabella_);
    lblPunti_->setObjectName(QStringLiteral("Label2_2"));
    posiziona(lblPunti_, 120, 720, 960, 285);
    npunti_ = casella(fTabella_, QStringLiteral("txt_Npunti"));
    posiziona(npunti_, 1080, 690, 720, 315);

    fTab_ = new QGroupBox(fTabella_);
    fTab_->setObjectName(QStringLiteral("f_Tab_0"));
    posiziona(fTab_, 120, 1080, 3720, 3120);
    creaGriglia(fTab_);

    frame1_ = new QGroupBox(this);
    frame1_->setObjectName(QStringLiteral("Frame1"));
    posiziona(frame1_, 4200, 60, 3120, 2820);
    lista_ = new QListWidget(frame1_);
    lista_->setObjectName(QStringLiteral("ListaTab"));
    posiziona(lista_, 120, 300, 2880, 2400);

    insert_ = new QPushButton(QStringLiteral("Insert"), this);
    insert_->setObjectName(QStringLiteral("cmd_Insert"));
    posiziona(insert_, 4200, 3000, 3120, 375);
    load_ = new QPushButton(this);
    load_->setObjectName(QStringLiteral("cmd_Load"));
    posiziona(load_, 4200, 3480, 1500, 375);
    save_ = new QPushButton(this);
    save_->setObjectName(QStringLiteral("cmd_Save"));
    posiziona(save_, 5820, 3480, 1500, 375);

    ok_[0] = new QPushButton(QStringLiteral("Annulla"), this);
    ok_[0]->setObjectName(QStringLiteral("cmd_ok_0"));
    ok_[1] = new QPushButton(QStringLiteral("OK"), this);
    ok_[1]->setObjectName(QStringLiteral("cmd_ok_1"));
    posiziona(ok_[0], 4200, 3960, 1500, 420);
    posiziona(ok_[1], 5820, 3960, 1500, 420);

    connect(ok_[0], &QPushButton::clicked, this, [this] { cmd_ok_Click(0); });
    connect(ok_[1], &QPushButton::clicked, this, [this] { cmd_ok_Click(1); });
    connect(insert_, &QPushButton::clicked, this, [this] { cmd_Insert_Click(); });
    // A file dialog never stands inside a wait for a device's reply (a Run's refresh): it
    // opens once the reply is in.
    connect(load_, &QPushButton::clicked, this,
            [this] { platform::dopoRisposta(this, [this] { cmd_Load_Click(); }); });
    connect(save_, &QPushButton::clicked, this,
            [this] { platform::dopoRisposta(this, [this] { cmd_Save_Click(); }); });
    connect(qGuiApp, &QGuiApplication::lastWindowClosed, this, [this] { cmd_ok_Click(0); });

    connect(nome_, &QLineEdit::textChanged, this, [this](const QString& t) {
        if (!inDisegno_)
            editor_.NomeTab = t;
    });
    connect(npunti_, &QLineEdit::textChanged, this, [this](const QString& t) {
        if (inDisegno_)
            return;
        editor_.Npunti = t;
        editor_.CambioNpunti();
        mostraGriglia();
    });
    connect(scroll_, &QScrollBar::valueChanged, this, [this](int v) {
        if (inDisegno_)
            return;
        editor_.CambioScroll(v);
        mostraGriglia();
    });
    // A click shows the table again even when it is the entry already selected.
    auto click = [this](int riga) {
        if (inDisegno_)
            return;
        editor_.ClickLista(riga);
        mostraCampi();
    };
    connect(lista_, &QListWidget::currentRowChanged, this, click);
    connect(lista_, &QListWidget::itemClicked, this,
            [this, click](QListWidgetItem* item) { click(lista_->row(item)); });
    // A click on the list's empty part leaves no entry selected: Insert and OK then
    // act on none, as the list shows.
    connect(lista_, &QListWidget::itemSelectionChanged, this, [this] {
        if (inDisegno_)
            return;
        editor_.Selezione = ui::rigaEvidenziata(lista_);
    });

    // Load: captions, the list of tables, the one chosen so far (none when the index
    // is outside the list).
    SetRes();
    FinestreCaricate::istanza().registra(this);
    editor_.Carica(InputTab.TabAttiva);
    mostraCampi();
}

Input_Tab::~Input_Tab()
{
    FinestreCaricate::istanza().rimuovi(this);
    if (!chiuso_)
        ChiudiDialogoValori(Finestra::Input_Tab);
}

void Input_Tab::creaGriglia(QWidget* frame)
{
    auto* input = new platform::Etichetta(QStringLiteral("Input"), frame);
    posiziona(input, 540, 330, 1320, 240);
    auto* output = new platform::Etichetta(QStringLiteral("Output"), frame);
    posiziona(output, 1920, 330, 1320, 240);

    for (int r = 0; r < kRigheGriglia; ++r) {
        auto* p = new QWidget(frame);
        pTab_[std::size_t(r)] = p;
        p->setObjectName(QStringLiteral("pTab_%1").arg(r));
        p->setAutoFillBackground(true);
        QPalette pal = p->palette();
        pal.setColor(QPalette::Window, r % 2 == 0 ? QColor(0xE0, 0xE0, 0xE0)
                                                  : QColor(0xF0, 0xF0, 0xF0));
        p->setPalette(pal);
        posiziona(p, 60, -1000, kLarghezzaRiga, kAltezzaRiga);
        p->hide();

        auto* numero = new platform::Etichetta(QString::number(r + 1), p);
        numero->setObjectName(QStringLiteral("lbl_TabA_%1").arg(r));
        numero->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        posiziona(numero, 0, 30, 420, 240);
        tabA_[std::size_t(r)] = casella(p, QStringLiteral("txt_TabA_%1").arg(r));
        posiziona(tabA_[std::size_t(r)], 540, 15, 1260, 270);
        tabB_[std::size_t(r)] = casella(p, QStringLiteral("txt_TabB_%1").arg(r));
        posiziona(tabB_[std::size_t(r)], 1920, 15, 1260, 270);
        auto* linea = new QFrame(p);
        linea->setFrameShape(QFrame::HLine);
        linea->setFrameShadow(QFrame::Plain);
        QPalette palLinea = linea->palette();
        palLinea.setColor(QPalette::WindowText, QColor(0xA0, 0xA0, 0xA0));
        linea->setPalette(palLinea);
        posiziona(linea, 0, kAltezzaRiga - 15, kLarghezzaRiga, 15);

        connect(tabA_[std::size_t(r)], &QLineEdit::textChanged, this, [this, r](const QString& t) {
            if (!inDisegno_)
                editor_.TabA[std::size_t(r)] = t;
        });
        connect(tabB_[std::size_t(r)], &QLineEdit::textChanged, this, [this, r](const QString& t) {
            if (!inDisegno_)
                editor_.TabB[std::size_t(r)] = t;
        });
    }

    scroll_ = new QScrollBar(Qt::Vertical, frame);
    scroll_->setObjectName(QStringLiteral("VScroll1"));
    scroll_->setPageStep(1);
    posiziona(scroll_, 3360, kTopPrimaRiga, 255, kAltezzaRiga * kRigheInVista);
}

void Input_Tab::SetRes()
{
    setWindowTitle(Testi.t(80));
    fTabella_->setTitle(Testi.t(81));
    lblNome_->setText(Testi.t(82));
    lblPunti_->setText(Testi.t(83));
    fTab_->setTitle(Testi.t(84));
    frame1_->setTitle(Testi.t(85));
    load_->setText(Testi.t(86));
    save_->setText(Testi.t(87));
}

void Input_Tab::mostraCampi()
{
    inDisegno_ = true;
    nome_->setText(editor_.NomeTab);
    npunti_->setText(editor_.Npunti);
    for (int r = 0; r < kRigheGriglia; ++r) {
        tabA_[std::size_t(r)]->setText(editor_.TabA[std::size_t(r)]);
        tabB_[std::size_t(r)]->setText(editor_.TabB[std::size_t(r)]);
    }
    if (lista_->count() != editor_.Lista.size()) {
        lista_->clear();
        lista_->addItems(editor_.Lista);
    }
    for (int i = 0; i < lista_->count(); ++i)
        lista_->item(i)->setText(editor_.Lista[i]);
    lista_->setCurrentRow(editor_.Selezione);
    inDisegno_ = false;
    mostraGriglia();
}

void Input_Tab::mostraGriglia()
{
    inDisegno_ = true;
    scroll_->setMaximum(editor_.ScrollMax);
    scroll_->setValue(editor_.ScrollValore);
    scroll_->setEnabled(editor_.ScrollAbilitato);
    for (QWidget* p : pTab_)
        p->hide();
    for (int k = 0; k < editor_.Righe.size(); ++k) {
        QWidget* p = pTab_[std::size_t(editor_.Righe[k])];
        posiziona(p, 60, kTopPrimaRiga + k * kAltezzaRiga, kLarghezzaRiga, kAltezzaRiga);
        p->show();
    }
    inDisegno_ = false;
}

void Input_Tab::evidenziaErrore()
{
    QLineEdit* box = nullptr;
    const auto riga = std::size_t(std::max(editor_.RigaErrata, 0));
    switch (editor_.CampoErrato) {
    case EditorTabelle::Campo::Nessuno:
        return;
    case EditorTabelle::Campo::Npunti:
        box = npunti_;
        break;
    case EditorTabelle::Campo::Ingresso:
        box = tabA_[riga];
        break;
    case EditorTabelle::Campo::Uscita:
        box = tabB_[riga];
        break;
    }
    // Bring the box's row on view before giving it the focus.
    if (editor_.CampoErrato != EditorTabelle::Campo::Npunti &&
        !editor_.Righe.contains(editor_.RigaErrata)) {
        editor_.CambioScroll(editor_.RigaErrata);
        mostraGriglia();
    }
    box->setFocus();
    box->selectAll();
}

void Input_Tab::cmd_Insert_Click()
{
    if (!editor_.Inserisci()) {
        evidenziaErrore();
        return;
    }
    mostraCampi();
}

void Input_Tab::cmd_Load_Click()
{
    if (editor_.CaricaDaFile())
        mostraCampi();
}

void Input_Tab::cmd_Save_Click()
{
    if (!editor_.SalvaSuFile())
        evidenziaErrore();
}

void Input_Tab::cmd_ok_Click(int indice)
{
    if (chiuso_)
        return;
    if (indice == 1) {
        editor_.Selezione = ui::rigaEvidenziata(lista_);
        InputTab.TabAttiva = editor_.Ok();
    }
    chiudi();
}

void Input_Tab::chiudi()
{
    chiuso_ = true;
    ChiudiDialogoValori(Finestra::Input_Tab);
    if (HostFinestre* host = hostFinestre())
        host->chiudi(Finestra::Input_Tab);
}

void Input_Tab::closeEvent(QCloseEvent* evento)
{
    // The close box cancels.
    if (!chiuso_)
        chiudi();
    QWidget::closeEvent(evento);
}

} // namespace ludra::ui
