#pragma once
// Reading what the simulator received: the request frames without their framing, and
// the controller memory requests among them.
#include "sim/Simulatore.h"
#include "support/LinkSim.h"

#include <vector>

namespace ludra::test {

// The requests the simulator received, without the TCP header or the RTU checksum.
inline std::vector<sim::Trama> richiesteRicevute(sim::Simulatore& s, Mezzo mezzo)
{
    std::vector<sim::Trama> out;
    for (const sim::Trama& t : s.ricevute()) {
        if (mezzo == Mezzo::Tcp && t.size() >= 6)
            out.emplace_back(t.begin() + 6, t.end());
        else if (mezzo == Mezzo::Rtu && t.size() >= 2)
            out.emplace_back(t.begin(), t.end() - 2);
    }
    return out;
}

// A controller memory request (function 20) as the simulator received it over TCP.
struct Accesso {
    int sottocodice;
    int indirizzo;
    int quanti;
};

inline std::vector<Accesso> accessi(sim::Simulatore& s)
{
    std::vector<Accesso> out;
    for (const sim::Trama& t : richiesteRicevute(s, Mezzo::Tcp))
        if (t.size() >= 7 && t[1] == 20)
            out.push_back({t[2], t[4] * 256 + t[5], t[6]});
    return out;
}

} // namespace ludra::test
