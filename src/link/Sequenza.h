#pragma once
// The one door to the wire. Every request that reaches a device goes out inside a held
// sequence, and one sequence holds the gate at a time, process-wide: a command that
// talks to the device takes a sequence for all of its requests, a single-request
// command a short one of its own, so nothing can interleave by construction. A
// request made outside any sequence is a programming fault: a debug build stops on it,
// and any build refuses it unsent with a Log line.
//
// Handlers that run during a sequence's waits (a click, a receive event, a timer, a
// message box's loop) run one wait level deeper than the sequence and never join it:
// a command they start is refused with a line in the Log and the status bar naming
// what runs. The debugger's polling loops hold the gate as loops: a toolbar click ends
// one through StopCom and runs once it has ended, while a window's command of a few
// requests (ComandoBreve) is carried out by the loop between two passes, and a short
// command asked during another waits its turn in the command queue.
#include "base/BarraStrumenti.h"
#include "base/Finestre.h"

#include "link/Bersaglio.h"
#include "platform/Waiter.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace ludra {

enum class TipoSequenza {
    Dispositivo,   // talks to a device
    Programma,     // sends or reads the program image: the project stays as it is too
    Ciclo,         // a debugger polling loop
    Breve,         // a short command: keys clicked meanwhile wait their turn in the queue
    Connessione,   // a connect: short, but a toolbar click or a close ends its wait (StopCom)
};

// Whether a sequence asked now would be refused, with the refusal's line (and box, behind
// waiting commands) as its constructor gives it; it takes nothing, so that asking ends
// nothing and lets no waiting command through.
bool SequenzaRifiutata(const QString& nome);

class Sequenza {
public:
    // Takes the gate, or refuses with the Log line when something else holds it. A
    // sequence that the running one calls at its own level (the download's transfer, a
    // loop's register refresh) is part of it and always goes ahead. When the gate is
    // freed StopCom is set, so the link rests as after any loop, whatever ended it.
    explicit Sequenza(const QString& nome, TipoSequenza tipo = TipoSequenza::Dispositivo,
                      std::optional<Finestra> finestra = std::nullopt);
    ~Sequenza();
    Sequenza(const Sequenza&) = delete;
    Sequenza& operator=(const Sequenza&) = delete;

    explicit operator bool() const { return ammessa_; }
    // Asked to end early (the window closing): its requests fail from now on.
    static bool arrestata();

private:
    bool ammessa_ = false;
    bool presa_ = false;   // this object holds the gate
};

// The running sequence's name; empty when none runs (a polling loop or a short command
// is not one).
QString SequenzaInCorso();
bool CicloInCorso();
// A connect (TipoSequenza::Connessione) holds the gate: its wait ends on StopCom.
bool ConnessioneInCorso();
// What holds the gate, loops and short commands included; empty when nothing does.
QString AttivitaInCorso();

// A refusal told in a box as well: a line of the one box that gathers the link's
// refusals while it stands unread, so that a burst of clicks refused is one box naming
// each, and no box a key could fall into.
void RifiutoInBox(const QString& riga);

// True, with the Log and status-bar line, when a command with this effect must wait
// for the running sequence. `comando` names the command in that line.
bool ComandoRifiutato(const QString& comando, Effetto effetto);

// Asked by whatever sends before it sends: true (and the Log line, naming it by `cosa`)
// when it must not go out, because no sequence holds the gate or the sequence has been
// asked to stop, or, for a Modbus request (not `dagliHandler`), because it comes from
// a handler running inside a sequence's wait. What leaves by another way (the discovery
// and IP-setting datagrams, the telnet set-up) is sent by its sequence's own handlers
// too, as the telnet answers are.
bool InvioRifiutato(const QString& cosa, bool dagliHandler = false);

// A debug build stops on a request made outside any sequence; tests of what a release
// build does then switch the stop off.
extern bool FermaFuoriSequenza;

// What became of a command that ComandoBreve was given.
enum class EsitoComando { Eseguito, Accodato, Rifiutato };

// How a window's command is bound and merged.
struct OpzioniComando {
    // A read: it merges into the same read when that is the last command waiting, so
    // that it never goes ahead of a write asked after the one already waiting.
    QString unione;
    // It names a register of the open project: another project opened or closed before
    // its turn drops it.
    bool registro = false;
};

// The user's short commands take their turn in one queue: a window's command of a few
// requests (a register write or refresh, the published variables, a manual send) and a
// toolbar key that talks to the device. One asked while nothing holds the gate and
// nothing waits runs at once; one asked while a short command, a connect or a debugger
// loop holds it waits, and runs from the event loop once the gate is free, one after the
// other, never inside another's wait. A debugger loop carries out the window commands at
// the head of the queue at its next safe point, inside its own hold, and goes on; a key
// ends the loop (StopCom) and runs once it has unwound. Only a long operation (a
// download, a configuration, an EEPROM tool, a search) refuses: the Log and status-bar
// line, and a box where it was asked.
//
// Each command is bound, when asked, to the device (and, for a register, the project):
// it goes there or not at all. Keys keep their order; a Stop waits behind the keys asked
// before it but ahead of the window commands, and merges only into a Stop right before
// it. A read merges only into the same read with nothing after it. The queue is bounded:
// one more window command is refused, while the last key always counts (it takes the
// place of the last key waiting, which is refused instead; a Stop is never refused), each
// refusal a line of one box that stands until read. After the link fails the commands
// still waiting are dropped with one line naming them, a Stop, a connect and a
// disconnect excepted.
EsitoComando ComandoBreve(const QString& nome, std::function<void()> azione,
                          OpzioniComando opzioni = {});
// A read that merges as above: `leggi` runs once for all the callers merged into it,
// and each caller's `dopo` runs after it, when it succeeded. `unione`, when given, is what
// makes two reads the same (by default the name).
EsitoComando ComandoLettura(const QString& nome, std::function<bool()> leggi,
                            std::function<void()> dopo = {}, bool registro = false,
                            const QString& unione = {});

enum class TipoTasto {
    Comando,
    Stop,           // goes to the controller running the program
    Collegamento,   // connect, disconnect, Set as Controller: never dropped by a link failure
};
// A toolbar key (or a menu item) that talks to the device: true when it waits its turn
// (it runs later), false when it may run now.
bool TastoInCoda(const QString& nome, std::function<void()> azione,
                 TipoTasto tipo = TipoTasto::Comando);
// Called by a loop at a safe point: carries out the window commands at the head of the
// queue while nothing stopped the loop. True when there were any.
bool EseguiComandiAccodati();
// A window command waits at the head of the queue: the loop's wait ends for it.
bool ComandiAccodati();
// A toolbar key waits: a loop started meanwhile (a Run clicked before a Stop) ends at once.
bool TastoAccodato();
// The names of the commands waiting, in their order.
QStringList ComandiInAttesa();
// The link failed (no reply, the device gone): what still waits is not sent.
void ScartaComandiInCoda();
// Drops every command waiting, with one Log and status-bar line naming them and
// `perche` (the application closing, say).
void ScartaTuttiInCoda(const QString& perche);
// The lines that named commands dropped unsent, in this process: a close that waited
// for the queue tells the user of those past the count it noted.
const QStringList& RigheNonInviati();

// The device requests go to has changed (the connection settings, Set as Controller, a
// connect to another device): the commands waiting that were bound to another are
// dropped with one Log and status-bar line naming them and `perche`. A Stop is kept
// while the program it stops runs where the link reaches.
void DispositivoCambiato(const QString& perche);
// Around what may point the link elsewhere: at its end, DispositivoCambiato when it did,
// naming `causa` and the device the link goes to now.
class CambioDispositivo {
public:
    explicit CambioDispositivo(QString causa);
    ~CambioDispositivo();
    CambioDispositivo(const CambioDispositivo&) = delete;
    CambioDispositivo& operator=(const CambioDispositivo&) = delete;

private:
    QString causa_;
    Bersaglio prima_;
};
// A project was closed or opened: the same for the commands naming its registers.
void ProgettoCambiato();

// Ends the running sequence at its next request boundary.
void ArrestaSequenza();

// Runs `azione` once nothing holds the gate (at once when nothing does).
void QuandoLibero(std::function<void()> azione);

// While one lives, what waits in the queue stays waiting, and a command asked meanwhile
// joins it rather than starts: nothing starts during a question whose answer may close
// the application. The queue goes on at its end.
class CodaFerma {
public:
    CodaFerma();
    ~CodaFerma();
    CodaFerma(const CodaFerma&) = delete;
    CodaFerma& operator=(const CodaFerma&) = delete;
};

// The close of a window (none: the main window) while a sequence of its own (any, for
// the main window) runs: asks whether to stop it and close anyway. True when the window
// may close now; otherwise `chiudi` runs once the sequence has ended: on "close anyway"
// the sequence is asked to stop first, on "No" it runs to its end, the status bar
// saying the close waits, and a later close, from this window or another, asks again
// whether to stop it now; every window whose close was confirmed closes once it has
// ended. A connect attempt of its own is ended at once, and the close runs once it has.
// Asked while a device's reply is awaited, the question comes once the reply is in.
bool ChiusuraConsentita(std::optional<Finestra> finestra, std::function<void()> chiudi);

// The same for a child window, which is closed by name once its sequence has ended.
bool ChiusuraFinestraConsentita(Finestra finestra);

// Back to the state of a fresh process.
void AzzeraSequenze();

} // namespace ludra
