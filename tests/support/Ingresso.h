#pragma once
// The user's keys and clicks as the window system hands them over: queued, and taken by
// the next turn of the event loop (a wait's) that takes input, as a real one is. Qt's
// test functions deliver at once, past any wait, so they cannot show input held back.
#include <QEvent>
#include <QPointF>
#include <QString>
#include <QWidget>
#include <QWindow>

// Qt's platform layer (its header is not installed with the library); only the queued
// forms are declared, as the library exports them.
class QWindowSystemInterface {
public:
    struct AsynchronousDelivery;
    template <typename Delivery>
    static bool handleMouseEvent(QWindow* w, const QPointF& local, const QPointF& global,
                                 Qt::MouseButtons state, Qt::MouseButton button, QEvent::Type type,
                                 Qt::KeyboardModifiers mods, Qt::MouseEventSource source);
    template <typename Delivery>
    static bool handleKeyEvent(QWindow* w, QEvent::Type t, int k, Qt::KeyboardModifiers mods,
                               const QString& text, bool autorep, ushort count);
};

namespace ludra::test {

// A left click on the middle of `w`, queued.
inline void clicInCoda(QWidget* w)
{
    using Q = QWindowSystemInterface;
    QWidget* finestra = w->window();
    const QPointF dentro = w->mapTo(finestra, w->rect().center());
    const QPointF fuori = w->mapToGlobal(w->rect().center());
    for (const auto& [tipo, stato] : {std::pair{QEvent::MouseButtonPress, Qt::LeftButton},
                                     std::pair{QEvent::MouseButtonRelease, Qt::NoButton}})
        Q::handleMouseEvent<Q::AsynchronousDelivery>(finestra->windowHandle(), dentro, fuori,
                                                     stato, Qt::LeftButton, tipo, Qt::NoModifier,
                                                     Qt::MouseEventNotSynthesized);
}

// A key typed into the window with the focus, queued.
inline void tastoInCoda(QWidget* w, int tasto, const QString& testo)
{
    using Q = QWindowSystemInterface;
    for (const QEvent::Type tipo : {QEvent::KeyPress, QEvent::KeyRelease})
        Q::handleKeyEvent<Q::AsynchronousDelivery>(w->window()->windowHandle(), tipo, tasto,
                                                   Qt::NoModifier, testo, false, 1);
}

} // namespace ludra::test
