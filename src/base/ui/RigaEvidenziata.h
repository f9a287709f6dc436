#pragma once
// The row a list shows highlighted, as a click or the arrow keys leave it.
#include <QListWidget>

namespace ludra::ui {

// The highlighted row, -1 when none is.
inline int rigaEvidenziata(const QListWidget* lista)
{
    const QList<QListWidgetItem*> scelti = lista->selectedItems();
    return scelti.isEmpty() ? -1 : lista->row(scelti.first());
}

} // namespace ludra::ui
