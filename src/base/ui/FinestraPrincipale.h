#pragma once
// The main window as the child windows see it: its popup menus, and its frame, whose
// height bounds the ladder layout. The main window puts itself here while it exists.
#include <QString>

class QMenu;
class QWidget;

namespace ludra::ui {

class FinestraPrincipale {
public:
    virtual ~FinestraPrincipale() = default;
    virtual QMenu* popup(const QString& nome) const = 0;
    virtual QWidget* cornice() = 0;
};

// nullptr while there is no main window.
FinestraPrincipale* finestraPrincipale();
void setFinestraPrincipale(FinestraPrincipale* finestra);

} // namespace ludra::ui
