#include "platform/Waiter.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QObject>
#include <QPointer>
#include <QScopeGuard>
#include <QTimer>

#include <memory>
#include <vector>

namespace ludra::platform {
namespace {

// The application quits through its Quit event (the last window closed, or quit()).
// Seeing one pass says that a quit may be under way; only the event loop knows whether
// it went through (a window may refuse to close), so a wait asks it then.
class Uscita : public QObject {
public:
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (e->type() == QEvent::Quit && o == QCoreApplication::instance())
            vista_ = true;
        return false;
    }
    // Watches the application object there is now; true when it is not the one watched
    // so far (the first, or a later one: tests build several).
    bool osserva()
    {
        QCoreApplication* app = QCoreApplication::instance();
        if (app == osservata_)
            return false;
        osservata_ = app;
        vista_ = false;
        if (app)
            app->installEventFilter(this);
        return true;
    }
    // True once the application has been asked to quit and has not taken it back.
    bool chiesta(QEventLoop::ProcessEventsFlags flags)
    {
        if (!vista_)
            return false;
        // A loop started after a quit returns at once with -1; otherwise the zero timer
        // ends it after one round of events.
        QEventLoop prova;
        QTimer::singleShot(0, &prova, [&prova] { prova.exit(0); });
        if (prova.exec(flags) < 0)
            return true;
        vista_ = false;
        return false;
    }

private:
    QPointer<QCoreApplication> osservata_;
    bool vista_ = false;
};

int livello = 0;
int rimandi = 0;
int risposteAttese = 0;
std::vector<std::function<void()>> dopoLaRisposta;

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
        // Alarms set under an earlier application object belong to its event loop.
        if (uscita_.osserva() && profondita_ == 0)
            sveglie_.clear();
        // Each round handles at least one event and returns: the transport's arrival, or
        // the deadline's alarm. A nested wait keeps an alarm of its own.
        Sveglia& sveglia = svegliaDi(profondita_);
        ++profondita_;
        const auto fuori = qScopeGuard([this] { --profondita_; });
        while (!done()) {
            const qint64 adesso = nowMs();
            if (adesso >= deadline)
                return done();
            LivelloAttesa l;
            // Once the application has been asked to quit, every wait returns at once:
            // waiting on would only hold the quit up until the time-out.
            if (uscita_.chiesta(flagsAttesa()))
                return done();
            // The alarm stays set from one wait to the next: one due no later than this
            // deadline can only wake this wait early, and the wait sets it again then. So
            // a stream of requests does not start and stop a timer for each.
            if (!sveglia.timer.isActive() || sveglia.scade > deadline) {
                const qint64 ms = qMin<qint64>(deadline - adesso, 24LL * 3600 * 1000);
                sveglia.timer.start(int(ms));
                sveglia.scade = adesso + ms;
            }
            QCoreApplication::processEvents(flagsAttesa() | QEventLoop::WaitForMoreEvents);
        }
        return true;
    }

    qint64 nowMs() override { return clock_.elapsed(); }

private:
    struct Sveglia {
        QTimer timer;
        qint64 scade = 0;
        Sveglia()
        {
            timer.setSingleShot(true);
            timer.setTimerType(Qt::PreciseTimer);
        }
    };

    Sveglia& svegliaDi(std::size_t profondita)
    {
        while (sveglie_.size() <= profondita)
            sveglie_.push_back(std::make_unique<Sveglia>());
        return *sveglie_[profondita];
    }

    QElapsedTimer clock_;
    Uscita uscita_;
    std::vector<std::unique_ptr<Sveglia>> sveglie_;
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

int livelloAttesa() { return livello; }
LivelloAttesa::LivelloAttesa() { ++livello; }
LivelloAttesa::~LivelloAttesa() { --livello; }

InputRimandato::InputRimandato() { ++rimandi; }
InputRimandato::~InputRimandato() { --rimandi; }
bool inputRimandato() { return rimandi > 0; }

AttesaRisposta::AttesaRisposta() { ++risposteAttese; }

AttesaRisposta::~AttesaRisposta()
{
    if (risposteAttese > 1) {
        --risposteAttese;
        return;
    }
    // Each runs as its handler would have: what it asks in turn while it runs (a command
    // it queues behind itself) follows it.
    const LivelloAttesa l;
    risposteAttese = 0;
    while (!dopoLaRisposta.empty()) {
        const std::function<void()> azione = std::move(dopoLaRisposta.front());
        dopoLaRisposta.erase(dopoLaRisposta.begin());
        if (azione)
            azione();
    }
}

bool rispostaAttesa() { return risposteAttese > 0; }

void dopoRisposta(std::function<void()> azione)
{
    if (risposteAttese > 0)
        dopoLaRisposta.push_back(std::move(azione));
    else if (azione)
        azione();
}

void dopoRisposta(QObject* finestra, std::function<void()> azione)
{
    dopoRisposta([vivo = QPointer<QObject>(finestra), azione = std::move(azione)] {
        if (vivo)
            azione();
    });
}

void pause(double seconds, const std::function<bool()>& interrompi)
{
    if (!(seconds > 0))
        return;
    const qint64 ms = qint64(seconds * 1000.0 + 0.5);
    waiter().pausa(ms, interrompi);
}

} // namespace ludra::platform

