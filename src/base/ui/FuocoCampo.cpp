#include "base/ui/FuocoCampo.h"

#include "base/Notifiche.h"

#include <QComboBox>
#include <QLineEdit>
#include <QWidget>

namespace ludra::ui {

void SeguiCampiRifiutati(QWidget* finestra)
{
    QObject::connect(&Notifiche::istanza(), &Notifiche::campoRifiutato, finestra,
                     [finestra](const QString& nome, const QString& controllo) {
                         if (nome != finestra->objectName())
                             return;
                         auto* campo = finestra->findChild<QWidget*>(controllo);
                         if (!campo)
                             return;
                         campo->setFocus(Qt::OtherFocusReason);
                         auto* testo = qobject_cast<QLineEdit*>(campo);
                         if (auto* combo = qobject_cast<QComboBox*>(campo))
                             testo = combo->lineEdit();
                         if (testo)
                             testo->selectAll();
                     });
}

} // namespace ludra::ui
