#include "images/ui/Input_Img.h"

#include "base/Finestre.h"
#include "base/ui/RigaEvidenziata.h"
#include "images/Conversione.h"
#include "images/Immagini.h"
#include "monitor/DialogoValori.h"
#include "platform/Dialogs.h"
#include "platform/ui/TestoSemplice.h"

#include <QCloseEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

namespace ludra::ui {

namespace {

const QString kNomeFinestra = QString::fromLatin1(Input_Img::kNome);

void avviso(const QString& testo)
{
    platform::msgBox(testo, platform::MsgButtons::Ok, platform::MsgIcon::Exclamation);
}

} // namespace

Input_Img::Input_Img(QWidget* parent) : QWidget(parent)
{
    setObjectName(kNomeFinestra);
    setWindowTitle(QStringLiteral("Images"));
    auto* l = new QHBoxLayout(this);
    auto* sinistra = new QVBoxLayout;
    lista_ = new QListWidget(this);
    lista_->setObjectName(QStringLiteral("ListaImg"));
    lista_->setFixedWidth(160);
    sinistra->addWidget(lista_, 1);
    nome_ = new QLineEdit(this);
    nome_->setObjectName(QStringLiteral("txt_NomeImg"));
    nome_->setFixedWidth(160);
    sinistra->addWidget(nome_);
    l->addLayout(sinistra);

    auto* destra = new QVBoxLayout;
    picture2_ = new platform::Etichetta(this);
    picture2_->setObjectName(QStringLiteral("Picture2"));
    picture2_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    auto* scorri = new QScrollArea(this);
    scorri->setWidget(picture2_);
    scorri->setMinimumSize(280, 200);
    destra->addWidget(scorri, 1);
    auto* dim = new QFormLayout;
    dimX_ = new QLineEdit(this);
    dimX_->setObjectName(QStringLiteral("txt_DimX"));
    dimY_ = new QLineEdit(this);
    dimY_->setObjectName(QStringLiteral("txt_dimY"));
    for (QLineEdit* t : {dimX_, dimY_}) {
        t->setReadOnly(true);
        t->setFixedWidth(60);
    }
    dim->addRow(QStringLiteral("Width"), dimX_);
    dim->addRow(QStringLiteral("Height"), dimY_);
    destra->addLayout(dim);
    auto* pulsanti = new QHBoxLayout;
    load_ = new QPushButton(QStringLiteral("Load"), this);
    load_->setObjectName(QStringLiteral("cmd_Load"));
    insert_ = new QPushButton(QStringLiteral("Insert"), this);
    insert_->setObjectName(QStringLiteral("cmd_Insert"));
    ok_[0] = new QPushButton(QStringLiteral("Annulla"), this);
    ok_[0]->setObjectName(QStringLiteral("cmd_ok_0"));
    ok_[1] = new QPushButton(QStringLiteral("OK"), this);
    ok_[1]->setObjectName(QStringLiteral("cmd_ok_1"));
    for (QPushButton* b : {load_, insert_, ok_[0], ok_[1]})
        pulsanti->addWidget(b);
    destra->addLayout(pulsanti);
    l->addLayout(destra);
    connect(load_, &QPushButton::clicked, this, [this] { cmd_Load_Click(); });
    connect(insert_, &QPushButton::clicked, this, [this] { cmd_Insert_Click(); });
    connect(ok_[0], &QPushButton::clicked, this, [this] { cmd_ok_Click(0); });
    connect(ok_[1], &QPushButton::clicked, this, [this] { cmd_ok_Click(1); });

    // Load: the stored images, the one asked for selected.
    riempiLista();
    if (ImgAttiva >= 0 && ImgAttiva < lista_->count())
        lista_->setCurrentRow(ImgAttiva);
}

Input_Img::~Input_Img()
{
    if (!chiuso_)
        ChiudiDialogoValori(Finestra::Input_Img);
}

void Input_Img::riempiLista()
{
    const int riga = rigaEvidenziata(lista_);
    lista_->clear();
    for (int i = 0; i < std::min(int(NumImmagini), kMaxImmagini); ++i)
        lista_->addItem(Immagini[std::size_t(i)].Nome);
    evidenziaRiga(lista_, riga);
}

bool Input_Img::cmd_Load_Click()
{
    platform::FileDialogRequest richiesta;
    richiesta.filter = QStringLiteral(" (*.bmp)|*.bmp|(*.*)|*.*|");
    richiesta.defaultExt = QStringLiteral("bmp");
    const QString percorso = platform::dialogs().openFile(richiesta);
    if (percorso.isEmpty())
        return false;
    EsitoBmp esito = CaricaBmp(percorso);
    if (!esito.pixel) {
        avviso(esito.errore + QStringLiteral("\n") + percorso);
        return false;
    }
    percorso_ = percorso;
    pixel_ = std::move(esito.pixel);
    QImage img(pixel_->larghezza, pixel_->altezza, QImage::Format_RGB32);
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            img.setPixel(x, y, 0xFF000000u | pixel_->pixel(x, y));
    picture2_->setPixmap(QPixmap::fromImage(img));
    picture2_->resize(img.size());
    dimX_->setText(QString::number(img.width()));
    dimY_->setText(QString::number(img.height()));
    return true;
}

bool Input_Img::cmd_Insert_Click()
{
    if (!pixel_) {
        avviso(QStringLiteral("Load a picture first"));
        return false;
    }
    // With no row highlighted (a Ctrl+click took it away) the picture is a new image:
    // the one the cursor was last on is not overwritten.
    const EsitoInserimento esito =
        InserisciImmagine(rigaEvidenziata(lista_), percorso_, nome_->text(), *pixel_);
    if (esito.slot < 0) {
        avviso(esito.errore);
        return false;
    }
    riempiLista();
    return true;
}

void Input_Img::cmd_ok_Click(int)
{
    if (chiuso_)
        return;
    chiudi();
}

void Input_Img::chiudi()
{
    chiuso_ = true;
    ChiudiDialogoValori(Finestra::Input_Img);
    if (HostFinestre* host = hostFinestre())
        host->chiudi(Finestra::Input_Img);
}

void Input_Img::closeEvent(QCloseEvent* evento)
{
    if (!chiuso_)
        chiudi();
    QWidget::closeEvent(evento);
}

} // namespace ludra::ui
