#pragma once
// The ladder view: one tab and one drawing area per program unit, a row of controls
// per line, the row-format button and the scroll bar. It draws the view the ladder
// logic holds and hands clicks, presses, typing and scrolling back to it.
#include "base/Finestre.h"

#include <QPointer>
#include <QWidget>
#include <array>
#include <memory>

class QFrame;
class QLineEdit;
class QScrollBar;
class QTabBar;
class QToolButton;

namespace ludra::ui {

class RigaProgram;

class Program : public QWidget, public Localizzabile {
    Q_OBJECT
public:
    explicit Program(QWidget* parent = nullptr);
    ~Program() override;

    void SetRes() override;
    QSize sizeHint() const override;

    static constexpr int kLarghezzaTwips = 6300;
    static constexpr int kAltezzaTwips = 6480;

    QTabBar* Tab_Prog() const { return tab_; }
    QLineEdit* note() const { return note_; }
    QToolButton* cmd_Formato() const { return formato_; }
    QScrollBar* VScroll() const { return scroll_; }
    QWidget* prog(int u) const;
    // The controls of row i of unit u, built now if they were not yet; nullptr when the
    // row does not exist.
    RigaProgram* riga(int u, int i);
    int immagineFormato() const { return immagineFormato_; }

protected:
    bool eventFilter(QObject* o, QEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    void sincronizza();
    void sincronizzaRiga(int u, int i);
    void sincronizzaAree();
    // A row's controls are built when it first shows: when its panel or frame reaches
    // into its unit's drawing area while that area is shown, and no later row with the
    // same place lies over it (the rows parked at the top edge).
    bool inVista(int u, int i) const;
    RigaProgram* costruisci(int u, int i);
    // Builds the rows that have come into view.
    void costruisciVisibili();
    void mostraPopup(const QPoint& globale);
    // The user entered a row's description box.
    void entra(QLineEdit* box, int riga);

    QTabBar* tab_ = nullptr;
    QFrame* pagina_ = nullptr;
    QLineEdit* note_ = nullptr;
    QToolButton* formato_ = nullptr;
    QScrollBar* scroll_ = nullptr;
    std::array<QWidget*, 10> prog_{};
    std::array<std::array<std::unique_ptr<RigaProgram>, 101>, 10> righe_;
    int immagineFormato_ = 0;
    bool sincronizzando_ = false;
    QPointer<QLineEdit> entrato_;
};

} // namespace ludra::ui
