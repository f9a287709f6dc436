#include "link/Canali.h"

#include "link/Connessione.h"
#include "link/StatoLink.h"
#include "platform/Ricezione.h"

#include <QCoreApplication>

namespace ludra {
namespace {

struct Canali {
    platform::PortaSeriale seriale;
    platform::SocketTcp socket;
    Canali()
    {
        QObject::connect(&seriale, &platform::PortaSeriale::ricevuto, &MSComm1_OnComm);
        QObject::connect(&socket, &platform::SocketTcp::ricevuto, &Winsock1_DataArrival);
        QObject::connect(&socket, &platform::SocketTcp::statoCambiato, &Winsock1_Close);
    }
};

Canali* istanza = nullptr;

void distruggi()
{
    delete istanza;
    istanza = nullptr;
}

Canali& canali()
{
    if (!istanza) {
        istanza = new Canali;
        // Gone with the application object, while the event machinery still exists.
        qAddPostRoutine(distruggi);
    }
    return *istanza;
}

} // namespace

platform::PortaSeriale& MSComm1() { return canali().seriale; }
platform::SocketTcp& Winsock1() { return canali().socket; }

void MSComm1_OnComm() { DatiRicevuti = 1; }

void Winsock1_DataArrival()
{
    // Bytes of one reply may come in several segments: they are collected, not
    // replaced, until the request takes them. Past the bound nothing more is taken (the
    // rest waits in the socket, which then stops reading): the request fails on it.
    if (StringaRx.size() <= platform::kMaxInAttesa)
        StringaRx += Winsock1().leggi();
    DatiRicevuti = 1;
}

void ChiudiCanali()
{
    if (!istanza)
        return;
    istanza->seriale.chiudi();
    istanza->socket.chiudi();
}

} // namespace ludra
