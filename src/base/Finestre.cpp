#include "base/Finestre.h"

#include <algorithm>

namespace ludra {

FinestreCaricate& FinestreCaricate::istanza()
{
    static FinestreCaricate f;
    return f;
}

void FinestreCaricate::registra(Localizzabile* f)
{
    if (std::find(finestre_.begin(), finestre_.end(), f) == finestre_.end())
        finestre_.push_back(f);
}

void FinestreCaricate::rimuovi(Localizzabile* f)
{
    finestre_.erase(std::remove(finestre_.begin(), finestre_.end(), f), finestre_.end());
}

void FinestreCaricate::perOgni(const std::function<void(Localizzabile&)>& azione)
{
    // A SetRes may load or unload windows; walk a copy and skip the ones gone meanwhile.
    const std::vector<Localizzabile*> copia = finestre_;
    for (Localizzabile* f : copia) {
        if (std::find(finestre_.begin(), finestre_.end(), f) != finestre_.end())
            azione(*f);
    }
}

namespace {
HostFinestre* host = nullptr;
}

HostFinestre* hostFinestre() { return host; }
void setHostFinestre(HostFinestre* h) { host = h; }

PuntatoreAttesa::PuntatoreAttesa()
{
    if (HostFinestre* h = hostFinestre())
        h->clessidra(true);
}

PuntatoreAttesa::~PuntatoreAttesa()
{
    if (HostFinestre* h = hostFinestre())
        h->clessidra(false);
}

} // namespace ludra
