#include "projectfiles/NuovoProgetto.h"

#include "base/BarraStrumenti.h"
#include "base/Finestre.h"
#include "base/Testi.h"
#include "display/PagineDisplay.h"
#include "fbeditor/Ricodifica.h"
#include "images/Immagini.h"
#include "ladder/OperazioniRung.h"
#include "ladder/VistaLadder.h"
#include "link/Sequenza.h"
#include "platform/Dialogs.h"
#include "project/Progetto.h"
#include "project/Registri.h"
#include "projectfiles/FileProgetto.h"
#include "scheduler/Schedulazioni.h"
#include "tables/Tabelle.h"

#include <memory>

namespace ludra {

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
        host->affianca(Finestra::Program, Finestra::Log);
        host->affianca(Finestra::Registri, Finestra::Program);
    }

    AbilitaPulsanti(QStringLiteral("Puls_FunctionBlock"), true);
    AbilitaPulsanti(QStringLiteral("Puls_Compila"), true);
}

bool NuovoProgetto(bool tieniVista)
{
    if (!OffriSalvataggio())
        return false;
    ChiudiProgetto(tieniVista);
    return true;
}

bool OffriSalvataggio()
{
    // No Cancel: the answer No closes the project unsaved. A save the user asked for
    // that did not happen (dialog cancelled, write error) keeps the project open.
    const HostFinestre* host = hostFinestre();
    const platform::MsgResult risposta = platform::msgBox(
        Testi.t(172), platform::MsgButtons::YesNo, platform::MsgIcon::None,
        host ? host->caption() : QString());
    return risposta != platform::MsgResult::Yes || SalvaProgetto(true);
}

void ChiudiProgetto(bool tieniVista)
{
    // The display designer and the logger editor show what the project being closed
    // holds, and would go on editing it as if it belonged to the next one. The published
    // variables are the controller's, in no project file: their list and window stay.
    if (HostFinestre* h = hostFinestre())
        for (const Finestra f : {Finestra::frm_display, Finestra::frm_scheduler})
            h->chiudi(f);

    const AggiornamentoInBlocco blocco;
    // Nothing of the closed project may reach the next one: a subroutine or page unit,
    // a table, an image, a logger object or a register name left behind would be
    // compiled, downloaded or saved with it.
    for (int u = 0; u < kNumSezioni; ++u) {
        Sezione& sezione = Sezioni[std::size_t(u)];
        for (int i = 1; i <= kMaxRung; ++i)
            SvuotaRung(sezione.Rung[std::size_t(i)]);
        RimuoviRighe(u);
        sezione.NumRung = 0;
    }
    SubCorrente = 0;
    NumSub = 0;
    UltimaRiga = 0;
    RungCorrente = 0;
    PagineDisplay = ListaPagine{};
    PagineDisplay.NumPagine = 1;
    AzzeraTabelle();
    AzzeraImmagini();
    AzzeraSchedulazioni();
    AzzeraNomiRegistri();
    // A write still waiting names a register of the project being closed.
    ProgettoCambiato();

    // The undo record and the copied line belong to the project being closed.
    AzzeraUndo();
    if (!tieniVista)
        ScaricaProgram();

    AbilitaPulsanti(QStringLiteral("Puls_FunctionBlock"), false);
    AbilitaPulsanti(QStringLiteral("Puls_Compila"), false);
    // A later Save must ask for a name rather than overwrite the project just closed.
    FileProgetto.clear();
}

void AzzeraProgetto()
{
    // Each unit is rebuilt where it stands, rather than built aside and copied.
    for (Sezione& s : Sezioni) {
        std::destroy_at(&s);
        std::construct_at(&s);
    }
    RungUndo = {};
    SubCorrente = RungCorrente = UltimaRiga = NumSub = 0;
    NomeProgetto.clear();
    FileProgetto.clear();
    RicodificaRungHook = RicodificaRiga;
    AzzeraUndo();
    AzzeraVista();
}

} // namespace ludra
