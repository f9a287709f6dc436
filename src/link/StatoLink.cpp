#include "link/StatoLink.h"

namespace ludra {

Dispositivo Controllore;
std::int16_t ModoCom = 0;
std::int16_t TimeoutRTU = 0;
bool AttendiRisposta = false;
std::int16_t StopCom = 0;

void ImpostaDefaultLink()
{
    Controllore = Dispositivo{};
    TimeoutRTU = 2;
    StopCom = 1;
    AttendiRisposta = true;
    Controllore.IP = QString::fromLatin1(kIndirizzoPredefinito);
    Controllore.Porta = 502;
    Controllore.Nodo = 10;
    Controllore.Modello = QStringLiteral("KVR5200-IO");
    Controllore.Timeout = 1000;
    ModoCom = kModoTcp;
}

} // namespace ludra
