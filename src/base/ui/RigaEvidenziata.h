#pragma once
// The row a list, or the node a tree, shows highlighted, as a click or the arrow keys
// leave it.
#include <QListWidget>
#include <QSignalBlocker>
#include <QTreeWidget>

namespace ludra::ui {

// The highlighted row, -1 when none is.
inline int rigaEvidenziata(const QListWidget* lista)
{
    const QList<QListWidgetItem*> scelti = lista->selectedItems();
    return scelti.isEmpty() ? -1 : lista->row(scelti.first());
}

// Highlights row `riga`, or none when the list has no such row, without telling the
// list's listeners: the list shows what the window's commands act on.
inline void evidenziaRiga(QListWidget* lista, int riga)
{
    const QSignalBlocker blocco(lista);
    if (riga >= 0 && riga < lista->count())
        lista->setCurrentRow(riga);
    else
        lista->clearSelection();
}

// Keeps a list's highlight on the row chosen (`scelta()`): a row the user highlights
// (a click, the arrow keys) is chosen (`scegli`), and a highlight cleared (a Ctrl+click or
// Ctrl+Space) goes back to the chosen row, so the window's commands act on the row shown.
template <typename Scelta, typename Scegli>
void seguiEvidenziata(QListWidget* lista, QObject* contesto, Scelta scelta, Scegli scegli)
{
    QObject::connect(lista, &QListWidget::itemSelectionChanged, contesto, [=] {
        const int evidenziata = rigaEvidenziata(lista);
        if (evidenziata < 0)
            evidenziaRiga(lista, scelta());
        else if (evidenziata != scelta())
            scegli(evidenziata);
    });
}

// The highlighted node, none when none is.
inline QTreeWidgetItem* nodoEvidenziato(const QTreeWidget* albero)
{
    const QList<QTreeWidgetItem*> scelti = albero->selectedItems();
    return scelti.isEmpty() ? nullptr : scelti.first();
}

// Highlights `nodo`, or none, without telling the tree's listeners.
inline void evidenziaNodo(QTreeWidget* albero, QTreeWidgetItem* nodo)
{
    const QSignalBlocker blocco(albero);
    if (nodo)
        albero->setCurrentItem(nodo);
    else
        albero->clearSelection();
}

} // namespace ludra::ui
