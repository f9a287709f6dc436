#pragma once
// Where a command goes: the device the link talks to (its channel, address or port,
// speed and node) and the project whose registers it names. A command takes it when it
// is asked and goes out only while it still holds: a change of the connection settings,
// a connect to another device or another project opened never turns a command asked
// before it onto the new device or register.
#include <QString>
#include <cstdint>
#include <optional>

namespace ludra {

struct Bersaglio {
    std::uint8_t canale = 0;     // 0 Ethernet (Modbus TCP), 1 serial (Modbus RTU)
    QString indirizzo;           // IP address; empty on a serial line
    std::uint16_t porta = 0;     // TCP port, or serial port number
    QString baud;                // serial only
    bool modem = false;          // serial only
    std::uint8_t nodo = 0;
    int progetto = 0;            // the project's generation (GenerazioneProgetto)

    // The same line to the same place, whatever the node.
    bool stessoCollegamento(const Bersaglio& b) const;
    bool stessoDispositivo(const Bersaglio& b) const
    {
        return stessoCollegamento(b) && nodo == b.nodo;
    }
    // "node 10 at 192.168.0.10:502", "node 3 on COM1": for the lines that name it.
    QString testo() const;
};

// The device requests go to now: while the link is open, the place it opened (a change
// of the settings reaches the line only at the next connect) with the node in force;
// while it is closed, the settings. The project is the one open now.
Bersaglio BersaglioAttuale();
// Where the settings point: where the next connect opens the link.
Bersaglio BersaglioImpostazioni();

// "Is this still my device": true while a command, window or loop bound to `b` would
// reach the device it was bound to (and, with `progetto`, the same project's registers).
bool BersaglioAttivo(const Bersaglio& b, bool progetto = false);

// Counts the projects opened or closed in this process: a register bound to an older
// generation is another project's.
int GenerazioneProgetto();
void NuovaGenerazioneProgetto();

// Called by the link as it opens (true) and closes (false).
void RegistraCollegamento(bool aperto);

// The node a request goes to: the one its command is bound to (NodoLegato), otherwise
// the settings'. A command's frames all go to one node, whatever the settings say by
// the time its later requests go out.
std::uint8_t NodoRichieste();
class NodoLegato {
public:
    explicit NodoLegato(std::uint8_t nodo);
    ~NodoLegato();
    NodoLegato(const NodoLegato&) = delete;
    NodoLegato& operator=(const NodoLegato&) = delete;

private:
    std::optional<std::uint8_t> prima_;
};

// Back to the state of a fresh process.
void AzzeraBersagli();

} // namespace ludra
