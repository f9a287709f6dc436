#include "monitor/InputBox.h"

#include "base/Numeri.h"
#include "link/Conversioni.h"

namespace ludra {

CampiInputBox InputBox;

ParoleBit ParoleDaTesto(const QString& testo)
{
    double v = LeggiNumero(testo);
    const auto e = LongInBytes(v, false);
    if (!e)
        return {};
    return {std::uint16_t((*e)[3] * 256 + (*e)[2]), std::uint16_t((*e)[1] * 256 + (*e)[0])};
}

QString TestoDaBit(std::uint32_t bit, bool riga0, bool riga1)
{
    std::uint32_t v = 0;
    if (riga0)
        v |= bit & 0xFFFFu;
    if (riga1)
        v |= bit & 0xFFFF0000u;
    return QString::number(v);
}

} // namespace ludra
