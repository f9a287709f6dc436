#pragma once
// One controller sequence at a time, process-wide. A sequence is an operation that sends
// more than one request and must not be mixed with another: the download, the program
// and memory-image transfers, the configuration writes and cyclic read, the EEPROM
// tool's transfers, the published variables, the MAC read, the searches and the manual
// request loop. The debugger's polling loops hold the gate too, as loops: a sequence
// never starts inside one, while a toolbar click still ends one through StopCom.
//
// While a sequence runs, a command that would talk to the device (or, during a program
// transfer, change the project) is refused with a line in the Log and the status bar
// naming what runs; a request made by a handler that runs during one of the sequence's
// waits is refused the same way, so nothing ever interleaves with it.
#include "app/BarraStrumenti.h"

#include <QString>
#include <functional>

namespace ludra {

enum class TipoSequenza {
    Dispositivo,   // talks to a device
    Programma,     // sends or reads the program image: the project stays as it is too
    Ciclo,         // a debugger polling loop
};

class Sequenza {
public:
    // Takes the gate, or refuses with the Log line when something else holds it. A
    // sequence that the running one calls at its own level (the download's transfer)
    // is part of it and always goes ahead; so does a loop started by a click during a
    // loop, which the click has already told to end.
    explicit Sequenza(const QString& nome, TipoSequenza tipo = TipoSequenza::Dispositivo,
                      const QString& finestra = QString());
    ~Sequenza();
    Sequenza(const Sequenza&) = delete;
    Sequenza& operator=(const Sequenza&) = delete;

    explicit operator bool() const { return ammessa_; }
    // Asked to end early (the window closing): its requests fail from now on.
    static bool arrestata();

private:
    bool ammessa_ = false;
    bool presa_ = false;   // this object holds a level of the gate
};

// The running sequence's name; empty when none runs (a polling loop is not one).
QString SequenzaInCorso();
bool CicloInCorso();

// True, with the Log and status-bar line, when a command with this effect must wait
// for the running sequence. `comando` names the command in that line.
bool ComandoRifiutato(const QString& comando, Effetto effetto);

// Asked by the request before it sends: true (and the Log line) when the request must
// not go out, because it comes from a handler running inside a sequence's wait or the
// sequence has been asked to stop.
bool RichiestaRifiutata();

// Ends the running sequence at its next request boundary.
void ArrestaSequenza();

// Runs `azione` once nothing holds the gate (at once when nothing does).
void QuandoLibero(std::function<void()> azione);

// The close of a window (empty: the main window) while a sequence of its own (any, for
// the main window) runs: asks whether to stop it and close anyway. True when the window
// may close now; on "close anyway" the sequence is asked to stop and `chiudi` runs once
// it has ended.
bool ChiusuraConsentita(const QString& finestra, std::function<void()> chiudi);

// The same for a child window, which is closed by name once its sequence has ended.
bool ChiusuraFinestraConsentita(const QString& finestra);

// Back to the state of a fresh process.
void AzzeraSequenze();

} // namespace ludra
