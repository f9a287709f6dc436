#pragma once
// Keys and clicks queued as the window system queues them, for the next turn of the event
// loop that takes input (Qt's test functions deliver at once, past any wait).
#include <QWidget>
#include <qpa/qwindowsysteminterface.h>

namespace ludra::test {

using Coda = QWindowSystemInterface::AsynchronousDelivery;

// A left click on the middle of `w`.
inline void clicInCoda(QWidget* w)
{
    const QPoint p = w->rect().center();
    for (const QEvent::Type t : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease})
        QWindowSystemInterface::handleMouseEvent<Coda>(
            w->window()->windowHandle(), w->mapTo(w->window(), p), w->mapToGlobal(p),
            t == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::LeftButton, t);
}

} // namespace ludra::test
