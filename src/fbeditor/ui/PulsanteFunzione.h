#pragma once
// One block choice of the editor: a coloured, exclusive button whose caption wraps onto
// a second line when it is long.
#include <QAbstractButton>
#include <QColor>

namespace ludra::ui {

class PulsanteFunzione : public QAbstractButton {
    Q_OBJECT
public:
    PulsanteFunzione(int codice, const QColor& colore, QWidget* parent = nullptr);
    int codice() const { return codice_; }
    QColor colore() const { return colore_; }
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int codice_;
    QColor colore_;
};

} // namespace ludra::ui
