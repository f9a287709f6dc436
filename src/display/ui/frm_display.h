#pragma once
// The display-page designer: the page and object lists, the preview of the current page
// and the property panel of the selected object.
#include "base/Finestre.h"
#include "display/EditorPagine.h"
#include "platform/ui/TestoSemplice.h"

#include <QWidget>
#include <array>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QToolButton;

namespace ludra::ui {

// The page frame: shows the preview, reports clicks and the pointer position.
class Picture1 : public platform::Etichetta {
    Q_OBJECT
public:
    using platform::Etichetta::Etichetta;
signals:
    void cliccato(QPointF punto);
    void mosso(QPointF punto);

protected:
    void mousePressEvent(QMouseEvent* evento) override;
    void mouseMoveEvent(QMouseEvent* evento) override;
};

class frm_display : public QWidget, public Localizzabile {
    Q_OBJECT
public:
    explicit frm_display(QWidget* parent = nullptr);
    ~frm_display() override;

    static constexpr const char* kNome = "frm_display";

    void SetRes() override;

    // The current page and object.
    std::uint8_t PaginaAttiva() const { return editor_.PaginaAttiva; }
    std::uint8_t OggettoAttivo() const { return editor_.OggettoAttivo; }

    void ElencoPagine();
    void DrawDisplay();
    void ViewPar(int pagina, int obj);
    // Applies the panel to the current object; false (a message shown, nothing changed)
    // when a field is out of range.
    bool cmd_Set_Click();
    void SelezionaFigura(int indice, int passo);

    void cmd_page_Click(int indice);
    void cmd_Ogg_Click(int indice);
    void Command2_Click(int indice);
    void Command4_Click();
    void SelezionaOggetto(int slot);

    // The controls, for the tests.
    QListWidget* lst_page() const { return lstPage_; }
    QListWidget* lst_Ogg() const { return lstOgg_; }
    QToolButton* opt_Type(int i) const { return optType_[std::size_t(i)]; }
    QGroupBox* Frame2() const { return frame2_; }
    QLineEdit* txt_format(int i) const { return txtFormat_[std::size_t(i)]; }
    QLineEdit* txt_PosX() const { return txtPosX_; }
    QLineEdit* txt_PosY() const { return txtPosY_; }
    QLineEdit* txt_reg() const { return txtReg_; }
    QLineEdit* txt_bit() const { return txtBit_; }
    QLineEdit* txt_Spess() const { return txtSpess_; }
    QComboBox* cmb_Type() const { return cmbType_; }
    QLabel* lbl_IdPicture(int i) const { return lblIdPicture_[std::size_t(i)]; }
    QWidget* pannello(const QString& nome) const;
    QImage anteprima() const { return immagine_; }
    Picture1* frame() const { return picture1_; }

private:
    void costruisciListe();
    void costruisciAnteprima();
    void costruisciPannello();
    void ridisegna();
    void sceltaPagina(int riga);

    EditorPagine editor_;
    bool griglia_ = false;
    bool senzaOggetti_ = false;
    QImage immagine_;

    QGroupBox* frame4_ = nullptr;
    QGroupBox* frame5_ = nullptr;
    QListWidget* lstPage_ = nullptr;
    QListWidget* lstOgg_ = nullptr;
    std::array<QPushButton*, 4> cmdPage_{};
    std::array<QPushButton*, 2> command2_{};
    std::array<QPushButton*, 5> cmdOgg_{};
    std::array<QToolButton*, 8> optType_{};
    QButtonGroup* gruppoTipi_ = nullptr;
    QPushButton* command4_ = nullptr;
    Picture1* picture1_ = nullptr;
    QLineEdit* text1_ = nullptr;
    QPushButton* command1_ = nullptr;
    QPushButton* command6_ = nullptr;
    QPushButton* command7_ = nullptr;

    QGroupBox* frame2_ = nullptr;
    QLineEdit* txtObjType_ = nullptr;
    QGroupBox* frmPos_ = nullptr;
    QLabel* lblPos_ = nullptr;
    QLineEdit* txtPosX_ = nullptr;
    QLineEdit* txtPosY_ = nullptr;
    QGroupBox* frmDim_ = nullptr;
    QLineEdit* txtDimX_ = nullptr;
    QLineEdit* txtDimY_ = nullptr;
    QLabel* lblSpess_ = nullptr;
    QLineEdit* txtSpess_ = nullptr;
    QLabel* lblMax_ = nullptr;
    QLineEdit* txtMax_ = nullptr;
    QLabel* lblMin_ = nullptr;
    QLineEdit* txtMin_ = nullptr;
    QGroupBox* frmFormato_ = nullptr;
    QGroupBox* frmFormat_ = nullptr;
    QLabel* label3_ = nullptr;
    std::array<QLineEdit*, 2> txtFormat_{};
    std::array<QLabel*, 2> lblRegFormat_{};
    QGroupBox* frmReg_ = nullptr;
    QLabel* lblReg_ = nullptr;
    QLineEdit* txtReg_ = nullptr;
    QLabel* lblRegType_ = nullptr;
    QComboBox* cmbRegType_ = nullptr;
    QLabel* lblRegBit_ = nullptr;
    QLineEdit* txtBit_ = nullptr;
    QGroupBox* frmPicture_ = nullptr;
    std::array<QLabel*, 2> lblPicture_{};
    std::array<QLabel*, 2> lblIdPicture_{};
    std::array<QLabel*, 2> imgFormat_{};
    QComboBox* cmbType_ = nullptr;
    QCheckBox* chkNegato_ = nullptr;
    QLabel* lblRev_ = nullptr;
    std::array<QRadioButton*, 2> optDirez_{};
    QPushButton* cmdSet_ = nullptr;
};

} // namespace ludra::ui
