#include "project/Progetto.h"

namespace ludra {

std::array<Sezione, kNumSezioni> Sezioni;
std::array<RungSalvato, 8> RungUndo;
std::int16_t SubCorrente = 0;
std::int16_t RungCorrente = 0;
std::int16_t UltimaRiga = 0;
std::int16_t NumSub = 0;
QString NomeProgetto;
QString FileProgetto;

Rung RungVuoto()
{
    Rung r;
    r.Descrizione = kDescrizioneVuota;
    return r;
}

void SvuotaRung(Rung& rung)
{
    rung.Caricato = false;
    rung.LungDati = 0;
    rung.Break = false;
    rung.Descrizione = kDescrizioneVuota;
    rung.Classe = 0;
    rung.SubOp = 0;
    rung.Etichetta.clear();
    rung.Funzione = 0;
    rung.Ritardo = 0;
    rung.ArgByte.fill(0);
    rung.Rifiuto.clear();
}

} // namespace ludra
