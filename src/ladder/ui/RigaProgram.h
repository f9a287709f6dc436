#pragma once
// The controls of one ladder row, drawn from its RigaLadder.
#include "ladder/RigaLadder.h"

#include <QWidget>
#include <array>

class QLabel;
class QLineEdit;

namespace ludra::ui {

// Bordo: the selection frame, a rectangle outline.
class Cornice : public QWidget {
    Q_OBJECT
public:
    explicit Cornice(QWidget* parent);
    void setColore(const QColor& c);
    QColor colore() const { return colore_; }

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QColor colore_;
};

class RigaProgram {
public:
    // Creates the row's controls in a unit's drawing area; filtro receives the events
    // of the controls that answer clicks.
    RigaProgram(QWidget* area, int riga, QObject* filtro);
    ~RigaProgram();
    RigaProgram(const RigaProgram&) = delete;
    RigaProgram& operator=(const RigaProgram&) = delete;

    void disegna(const RigaLadder& r);
    void posiziona(const RigaLadder& r);
    // Hides the controls of a row whose line went; the next line of that row shows
    // them again through disegna and posiziona.
    void riponi();
    bool inUso() const { return inUso_; }

    QWidget* shRung = nullptr;
    Cornice* Bordo = nullptr;
    QLabel* lbl_Rung = nullptr;
    QLabel* txt_Label = nullptr;
    QLabel* txt_Func = nullptr;
    QLabel* txt_Var = nullptr;
    QLabel* img_Break = nullptr;
    QLabel* Immagine = nullptr;
    std::array<QLabel*, 8> txt_VarN{};
    std::array<QLabel*, 8> lbl_VarN{};
    QLineEdit* txt_desc = nullptr;

private:
    int immagine_ = -1;
    bool inUso_ = true;
};

} // namespace ludra::ui
