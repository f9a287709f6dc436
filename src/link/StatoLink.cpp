#include "link/StatoLink.h"

#include "link/Canali.h"
#include "link/Checksum.h"
#include "link/Connessione.h"

#include <algorithm>
#include <cmath>

namespace ludra {

Dispositivo Controllore;
std::int16_t ModoCom = 0;
std::int16_t TimeoutRTU = 0;
bool AttendiRisposta = false;
std::int16_t StopCom = 0;
bool ModoDebugIgnoto = false;
std::array<std::uint8_t, kDimBuffer> BuffTx{};
std::int16_t LenTx = 0;
std::array<std::uint8_t, kDimBuffer> BuffRx{};
std::int16_t LenRx = 0;
QByteArray StringaRx;
std::int16_t DatiRicevuti = 0;
bool MonitorCom = false;

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

void AzzeraStatoLink()
{
    ChiudiCanali();
    Controllore = Dispositivo{};
    ModoCom = TimeoutRTU = StopCom = 0;
    ModoDebugIgnoto = false;
    AttendiRisposta = false;
    BuffTx.fill(0);
    BuffRx.fill(0);
    LenTx = LenRx = 0;
    StringaRx.clear();
    DatiRicevuti = 0;
    NumeroTelefono.clear();
    MonitorCom = false;
    CRCHi = CRCLo = 0;
}

std::int16_t SecondiAttesaSeriale(double millisecondi)
{
    if (!(millisecondi > 0))
        return 1;
    const double s = std::nearbyint(std::min(millisecondi, 32767.0) / 1000.0);   // halves to even
    return std::int16_t(std::max(1.0, s));
}

} // namespace ludra
