#pragma once
// Drawing that is asked for more often than a screen shows pictures (a status panel
// on every request, a scroll bar on every Log line) happens at most once a frame.
#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <QtGlobal>

namespace ludra::platform {

class UnaPerFotogramma {
public:
    // Runs `disegna` once the last drawing is a frame old: at once when `subito` allows
    // it and the frame has passed, otherwise from the event loop. A request made while
    // one waits joins it.
    template <class Disegna>
    void chiedi(QObject* contesto, bool subito, Disegna disegna)
    {
        if (inAttesa_)
            return;
        const qint64 attesa =
            ultimo_.isValid() ? qMax<qint64>(0, kFotogrammaMs - ultimo_.elapsed()) : 0;
        if (subito && attesa == 0) {
            disegna();
            return;
        }
        inAttesa_ = true;
        QTimer::singleShot(attesa, contesto, [this, disegna] {
            inAttesa_ = false;
            disegna();
        });
    }

    // The drawing has been done now.
    void disegnato() { ultimo_.start(); }

private:
    static constexpr int kFotogrammaMs = 16;   // one picture of a 60 Hz screen
    QElapsedTimer ultimo_;
    bool inAttesa_ = false;
};

} // namespace ludra::platform
