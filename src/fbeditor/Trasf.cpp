#include "fbeditor/Trasf.h"

#include "fbeditor/Argomenti.h"
#include "link/Conversioni.h"
#include "project/Progetto.h"

#include <cmath>

namespace ludra {

bool CodificaArgomento(double& valore, std::uint8_t formato, SlotArgomento& slot)
{
    switch (formato) {
    case kUInt:
    case kInt: {
        double v = valore;
        const auto w = WordInBytesInOut(v);
        if (!w)
            return false;
        slot = {(*w)[0], (*w)[1], 0, 0};
        valore = v;
        return true;
    }
    case kULong:
    case kKLong:
    case kLong: {
        double v = valore;
        const auto q = LongInBytes(v, formato == kLong);
        if (!q)
            return false;
        // LongInBytes gives the high word first; the slot holds the low word first.
        slot = {(*q)[2], (*q)[3], (*q)[0], (*q)[1]};
        valore = v;
        return true;
    }
    case kKFlt: {
        // From FLT_MAX plus half a unit in the last place up, the single would be an
        // infinity.
        if (!(std::fabs(valore) < 0x1.ffffffp+127))
            return false;
        const QuartettoByte f = FloatInBytes(valore);
        slot = {f[3], f[2], f[1], f[0]};
        return true;
    }
    default:
        return true;
    }
}

bool Trasf(double& valore, std::uint8_t formato, int nRung, int nPar)
{
    if (SubCorrente < 0 || SubCorrente >= kNumSezioni || nRung < 0 || nRung > kMaxRung
        || nPar < 0 || nPar >= kNumArgomenti)
        return false;
    auto& byte = Sezioni[std::size_t(SubCorrente)].Rung[std::size_t(nRung)].ArgByte;
    SlotArgomento slot;
    for (int j = 0; j < 4; ++j)
        slot[std::size_t(j)] = byte[std::size_t(4 * nPar + j)];
    if (!CodificaArgomento(valore, formato, slot))
        return false;
    for (int j = 0; j < 4; ++j)
        byte[std::size_t(4 * nPar + j)] = slot[std::size_t(j)];
    return true;
}

} // namespace ludra
