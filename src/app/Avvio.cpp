#include "app/Avvio.h"

#include "app/TabellaComandi.h"
#include "app/Uscita.h"

#include "base/BarraStato.h"
#include "base/BarraStrumenti.h"
#include "base/Log.h"
#include "base/Menu.h"
#include "base/Testi.h"
#include "compiler/Compilatore.h"
#include "debug/ContatoreProgramma.h"
#include "devconfig/FrmConfig.h"
#include "device/MemoriaControllore.h"
#include "discovery/Dispositivi.h"
#include "display/PagineDisplay.h"
#include "images/Immagini.h"
#include "fbeditor/StatoComandi.h"
#include "ladder/OperazioniRung.h"
#include "link/Sequenza.h"
#include "link/StatoLink.h"
#include "monitor/AggiornaRegistri.h"
#include "monitor/DialogoValori.h"
#include "monitor/InputBox.h"
#include "monitor/Variabili.h"
#include "project/Progetto.h"
#include "projectfiles/NuovoProgetto.h"
#include "project/Registri.h"
#include "scheduler/Schedulazioni.h"
#include "tables/InputTab.h"
#include "tables/Tabelle.h"
#include "transfer/Download.h"
#include "transfer/Trasferimenti.h"

namespace ludra {

const std::vector<ImmagineLista>& ElencoImmagini()
{
    static const std::vector<ImmagineLista> elenco = {
        {"run", 100},           {"halt", 101},           {"stop", 102},
        {"view_reg", 103},      {"rung_delete", 104},    {"rung_modifica", 105},
        {"rung_new_before", 124}, {"rung_new_after", 125}, {"file_open", 108},
        {"file_save", 109},     {"file_new", 110},       {"proj_comp", 111},
        {"download", 112},      {"upload", 113},         {"view_log", 114},
        {"prog_run", 115},      {"prog_halt", 116},      {"prog_step", 117},
        {"prog_stop", 118},     {"connect", 119},        {"disconnect", 120},
        {"new_sub", 121},       {"rung_break", 122},     {"prog_runBr", 123},
        {"progetto", 106},      {"debug", 126},          {"release", 127},
        {"http", 128},          {"host", 200},           {"zoom_on", 129},
        {"zoom_off", 130},      {"calendar", 131},       {"rung_move_up", 132},
        {"rung_move_down", 133}, {"rung_copy", 134},     {"rung_paste", 135},
        {"rung_redo", 136},     {"disp_label", 137},     {"disp_number", 138},
        {"disp_image", 139},    {"disp_clock", 140},     {"disp_date", 141},
        {"disp_led", 148},      {"disp_progBar", 149},   {"disp_Line", 150},
        {"flag_ita", 152},      {"flag_eng", 153},
    };
    return elenco;
}

void ImpostaStatoIniziale()
{
    // 7.
    AggiornaAuto = false;
    TempoAnimazione = 500;
    // 9 to 11.
    Sezioni[std::size_t(SubCorrente)].NumRung = 0;
    NumSub = UltimaRiga = SubCorrente = RungCorrente = 0;
    PagineDisplay.NumPagine = 1;
    // 12 to 14.
    ImpostaDefaultLink();
    // 15.
    ImpostaModello();
}

void AzzeraStatoProcesso()
{
    AggiornaAuto = false;
    TempoAnimazione = 0;
    AzzeraTesti();
    AzzeraRegistri();
    AzzeraProgetto();
    PagineDisplay = ListaPagine{};
    AzzeraTabelle();
    AzzeraImmagini();
    AzzeraSchedulazioni();
    AzzeraCompilatore();
    StatoComandi::istanza().Azzera();
    DialogoAperto = false;
    TestoDialogo.clear();
    PrimoRegistroSchermo = 0;
    InputBox = CampiInputBox{};
    InputTab = CampiInputTab{};
    AzzeraStatoLink();
    AzzeraSequenze();
    AzzeraUscita();
    AzzeraRicerca();
    AzzeraTrasferimenti();
    AzzeraDownload();
    AzzeraMemoriaControllore();
    AzzeraContatoreProgramma();
    AzzeraFrmConfig();
    AzzeraVariabili();
    CreaMenu();
    BarraStrumenti::istanza().azzera();
    BarraStato::istanza().azzera();
    LogClear();
}

} // namespace ludra
