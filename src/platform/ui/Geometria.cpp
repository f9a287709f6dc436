#include "platform/ui/Geometria.h"

#include <QScreen>

namespace ludra::platform {

void nelloSchermo(QWidget* finestra)
{
    const QScreen* schermo = finestra->screen();
    if (!schermo)
        return;
    const QRect cornice = finestra->frameGeometry();
    const QRect interno = finestra->geometry();
    const QMargins bordi(interno.left() - cornice.left(), interno.top() - cornice.top(),
                         cornice.right() - interno.right(), cornice.bottom() - interno.bottom());
    const QRect r = dentro(cornice, schermo->availableGeometry());
    if (r != cornice)
        finestra->setGeometry(r.marginsRemoved(bordi));
}

void nellArea(QWidget* figlia, const QRect& area)
{
    const QRect voluta = figlia->geometry();
    QRect r = dentro(voluta, area);
    // A window whose layout needs more than the area is not cut below that: its top left
    // stays in view, where its caption and first controls are, and the area scrolls.
    r.setSize(r.size().expandedTo(figlia->minimumSize()).expandedTo(figlia->minimumSizeHint()));
    if (r != voluta)
        figlia->setGeometry(r);
}

} // namespace ludra::platform
