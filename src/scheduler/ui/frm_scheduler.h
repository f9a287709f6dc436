#pragma once
// The data-logger scheduler window: creates logger objects, deletes and moves them and
// compiles them into their record bytes.
#include "base/Finestre.h"
#include "scheduler/EditorScheduler.h"

#include <QWidget>
#include <array>

class QCalendarWidget;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QToolButton;

namespace ludra::ui {

class frm_scheduler : public QWidget, public Localizzabile {
    Q_OBJECT
public:
    explicit frm_scheduler(QWidget* parent = nullptr);
    ~frm_scheduler() override;

    static constexpr const char* kNome = "frm_scheduler";

    void SetRes() override;
    void CompilaOggetti();
    void ViewPar(int tipo, int ogg);
    void cmd_Ogg_Click(int indice);
    void Command4_Click();

    std::uint8_t OggettoAttivo() const { return editor_.OggettoAttivo; }
    QListWidget* lst_Ogg() const { return lstOgg_; }
    QRadioButton* opt_Type() const { return optType_; }
    QGroupBox* proprieta() const { return proprieta_; }

private:
    void elenco();
    void evidenziaAttivo();

    EditorScheduler editor_;
    QGroupBox* frame5_ = nullptr;
    QListWidget* lstOgg_ = nullptr;
    std::array<QPushButton*, 4> cmdOgg_{};
    QRadioButton* optType_ = nullptr;
    QGroupBox* proprieta_ = nullptr;
    QLabel* lblReg_ = nullptr;
    QCalendarWidget* monthView1_ = nullptr;
};

} // namespace ludra::ui
