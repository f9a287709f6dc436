#pragma once
// Waiting without blocking the one user-interface thread. Every wait in the system
// (link replies, pauses, polling loops) goes through the current Waiter, so tests can
// substitute virtual time for the wall clock.
#include <QtGlobal>
#include <functional>

class QObject;

namespace ludra::platform {

class Waiter {
public:
    virtual ~Waiter() = default;
    // Handles the events already queued, once, and returns.
    virtual void pumpOnce() = 0;
    // Runs the event loop until done() holds or timeoutMs has passed on the monotonic
    // clock; returns done() at the end. It checks done() again after every event it handles
    // (an arrival, a click, a timer), so whatever makes it true needs no wake of its own.
    virtual bool waitUntil(const std::function<bool()>& done, qint64 timeoutMs) = 0;
    // Milliseconds on a monotonic clock (never jumps with the wall clock).
    virtual qint64 nowMs() = 0;
    // How this waiter spends a pause() (only pause() calls it): a wait for nothing but
    // the time, or until `interrompi` holds when one is given.
    virtual void pausa(qint64 ms, const std::function<bool()>& interrompi = {})
    {
        waitUntil(interrompi ? interrompi : [] { return false; }, ms);
    }
};

Waiter& waiter();
// Installs a waiter (nullptr restores the event-loop one); returns the previous one.
Waiter* setWaiter(Waiter* w);
// How deeply waits are nested: a wait counts one level while it runs events. A handler
// run from inside a wait (a click, a receive event) runs one level deeper than the code
// that waits, so a running operation can tell its own calls from a handler's.
int livelloAttesa();
class LivelloAttesa {
public:
    LivelloAttesa();
    ~LivelloAttesa();
    LivelloAttesa(const LivelloAttesa&) = delete;
    LivelloAttesa& operator=(const LivelloAttesa&) = delete;
};

// While one lives, waits leave the user's input (clicks, keys) queued for the next wait
// or pump that does not. Only a wait for another process (a project's lock) holds it: a
// device's reply never does.
class InputRimandato {
public:
    InputRimandato();
    ~InputRimandato();
    InputRimandato(const InputRimandato&) = delete;
    InputRimandato& operator=(const InputRimandato&) = delete;
};
bool inputRimandato();

// While one lives a device's reply is awaited (a request, a connect). Keys and clicks are
// taken in that wait as in any other; but a handler that runs in it must not open a box
// of its own, which would be a wait nested in this one and hold the reply up for as long
// as the box stands: a box that only tells something is shown without waiting for it
// (msgBox), and a command that asks the user runs once the reply is in (dopoRisposta).
class AttesaRisposta {
public:
    AttesaRisposta();
    // The outermost one runs what dopoRisposta kept, in the order asked.
    ~AttesaRisposta();
    AttesaRisposta(const AttesaRisposta&) = delete;
    AttesaRisposta& operator=(const AttesaRisposta&) = delete;
};
bool rispostaAttesa();
// Runs `azione` now when no reply is awaited; otherwise as soon as the awaited one is in,
// before the code that awaited it goes on, one wait level deeper than that code (as the
// handler it comes from would have run).
void dopoRisposta(std::function<void()> azione);
// The same for what a window does: dropped should the window be gone by then.
void dopoRisposta(QObject* finestra, std::function<void()> azione);

// The one pause of the system: waits the given seconds (fractions allowed) while
// handling events, through the current Waiter's pausa; zero or less returns at once.
// With `interrompi`, ends as soon as it holds: a controller sequence passes
// Sequenza::arrestata, since a sequence asked to stop has nothing left to wait for.
void pause(double seconds, const std::function<bool()>& interrompi = {});

} // namespace ludra::platform
