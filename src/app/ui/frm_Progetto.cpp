#include "app/ui/frm_Progetto.h"

#include "base/Finestre.h"
#include "base/ui/RigaEvidenziata.h"

#include <QTreeWidget>
#include <QVBoxLayout>

namespace ludra::ui {

frm_Progetto::frm_Progetto(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frm_Progetto"));
    setWindowTitle(QStringLiteral("Project"));
    setProperty("larghezzaFissaTwips", kLarghezzaTwips);
    Lista = new QTreeWidget(this);
    Lista->setObjectName(QStringLiteral("Lista"));
    Lista->setHeaderHidden(true);
    for (const char* nodo : {"Settings", "Programma"})
        Lista->addTopLevelItem(new QTreeWidgetItem(QStringList{QString::fromLatin1(nodo)}));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Lista);
    connect(Lista, &QTreeWidget::itemDoubleClicked, this, [this] { Lista_DblClick(); });
}

void frm_Progetto::Lista_DblClick()
{
    HostFinestre* host = hostFinestre();
    QTreeWidgetItem* nodo = nodoEvidenziato(Lista);
    if (!host || !nodo)
        return;
    const QString testo = nodo->text(0);
    if (testo == QLatin1String("Settings"))
        host->mostraPagina(Finestra::frm_Settings, 0);
    else if (testo == QLatin1String("Programma") && !host->caricata(Finestra::Program))
        host->mostra(Finestra::Program);
}

} // namespace ludra::ui
