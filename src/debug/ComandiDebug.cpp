#include "debug/ComandiDebug.h"

#include "base/BarraStato.h"
#include "base/BarraStrumenti.h"
#include "base/Log.h"
#include "link/AggiornaStato.h"
#include "link/Conversioni.h"
#include "link/ProgrammiInEsecuzione.h"
#include "link/Sequenza.h"
#include "link/StatoLink.h"
#include "monitor/AggiornaRegistri.h"
#include "platform/Waiter.h"
#include "project/Registri.h"
#include "debug/ContatoreProgramma.h"
#include "device/MemoriaControllore.h"

namespace ludra {
namespace {

constexpr double kPeriodoPolling = 1.0;   // seconds

void pompa() { platform::waiter().pumpOnce(); }

// A click handled during the wait (stop, run, another key) has set StopCom and runs its
// own commands once the loop has ended: the loop must end before sending one more. A
// key still waiting its turn when the loop started (a Stop behind a Run) ends it too.
bool fermato() { return StopCom != 0 || TastoAccodato(); }

// The loop's wait between passes: a click that ends the loop ends the wait too, so the
// gate is free by the time the user can start a sequence. A link that closed meanwhile
// (the device gone) ends it as well. It is the loop's safe point: a window's command
// queued meanwhile is carried out here, inside the loop's hold, and the wait goes on
// for the rest of its time.
void attesa(double secondi)
{
    platform::Waiter& w = platform::waiter();
    const qint64 fine = w.nowMs() + qint64(secondi * 1000.0 + 0.5);
    for (;;) {
        platform::pause(double(fine - w.nowMs()) / 1000.0,
                        [] { return fermato() || !Controllore.Connesso || ComandiAccodati(); });
        if (fermato() || !Controllore.Connesso || !EseguiComandiAccodati())
            return;
    }
}

// A loop goes on while nothing stopped it and the link is open: without a link every
// pass would fail the same way, with a message each time. It polls the controller it
// started on: the settings pointing the link elsewhere end it, rather than turn its
// requests onto another controller.
bool continua(const QString& ciclo, const Bersaglio& legato)
{
    if (fermato())
        return false;
    const bool connesso = Controllore.Connesso;
    if (connesso && BersaglioAttivo(legato))
        return true;
    StopCom = 1;
    LogStart();
    LogWrite(ciclo + (connesso ? QStringLiteral(" ended: the link now goes to ") + BersaglioAttuale().testo()
                               : QStringLiteral(" ended: the controller is not connected")));
    return false;
}

const QString kRun = QStringLiteral("Run");
const QString kRunBreak = QStringLiteral("Run to Break");
const QString kAnimate = QStringLiteral("Animate");

} // namespace

void ComandoModoDebug(bool debug)
{
    const Sequenza sequenza(debug ? QStringLiteral("Debug mode") : QStringLiteral("Release mode"),
                            TipoSequenza::Breve);
    if (!sequenza)
        return;
    ImpostaModoDebug(debug ? kVero : 0);
    LeggiModoDebug();
}

void ComandoRun()
{
    const Sequenza ciclo(kRun, TipoSequenza::Ciclo);
    if (!ciclo)
        return;
    InviaComandoDebug(kComandoRun);
    if (!AggiornaAuto)
        return;
    StopCom = 0;
    const Bersaglio legato = BersaglioAttuale();
    while (continua(kRun, legato)) {
        pompa();
        attesa(kPeriodoPolling);
        if (!continua(kRun, legato))
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
    const Bersaglio legato = BersaglioAttuale();
    while (TabellaRegistri[kRegistroComando].Valore == kComandoRunBreak && continua(kRunBreak, legato)) {
        pompa();
        attesa(kPeriodoPolling);
        if (!continua(kRunBreak, legato))
            break;
        LeggiRegistroByte(kRegistroComando);
        if (AggiornaAuto)
            AggiornaRegistri_new(true);
    }
    StopCom = 1;
    if (!Controllore.Connesso || !BersaglioAttivo(legato))
        return;
    AggiornaPC();
    AggiornaRegistri_new(true);
}

void ComandoPausa()
{
    const Sequenza sequenza(QStringLiteral("Pause"), TipoSequenza::Breve);
    if (!sequenza)
        return;
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
    const Bersaglio legato = BersaglioAttuale();
    while (continua(kAnimate, legato)) {
        pompa();
        attesa(TempoAnimazione / 1000.0);
        if (!continua(kAnimate, legato))
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
    const Sequenza sequenza(QStringLiteral("Stop"), TipoSequenza::Breve);
    if (!sequenza)
        return;
    // To the controller running the program, even when the settings name another node
    // by now.
    const Bersaglio dove = BersaglioStop();
    const NodoLegato nodo(dove.nodo);
    InviaComandoDebug(kComandoPausa);
    InviaComandoDebug(kComandoStop);
    // A program this application started elsewhere goes on: the user hears where.
    ProgrammiNonFermati(QStringLiteral("the Stop went to %1").arg(dove.testo()), dove);
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
