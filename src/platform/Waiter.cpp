#include "platform/Waiter.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QObject>
#include <QScopeGuard>
#include <QTimer>

#include <memory>
#include <vector>

namespace ludra::platform {
namespace {

class Waker : public QObject {
    Q_OBJECT
public:
    void wake() { emit woken(); }
signals:
    void woken();
};

Waker& waker()
{
    static Waker w;
    return w;
}

int livello = 0;
int rimandi = 0;

QEventLoop::ProcessEventsFlags flagsAttesa()
{
    return rimandi > 0 ? QEventLoop::AllEvents | QEventLoop::ExcludeUserInputEvents
                       : QEventLoop::AllEvents;
}

class EventLoopWaiter final : public Waiter {
public:
    EventLoopWaiter() { clock_.start(); }

    void pumpOnce() override
    {
        LivelloAttesa l;
        QCoreApplication::processEvents(flagsAttesa());
    }

    bool waitUntil(const std::function<bool()>& done, qint64 timeoutMs) override
    {
        const qint64 deadline = nowMs() + qMax<qint64>(0, timeoutMs);
        // A wait nested in another (a handler that runs during a wait and waits itself)
        // needs a loop of its own; each depth keeps its loop and timer for every wait.
        Attesa& a = attesa(profondita_);
        ++profondita_;
        const auto fuori = qScopeGuard([this] { --profondita_; });
        while (!done()) {
            const qint64 left = deadline - nowMs();
            if (left <= 0)
                return done();
            a.timer.start(int(qMin<qint64>(left, 24LL * 3600 * 1000)));
            LivelloAttesa l;
            // Once the application has been asked to quit, every loop returns at once:
            // waiting on would only spin until the time-out.
            const int esito = a.loop.exec(flagsAttesa());
            a.timer.stop();
            if (esito < 0)
                return done();
        }
        return true;
    }

    qint64 nowMs() override { return clock_.elapsed(); }

private:
    struct Attesa {
        QEventLoop loop;
        QTimer timer;
        Attesa()
        {
            timer.setSingleShot(true);
            timer.setTimerType(Qt::PreciseTimer);
            QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
            QObject::connect(&waker(), &Waker::woken, &loop, &QEventLoop::quit);
        }
    };

    Attesa& attesa(std::size_t profondita)
    {
        while (attese_.size() <= profondita)
            attese_.push_back(std::make_unique<Attesa>());
        return *attese_[profondita];
    }

    QElapsedTimer clock_;
    std::vector<std::unique_ptr<Attesa>> attese_;
    std::size_t profondita_ = 0;
};

Waiter* current = nullptr;

} // namespace

Waiter& waiter()
{
    static EventLoopWaiter fallback;
    return current ? *current : fallback;
}

Waiter* setWaiter(Waiter* w)
{
    Waiter* previous = current;
    current = w;
    return previous;
}

void wakeWaiters() { waker().wake(); }

int livelloAttesa() { return livello; }
LivelloAttesa::LivelloAttesa() { ++livello; }
LivelloAttesa::~LivelloAttesa() { --livello; }

InputRimandato::InputRimandato() { ++rimandi; }
InputRimandato::~InputRimandato() { --rimandi; }
bool inputRimandato() { return rimandi > 0; }

void pause(double seconds, const std::function<bool()>& interrompi)
{
    if (!(seconds > 0))
        return;
    const qint64 ms = qint64(seconds * 1000.0 + 0.5);
    waiter().pausa(ms, interrompi);
}

} // namespace ludra::platform

#include "Waiter.moc"
