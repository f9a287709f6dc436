#pragma once
// The controller memory tool. Captions are the same in both languages.
#include "devconfig/Eeprom.h"

#include <QWidget>
#include <array>

class QLineEdit;
class QPushButton;
class QRadioButton;

namespace ludra::ui {

class frm_eeprom : public QWidget {
    Q_OBJECT
public:
    explicit frm_eeprom(QWidget* parent = nullptr);

    std::array<QLineEdit*, 3> txt_MAC{};
    std::array<QPushButton*, 2> cmd_MAC{};
    std::array<QLineEdit*, 4> txt_punt{};
    std::array<QPushButton*, 2> cmd_Puntatori{};
    QPushButton* cmd_SetDefault = nullptr;
    std::array<QLineEdit*, 5> txt_WebReg{};
    std::array<QPushButton*, 2> cmd_RegistriWEB{};
    QLineEdit* txt_start = nullptr;
    std::array<QRadioButton*, 4> Option2{};
    QLineEdit* txt_valore = nullptr;
    std::array<QLineEdit*, 4> txt_valoreAD{};   // txt_valoreA .. txt_valoreD
    QPushButton* Command8 = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command4 = nullptr;
    QLineEdit* Text3 = nullptr;
    QLineEdit* Text5 = nullptr;
    QLineEdit* Text4 = nullptr;
    QPushButton* Command6 = nullptr;
    QPushButton* Command2 = nullptr;
    QLineEdit* Text1 = nullptr;
    QLineEdit* Text2 = nullptr;
    QPushButton* Command3 = nullptr;
    QPushButton* Command5 = nullptr;

protected:
    void closeEvent(QCloseEvent* evento) override;

private:
    CampiEeprom campi() const;
    void mostra(const CampiEeprom& c);
    // Runs an operation on the fields and shows what it left in them.
    template <typename F> void esegui(F operazione);
};

} // namespace ludra::ui
