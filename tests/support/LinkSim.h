#pragma once
// The link pointed at the device simulator: over Modbus TCP on 127.0.0.1 or over
// Modbus RTU on a pseudo-terminal that serial port 1 maps to.
#include "platform/PortaSeriale.h"
#include "support/Attesa.h"
#include "sim/Simulatore.h"

#include <QString>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <vector>

namespace ludra::test {

enum class Mezzo { Tcp, Rtu };

// Fills Controllore for the simulator (node 10, generous time-outs) without connecting.
// Serial port 1 maps to the simulator's pseudo-terminal while this object lives.
class LinkSuSim {
public:
    explicit LinkSuSim(Mezzo mezzo);
    ~LinkSuSim();
    LinkSuSim(const LinkSuSim&) = delete;
    LinkSuSim& operator=(const LinkSuSim&) = delete;

    bool avviato() const { return avviato_; }
    // Connetti, true when it connected.
    bool connetti();
    Mezzo mezzo() const { return mezzo_; }
    sim::Simulatore sim;
    QString percorsoPty;
    std::uint16_t portaTcp = 0;

private:
    Mezzo mezzo_;
    bool avviato_ = false;
    platform::MappaPorte mappaPrecedente_;
};

// Controllore as a test peer wants it: model KVR5200-IO, node `nodo`, generous time-outs,
// replies awaited, no loop running; then pointed at 127.0.0.1:porta, or at serial port
// 1 at 115200 baud.
void ControlloreDiProva(std::uint8_t nodo, std::int16_t secondiRtu);
void CanaleTcp(std::uint16_t porta);
void CanaleSeriale();

// Puts a request in BuffTx/LenTx.
void ImpostaRichiesta(std::initializer_list<int> byte);
// Function 4 from `primo`, `quanti` registers, to node 10.
void RichiestaLettura(int primo, int quanti, int funzione = 4);

} // namespace ludra::test
