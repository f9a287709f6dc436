// The designer's property panel: the selected object shown by kind and applied back.
#include "display/ui/frm_display.h"

#include "base/Testi.h"
#include "display/CompilaPagine.h"
#include "display/Pannello.h"
#include "display/TipiOggetto.h"
#include "display/ui/DisegnoPagina.h"
#include "images/Immagini.h"
#include "platform/Dialogs.h"
#include "platform/ui/TestoSemplice.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace ludra::ui {

namespace {

QLineEdit* campo(const QString& nome, QWidget* parent, int larghezza = 60)
{
    auto* t = new QLineEdit(parent);
    t->setObjectName(nome);
    t->setFixedWidth(larghezza);
    return t;
}

QLabel* etichetta(const QString& nome, const QString& testo, QWidget* parent)
{
    auto* l = new platform::Etichetta(testo, parent);
    l->setObjectName(nome);
    return l;
}

QGroupBox* riquadro(const QString& nome, QWidget* parent)
{
    auto* g = new QGroupBox(parent);
    g->setObjectName(nome);
    return g;
}

} // namespace

void frm_display::costruisciPannello()
{
    frame2_ = riquadro(QStringLiteral("Frame2"), this);
    frame2_->setFixedWidth(300);
    // The panel keeps its room while no object is selected: the window is sized when it
    // opens, and a panel that appeared later would be squeezed over the preview.
    QSizePolicy politica = frame2_->sizePolicy();
    politica.setRetainSizeWhenHidden(true);
    frame2_->setSizePolicy(politica);
    auto* l = new QVBoxLayout(frame2_);
    txtObjType_ = campo(QStringLiteral("txt_ObjType"), frame2_, 140);
    txtObjType_->setReadOnly(true);
    cmbType_ = new QComboBox(frame2_);
    cmbType_->setObjectName(QStringLiteral("cmb_Type"));
    auto* testa = new QHBoxLayout;
    testa->addWidget(txtObjType_);
    testa->addWidget(cmbType_, 1);
    l->addLayout(testa);

    frmPos_ = riquadro(QStringLiteral("frm_Pos"), frame2_);
    auto* lp = new QHBoxLayout(frmPos_);
    lblPos_ = etichetta(QStringLiteral("lbl_pos"), QString(), frmPos_);
    txtPosX_ = campo(QStringLiteral("txt_PosX"), frmPos_, 45);
    txtPosY_ = campo(QStringLiteral("txt_PosY"), frmPos_, 45);
    lp->addWidget(lblPos_);
    lp->addWidget(new platform::Etichetta(QStringLiteral("X"), frmPos_));
    lp->addWidget(txtPosX_);
    lp->addWidget(new platform::Etichetta(QStringLiteral("Y"), frmPos_));
    lp->addWidget(txtPosY_);
    lp->addStretch();
    l->addWidget(frmPos_);

    frmDim_ = riquadro(QStringLiteral("frm_dim"), frame2_);
    auto* ld = new QFormLayout(frmDim_);
    txtDimX_ = campo(QStringLiteral("txt_DimX"), frmDim_, 45);
    txtDimY_ = campo(QStringLiteral("txt_dimY"), frmDim_, 45);
    auto* dim = new QHBoxLayout;
    dim->addWidget(txtDimX_);
    dim->addWidget(new platform::Etichetta(QStringLiteral("x"), frmDim_));
    dim->addWidget(txtDimY_);
    dim->addStretch();
    ld->addRow(QStringLiteral("W x H"), dim);
    lblSpess_ = etichetta(QStringLiteral("lbl_spess"), QStringLiteral("Thickness"), frmDim_);
    txtSpess_ = campo(QStringLiteral("txt_Spess"), frmDim_, 45);
    ld->addRow(lblSpess_, txtSpess_);
    lblMax_ = etichetta(QStringLiteral("lbl_max"), QStringLiteral("Max"), frmDim_);
    txtMax_ = campo(QStringLiteral("txt_max"), frmDim_, 90);
    ld->addRow(lblMax_, txtMax_);
    lblMin_ = etichetta(QStringLiteral("lbl_min"), QStringLiteral("Min"), frmDim_);
    txtMin_ = campo(QStringLiteral("txt_min"), frmDim_, 90);
    ld->addRow(lblMin_, txtMin_);
    auto* direz = new QHBoxLayout;
    for (int i = 0; i < 2; ++i) {
        optDirez_[std::size_t(i)] = new QRadioButton(i == 0 ? QStringLiteral("→") : QStringLiteral("↑"), frmDim_);
        optDirez_[std::size_t(i)]->setObjectName(QStringLiteral("opt_direz_%1").arg(i));
        direz->addWidget(optDirez_[std::size_t(i)]);
    }
    ld->addRow(QString(), direz);
    l->addWidget(frmDim_);

    frmFormato_ = riquadro(QStringLiteral("frm_formato"), frame2_);
    auto* lf = new QFormLayout(frmFormato_);
    label3_ = etichetta(QStringLiteral("Label3"), QString(), frmFormato_);
    lf->addRow(label3_);
    for (int i = 0; i < 2; ++i) {
        txtFormat_[std::size_t(i)] = campo(QStringLiteral("txt_format_%1").arg(i), frmFormato_, 170);
        lblRegFormat_[std::size_t(i)] = etichetta(QStringLiteral("lbl_regFormat_%1").arg(i),
                                                  i == 0 ? QString() : QStringLiteral("1"), frmFormato_);
    }
    lf->addRow(lblRegFormat_[0], txtFormat_[0]);
    l->addWidget(frmFormato_);
    frmFormat_ = riquadro(QStringLiteral("frm_format"), frame2_);
    auto* lf1 = new QFormLayout(frmFormat_);
    txtFormat_[1]->setParent(frmFormat_);
    lblRegFormat_[1]->setParent(frmFormat_);
    lf1->addRow(lblRegFormat_[1], txtFormat_[1]);
    l->addWidget(frmFormat_);

    frmReg_ = riquadro(QStringLiteral("frm_Reg"), frame2_);
    auto* lr = new QFormLayout(frmReg_);
    lblReg_ = etichetta(QStringLiteral("lbl_reg"), QString(), frmReg_);
    txtReg_ = campo(QStringLiteral("txt_reg"), frmReg_);
    lr->addRow(lblReg_, txtReg_);
    lblRegType_ = etichetta(QStringLiteral("lbl_regType"), QString(), frmReg_);
    cmbRegType_ = new QComboBox(frmReg_);
    cmbRegType_->setObjectName(QStringLiteral("cmb_regType"));
    for (int i = 0; i <= 4; ++i)
        cmbRegType_->addItem(NomiTipi[std::size_t(i)]);
    lr->addRow(lblRegType_, cmbRegType_);
    lblRegBit_ = etichetta(QStringLiteral("lbl_regBit"), QString(), frmReg_);
    txtBit_ = campo(QStringLiteral("txt_bit"), frmReg_, 45);
    lr->addRow(lblRegBit_, txtBit_);
    l->addWidget(frmReg_);

    frmPicture_ = riquadro(QStringLiteral("frm_Picture"), frame2_);
    auto* lpic = new QGridLayout(frmPicture_);
    for (int i = 0; i < 2; ++i) {
        lblPicture_[std::size_t(i)] = etichetta(QStringLiteral("lbl_picture_%1").arg(i), QString(), frmPicture_);
        lblIdPicture_[std::size_t(i)] = etichetta(QStringLiteral("lbl_IdPicture_%1").arg(i), QStringLiteral("0"), frmPicture_);
        auto* giu = new QPushButton(QStringLiteral("-"), frmPicture_);
        giu->setObjectName(QStringLiteral("Sel_Pict_%1_down").arg(i));
        giu->setFixedWidth(26);
        auto* su = new QPushButton(QStringLiteral("+"), frmPicture_);
        su->setObjectName(QStringLiteral("Sel_Pict_%1_up").arg(i));
        su->setFixedWidth(26);
        connect(giu, &QPushButton::clicked, this, [this, i] { SelezionaFigura(i, -1); });
        connect(su, &QPushButton::clicked, this, [this, i] { SelezionaFigura(i, 1); });
        imgFormat_[std::size_t(i)] = etichetta(QStringLiteral("img_Format_%1").arg(i), QString(), frmPicture_);
        lpic->addWidget(new platform::Etichetta(QStringLiteral("Bit = %1").arg(i), frmPicture_),
                        i, 0);
        lpic->addWidget(lblPicture_[std::size_t(i)], i, 1);
        lpic->addWidget(lblIdPicture_[std::size_t(i)], i, 2);
        lpic->addWidget(giu, i, 3);
        lpic->addWidget(su, i, 4);
        lpic->addWidget(imgFormat_[std::size_t(i)], i, 5);
    }
    l->addWidget(frmPicture_);

    auto* fondo = new QHBoxLayout;
    chkNegato_ = new QCheckBox(frame2_);
    chkNegato_->setObjectName(QStringLiteral("chk_negato"));
    lblRev_ = etichetta(QStringLiteral("lbl_rev"), QString(), frame2_);
    fondo->addWidget(chkNegato_);
    fondo->addWidget(lblRev_);
    fondo->addStretch();
    cmdSet_ = new QPushButton(QStringLiteral("Set"), frame2_);
    cmdSet_->setObjectName(QStringLiteral("cmd_Set"));
    connect(cmdSet_, &QPushButton::clicked, this, [this] { cmd_Set_Click(); });
    fondo->addWidget(cmdSet_);
    l->addLayout(fondo);
    l->addStretch();
}

QWidget* frm_display::pannello(const QString& nome) const
{
    return frame2_->findChild<QWidget*>(nome);
}

void frm_display::ViewPar(int pagina, int obj)
{
    if (obj <= 0 || pagina < 0 || pagina >= kMaxPagine
        || obj > std::min(int(PagineDisplay.Pagine[std::size_t(pagina)].NumOggetti), kMaxOggettiPagina)) {
        frame2_->hide();
        return;
    }
    const OggettoDisplay& o = PagineDisplay.Pagine[std::size_t(pagina)].Oggetti[std::size_t(obj)];
    txtObjType_->clear();
    for (QWidget* w : std::initializer_list<QWidget*>{frmFormato_, frmReg_, cmbRegType_, lblRegType_,
                                                      lblRegBit_, txtBit_, frmFormat_, lblRegFormat_[1],
                                                      frmPicture_, frmDim_, lblMax_, txtMax_, lblMin_,
                                                      txtMin_, lblSpess_, txtSpess_})
        w->hide();
    for (QWidget* w : {optDirez_[0], optDirez_[1]})
        w->hide();
    txtBit_->setEnabled(false);
    txtFormat_[1]->setEnabled(false);
    frmPos_->show();
    lblReg_->setText(Testi.t(158));
    lblRegType_->setText(Testi.t(159));
    lblRegBit_->setText(Testi.t(169));
    lblRegFormat_[0]->setText(Testi.t(161));
    lblPicture_[0]->setText(Testi.t(170));
    lblPicture_[1]->setText(Testi.t(170));

    const CampiPannello c = CampiDaOggetto(o);
    txtReg_->setText(c.registro);
    cmbRegType_->setCurrentIndex(c.tipoRegistro);
    txtBit_->setText(c.bit);
    txtPosX_->setText(c.posX);
    txtPosY_->setText(c.posY);
    txtDimX_->setText(c.dimX);
    txtDimY_->setText(c.dimY);
    txtSpess_->setText(c.spessore);
    txtMax_->setText(c.max);
    txtMin_->setText(c.min);
    txtFormat_[0]->setText(c.formato[0]);
    txtFormat_[1]->setText(c.formato[1]);
    lblIdPicture_[0]->setText(QString::number(c.idPicture0));
    lblIdPicture_[1]->setText(QString::number(c.idPicture1));
    chkNegato_->setChecked(c.negato);
    optDirez_[c.direzione ? 1 : 0]->setChecked(true);

    const TipoOggetto tipo = TipoDaCodice(o.Codice);
    cmbType_->clear();
    if (tipo == TipoOggetto::Image) {
        for (int i = 0; i < std::min(int(NumImmagini), kMaxImmagini); ++i)
            cmbType_->addItem(Immagini[std::size_t(i)].Nome);
        cmbType_->setCurrentIndex(-1);
    } else {
        cmbType_->addItems({QStringLiteral("Small"), QStringLiteral("Medium"), QStringLiteral("Large")});
        cmbType_->setCurrentIndex(c.taglia);
    }

    switch (tipo) {
    case TipoOggetto::Label:
        txtObjType_->setText(QStringLiteral("Label"));
        frmFormato_->show();
        frmFormat_->show();
        txtFormat_[1]->setEnabled(true);
        lblRegFormat_[1]->show();
        frmReg_->show();
        lblRegBit_->show();
        txtBit_->show();
        txtBit_->setEnabled(true);
        break;
    case TipoOggetto::Number:
        txtObjType_->setText(QStringLiteral("Number"));
        frmFormato_->show();
        frmFormat_->show();
        frmReg_->show();
        lblRegType_->show();
        cmbRegType_->show();
        break;
    case TipoOggetto::Date:
        txtObjType_->setText(QStringLiteral("dd/mm/yy"));
        frmFormato_->show();
        break;
    case TipoOggetto::Time:
        txtObjType_->setText(QStringLiteral("hh/mm/ss"));
        frmFormato_->show();
        frmFormat_->show();
        break;
    case TipoOggetto::Picture:
        txtObjType_->setText(QStringLiteral("Picture"));
        frmFormato_->show();
        frmReg_->show();
        lblRegBit_->show();
        txtBit_->show();
        txtBit_->setEnabled(true);
        frmPicture_->show();
        SelezionaFigura(0, 0);
        SelezionaFigura(1, 0);
        break;
    case TipoOggetto::ProgressBar:
        txtObjType_->setText(QStringLiteral("Progress Bar"));
        frmReg_->show();
        lblRegType_->show();
        cmbRegType_->show();
        frmDim_->show();
        for (QWidget* w : std::initializer_list<QWidget*>{lblMax_, txtMax_, lblMin_, txtMin_,
                                                          optDirez_[0], optDirez_[1]})
            w->show();
        break;
    case TipoOggetto::Rectangle:
        frmDim_->show();
        lblSpess_->show();
        txtSpess_->show();
        break;
    default:
        break;
    }
    frame2_->show();
}

bool frm_display::cmd_Set_Click()
{
    const int obj = editor_.OggettoAttivo;
    if (obj < 1 || obj > editor_.numOggetti())
        return false;
    CampiPannello c;
    c.formato = {txtFormat_[0]->text(), txtFormat_[1]->text()};
    c.idPicture0 = lblIdPicture_[0]->text().toInt();
    c.idPicture1 = lblIdPicture_[1]->text().toInt();
    c.direzione = optDirez_[1]->isChecked();
    c.posX = txtPosX_->text();
    c.posY = txtPosY_->text();
    c.dimX = txtDimX_->text();
    c.dimY = txtDimY_->text();
    c.negato = chkNegato_->isChecked();
    c.registro = txtReg_->text();
    c.bit = txtBit_->text();
    c.tipoRegistro = cmbRegType_->currentIndex();
    c.max = txtMax_->text();
    c.min = txtMin_->text();
    c.spessore = txtSpess_->text();
    c.taglia = cmbType_->currentIndex();
    if (const auto errore = ApplicaPannello(c, editor_.pagina().Oggetti[std::size_t(obj)])) {
        platform::msgBox(*errore, platform::MsgButtons::Ok, platform::MsgIcon::Exclamation);
        return false;
    }
    DrawDisplay();
    CompilaOggetti();
    return true;
}

void frm_display::SelezionaFigura(int indice, int passo)
{
    if (indice < 0 || indice > 1)
        return;
    const int taglia = std::clamp(cmbType_->currentIndex(), 0, 2);
    const int lato = PixelTaglia(Taglia(taglia));
    QLabel* numero = lblIdPicture_[std::size_t(indice)];
    const int n = PassoFigura(numero->text().toInt(), passo);
    numero->setText(QString::number(n));
    QLabel* img = imgFormat_[std::size_t(indice)];
    const QImage figura = FiguraPicture(lato, n).scaled(int(lato * kTwipsPixelX / 15.0),
                                                        lato * kTwipsPixelY / 15);
    img->setPixmap(QPixmap::fromImage(figura));
    img->setFixedSize(figura.size());
    img->show();
}

} // namespace ludra::ui
