#include "monitor/DialogoValori.h"

#include "base/Finestre.h"
#include "platform/Waiter.h"

namespace ludra {

bool DialogoAperto = false;
QString TestoDialogo;

namespace {
std::optional<Finestra> dialogoCorrente;   // the dialog the opener waits for
// The wait looks at DialogoAperto after every event it handles, so the dialog's close
// ends it without a wake of its own; this only bounds one round.
constexpr qint64 kGiroAttesaMs = 60 * 60 * 1000;
} // namespace

bool ApriDialogoValori(Finestra finestra, const std::function<void()>& preimposta)
{
    HostFinestre* host = hostFinestre();
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
    const bool aperto = host->caricata(finestra);
    // A dialog that did not load, or that is gone without closing, must not leave its
    // opener waiting for ever.
    while (DialogoAperto && hostFinestre() == host && host->caricata(finestra))
        platform::waiter().waitUntil([] { return !DialogoAperto; }, kGiroAttesaMs);
    DialogoAperto = false;
    dialogoCorrente.reset();
    return aperto;
}

bool DialogoInAttesa(Finestra finestra)
{
    return DialogoAperto && finestra == dialogoCorrente;
}

void ChiudiDialogoValori(Finestra finestra)
{
    if (!DialogoInAttesa(finestra))
        return;
    DialogoAperto = false;
}

} // namespace ludra
