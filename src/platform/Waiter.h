#pragma once
// Waiting without blocking the one user-interface thread. Every wait in the system
// (link replies, pauses, polling loops) goes through the current Waiter, so tests can
// substitute virtual time for the wall clock.
#include <QtGlobal>
#include <functional>

namespace ludra::platform {

class Waiter {
public:
    virtual ~Waiter() = default;
    // Handles the events already queued, once, and returns.
    virtual void pumpOnce() = 0;
    // Runs the event loop until done() holds or timeoutMs has passed on the monotonic
    // clock; returns done() at the end. Wakes when wakeWaiters() is called.
    virtual bool waitUntil(const std::function<bool()>& done, qint64 timeoutMs) = 0;
    // Milliseconds on a monotonic clock (never jumps with the wall clock).
    virtual qint64 nowMs() = 0;
    // A timed pause that keeps events running: a wait for nothing but the time.
    virtual void pausa(qint64 ms)
    {
        waitUntil([] { return false; }, ms);
    }
};

Waiter& waiter();
// Installs a waiter (nullptr restores the event-loop one); returns the previous one.
Waiter* setWaiter(Waiter* w);
// Called by transports when something arrived, so a pending wait re-checks at once.
void wakeWaiters();

// Pausa: waits the given seconds (fractions allowed) while handling events.
void pause(double seconds);

} // namespace ludra::platform
