#pragma once
// The project tree: a narrow window whose nodes open the settings and the ladder view.
#include <QWidget>

class QTreeWidget;
class QTreeWidgetItem;

namespace ludra::ui {

class frm_Progetto : public QWidget {
    Q_OBJECT
public:
    explicit frm_Progetto(QWidget* parent = nullptr);
    QTreeWidget* Lista = nullptr;
    // Acts on the selected node's text.
    void Lista_DblClick();

    static constexpr int kLarghezzaTwips = 3090;
};

} // namespace ludra::ui
