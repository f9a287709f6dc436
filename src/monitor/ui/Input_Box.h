#pragma once
// The set-register dialog. Mode 0 sets a register of TabellaRegistri: its name, its
// value type and, when connected, its value written in that type. Mode 1 edits the text
// its opener handed over in TestoDialogo. Both offer a bit editor of the value.
#include "base/Finestre.h"
#include "monitor/InputBox.h"

#include <QWidget>
#include <array>
#include <cstdint>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace ludra::ui {

class Input_Box : public QWidget, public Localizzabile {
    Q_OBJECT
public:
    explicit Input_Box(QWidget* parent = nullptr);
    ~Input_Box() override;

    void SetRes() override;

    // cmd_ok(1) "OK" and cmd_ok(0) "Annulla".
    void cmd_ok_Click(int indice);
    void cmd_bit_Click(int i);
    // A type entry became selected: "Bin" shows the bit rows, any other hides them.
    void Combo1_Click(int voce);

    QLabel* Label1(int i) const { return label1_[std::size_t(i)]; }
    QLineEdit* Testo(int i) const { return testo_[std::size_t(i)]; }
    QComboBox* Combo1() const { return combo1_; }
    QWidget* pBits(int i) const { return pBits_[std::size_t(i)]; }
    QPushButton* cmd_bit(int i) const { return bit_[std::size_t(i)]; }
    QPushButton* cmd_ok(int i) const { return ok_[std::size_t(i)]; }

    static constexpr const char* kNome = "Input_Box";

protected:
    bool eventFilter(QObject* oggetto, QEvent* evento) override;
    void closeEvent(QCloseEvent* evento) override;

private:
    void caricaTesto();
    void caricaRegistro();
    void mostraBit(int i, bool acceso);
    void chiudi();

    std::array<QLabel*, 4> label1_{};
    std::array<QLineEdit*, 2> testo_{};
    QComboBox* combo1_ = nullptr;
    std::array<QWidget*, 2> pBits_{};
    std::array<QPushButton*, 32> bit_{};
    std::array<bool, 32> acceso_{};
    std::array<QPushButton*, 2> ok_{};
    bool chiuso_ = false;
    bool inScrittura_ = false;
    std::uint8_t modo_ = 0;
    int indice_ = 0;
    Bersaglio apertura_;
};

} // namespace ludra::ui
