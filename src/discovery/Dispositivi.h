#pragma once
// The devices the search finds, the two listening flags of the network search and
// where its datagrams and the gateway dialogue go.
#include "link/Dispositivo.h"

#include "platform/Interfacce.h"

#include <QString>
#include <array>
#include <cstdint>
#include <functional>
#include <vector>

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
// The limited broadcast leaves by the default route only, so with it each network of
// `interfacce` (the machine's own unless set) is also reached at its own broadcast
// address, from this machine's address on it.
struct ReteRicerca {
    QString broadcast = QString::fromLatin1(kBroadcastLimitato);
    quint16 portaUdp = 30718;
    quint16 portaTelnet = 9999;
    std::function<std::vector<platform::InterfacciaIPv4>()> interfacce;
    static constexpr const char* kBroadcastLimitato = "255.255.255.255";
};
extern ReteRicerca IndirizziRicerca;

// One datagram's way out: the local address it leaves from (empty: any) and where it
// goes.
struct Destinazione {
    QString locale;
    QString indirizzo;
};
// Where a discovery datagram goes: `broadcast`, and with the limited broadcast also
// every interface's broadcast address. Nothing when no interface has a broadcast
// address: the limited broadcast would reach no device.
std::vector<Destinazione> DestinazioniRicerca();
inline constexpr const char* kNessunaRete = "No network interface with a broadcast address";

// Back to the state of a fresh process.
void AzzeraRicerca();

} // namespace ludra
