#pragma once
// The Log window: one list of lines, drawn from the Log the logic keeps.
#include <QTableView>
#include <QWidget>

namespace ludra::ui {

// The list of the Log window. It looks and answers the user as a list of text lines does,
// but a new line costs the same however many came before it: a table's rows are placed
// by their fixed height, where a list lays every line out again.
class ListaLog : public QTableView {
    Q_OBJECT
public:
    explicit ListaLog(QWidget* parent = nullptr);
    int count() const;
    QString testo(int riga) const;
    int currentRow() const;
    void setCurrentRow(int riga);

    // Shows the Log's lines written since the last call; the width follows the last line,
    // as a list of lines of one size takes its width from it.
    void mostraNuove();
    void svuota();

protected:
    void initViewItemOption(QStyleOptionViewItem* option) const override;
    QModelIndex moveCursor(CursorAction azione, Qt::KeyboardModifiers modificatori) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void updateGeometries() override;

private:
    void adattaLarghezza();
    void allineaInAlto();
    int larghezzaUltima_ = 0;
};

class Log : public QWidget {
    Q_OBJECT
public:
    explicit Log(QWidget* parent = nullptr);
    ListaLog* Testo() const { return testo_; }

    static constexpr int kLarghezzaTwips = 3090;

private:
    // Lines written during one turn of the event loop reach the list together when the
    // turn ends, and the list then selects and scrolls once.
    void rigaAggiunta();
    void aggiungiRighe();
    ListaLog* testo_;
    bool inAttesa_ = false;
};

} // namespace ludra::ui
