#include "support/AttesaConAzioni.h"

#include <QtGlobal>

namespace ludra::test {

AttesaConAzioni::AttesaConAzioni() : reale_(&platform::waiter())
{
    precedente_ = platform::setWaiter(this);
}

AttesaConAzioni::~AttesaConAzioni() { platform::setWaiter(precedente_); }

void AttesaConAzioni::azione()
{
    if (inAzione_ || !duranteAttesa)
        return;
    inAzione_ = true;
    const auto a = duranteAttesa;   // the action may replace itself
    platform::LivelloAttesa livello;
    a();
    inAzione_ = false;
}

void AttesaConAzioni::pumpOnce()
{
    azione();
    reale_->pumpOnce();
}

bool AttesaConAzioni::waitUntil(const std::function<bool()>& done, qint64 timeoutMs)
{
    azione();
    if (done())
        return true;
    // In short rounds, so the action keeps running while a long wait goes on.
    const qint64 fine = reale_->nowMs() + timeoutMs;
    for (;;) {
        const qint64 resto = fine - reale_->nowMs();
        if (reale_->waitUntil(done, qBound(qint64(0), resto, qint64(20))))
            return true;
        if (resto <= 20)
            return done();
        azione();
    }
}

qint64 AttesaConAzioni::nowMs() { return reale_->nowMs(); }

} // namespace ludra::test
