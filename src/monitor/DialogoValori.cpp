#include "monitor/DialogoValori.h"

#include "base/Finestre.h"
#include "platform/Waiter.h"

#include <utility>

namespace ludra {

bool DialogoAperto = false;
QString TestoDialogo;

namespace {
std::optional<Finestra> dialogoCorrente;   // the dialog the opener waits for
std::function<void()> dopoChiusura;        // an opener that does not wait: its follow-up
// The wait looks at DialogoAperto after every event it handles, so the dialog's close
// ends it without a wake of its own; this only bounds one round.
constexpr qint64 kGiroAttesaMs = 60 * 60 * 1000;
} // namespace

namespace {

// The one-at-a-time rule and the presets; false when the dialog is not opened.
bool apri(HostFinestre* host, Finestra finestra, const std::function<void()>& preimposta)
{
    if (DialogoAperto) {
        // The open dialog stays on what it shows; the user finds it in front.
        if (host && dialogoCorrente && host->caricata(*dialogoCorrente))
            host->mostra(*dialogoCorrente, true);
        return false;
    }
    if (!host)
        return false;
    if (preimposta)
        preimposta();
    DialogoAperto = true;
    dialogoCorrente = finestra;
    host->mostra(finestra, true);
    return true;
}

void chiuso()
{
    DialogoAperto = false;
    dialogoCorrente.reset();
    if (auto dopo = std::exchange(dopoChiusura, {}))
        dopo();
}

} // namespace

bool ApriDialogoValori(Finestra finestra, const std::function<void()>& preimposta)
{
    HostFinestre* host = hostFinestre();
    if (!apri(host, finestra, preimposta))
        return false;
    const bool aperto = host->caricata(finestra);
    // A dialog that did not load, or that is gone without closing, must not leave its
    // opener waiting for ever.
    while (DialogoAperto && hostFinestre() == host && host->caricata(finestra))
        platform::waiter().waitUntil([] { return !DialogoAperto; }, kGiroAttesaMs);
    chiuso();
    return aperto;
}

bool MostraDialogoValori(Finestra finestra, const std::function<void()>& preimposta,
                         std::function<void()> allaChiusura)
{
    HostFinestre* host = hostFinestre();
    if (!apri(host, finestra, preimposta))
        return false;
    if (!host->caricata(finestra)) {
        chiuso();
        return false;
    }
    dopoChiusura = std::move(allaChiusura);
    return true;
}

bool DialogoInAttesa(Finestra finestra)
{
    return DialogoAperto && finestra == dialogoCorrente;
}

void ChiudiDialogoValori(Finestra finestra)
{
    if (!DialogoInAttesa(finestra))
        return;
    // A waiting opener's wait sees the flag go and ends; one that did not wait has its
    // follow-up run now.
    chiuso();
}

} // namespace ludra
