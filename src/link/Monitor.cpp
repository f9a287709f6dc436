#include "link/Monitor.h"

#include "link/Conversioni.h"

namespace ludra {

MonitorRisposte& MonitorRisposte::istanza()
{
    static MonitorRisposte m;
    return m;
}

void MonitorRisposte::svuota()
{
    testo_.clear();
    emit cambiato();
}

void MonitorRisposte::mostra(std::span<const std::uint8_t> byte)
{
    testo_.clear();
    for (const std::uint8_t b : byte)
        testo_ += ByteInHex(b) + QLatin1Char(' ');
    emit cambiato();
}

} // namespace ludra
