#include "app/ComandiDebug.h"

#include "app/Avvio.h"
#include "link/Conversioni.h"
#include "link/StatoLink.h"
#include "monitor/AggiornaRegistri.h"
#include "platform/Waiter.h"
#include "project/Registri.h"
#include "transfer/ContatoreProgramma.h"
#include "transfer/MemoriaControllore.h"

namespace ludra {
namespace {

constexpr double kPeriodoPolling = 1.0;   // seconds

void pompa() { platform::waiter().pumpOnce(); }

// A click handled during the wait (stop, run, another key) has set StopCom and sent
// its own commands: the loop must end before sending one more of its own.
bool fermato() { return StopCom != 0; }

} // namespace

void ComandoModoDebug(bool debug)
{
    ImpostaModoDebug(debug ? kVero : 0);
    LeggiModoDebug();
}

void ComandoRun()
{
    InviaComandoDebug(kComandoRun);
    if (!AggiornaAuto)
        return;
    StopCom = 0;
    while (!fermato()) {
        pompa();
        Pausa(kPeriodoPolling);
        if (fermato())
            break;
        AggiornaRegistri_new(true);
    }
}

void ComandoRunBreak()
{
    // Without the command the register would only repeat an old 90: nothing to wait for.
    if (!InviaComandoDebug(kComandoRunBreak))
        return;
    LeggiRegistroByte(kRegistroComando);
    StopCom = 0;
    while (TabellaRegistri[kRegistroComando].Valore == kComandoRunBreak && !fermato()) {
        pompa();
        Pausa(kPeriodoPolling);
        if (fermato())
            break;
        LeggiRegistroByte(kRegistroComando);
        if (AggiornaAuto)
            AggiornaRegistri_new(true);
    }
    StopCom = 1;
    AggiornaPC();
    AggiornaRegistri_new(true);
}

void ComandoPausa()
{
    InviaComandoDebug(kComandoPausa);
    AggiornaPC();
    AggiornaRegistri_new(true);
}

void ComandoAnima()
{
    StopCom = 0;
    while (!fermato()) {
        pompa();
        Pausa(TempoAnimazione / 1000.0);
        if (fermato())
            break;
        // A command the controller did not take (the link gone) would fail the same way
        // every pass.
        if (!InviaComandoDebug(kComandoPausa)) {
            StopCom = 1;
            break;
        }
        AggiornaPC();
        AggiornaRegistri_new(true);
    }
}

void ComandoStop()
{
    InviaComandoDebug(kComandoPausa);
    InviaComandoDebug(kComandoStop);
    AggiornaPC();
    AggiornaRegistri_new(true);
}

bool ModoDebugDopoConnessione()
{
    // A link that did not open has no controller to ask.
    if (!Controllore.Connesso)
        return Controllore.ModoDebug;
    bool letto = false;
    const bool debug = LeggiModoDebug(&letto);
    return letto ? debug : Controllore.ModoDebug;
}

} // namespace ludra
