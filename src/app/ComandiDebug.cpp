#include "app/ComandiDebug.h"

#include "app/Avvio.h"
#include "app/BarraStato.h"
#include "app/BarraStrumenti.h"
#include "link/Conversioni.h"
#include "link/Sequenza.h"
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

// The loop's wait between passes: a click that ends the loop ends the wait too, so the
// gate is free by the time the user can start a sequence.
void attesa(double secondi) { platform::pause(secondi, fermato); }

const QString kRun = QStringLiteral("Run");
const QString kRunBreak = QStringLiteral("Run to Break");
const QString kAnimate = QStringLiteral("Animate");

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
    const Sequenza ciclo(kRun, TipoSequenza::Ciclo);
    if (!ciclo)
        return;
    StopCom = 0;
    while (!fermato()) {
        pompa();
        attesa(kPeriodoPolling);
        if (fermato())
            break;
        AggiornaRegistri_new(true);
    }
}

void ComandoRunBreak()
{
    const Sequenza ciclo(kRunBreak, TipoSequenza::Ciclo);
    if (!ciclo)
        return;
    // Without the command the register would only repeat an old 90: nothing to wait for.
    if (!InviaComandoDebug(kComandoRunBreak))
        return;
    LeggiRegistroByte(kRegistroComando);
    StopCom = 0;
    while (TabellaRegistri[kRegistroComando].Valore == kComandoRunBreak && !fermato()) {
        pompa();
        attesa(kPeriodoPolling);
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
    const Sequenza ciclo(kAnimate, TipoSequenza::Ciclo);
    if (!ciclo)
        return;
    StopCom = 0;
    while (!fermato()) {
        pompa();
        attesa(TempoAnimazione / 1000.0);
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
    if (letto)
        return debug;
    // Unknown: a download into a controller in release mode would not take.
    ModoDebugIgnoto = true;
    AbilitaPulsanti(QStringLiteral("Puls_Download"), false);
    AbilitaPulsanti(QStringLiteral("Puls_Debug"), false);
    AggiornaStato();
    return Controllore.ModoDebug;
}

} // namespace ludra
