#pragma once
// The event-loop waiter with an action run at each pump of a wait: what the user does
// while a request or a dialog waits, on the real clock (the simulator answers in real
// time). Installed for the object's lifetime.
#include "platform/Waiter.h"

#include <functional>

namespace ludra::test {

class AttesaConAzioni final : public platform::Waiter {
public:
    AttesaConAzioni();
    ~AttesaConAzioni() override;
    AttesaConAzioni(const AttesaConAzioni&) = delete;
    AttesaConAzioni& operator=(const AttesaConAzioni&) = delete;

    // Runs at every pump; not re-entered by the waits it causes itself.
    std::function<void()> duranteAttesa;

    void pumpOnce() override;
    bool waitUntil(const std::function<bool()>& done, qint64 timeoutMs) override;
    qint64 nowMs() override;

private:
    void azione();
    platform::Waiter* reale_;
    platform::Waiter* precedente_;
    bool inAzione_ = false;
};

} // namespace ludra::test
