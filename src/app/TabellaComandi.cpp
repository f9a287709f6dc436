#include "app/TabellaComandi.h"

#include "app/Comandi.h"
#include "base/Finestre.h"
#include "compiler/Compilatore.h"
#include "debug/ComandiDebug.h"
#include "devconfig/FrmConfig.h"
#include "discovery/Ricerca.h"
#include "ladder/ComandiRung.h"
#include "ladder/VistaLadder.h"
#include "link/Connessione.h"
#include "link/Sequenza.h"
#include "link/StatoLink.h"
#include "platform/Shell.h"
#include "project/Registri.h"
#include "projectfiles/Esporta.h"
#include "projectfiles/FileProgetto.h"
#include "projectfiles/NuovoProgetto.h"

namespace ludra {
namespace {

void mostra(Finestra finestra, bool inPrimoPiano = true)
{
    if (HostFinestre* host = hostFinestre())
        host->mostra(finestra, inPrimoPiano);
}

void mostraPagina(int pagina)
{
    if (HostFinestre* host = hostFinestre())
        host->mostraPagina(Finestra::frm_Settings, pagina);
}

void nuovo()
{
    if (NuovoProgetto())
        InitProgetto();
}

// The reconnect and the mode read go out together, as one command.
void connetti()
{
    const Sequenza sequenza(QStringLiteral("Connect"), TipoSequenza::Connessione);
    if (!sequenza)
        return;
    const CambioDispositivo cambio(QStringLiteral("Connect"));
    Disconnetti();
    Connetti();
    // Only the controllers have a debug mode; an I/O module or gateway has none.
    if (ModelloControllore(Controllore.Modello))
        Controllore.ModoDebug = ModoDebugDopoConnessione();
}

void disconnetti()
{
    if (const Sequenza sequenza(QStringLiteral("Disconnect"), TipoSequenza::Breve); sequenza)
        Disconnetti();
}

constexpr Effetto N = Effetto::Nessuno;
constexpr Effetto D = Effetto::Dispositivo;
constexpr Effetto P = Effetto::Progetto;

// A toolbar key: its tooltip, picture, enabled state at start, effect and action.
Comando tasto(const char* nome, const char* immagine, const char* tooltip, bool abilitato,
              Effetto effetto, void (*azione)())
{
    return {nome, nullptr, -1, tooltip, immagine, abilitato, effetto, azione};
}

Comando separatore() { return {nullptr, nullptr, -1, nullptr, nullptr, true, N, nullptr}; }

// A menu item: its menu, caption (text id, and the fixed caption shown before any
// language is loaded), visibility at start, effect and action.
Comando voce(const char* nome, const char* padre, int testo, const char* caption,
             bool visibile, Effetto effetto = N, void (*azione)() = nullptr)
{
    return {nome, padre, testo, caption, nullptr, visibile, effetto, azione};
}

Comando legata(Comando c, std::function<void()> (*lega)())
{
    c.lega = lega;
    return c;
}

Comando chiede(Comando c)
{
    c.chiede = true;
    return c;
}

std::vector<Comando> crea()
{
    return {
        // The toolbar, in order.
        chiede(tasto("proj_new", "file_new", "New Project", true, P, nuovo)),
        chiede(tasto("proj_open", "file_open", "Open Project", true, P, [] { ApriProgetto(); })),
        chiede(tasto("proj_save", "file_save", "Save Project", true, N,
                     [] { SalvaProgetto(false); })),
        separatore(),
        tasto("connect", "connect", "Connect Controller", true, D, connetti),
        tasto("disconnect", "disconnect", "Disconnect Controller", true, D, disconnetti),
        separatore(),
        tasto("download", "download", "Download", false, D,
              [] { mostra(Finestra::frm_Download); }),
        tasto("upload", "upload", "Upload", false, D, [] {}),
        separatore(),
        tasto("debug", "debug", "Set Debug Mode", false, D, [] { ComandoModoDebug(true); }),
        tasto("release", "release", "Set Release Mode", false, D, [] { ComandoModoDebug(false); }),
        separatore(),
        tasto("run", "prog_run", "Run", false, D, ComandoRun),
        tasto("runBr", "prog_runBr", "Run to Break", false, D, ComandoRunBreak),
        tasto("pause", "prog_halt", "Halt/Step", false, D, ComandoPausa),
        tasto("step", "prog_step", "Animate", false, D, ComandoAnima),
        tasto("stop", "prog_stop", "Stop", false, D, ComandoStop),
        separatore(),
        tasto("rung_add_before", "rung_new_before", "Insert Before", false, P,
              [] { ComandoInserisci(true); }),
        tasto("rung_add_after", "rung_new_after", "Insert After", false, P,
              [] { ComandoInserisci(false); }),
        tasto("rung_move_up", "rung_move_up", "Move Up", false, P, ComandoSu),
        tasto("rung_move_down", "rung_move_down", "Move Down", false, P, ComandoGiu),
        tasto("rung_copy", "rung_copy", "Copy", false, P, ComandoCopia),
        tasto("rung_paste", "rung_paste", "Paste", false, P, ComandoIncolla),
        tasto("rung_mod", "rung_modifica", "Modify", false, P, ComandoModifica),
        chiede(tasto("rung_del", "rung_delete", "Delete", false, P, ComandoCancella)),
        tasto("rung_redo", "rung_redo", "Redo", false, P, ComandoRipristina),
        tasto("new_sub", "new_sub", "New Subroutine", false, P, [] { NuovaSub(); }),
        tasto("rung_break", "rung_break", "Toggle Break", false, P, InvertiBreak),
        separatore(),
        // The report goes to the Log; the byte count matters only to the download.
        tasto("proj_comp", "proj_comp", "Compile Project", false, P, [] { Compila(); }),
        tasto("view_log", "view_log", "View Log", true, N, [] { mostra(Finestra::Log); }),
        separatore(),
        tasto("view_reg", "view_reg", "View Registers", true, N,
              [] { mostra(Finestra::Registri); }),
        tasto("view_http", "http", "View Web Pages", true, N,
              [] { platform::shell().open(QStringLiteral("http://") + Controllore.IP); }),

        // The menu bar in order, then the two pop-up menus. Captions with a text id come
        // from the texts of the running language; the fixed ones are the same in both.
        voce("mnu_project", "", 19, "Project", true),
        chiede(voce("mnu_new", "mnu_project", 20, "New", true, P, nuovo)),
        chiede(voce("mnu_openProj", "mnu_project", 21, "Open...", true, P, [] { ApriProgetto(); })),
        chiede(voce("mnu_close", "mnu_project", 22, "Close", true, P, [] { NuovoProgetto(); })),
        chiede(voce("mnu_SaveProj", "mnu_project", 23, "Save", true, N,
                    [] { SalvaProgetto(false); })),
        chiede(voce("mnu_saveAs", "mnu_project", 24, "Save as...", true, N,
                    [] { SalvaProgetto(true); })),
        voce("mnu_Export", "mnu_project", 171, "Export", false, N, EsportaEApri),
        // The close takes its own turn, ending a connect attempt first.
        voce("mnu_exit", "mnu_project", 25, "Exit", true, N,
             [] {
                 if (HostFinestre* host = hostFinestre())
                     host->chiudiPrincipale();
             }),
        voce("mnu_settings", "", 26, "Settings", true),
        voce("mnu_controller", "mnu_settings", 27, "Controller", true, N, [] { mostraPagina(0); }),
        voce("mnu_workspace", "mnu_settings", 28, "Workspace", true, N, [] { mostraPagina(1); }),
        voce("mnu_view", "", 29, "View", true),
        voce("mnu_viewProj", "mnu_view", 30, "Project", false, N,
             [] { mostra(Finestra::frm_Progetto); }),
        voce("mnu_program", "mnu_view", 31, "Program", true, N,
             [] { mostra(Finestra::Program); }),
        voce("mnu_Registri", "mnu_view", 32, "Registers", true, N,
             [] { mostra(Finestra::Registri); }),
        voce("mnu_log", "mnu_view", 33, "Log", true, N, [] {}),
        voce("mnu_tools", "", 34, "Tools", true),
        voce("mnu_search", "mnu_tools", 35, "Search", true, N,
             [] { mostra(Finestra::frm_search); }),
        voce("mnu_images", "mnu_tools", 36, "Immages", false, N,
             [] { mostra(Finestra::Input_Img); }),
        voce("mnu_1000", "mnu_tools", 37, "Config", true, N,
             [] {
                 FrmConfig.SetModello = QStringLiteral("KVR5200-IO");
                 mostra(Finestra::frm_Config);
             }),
        voce("mnu_Format", "mnu_tools", 38, "Variables", true, N,
             [] { mostra(Finestra::frm_variabili); }),
        voce("mnu_dialoga", "mnu_tools", 39, "Modbus", true, N,
             [] { mostra(Finestra::frm_dialoga); }),
        voce("mnu_scheduler", "mnu_tools", -1, "Scheduler", false, N,
             [] { mostra(Finestra::frm_scheduler, false); }),
        voce("mnu_display", "mnu_tools", 40, "Display", false, N,
             [] { mostra(Finestra::frm_display); }),
        voce("mnu_Tables", "mnu_tools", 41, "Tables", true, N,
             [] { mostra(Finestra::Input_Tab); }),
        voce("mnu_collaudo", "", -1, "Collaudo", false),
        voce("mnu_eeprom", "mnu_collaudo", -1, "EEprom", true, N,
             [] { mostra(Finestra::frm_eeprom); }),
        voce("mnu_mac", "mnu_collaudo", -1, "MAC", true, N,
             [] { mostra(Finestra::frm_LettMAC); }),
        voce("mnu_FB", "", -1, "Function Block", false),
        voce("mnu_modify", "mnu_FB", -1, "Modify", true, P, ComandoModifica),
        chiede(voce("mnu_FB_Delete", "mnu_FB", -1, "Delete", true, P, ComandoCancella)),
        voce("mn_FB_space1", "mnu_FB", -1, "-", true),
        voce("mnu_FB_Insert_Before", "mnu_FB", -1, "Insert Before", true, P,
             [] { ComandoInserisci(true); }),
        voce("mnu_FB_Insert_After", "mnu_FB", -1, "Insert After", true, P,
             [] { ComandoInserisci(false); }),
        voce("mnu_FB_Space2", "mnu_FB", -1, "-", true),
        voce("mnu_FB_Break", "mnu_FB", -1, "Toggle Break", true, P, InvertiBreak),
        voce("mnu_Cont", "", -1, "Controller", false),
        legata(voce("mnu_SetAsController", "mnu_Cont", -1, "Set as Controller", true, D,
                    [] { RicercaDispositivi::istanza().SetAsController(); }),
               [] { return RicercaDispositivi::istanza().SetAsControllerScelto(); }),
        voce("mnu_ViewHomePage", "mnu_Cont", -1, "View HomePage", true, N,
             [] { RicercaDispositivi::istanza().Elenco_DblClick(); }),
        voce("mnu_SetIP", "mnu_Cont", -1, "Set IP address", true, D,
             [] { RicercaDispositivi::istanza().SetIP(); }),
        voce("mnu_help", "", 42, "?", true),
        voce("mnu_About", "mnu_help", 43, "About", true, N,
             [] { mostra(Finestra::frmAbout); }),
    };
}

} // namespace

const std::vector<Comando>& TabellaComandi()
{
    static const std::vector<Comando> tabella = crea();
    return tabella;
}

const Comando* TrovaComando(const QString& nome)
{
    for (const Comando& c : TabellaComandi())
        if (c.nome && nome == QLatin1String(c.nome))
            return &c;
    return nullptr;
}

void CreaToolBar()
{
    std::vector<Pulsante> pulsanti;
    for (const Comando& c : TabellaComandi()) {
        if (c.padre)
            continue;
        Pulsante p;
        if (c.nome) {
            p.chiave = QString::fromLatin1(c.nome);
            p.immagine = QString::fromLatin1(c.immagine);
            p.tooltip = QString::fromLatin1(c.caption);
            p.abilitato = c.attivo;
            p.effetto = c.effetto;
        } else {
            p.separatore = true;
        }
        pulsanti.push_back(p);
    }
    BarraStrumenti::istanza().crea(std::move(pulsanti));
}

void CreaMenu()
{
    std::vector<VoceMenu> voci;
    for (const Comando& c : TabellaComandi()) {
        if (!c.padre)
            continue;
        VoceMenu v;
        v.nome = QString::fromLatin1(c.nome);
        v.padre = QString::fromLatin1(c.padre);
        v.chiave = c.testo;
        v.caption = QString::fromLatin1(c.caption);
        v.visibile = c.attivo;
        v.separatore = v.caption == QLatin1String("-");
        voci.push_back(v);
    }
    MenuPrincipale::istanza().crea(std::move(voci));
}

} // namespace ludra
