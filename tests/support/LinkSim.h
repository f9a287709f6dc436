#pragma once
// The link pointed at the device simulator: over Modbus TCP on 127.0.0.1 or over
// Modbus RTU on a pseudo-terminal that serial port 1 maps to.
#include "platform/PortaSeriale.h"
#include "platform/Waiter.h"
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

// Pauses in virtual time while every other wait stays real: a request still gets its
// reply from the simulator through the event loop, but a pause (between download
// blocks, in the polling loops) returns at once after one pump, moving the clock on by
// its length. The hook runs inside each pause, so a test can click "during" a loop.
// Installs itself for its lifetime.
class PauseVirtuali final : public platform::Waiter {
public:
    PauseVirtuali();
    ~PauseVirtuali() override;
    PauseVirtuali(const PauseVirtuali&) = delete;
    PauseVirtuali& operator=(const PauseVirtuali&) = delete;

    std::vector<qint64> pause;                  // every pause's length, in order
    std::function<void()> durantePausa;
    std::function<void()> duranteAttesa;        // once in each other wait (a request's)

    void pumpOnce() override;
    bool waitUntil(const std::function<bool()>& done, qint64 timeoutMs) override;
    qint64 nowMs() override;
    void pausa(qint64 ms, const std::function<bool()>& interrompi) override;

private:
    platform::Waiter* precedente_;
    platform::Waiter* reale_;
    qint64 avanti_ = 0;
};

// Puts a request in BuffTx/LenTx.
void ImpostaRichiesta(std::initializer_list<int> byte);
// Function 4 from `primo`, `quanti` registers, to node 10.
void RichiestaLettura(int primo, int quanti, int funzione = 4);

} // namespace ludra::test
