#include "link/Sequenza.h"

#include "base/BarraStato.h"
#include "base/Finestre.h"
#include "base/Log.h"
#include "link/ProgrammiInEsecuzione.h"
#include "link/Richiesta.h"
#include "link/StatoLink.h"
#include "platform/Dialogs.h"
#include "platform/Waiter.h"

#include <QTimer>
#include <algorithm>
#include <deque>
#include <optional>
#include <utility>
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
    std::function<bool()> azione;   // true when it did its work: the callers' `dopo` follow
    QString unione;                 // a repeat of the same read merges into this one
    bool tasto = false;             // a toolbar key: it ends a loop instead of running inside it
    TipoTasto tipo = TipoTasto::Comando;
    bool registro = false;          // bound to the project's registers too
    Bersaglio bersaglio;            // where it was asked to go
    std::vector<std::function<void()>> dopo;   // every merged caller's redraw

    bool stop() const { return tasto && tipo == TipoTasto::Stop; }
    bool collegamento() const { return tasto && tipo == TipoTasto::Collegamento; }
};
// Enough for what a user clicks while a slow link answers one request; more would only
// hold the link for as many time-outs.
constexpr std::size_t kMaxInCoda = 16;
std::deque<InCoda> coda;
QStringList nonInviati;
bool servizioPostato = false;
int codaFerma = 0;   // CodaFerma objects alive
int generazione = 0;   // a posted service of an earlier process state is dropped
// The wait level at which the queue runs one of its own commands: that one may take the
// gate while others wait behind it.
std::optional<int> servizio;

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

// What takes the link of its own never goes ahead of the commands asked before it: it
// is refused where it was asked, in a box naming them.
void rifiutaInAttesa(const QString& nome)
{
    const QString riga = nome + QStringLiteral(" refused: commands are waiting for the link: ") +
                         ComandiInAttesa().join(QStringLiteral(", "));
    scrivi(riga, riga);
    RifiutoInBox(riga);
}

void liberato()
{
    // A loop or short command greys nothing, but a refusal during it names it in the
    // panel: that goes too. At rest the panel names the programs left running elsewhere.
    BarraStrumenti::istanza().sblocca();
    BarraStato::istanza().setPannello(kPannelloSequenza, ProgrammiAltrove());
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

void RifiutoInBox(const QString& riga)
{
    platform::avvisoInElenco(QStringLiteral("link refusals"), riga);
}

bool SequenzaRifiutata(const QString& nome)
{
    const int livello = platform::livelloAttesa();
    if (detentore) {
        if (detentore->livello == livello)
            return false;   // asked by the running sequence itself
        rifiuta(nome, detentore->nome);
        return true;
    }
    if (!coda.empty() && servizio != livello) {
        rifiutaInAttesa(nome);
        return true;
    }
    return false;
}

Sequenza::Sequenza(const QString& nome, TipoSequenza tipo, std::optional<Finestra> finestra)
{
    if (SequenzaRifiutata(nome))
        return;
    if (detentore) {
        ammessa_ = true;   // called by the running sequence itself
        return;
    }
    detentore = Detentore{nome, tipo, finestra, platform::livelloAttesa(), 0, false, false, {}};
    ammessa_ = presa_ = true;
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

// The commands that `via` picks leave the queue, with one line naming them.
template <typename F>
void scarta(F via, const QString& perche)
{
    QStringList nomi;
    for (auto i = coda.begin(); i != coda.end();) {
        if (!via(*i)) {
            ++i;
            continue;
        }
        nomi << i->nome;
        i = coda.erase(i);
    }
    if (nomi.isEmpty())
        return;
    const QString riga = QStringLiteral("Not sent, ") + perche + QStringLiteral(": ") +
                         nomi.join(QStringLiteral(", "));
    nonInviati << riga;
    scrivi(riga, riga);
}

// Still reaches what it was asked for. A connect or disconnect acts on the settings in
// force when it runs; a Stop goes where the program runs while the link reaches it, and
// is otherwise bound like any other command.
bool valido(const InCoda& c)
{
    if (c.collegamento())
        return true;
    if (c.stop() && ProgrammaRaggiungibile())
        return true;
    return BersaglioAttivo(c.bersaglio, c.registro);
}

void scartaNonValidi(const QString& perche)
{
    scarta([](const InCoda& c) { return !valido(c); }, perche);
}

void esegui(InCoda c)
{
    if (!valido(c)) {
        coda.push_front(std::move(c));
        scartaNonValidi(QStringLiteral("the controller or project changed"));
        return;
    }
    // A window's command goes to its own node, inside a loop too. A key runs on its own,
    // where its node is the one in force (it was dropped otherwise), and a connect or Set
    // as Controller sets the node on purpose.
    std::optional<NodoLegato> nodo;
    if (!c.tasto)
        nodo.emplace(c.bersaglio.nodo);
    if (c.azione())
        for (auto& d : c.dopo)
            if (d)
                d();
}

// One command at a time, from the event loop: whatever a command's wait handles (a
// click, this service posted again) finds the gate held and leaves the rest waiting, so
// no command runs inside another's wait.
void serviCoda()
{
    if (detentore || coda.empty() || codaFerma > 0)
        return;
    InCoda c = std::move(coda.front());
    coda.pop_front();
    const std::optional<int> prima = std::exchange(servizio, platform::livelloAttesa());
    esegui(std::move(c));
    servizio = prima;
    programmaCoda();
}

void programmaCoda()
{
    if (servizioPostato || detentore || coda.empty() || codaFerma > 0)
        return;
    servizioPostato = true;
    QTimer::singleShot(0, [g = generazione] {
        if (g != generazione)
            return;
        servizioPostato = false;
        serviCoda();
    });
}

// Something holds the gate below the caller, or others wait before it, or the queue is
// held (the exit question): its turn comes.
bool deveAttendere()
{
    return detentore ? platform::livelloAttesa() > detentore->livello
                     : !coda.empty() || codaFerma > 0;
}

EsitoComando accoda(InCoda c)
{
    if (c.stop()) {
        // Behind the keys asked before it (a Run then a Stop ends stopped), ahead of the
        // window commands: it goes out right after what holds the link. Only a Stop
        // right before it, for the same controller, is the same click again: one asked
        // before a change of node may be dropped when its program has stopped meanwhile.
        const auto dopoTasti = std::find_if(coda.rbegin(), coda.rend(),
                                            [](const InCoda& a) { return a.tasto; }).base();
        if (dopoTasti != coda.begin() && std::prev(dopoTasti)->stop() &&
            std::prev(dopoTasti)->bersaglio.stessoDispositivo(c.bersaglio))
            return EsitoComando::Accodato;
        coda.insert(dopoTasti, std::move(c));
        programmaCoda();
        return EsitoComando::Accodato;
    }
    // A read merges only into the same read with nothing asked after it: a read asked
    // after a write reads what the write left.
    if (!c.unione.isEmpty() && !coda.empty() && coda.back().unione == c.unione &&
        coda.back().bersaglio.stessoDispositivo(c.bersaglio)) {
        for (auto& d : c.dopo)
            coda.back().dopo.push_back(std::move(d));
        return EsitoComando::Accodato;
    }
    if (coda.size() >= kMaxInCoda) {
        const auto rifiuto = [](const QString& nome) {
            const QString riga = nome + QStringLiteral(" refused: %1 commands are waiting for the link")
                                            .arg(kMaxInCoda);
            scrivi(riga, riga);
            RifiutoInBox(riga);
        };
        if (!c.tasto) {
            rifiuto(c.nome);
            return EsitoComando::Rifiutato;
        }
        // The last key decides what the controller is left doing (twenty Halts then Run
        // ends running): it takes the place of the last key waiting, which is refused.
        // What the user asked of the link itself, a Stop or a connect, never gives way;
        // with no key to give way the last one waits beyond the bound, the next one takes
        // its place.
        const auto cede = std::find_if(coda.rbegin(), coda.rend(), [](const InCoda& a) {
            return a.tasto && a.tipo == TipoTasto::Comando;
        });
        if (cede != coda.rend()) {
            rifiuto(cede->nome);
            coda.erase(std::next(cede).base());
        }
    }
    coda.push_back(std::move(c));
    programmaCoda();
    return EsitoComando::Accodato;
}

// Behind a connect or disconnect waiting, a command goes where that leaves the link.
Bersaglio bersaglioNuovo()
{
    const bool collegamento = std::any_of(coda.begin(), coda.end(),
                                          [](const InCoda& c) { return c.collegamento(); });
    return collegamento ? BersaglioImpostazioni() : BersaglioAttuale();
}

// A command asked now, bound where it goes; `azione` always counts as done.
InCoda chiesto(const QString& nome, std::function<void()> azione)
{
    InCoda c;
    c.nome = nome;
    c.azione = [azione = std::move(azione)] {
        azione();
        return true;
    };
    c.bersaglio = bersaglioNuovo();
    return c;
}

EsitoComando comando(InCoda c)
{
    if (deveAttendere()) {
        // A long operation does not take turns: its window's command is refused where it
        // was asked, in a box that lets the operation go on while it stands.
        if (const Detentore* d = sequenza()) {
            RifiutoInBox(rifiuta(c.nome, d->nome));
            return EsitoComando::Rifiutato;
        }
        return accoda(std::move(c));
    }
    esegui(std::move(c));
    return EsitoComando::Eseguito;
}

} // namespace

EsitoComando ComandoBreve(const QString& nome, std::function<void()> azione,
                          OpzioniComando opzioni)
{
    InCoda c = chiesto(nome, std::move(azione));
    c.unione = opzioni.unione;
    c.registro = opzioni.registro;
    return comando(std::move(c));
}

EsitoComando ComandoLettura(const QString& nome, std::function<bool()> leggi,
                            std::function<void()> dopo, bool registro,
                            const QString& unione)
{
    InCoda c;
    c.nome = nome;
    c.azione = std::move(leggi);
    c.unione = unione.isEmpty() ? nome : unione;
    c.registro = registro;
    c.bersaglio = bersaglioNuovo();
    c.dopo.push_back(std::move(dopo));
    return comando(std::move(c));
}

bool TastoInCoda(const QString& nome, std::function<void()> azione, TipoTasto tipo)
{
    if (!deveAttendere())
        return false;
    InCoda c = chiesto(nome, std::move(azione));
    c.tasto = true;
    c.tipo = tipo;
    accoda(std::move(c));
    return true;
}

bool ComandiAccodati() { return !coda.empty() && !coda.front().tasto; }

bool TastoAccodato()
{
    return std::any_of(coda.begin(), coda.end(), [](const InCoda& c) { return c.tasto; });
}

QStringList ComandiInAttesa()
{
    QStringList nomi;
    for (const InCoda& c : coda)
        nomi << c.nome;
    return nomi;
}

bool EseguiComandiAccodati()
{
    bool eseguiti = false;
    // What these queue in turn waits for the next safe point.
    for (std::size_t n = coda.size(); n > 0 && StopCom == 0 && ComandiAccodati(); --n) {
        InCoda c = std::move(coda.front());
        coda.pop_front();
        esegui(std::move(c));
        eseguiti = true;
    }
    return eseguiti;
}

void ScartaComandiInCoda()
{
    // What the user asked of the link itself stands: a reconnect is most wanted now.
    scarta([](const InCoda& c) { return !c.stop() && !c.collegamento(); },
           QStringLiteral("the link failed"));
}

const QStringList& RigheNonInviati() { return nonInviati; }

void ScartaTuttiInCoda(const QString& perche)
{
    scarta([](const InCoda&) { return true; }, perche);
}

void DispositivoCambiato(const QString& perche) { scartaNonValidi(perche); }

CambioDispositivo::CambioDispositivo(QString causa)
    : causa_(std::move(causa)), prima_(BersaglioAttuale())
{
}

CambioDispositivo::~CambioDispositivo()
{
    if (BersaglioAttivo(prima_))
        return;
    const Bersaglio ora = BersaglioAttuale();
    DispositivoCambiato(QStringLiteral("the link now goes to %1 (%2)").arg(ora.testo(), causa_));
    // The link leaves the controllers running a program: each goes on, and the user hears
    // it, naming the controller.
    ProgrammiNonFermati(QStringLiteral("the link now goes to %1").arg(ora.testo()), ora);
}

void ProgettoCambiato()
{
    NuovaGenerazioneProgetto();
    scartaNonValidi(QStringLiteral("the project changed"));
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

CodaFerma::CodaFerma() { ++codaFerma; }

CodaFerma::~CodaFerma()
{
    --codaFerma;
    programmaCoda();
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
    // Its box never stands inside a wait for the device's reply, holding the reply up:
    // the close is asked again once the reply is in.
    if (platform::rispostaAttesa()) {
        platform::dopoRisposta([finestra, chiudi = std::move(chiudi)] {
            if (ChiusuraConsentita(finestra, chiudi))
                chiudi();
        });
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
    nonInviati.clear();
    servizio.reset();
    servizioPostato = false;
    codaFerma = 0;
    AzzeraBersagli();
    ++generazione;
    FermaFuoriSequenza = true;
    AnnullaAllaFineRichiesta();
}

} // namespace ludra
