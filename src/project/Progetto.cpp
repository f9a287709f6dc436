#include "project/Progetto.h"

#include "app/BarraStrumenti.h"
#include "display/PagineDisplay.h"

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

void InitProgetto()
{
    NomeProgetto = QStringLiteral("Project");
    UltimaRiga = 0;
    Sezione& sezione = Sezioni[std::size_t(SubCorrente)];
    sezione.NumRung = 0;
    PagineDisplay.NumPagine = 1;
    PagineDisplay.Pagine[0].NumOggetti = 0;

    // One blank line; a stale record left by earlier deletions must not come back.
    sezione.NumRung = 1;
    sezione.Rung[1] = RungVuoto();
    UltimaRiga = sezione.NumRung;
    RungCorrente = sezione.NumRung;

    AbilitaPulsanti(QStringLiteral("Puls_FunctionBlock"), true);
    AbilitaPulsanti(QStringLiteral("Puls_Compila"), true);
}

void AzzeraProgetto()
{
    for (Sezione& s : Sezioni)
        s = Sezione{};
    RungUndo = {};
    SubCorrente = RungCorrente = UltimaRiga = NumSub = 0;
    NomeProgetto.clear();
    FileProgetto.clear();
}

} // namespace ludra
