#pragma once
// The device configuration window: pick a model and a slave address, read the device's
// configuration, edit it and write it back frame by frame.
#include "app/Finestre.h"
#include "devconfig/LetturaConfig.h"

#include <QWidget>
#include <array>
#include <functional>
#include <vector>

class QCalendarWidget;
class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSlider;

namespace ludra::ui {

class frm_Config : public QWidget, public Localizzabile {
    Q_OBJECT
public:
    explicit frm_Config(QWidget* parent = nullptr);
    ~frm_Config() override;

    void SetRes() override;

    // The model to preselect, taken from FrmConfig when the window loads.
    QString SetModello;

    void modello_Click();
    void cmd_read_Click(int indice);
    void cmd_start_Click();
    void cmd_stop_Click();
    void cmd_invia_Click(int indice);
    void cmd_Output_Click(int indice);
    void cmd_Set_Click(int indice);
    void cmd_clear_latch_Click();
    void cmd_sync_Click();
    void cmd_calendar_Click();
    // A date picked in the calendar.
    void MonthView1_DateClick(int giorno, int giornoSettimana, int mese, int anno);

    bool LetturaFinita() const { return letturaFinita_; }

    // The fields as the read and the writes see them, and back.
    CampiConfig campi() const;
    void mostraCampi(const CampiConfig& c);

    QLineEdit* Indirizzo = nullptr;
    QComboBox* modello = nullptr;
    std::array<QLabel*, 2> Label1{};
    std::array<QPushButton*, 1> cmd_read{};
    QGroupBox* Frame6 = nullptr;
    QPushButton* cmd_start = nullptr;
    QPushButton* cmd_stop = nullptr;
    QCalendarWidget* MonthView1 = nullptr;

    QGroupBox* Frm_Prog = nullptr;
    QLineEdit* txt_vers = nullptr;
    QLineEdit* txt_nome = nullptr;
    QLineEdit* txt_add = nullptr;
    QLabel *Label6 = nullptr, *Label5 = nullptr, *Label10 = nullptr;
    std::array<QPushButton*, 9> cmd_invia{};

    QGroupBox* frm_Ports = nullptr;
    std::array<QGroupBox*, 2> Frame1{};
    std::array<QComboBox*, 2> cmb_baud{};
    std::array<QLineEdit*, 2> txt_delay{};
    std::array<QLabel*, 2> Label8{}, Label11{};
    std::array<QLineEdit*, 1> txt_wdt{};
    std::array<QCheckBox*, 1> chk_wdt{};
    QLabel *Label12 = nullptr, *Label7 = nullptr;

    QGroupBox* frm_PupSafe = nullptr;
    QCheckBox* chk_wdtEvent = nullptr;
    QCheckBox* chk_pupEvent = nullptr;
    QLabel *Label18 = nullptr, *Label21 = nullptr;

    QGroupBox* frm_IO = nullptr;
    QGroupBox* frm_AI = nullptr;
    std::array<QLineEdit*, 8> txt_Input{}, txt_Input_sync{};
    std::array<QFrame*, 8> pBreak{};
    std::array<QCheckBox*, 8> chk_En{};
    QComboBox* cmb_Type = nullptr;
    QPushButton* cmd_sync = nullptr;
    QLabel *Label9 = nullptr, *Label16 = nullptr, *Label13 = nullptr, *Label15 = nullptr,
           *Label14 = nullptr;

    QGroupBox* frm_AO = nullptr;
    std::array<QComboBox*, 8> cmb_Out{};
    std::array<QLineEdit*, 8> txt_Output{}, txt_Safe{};
    std::array<QPushButton*, 8> cmd_Output{};
    std::array<QPushButton*, 2> cmd_Set{};
    QLabel *Label17 = nullptr, *Label20 = nullptr, *Label19 = nullptr;

    QGroupBox* frm_DI = nullptr;
    std::array<QFrame*, 16> Led{};
    QGroupBox *frm_latchH = nullptr, *frm_latchL = nullptr, *frm_syncDI = nullptr;
    QPushButton* cmd_clear_latch = nullptr;

    QGroupBox* frm_DO = nullptr;
    std::array<QCheckBox*, 8> chk_OutputBit{}, chk_PupBit{}, chk_SafeBit{};
    QLabel *Label2 = nullptr, *Label4 = nullptr;

    QGroupBox* frm_RTC = nullptr;
    std::array<QLineEdit*, 8> Text3{};
    QPushButton* cmd_calendar = nullptr;

    QGroupBox* frm_Disp = nullptr;
    QLabel *lbl_Mode = nullptr, *lbl_Contr = nullptr, *lbl_Lumin = nullptr;
    std::array<QRadioButton*, 2> opt_DispMode{};
    QSlider* bar_Contr = nullptr;
    QSlider* bar_Lumin = nullptr;

protected:
    void closeEvent(QCloseEvent* evento) override;

private:
    void creaTesta();
    void creaProg();
    void creaPorte();
    void creaEventi();
    void creaIO();
    void creaIngressiAnalogici();
    void creaUsciteAnalogiche();
    void creaDigitali();
    void creaOrologio();
    void creaDisplay();
    void Form_Load();
    void collega();
    void abilitaCanali();
    QString modelloScelto() const;
    // Runs a write now, or once the read that is waiting for its reply has ended: the
    // two would share the request buffers. The values are those of the click.
    void eseguiScritture();
    void scrivi(std::function<void()> azione);

    bool letturaFinita_ = true;
    bool ciclo_ = false;
    std::vector<std::function<void()>> inAttesa_;
};

} // namespace ludra::ui
