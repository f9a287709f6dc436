#pragma once
// The download dialog: the options of the download sequence and its progress.
#include <QWidget>

class QCheckBox;
class QGroupBox;
class QProgressBar;
class QPushButton;

namespace ludra::ui {

class frm_Download : public QWidget {
    Q_OBJECT
public:
    explicit frm_Download(QWidget* parent = nullptr);
    // Runs the sequence with the options checked, then closes the dialog.
    void cmdDownload_Click();

    QGroupBox* Frame1 = nullptr;
    QCheckBox* chk_download = nullptr;
    QCheckBox* chk_Verify = nullptr;
    QCheckBox* chk_Clear = nullptr;
    QCheckBox* chk_run = nullptr;
    QProgressBar* Barra = nullptr;
    QPushButton* cmdDownload = nullptr;

protected:
    void closeEvent(QCloseEvent* evento) override;
};

} // namespace ludra::ui
