#pragma once
// The published-variables window: the table edited as a list, read from and written to
// the controller.
#include "app/Finestre.h"

#include <QWidget>
#include <array>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace ludra::ui {

class frm_variabili : public QWidget, public Localizzabile {
    Q_OBJECT
public:
    explicit frm_variabili(QWidget* parent = nullptr);
    ~frm_variabili() override;

    void SetRes() override;

    void cmd_add_Click();
    void cmd_remove_Click();
    void cmd_up_Click();
    void cmd_down_Click();
    void List1_Click();
    void cmd_RegistriWEB_Click();
    void cmd_update_Click();
    void cmd_write_Click();

    QListWidget* List1 = nullptr;
    std::array<QLabel*, 5> Label1{};
    std::array<QLabel*, 8> Label2{};        // 0, 1, 5, 6, 7 are used
    std::array<QLineEdit*, 4> txt_WebReg{};
    QComboBox* cmb_Type = nullptr;
    QPushButton* cmd_RegistriWEB = nullptr;
    QPushButton* cmd_add = nullptr;
    QPushButton* cmd_remove = nullptr;
    QPushButton* cmd_up = nullptr;
    QPushButton* cmd_down = nullptr;
    QPushButton* cmd_update = nullptr;
    QPushButton* cmd_write = nullptr;

protected:
    void closeEvent(QCloseEvent* evento) override;

private:
    void AggiornaLista();
};

} // namespace ludra::ui
