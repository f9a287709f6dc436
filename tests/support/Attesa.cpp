#include "support/Attesa.h"

#include <QtGlobal>

namespace ludra::test {

Attesa::Attesa(Tempo tempo) : tempo_(tempo)
{
    if (tempo_ == Tempo::Virtuale)
        return;   // the platform doubles install it
    precedente_ = platform::setWaiter(nullptr);
    reale_ = &platform::waiter();
    platform::setWaiter(this);
}

Attesa::~Attesa()
{
    if (tempo_ != Tempo::Virtuale)
        platform::setWaiter(precedente_);
}

void Attesa::azzera()
{
    limiteReale = -1;
    adesso = 0;
    pompaggi = 0;
    attese.clear();
    pause.clear();
    duranteAttesa = {};
    inizioAttesa = {};
    durantePausa = {};
}

void Attesa::azione()
{
    if (inAzione_ || !duranteAttesa)
        return;
    inAzione_ = true;
    const auto a = duranteAttesa;   // the action may replace itself
    platform::LivelloAttesa livello;
    a();
    inAzione_ = false;
}

void Attesa::pumpOnce()
{
    ++pompaggi;
    if (tempo_ != Tempo::Virtuale) {
        azione();
        reale_->pumpOnce();
    } else if (duranteAttesa) {
        platform::LivelloAttesa livello;
        duranteAttesa();
    }
}

bool Attesa::waitUntil(const std::function<bool()>& done, qint64 timeoutMs)
{
    attese.push_back(timeoutMs);
    return tempo_ == Tempo::Virtuale ? attesaVirtuale(done, timeoutMs)
                                     : attesaReale(done, timeoutMs);
}

bool Attesa::attesaVirtuale(const std::function<bool()>& done, qint64 timeoutMs)
{
    const qint64 fine = adesso + qMax<qint64>(0, timeoutMs);
    pumpOnce();
    while (!done() && adesso < fine) {
        adesso = qMin(fine, adesso + 10);
        pumpOnce();
    }
    return done();
}

bool Attesa::attesaReale(const std::function<bool()>& done, qint64 timeoutMs)
{
    if (inizioAttesa) {
        platform::LivelloAttesa livello;
        inizioAttesa();
    }
    if (duranteAttesa) {
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
    const qint64 reale = limiteReale >= 0 ? qMin(timeoutMs, limiteReale) : timeoutMs;
    if (reale_->waitUntil(done, reale))
        return true;
    adesso += qMax<qint64>(0, timeoutMs - reale);
    return done();
}

qint64 Attesa::nowMs() { return tempo_ == Tempo::Virtuale ? adesso : reale_->nowMs() + adesso; }

void Attesa::pausa(qint64 ms, const std::function<bool()>& interrompi)
{
    if (tempo_ != Tempo::PauseVirtuali) {
        Waiter::pausa(ms, interrompi);
        return;
    }
    pause.push_back(ms);
    adesso += ms;
    reale_->pumpOnce();
    if (durantePausa) {
        platform::LivelloAttesa livello;
        durantePausa();
    }
}

} // namespace ludra::test
