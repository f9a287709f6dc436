#pragma once
// The devices the search finds, the two listening flags of the network search and
// where its datagrams and the gateway dialogue go.
#include "link/Dispositivo.h"

#include <QString>
#include <array>
#include <cstdint>

namespace ludra {

// Records 1 to 255; record 0 is never used.
inline constexpr int kMaxDispositivi = 255;
extern std::array<Dispositivo, kMaxDispositivi + 1> Dispositivi;

// True while the listening window of the controller query, or of the gateway query,
// is open: they say how a datagram that arrives is read.
extern bool RicercaController;
extern bool RicercaGateway;

// Where the discovery traffic goes. Every query and the IP-setting frame go to
// `broadcast` on `portaUdp`; the gateway set-up dialogue connects to `portaTelnet`.
struct ReteRicerca {
    QString broadcast = QStringLiteral("255.255.255.255");
    quint16 portaUdp = 30718;
    quint16 portaTelnet = 9999;
};
extern ReteRicerca IndirizziRicerca;

// Back to the state of a fresh process.
void AzzeraRicerca();

} // namespace ludra
