#pragma once
// The register window: every register of the table, its value in its value type,
// refreshed from the controller 32 registers at a time from the first one on screen.
#include "base/Finestre.h"

#include <QWidget>

class QLabel;
class QPushButton;
class QTableView;

namespace ludra::ui {

class ModelloRegistri;

class Registri : public QWidget, public Localizzabile {
    Q_OBJECT
public:
    explicit Registri(QWidget* parent = nullptr);
    ~Registri() override;

    void SetRes() override;
    QSize sizeHint() const override;
    // Redraws every row from the table.
    void VScroll1_Change();
    // The first register on screen (the scroll position).
    int primoVisibile() const;
    void scorriA(int registro);

    QTableView* vista() const { return vista_; }
    QPushButton* Command1 = nullptr;

    static constexpr int kAltezzaRigaTwips = 255;
    static constexpr int kAltezzaMassimaTwips = 8000;

signals:
    // A click on a row: the register for the function-block editor's focused argument.
    void registroCliccato(int registro);
    // A double-click on a row: the set-register dialog opens on it.
    void registroDoppioClic(int registro);

private:
    QTableView* vista_ = nullptr;
    ModelloRegistri* modello_ = nullptr;
};

} // namespace ludra::ui
