#pragma once
// The Log window: one list of lines, drawn from the Log the logic keeps.
#include <QWidget>

class QListWidget;

namespace ludra::ui {

class Log : public QWidget {
    Q_OBJECT
public:
    explicit Log(QWidget* parent = nullptr);
    QListWidget* Testo() const { return testo_; }

    static constexpr int kLarghezzaTwips = 3090;

private:
    void aggiungiRighe();
    void svuota();
    QListWidget* testo_;
};

} // namespace ludra::ui
