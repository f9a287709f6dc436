#include "project/Progetto.h"

#include "app/BarraStrumenti.h"
#include "app/Finestre.h"
#include "app/Testi.h"
#include "display/PagineDisplay.h"
#include "ladder/OperazioniRung.h"
#include "ladder/VistaLadder.h"
#include "platform/Dialogs.h"

#include <algorithm>

namespace ludra {

std::array<Sezione, kNumSezioni> Sezioni;
std::array<RungSalvato, 8> RungUndo;
std::int16_t SubCorrente = 0;
std::int16_t RungCorrente = 0;
std::int16_t UltimaRiga = 0;
std::int16_t NumSub = 0;
QString NomeProgetto;
QString FileProgetto;

std::function<bool(bool ask)> SalvaProgettoHook;

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
}

namespace {
bool subValido() { return SubCorrente >= 0 && SubCorrente < kNumSezioni; }
} // namespace

void InitProgetto()
{
    if (!subValido())
        return;
    NomeProgetto = QStringLiteral("Project");
    UltimaRiga = 0;
    // The unit starts empty, rows included.
    RimuoviRighe(SubCorrente);
    Sezioni[std::size_t(SubCorrente)].NumRung = 0;
    PagineDisplay.NumPagine = 1;
    PagineDisplay.Pagine[0].NumOggetti = 0;

    AggiungiRung();
    RungCorrente = Sezioni[std::size_t(SubCorrente)].NumRung;
    SelezionaRung(RungCorrente);

    if (HostFinestre* host = hostFinestre()) {
        host->affianca(QStringLiteral("Program"), QStringLiteral("Log"));
        host->affianca(QStringLiteral("Registri"), QStringLiteral("Program"));
    }

    AbilitaPulsanti(QStringLiteral("Puls_FunctionBlock"), true);
    AbilitaPulsanti(QStringLiteral("Puls_Compila"), true);
}

bool NuovoProgetto(bool tieniVista)
{
    // No Cancel: the answer No closes the project unsaved. A save the user asked for
    // that did not happen (dialog cancelled, write error) keeps the project open.
    const HostFinestre* host = hostFinestre();
    const platform::MsgResult risposta = platform::msgBox(
        Testi.t(172), platform::MsgButtons::YesNo, platform::MsgIcon::None,
        host ? host->caption() : QString());
    if (risposta == platform::MsgResult::Yes && SalvaProgettoHook && !SalvaProgettoHook(true))
        return false;
    // The display designer shows the pages of the project being closed, and would go on
    // editing them as if they belonged to the next one.
    if (HostFinestre* h = hostFinestre())
        h->chiudi(QStringLiteral("frm_display"));

    const AggiornamentoInBlocco blocco;
    if (subValido()) {
        Sezione& sezione = Sezioni[std::size_t(SubCorrente)];
        const int n = std::clamp<int>(sezione.NumRung, 0, kMaxRung);
        for (int i = 1; i <= n; ++i)
            SvuotaRung(sezione.Rung[std::size_t(i)]);
        RimuoviRighe(SubCorrente);
        sezione.NumRung = 0;
    }
    UltimaRiga = 0;
    RungCorrente = 0;

    // The undo record and the copied line belong to the project being closed.
    AzzeraUndo();
    if (!tieniVista)
        ScaricaProgram();

    AbilitaPulsanti(QStringLiteral("Puls_FunctionBlock"), false);
    AbilitaPulsanti(QStringLiteral("Puls_Compila"), false);
    // A later Save must ask for a name rather than overwrite the project just closed.
    FileProgetto.clear();
    return true;
}

void AzzeraProgetto()
{
    for (Sezione& s : Sezioni)
        s = Sezione{};
    RungUndo = {};
    SubCorrente = RungCorrente = UltimaRiga = NumSub = 0;
    NomeProgetto.clear();
    FileProgetto.clear();
    AzzeraUndo();
    AzzeraVista();
}

} // namespace ludra
