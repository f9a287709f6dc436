#include "compiler/Unita.h"

#include "display/PagineDisplay.h"
#include "link/StatoLink.h"

#include <algorithm>

namespace ludra::unita {

Sezione* corrente()
{
    if (SubCorrente < 0 || SubCorrente >= kNumSezioni)
        return nullptr;
    return &Sezioni[std::size_t(SubCorrente)];
}

Rung* riga(int line)
{
    Sezione* s = corrente();
    if (!s || line < 1 || line > kMaxRung)
        return nullptr;
    return &s->Rung[std::size_t(line)];
}

int righe(const Sezione& s) { return std::clamp<int>(s.NumRung, 0, kMaxRung); }

bool emetteRecord(const Rung& r) { return r.Classe >= 1 && r.Classe <= 4; }

bool modelloDisplay() { return Controllore.Modello == QLatin1String("KVR5460"); }

int pagineEmesse()
{
    return modelloDisplay() ? std::min<int>(PagineDisplay.NumPagine, kMaxPagine) : 0;
}

} // namespace ludra::unita
