#pragma once
// The serial line and the TCP socket of the link, one each for the whole process, and
// their receive events.
#include "platform/PortaSeriale.h"
#include "platform/SocketTcp.h"

namespace ludra {

platform::PortaSeriale& MSComm1();
platform::SocketTcp& Winsock1();

// Receive events: they only raise DatiRicevuti (the socket's also moves its bytes into
// StringaRx, while it holds no more than platform::kMaxInAttesa); the waiting request
// does the rest.
void MSComm1_OnComm();
void Winsock1_DataArrival();

// Closes both when they exist (a fresh process has neither open).
void ChiudiCanali();

} // namespace ludra
