// From a command record back to the line that wrote it.
#include "compiler/Compilatore.h"
#include "compiler/Unita.h"

#include "display/PagineDisplay.h"
#include "project/Progetto.h"

#include <algorithm>

namespace ludra {

std::optional<OrigineRecord> RigaDelRecord(int record)
{
    if (record < 0)
        return std::nullopt;
    // The main program, then the page units with the line counts the compile gives
    // them (one line per page object and the page's own).
    auto cerca = [&record](int sezione, int righe) -> std::optional<OrigineRecord> {
        const Sezione& s = Sezioni[std::size_t(sezione)];
        for (int i = 1; i <= std::clamp(righe, 0, kMaxRung); ++i) {
            if (!unita::emetteRecord(s.Rung[std::size_t(i)]))
                continue;
            if (record == 0)
                return OrigineRecord{sezione, i};
            --record;
        }
        return std::nullopt;
    };
    if (auto o = cerca(0, Sezioni[0].NumRung))
        return o;
    for (int p = 0; p < unita::pagineEmesse(); ++p)
        if (auto o = cerca(p + 1, PagineDisplay.Pagine[std::size_t(p)].NumOggetti + 1))
            return o;
    return std::nullopt;
}

} // namespace ludra
