#pragma once
// The one waiter double. In virtual time (the platform doubles' waiter) nothing runs on
// the real clock: a wait returns at once, moving the clock on by what it waited for in
// steps of 10 ms with a pump at each, or sooner when done() holds. In real time
// (installed over the event-loop waiter for the object's lifetime) waits run the event
// loop, so the simulator's replies arrive, with what a test asks for on top: pauses in
// virtual time, long waits cut short, and what the user does while a request or a
// dialog waits.
#include "platform/Waiter.h"

#include <functional>
#include <vector>

namespace ludra::test {

class Attesa final : public platform::Waiter {
public:
    // PauseVirtuali: real time, but a pause returns at once after one pump, moving the
    // clock on by its length; durantePausa runs inside it.
    enum class Tempo { Virtuale, Reale, PauseVirtuali };
    explicit Attesa(Tempo tempo = Tempo::Reale);
    ~Attesa() override;
    Attesa(const Attesa&) = delete;
    Attesa& operator=(const Attesa&) = delete;

    // Real time: a wait longer than this many milliseconds waits that long and moves
    // the clock on by the rest, so silent addresses cost next to nothing (below 0: no
    // limit).
    qint64 limiteReale = -1;

    qint64 adesso = 0;            // the virtual clock; in real time, how far it is ahead
    int pompaggi = 0;
    std::vector<qint64> attese;   // every wait's time-out
    std::vector<qint64> pause;    // every virtual pause's length, in order

    // Runs at every pump; in real time also as each wait starts and between its rounds
    // of 20 ms, and not re-entered by the waits it causes itself.
    std::function<void()> duranteAttesa;
    // Real time: runs once as each wait starts (a virtual pause is no wait).
    std::function<void()> inizioAttesa;
    std::function<void()> durantePausa;

    // Back to a fresh double's state, hooks and records included.
    void azzera();

    void pumpOnce() override;
    bool waitUntil(const std::function<bool()>& done, qint64 timeoutMs) override;
    qint64 nowMs() override;
    void pausa(qint64 ms, const std::function<bool()>& interrompi) override;

private:
    void azione();
    bool attesaVirtuale(const std::function<bool()>& done, qint64 timeoutMs);
    bool attesaReale(const std::function<bool()>& done, qint64 timeoutMs);
    Tempo tempo_;
    platform::Waiter* reale_ = nullptr;
    platform::Waiter* precedente_ = nullptr;
    bool inAzione_ = false;
};

} // namespace ludra::test
