#pragma once
// The machine's IPv4 networks that a broadcast can reach.
#include <QString>
#include <vector>

namespace ludra::platform {

struct InterfacciaIPv4 {
    QString nome;
    QString indirizzo;   // this machine's address on it, dotted decimal
    QString broadcast;   // the network's broadcast address
};

// Every IPv4 address of the interfaces that are up, are not the loopback and have a
// broadcast address, in the system's order.
std::vector<InterfacciaIPv4> InterfacceBroadcast();

} // namespace ludra::platform
