#include "link/Sequenza.h"

#include "base/BarraStato.h"
#include "base/Finestre.h"
#include "base/Log.h"
#include "link/Richiesta.h"
#include "link/StatoLink.h"
#include "platform/Dialogs.h"
#include "platform/Waiter.h"

#include <optional>
#include <vector>

namespace ludra {
namespace {

constexpr int kPannelloSequenza = 5;

struct Detentore {
    QString nome;
    TipoSequenza tipo;
    std::optional<Finestra> finestra;
    int livello;            // the wait level it runs at
    int richieste = 0;      // sent so far, to say where an arrested one stopped
    bool arresto = false;
    bool fermata = false;   // its stop is in the Log
    bool chiusura = false;  // a window waits for its end to close
};

std::optional<Detentore> detentore;
std::vector<std::function<void()>> daEseguire;
// Commands waiting for the polling loop's next safe point.
std::vector<std::function<void()>> nelCiclo;

bool visibile(TipoSequenza t) { return t == TipoSequenza::Dispositivo || t == TipoSequenza::Programma; }

// The sequences that grey the keys and answer for themselves in the status bar: the
// loops and the short commands do neither.
Detentore* sequenza()
{
    return detentore && visibile(detentore->tipo) ? &*detentore : nullptr;
}

void scrivi(const QString& riga, const QString& pannello)
{
    LogStart();
    LogWrite(riga);
    BarraStato::istanza().setPannello(kPannelloSequenza, pannello);
}

QString inCorso(const QString& nome)
{
    return nome + QStringLiteral(" is running");
}

QString rifiuta(const QString& comando, const QString& nome)
{
    const QString riga = comando + QStringLiteral(" refused: ") + inCorso(nome);
    scrivi(riga, inCorso(nome));
    return riga;
}

void liberato()
{
    // A loop or short command greys nothing, but a refusal during it names it in the
    // panel: that goes too.
    BarraStrumenti::istanza().sblocca();
    BarraStato::istanza().setPannello(kPannelloSequenza, QString());
    // After the sequence's own code has unwound, from the event loop: a window's close
    // must not pull the window from under the code that ran it.
    std::vector<std::function<void()>> azioni;
    azioni.swap(daEseguire);
    for (auto& a : azioni)
        AllaFineRichiesta(std::move(a));
}

void fuoriSequenza(const QString& cosa)
{
    // Every caller that talks to a device takes a sequence first: one that does not is
    // a fault of the code, never of the user.
    if (FermaFuoriSequenza)
        Q_ASSERT_X(false, "ludra", "a device request outside any sequence");
    LogStart();
    LogWrite(cosa + QStringLiteral(" refused: no sequence holds the link"));
}

} // namespace

bool FermaFuoriSequenza = true;

Sequenza::Sequenza(const QString& nome, TipoSequenza tipo, std::optional<Finestra> finestra)
{
    const int livello = platform::livelloAttesa();
    if (detentore) {
        if (detentore->livello == livello) {
            ammessa_ = true;   // called by the running sequence itself
            return;
        }
        rifiuta(nome, detentore->nome);
        return;
    }
    detentore = Detentore{nome, tipo, finestra, livello};
    ammessa_ = presa_ = true;
    if (tipo == TipoSequenza::Breve)
        rimanda_.emplace();
    if (visibile(tipo)) {
        BarraStrumenti::istanza().blocca(tipo == TipoSequenza::Programma);
        BarraStato::istanza().setPannello(kPannelloSequenza, inCorso(nome));
    }
}

Sequenza::~Sequenza()
{
    if (!presa_)
        return;
    // A command queued for a loop that has ended runs once the gate is free, in a
    // sequence of its own, before what was asked after it.
    if (!nelCiclo.empty()) {
        daEseguire.insert(daEseguire.begin(), std::make_move_iterator(nelCiclo.begin()),
                          std::make_move_iterator(nelCiclo.end()));
        nelCiclo.clear();
    }
    detentore.reset();
    rimanda_.reset();
    // Whatever ended it (its own end, a click, its window closing, a failure), the link
    // rests as after a loop: Disconnetti acts, and the next loop starts afresh.
    StopCom = 1;
    liberato();
}

bool Sequenza::arrestata()
{
    const Detentore* d = sequenza();
    return d && d->arresto;
}

QString SequenzaInCorso()
{
    const Detentore* d = sequenza();
    return d ? d->nome : QString();
}

bool CicloInCorso() { return detentore && detentore->tipo == TipoSequenza::Ciclo; }

bool ConnessioneInCorso() { return detentore && detentore->tipo == TipoSequenza::Connessione; }

QString AttivitaInCorso() { return detentore ? detentore->nome : QString(); }

bool ComandoRifiutato(const QString& comando, Effetto effetto)
{
    const Detentore* d = sequenza();
    if (!d || effetto == Effetto::Nessuno)
        return false;
    if (effetto == Effetto::Progetto && d->tipo != TipoSequenza::Programma)
        return false;
    rifiuta(comando, d->nome);
    return true;
}

bool InvioRifiutato(const QString& cosa, bool dagliHandler)
{
    if (!detentore) {
        fuoriSequenza(cosa);
        return true;
    }
    Detentore& d = *detentore;
    if (d.arresto) {
        if (!d.fermata)
            scrivi(d.nome + QStringLiteral(" stopped after %1 requests: its window is closing")
                                .arg(d.richieste),
                   d.nome + QStringLiteral(" stopped"));
        d.fermata = true;
        return true;
    }
    if (!dagliHandler && platform::livelloAttesa() > d.livello) {
        rifiuta(cosa, d.nome);
        return true;
    }
    ++d.richieste;
    return false;
}

EsitoComando ComandoBreve(const QString& nome, std::function<void()> azione)
{
    if (detentore && platform::livelloAttesa() > detentore->livello) {
        if (detentore->tipo == TipoSequenza::Ciclo) {
            nelCiclo.push_back(std::move(azione));
            return EsitoComando::Accodato;
        }
        platform::msgBox(rifiuta(nome, detentore->nome), platform::MsgButtons::Ok,
                         platform::MsgIcon::Exclamation);
        return EsitoComando::Rifiutato;
    }
    azione();
    return EsitoComando::Eseguito;
}

bool ComandiAccodati() { return !nelCiclo.empty(); }

bool EseguiComandiAccodati()
{
    if (nelCiclo.empty())
        return false;
    // What these queue in turn waits for the next safe point.
    std::vector<std::function<void()>> comandi;
    comandi.swap(nelCiclo);
    for (auto& c : comandi)
        c();
    return true;
}

void ArrestaSequenza()
{
    Detentore* d = sequenza();
    if (!d)
        return;
    d->arresto = true;
}

void QuandoLibero(std::function<void()> azione)
{
    if (!detentore)
        azione();
    else
        daEseguire.push_back(std::move(azione));
}

bool ChiusuraConsentita(std::optional<Finestra> finestra, std::function<void()> chiudi)
{
    if (ConnessioneInCorso() && (!finestra || detentore->finestra == finestra)) {
        // A connect attempt is no work to lose: it ends at once, and the close follows.
        StopCom = 1;
        if (!detentore->chiusura)
            QuandoLibero(std::move(chiudi));
        detentore->chiusura = true;
        return false;
    }
    Detentore* d = sequenza();
    if (!d || (finestra && d->finestra != finestra))
        return true;
    if (d->arresto)
        return false;   // it stops before its next request, and the close follows
    // The sequence runs below this handler, so it cannot end while the box is open. A
    // close that already waits for its end is asked again: the user may not want to
    // wait any longer.
    const platform::MsgResult r = platform::msgBox(
        inCorso(d->nome) + (d->chiusura ? QStringLiteral(".\nStop it and close now?")
                                        : QStringLiteral(".\nStop it and close anyway?\n"
                                                         "(No waits for it to end.)")),
        platform::MsgButtons::YesNo, platform::MsgIcon::Question);
    if (!d->chiusura)
        QuandoLibero(std::move(chiudi));
    d->chiusura = true;
    if (r == platform::MsgResult::Yes)
        ArrestaSequenza();
    else
        BarraStato::istanza().setPannello(
            kPannelloSequenza, inCorso(d->nome) + QStringLiteral(": closing when it ends"));
    return false;
}

bool ChiusuraFinestraConsentita(Finestra finestra)
{
    return ChiusuraConsentita(finestra, [finestra] {
        if (HostFinestre* host = hostFinestre())
            host->chiudi(finestra);
    });
}

void AzzeraSequenze()
{
    detentore.reset();
    daEseguire.clear();
    nelCiclo.clear();
    FermaFuoriSequenza = true;
    AnnullaAllaFineRichiesta();
}

} // namespace ludra
