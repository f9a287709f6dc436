#pragma once
// The function-block editor window: the block choices on their category tabs and the
// argument rows of the chosen block. It draws the editor state (StatoComandi) and hands
// every edit back to it.
#include "base/Finestre.h"

#include <QWidget>
#include <array>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabBar;

namespace ludra::ui {

class PulsanteFunzione;

class comandi : public QWidget, public Localizzabile {
    Q_OBJECT
public:
    explicit comandi(QWidget* parent = nullptr);
    ~comandi() override;

    void SetRes() override;

    // The commit of the block (OK button, Enter in the label, value or type fields):
    // writes the line and closes the window, or shows "Error: Check Values".
    void cmd_AddFunc_Click();

    // Controls, for the ones that drive or inspect the window.
    QTabBar* Tab_Funzioni() const { return tab_; }
    PulsanteFunzione* opt_Funzione(int codice) const;
    QLabel* lbl_Var(int k) const { return lblVar_[std::size_t(k)]; }
    QComboBox* txt_Var(int k) const { return txtVar_[std::size_t(k)]; }
    QComboBox* txt_Opt(int k) const { return txtOpt_[std::size_t(k)]; }
    QPushButton* cmd_Set(int k) const { return cmdSet_[std::size_t(k)]; }
    QLineEdit* txt_Label() const { return txtLabel_; }
    QLineEdit* txt_delay() const { return txtDelay_; }
    QLabel* lbl_Delay() const { return lblDelay_; }
    QLabel* lbl_nomeFunz() const { return lblNomeFunz_; }
    QPushButton* cmd_AddFunc() const { return cmdAddFunc_; }

    static constexpr int kLarghezzaTwips = 9000;
    static constexpr int kAltezzaTwips = 8200;

signals:
    // The user confirmed the block (before the line is written).
    void conferma();

protected:
    bool eventFilter(QObject* oggetto, QEvent* evento) override;

private:
    void aggiorna();
    void aggiornaRiga(int k);
    void aggiornaScheda();

    QGroupBox* fFunzioni_ = nullptr;
    QGroupBox* fArgomenti_ = nullptr;
    QTabBar* tab_ = nullptr;
    std::array<PulsanteFunzione*, 47> opt_{};
    std::array<QLabel*, 8> lblVar_{};
    std::array<QComboBox*, 8> txtVar_{};
    std::array<QComboBox*, 8> txtOpt_{};
    std::array<QPushButton*, 8> cmdSet_{};
    QLabel* label1_ = nullptr;
    QLineEdit* txtLabel_ = nullptr;
    QLabel* lblDelay_ = nullptr;
    QLineEdit* txtDelay_ = nullptr;
    QLabel* lblNomeFunz_ = nullptr;
    QPushButton* cmdAddFunc_ = nullptr;
    bool inAggiornamento_ = false;
};

} // namespace ludra::ui
