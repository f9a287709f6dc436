#include "debug/ContatoreProgramma.h"

#include "base/BarraStato.h"
#include "ladder/VistaLadder.h"
#include "link/AggiornaStato.h"
#include "project/Progetto.h"
#include "project/Registri.h"
#include "device/MemoriaControllore.h"

namespace ludra {
namespace {

std::optional<OrigineRecord> evidenziata;

} // namespace

void AggiornaPC()
{
    LeggiRegistroByte(kRegistroContatore);
    // The counter counts records, not lines: blank lines write none, so the line is
    // looked up rather than taken as counter + 1.
    if (evidenziata)
        ColoraNumero(evidenziata->sezione, evidenziata->riga, colore::kBianco);
    evidenziata = RigaDelRecord(TabellaRegistri[kRegistroContatore].Valore);
    if (evidenziata) {
        ColoraNumero(evidenziata->sezione, evidenziata->riga, colore::kRosso);
        if (evidenziata->sezione == SubCorrente && RigaFuoriVista(evidenziata->riga))
            ImpostaScroll(evidenziata->riga - 1);
    }
    AggiornaStato();
}

std::optional<OrigineRecord> RigaEvidenziata() { return evidenziata; }

void AzzeraContatoreProgramma() { evidenziata.reset(); }

} // namespace ludra
