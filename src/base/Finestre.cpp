#include "base/Finestre.h"

#include <algorithm>

namespace ludra {

namespace {
const char* const kNomiFinestre[kNumFinestre] = {
    "Log", "Program", "Registri", "comandi", "frm_Settings", "frmAbout", "frm_Progetto",
    "frm_Download", "frm_search", "frm_Config", "frm_variabili", "frm_eeprom", "frm_LettMAC",
    "frm_dialoga", "Input_Box", "Input_Tab", "frm_display", "Input_Img", "frm_scheduler",
};
} // namespace

QString nomeFinestra(Finestra finestra)
{
    return QString::fromLatin1(kNomiFinestre[int(finestra)]);
}

std::optional<Finestra> finestraDaNome(const QString& nome)
{
    for (int i = 0; i < kNumFinestre; ++i)
        if (nome == QLatin1String(kNomiFinestre[i]))
            return Finestra(i);
    return std::nullopt;
}

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
