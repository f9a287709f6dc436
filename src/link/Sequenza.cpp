#include "link/Sequenza.h"

#include "base/BarraStato.h"
#include "base/Finestre.h"
#include "base/Log.h"
#include "link/Richiesta.h"
#include "link/StatoLink.h"
#include "platform/Dialogs.h"
#include "platform/Waiter.h"

#include <QTimer>
#include <algorithm>
#include <deque>
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
    // The windows (none: the main window) whose close waits for its end.
    std::vector<std::optional<Finestra>> chiusure;
};

std::optional<Detentore> detentore;
std::vector<std::function<void()>> daEseguire;

// A short command waiting its turn.
struct InCoda {
    QString nome;
    std::function<void()> azione;
    QString unione;      // a repeat of the same read merges into this one
    bool tasto = false;  // a toolbar key: it ends a loop instead of running inside it
    bool stop = false;
};
// Enough for what a user clicks while a slow link answers one request; more would only
// hold the link for as many time-outs.
constexpr std::size_t kMaxInCoda = 16;
std::deque<InCoda> coda;
bool servizioPostato = false;
int generazione = 0;   // a posted service of an earlier process state is dropped

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

void programmaCoda();

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
    programmaCoda();
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
    detentore = Detentore{nome, tipo, finestra, livello, 0, false, false, {}};
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

namespace {

// One command at a time, from the event loop: whatever a command's wait handles (a
// click, this service posted again) finds the gate held and leaves the rest waiting, so
// no command runs inside another's wait.
void serviCoda()
{
    if (detentore || coda.empty())
        return;
    InCoda c = std::move(coda.front());
    coda.pop_front();
    c.azione();
    programmaCoda();
}

void programmaCoda()
{
    if (servizioPostato || detentore || coda.empty())
        return;
    servizioPostato = true;
    QTimer::singleShot(0, [g = generazione] {
        if (g != generazione)
            return;
        servizioPostato = false;
        serviCoda();
    });
}

// Something holds the gate below the caller, or others wait before it: its turn comes.
bool deveAttendere()
{
    return detentore ? platform::livelloAttesa() > detentore->livello : !coda.empty();
}

bool stessaLettura(const InCoda& a, const QString& unione)
{
    return !unione.isEmpty() && a.unione == unione;
}

EsitoComando accoda(InCoda c)
{
    if (std::any_of(coda.begin(), coda.end(), [&](const InCoda& a) {
            return c.stop ? a.stop : stessaLettura(a, c.unione);
        }))
        return EsitoComando::Accodato;
    if (c.stop) {
        // Behind the keys asked before it (a Run then a Stop ends stopped), ahead of the
        // window commands: it goes out right after what holds the link.
        const auto dopoTasti = std::find_if(coda.rbegin(), coda.rend(),
                                            [](const InCoda& a) { return a.tasto; });
        coda.insert(dopoTasti.base(), std::move(c));
    } else if (coda.size() >= kMaxInCoda) {
        const QString riga = c.nome + QStringLiteral(" refused: %1 commands are waiting for the link")
                                          .arg(coda.size());
        scrivi(riga, riga);
        platform::avviso(riga);
        return EsitoComando::Rifiutato;
    } else {
        coda.push_back(std::move(c));
    }
    programmaCoda();
    return EsitoComando::Accodato;
}

} // namespace

EsitoComando ComandoBreve(const QString& nome, std::function<void()> azione,
                          const QString& unione)
{
    if (deveAttendere()) {
        // A long operation does not take turns: its window's command is refused where it
        // was asked, in a box that lets the operation go on while it stands.
        if (const Detentore* d = sequenza()) {
            platform::avviso(rifiuta(nome, d->nome));
            return EsitoComando::Rifiutato;
        }
        return accoda({nome, std::move(azione), unione});
    }
    azione();
    return EsitoComando::Eseguito;
}

bool TastoInCoda(const QString& nome, std::function<void()> azione, bool stop)
{
    if (!deveAttendere())
        return false;
    accoda({nome, std::move(azione), QString(), true, stop});
    return true;
}

bool ComandiAccodati() { return !coda.empty() && !coda.front().tasto; }

bool TastoAccodato()
{
    return std::any_of(coda.begin(), coda.end(), [](const InCoda& c) { return c.tasto; });
}

bool EseguiComandiAccodati()
{
    bool eseguiti = false;
    // What these queue in turn waits for the next safe point.
    for (std::size_t n = coda.size(); n > 0 && StopCom == 0 && ComandiAccodati(); --n) {
        InCoda c = std::move(coda.front());
        coda.pop_front();
        c.azione();
        eseguiti = true;
    }
    return eseguiti;
}

void ScartaComandiInCoda()
{
    QStringList nomi;
    for (auto i = coda.begin(); i != coda.end();) {
        if (i->stop) {
            ++i;
            continue;
        }
        nomi << i->nome;
        i = coda.erase(i);
    }
    if (nomi.isEmpty())
        return;
    const QString riga = QStringLiteral("Not sent, the link failed: ") + nomi.join(QStringLiteral(", "));
    scrivi(riga, riga);
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

namespace {

// Each window's close once: the main window's, asked after a child window's, closes the
// application when the sequence ends, not only the child.
void chiudiAllaFine(Detentore& d, std::optional<Finestra> finestra, std::function<void()> chiudi)
{
    if (std::find(d.chiusure.begin(), d.chiusure.end(), finestra) != d.chiusure.end())
        return;
    d.chiusure.push_back(finestra);
    QuandoLibero(std::move(chiudi));
}

} // namespace

bool ChiusuraConsentita(std::optional<Finestra> finestra, std::function<void()> chiudi)
{
    if (ConnessioneInCorso() && (!finestra || detentore->finestra == finestra)) {
        // A connect attempt is no work to lose: it ends at once, and the close follows.
        StopCom = 1;
        chiudiAllaFine(*detentore, finestra, std::move(chiudi));
        return false;
    }
    Detentore* d = sequenza();
    if (!d || (finestra && d->finestra != finestra))
        return true;
    if (d->arresto) {
        // It stops before its next request, and the close follows.
        chiudiAllaFine(*d, finestra, std::move(chiudi));
        return false;
    }
    // The sequence runs below this handler, so it cannot end while the box is open. A
    // close that already waits for its end, from any window, is asked again: the user may
    // not want to wait any longer.
    const bool attende = !d->chiusure.empty();
    const platform::MsgResult r = platform::msgBox(
        inCorso(d->nome) + (attende ? QStringLiteral(".\nStop it and close now?")
                                    : QStringLiteral(".\nStop it and close anyway?\n"
                                                     "(No waits for it to end.)")),
        platform::MsgButtons::YesNo, platform::MsgIcon::Question);
    chiudiAllaFine(*d, finestra, std::move(chiudi));
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
    coda.clear();
    servizioPostato = false;
    ++generazione;
    FermaFuoriSequenza = true;
    AnnullaAllaFineRichiesta();
}

} // namespace ludra
