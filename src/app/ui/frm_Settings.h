#pragma once
// The connection and workspace settings window. It shows the fields that
// app/Impostazioni fills and hands them back on OK; the language option acts at once.
#include "base/Finestre.h"
#include "app/Impostazioni.h"

#include <QWidget>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSlider;

namespace ludra::ui {

class frm_Settings : public QWidget, public Localizzabile {
    Q_OBJECT
public:
    explicit frm_Settings(QWidget* parent = nullptr);
    ~frm_Settings() override;

    void SetRes() override;
    // Shows page 0 (controller) or 1 (workspace) and hides the other.
    Q_INVOKABLE void mostraPagina(int pagina);
    // 1 stores and closes, 0 only closes.
    void cmd_ok_Click(int indice);

    ModuloImpostazioni modulo() const;

    QGroupBox* frm_opt[2] = {};
    QComboBox* Combo1 = nullptr;
    QLineEdit* txt_address = nullptr;
    QRadioButton* optChannel[2] = {};
    QLineEdit* txt_IP = nullptr;
    QLineEdit* txt_port = nullptr;
    QLineEdit* txt_timeoutTCP = nullptr;
    QComboBox* cmbCOM = nullptr;
    QComboBox* cmbBaud = nullptr;
    QCheckBox* chk_Modem = nullptr;
    QCheckBox* chk_Update = nullptr;
    QSlider* Slider1 = nullptr;
    QLabel* lbl_tempo = nullptr;
    QRadioButton* opt_lang[2] = {};
    QPushButton* cmd_ok[2] = {};
    QGroupBox* Frame1 = nullptr;
    QGroupBox* Frame2 = nullptr;
    QGroupBox* Frame3 = nullptr;
    QGroupBox* Frame4 = nullptr;
    QWidget* frmTCP = nullptr;
    QWidget* frmCOM = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* Label7 = nullptr;
    QLabel* img_lang[2] = {};

private:
    int posizioneMostrata_ = 0;
    void carica(const ModuloImpostazioni& m);
    void riempiPorte(int numero);
    void aggiungiPorta(int numero, const QString& percorso);
    void optChannel_Click(int indice);
};

} // namespace ludra::ui
