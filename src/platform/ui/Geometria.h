#pragma once
// Controls placed by the twips geometry the layouts give.
#include "platform/Twips.h"

#include <QRect>
#include <QWidget>

#include <algorithm>

namespace ludra::platform {

inline QRect twipsRect(int left, int top, int width, int height)
{
    return {twipsToPx(left), twipsToPx(top), twipsToPx(width), twipsToPx(height)};
}

inline void posiziona(QWidget* w, int left, int top, int width, int height)
{
    w->setGeometry(twipsRect(left, top, width, height));
}

// `voluta` cut to the size of `area` where it is larger, then moved the least that puts
// it wholly inside: the layouts were drawn for one screen, and a window that reaches
// past a smaller one hides its own OK button and status bar.
inline QRect dentro(const QRect& voluta, const QRect& area)
{
    QRect r(voluta.topLeft(), voluta.size().boundedTo(area.size()));
    r.moveLeft(std::clamp(r.left(), area.left(), area.right() - r.width() + 1));
    r.moveTop(std::clamp(r.top(), area.top(), area.bottom() - r.height() + 1));
    return r;
}

// Moves (and if it must, shrinks) a top-level window, its frame included, into the
// available area of its screen. A frame the window system has not drawn yet counts as
// none.
void nelloSchermo(QWidget* finestra);

// The same for a child window inside the widget that holds it (an MDI area's viewport):
// a window that cannot shrink to it keeps its top left corner in view.
void nellArea(QWidget* figlia, const QRect& area);

} // namespace ludra::platform
