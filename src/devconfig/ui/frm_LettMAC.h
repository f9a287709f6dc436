#pragma once
// The MAC-address register window: reads a device's MAC, records it with its order and
// customer, keeps the register in a file and prints a selection of it.
#include "devconfig/RegistroMac.h"

#include <QWidget>
#include <array>

class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace ludra::ui {

class frm_LettMAC : public QWidget {
    Q_OBJECT
public:
    explicit frm_LettMAC(QWidget* parent = nullptr);

    void Command1_Click();
    void Command2_Click();
    void cmd_SaveFile_Click();
    void cmd_loadFile_Click();
    void cmd_report_Click();

    const RegistroMac& registro() const { return registro_; }

    QLineEdit* txt_pfc = nullptr;
    QLineEdit* txt_anno = nullptr;
    QLineEdit* txt_cliente = nullptr;
    QListWidget* lstMAC = nullptr;
    std::array<QRadioButton*, 3> opt_report{};
    QPushButton* cmd_report = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;
    QPushButton* cmd_loadFile = nullptr;
    QPushButton* cmd_SaveFile = nullptr;

protected:
    void closeEvent(QCloseEvent* evento) override;

private:
    void AggiornaLista();
    RegistroMac registro_;
};

} // namespace ludra::ui
