#pragma once
// The About box: product name, version and description, and the system-information
// button.
#include "base/Finestre.h"

#include <QWidget>

class QLabel;
class QPushButton;

namespace ludra::ui {

class frmAbout : public QWidget, public Localizzabile {
    Q_OBJECT
public:
    explicit frmAbout(QWidget* parent = nullptr);
    ~frmAbout() override;
    void SetRes() override;

    QLabel* picIcon = nullptr;
    QLabel* lblTitle = nullptr;
    QLabel* lblVersion = nullptr;
    QLabel* lblDescription = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdSysInfo = nullptr;
};

} // namespace ludra::ui
