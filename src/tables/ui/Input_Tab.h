#pragma once
// The table window. As a picker it lists the project's tables and hands the one chosen
// back in InputTab.TabAttiva.
#include "app/Finestre.h"

#include <QWidget>
#include <array>

class QGroupBox;
class QListWidget;
class QPushButton;

namespace ludra::ui {

class Input_Tab : public QWidget, public Localizzabile {
    Q_OBJECT
public:
    explicit Input_Tab(QWidget* parent = nullptr);
    ~Input_Tab() override;

    void SetRes() override;

    // cmd_ok(1) "OK" and cmd_ok(0) "Annulla".
    void cmd_ok_Click(int indice);

    QListWidget* ListaTab() const { return lista_; }
    QPushButton* cmd_ok(int i) const { return ok_[std::size_t(i)]; }

    static constexpr const char* kNome = "Input_Tab";

protected:
    void closeEvent(QCloseEvent* evento) override;

private:
    void chiudi();

    QGroupBox* frame1_ = nullptr;
    QListWidget* lista_ = nullptr;
    std::array<QPushButton*, 2> ok_{};
    bool chiuso_ = false;
};

} // namespace ludra::ui
