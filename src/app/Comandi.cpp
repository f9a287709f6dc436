#include "app/Comandi.h"

#include "base/BarraStato.h"
#include "debug/ComandiDebug.h"
#include "base/Finestre.h"
#include "base/Notifiche.h"
#include "compiler/Compilatore.h"
#include "devconfig/FrmConfig.h"
#include "discovery/Ricerca.h"
#include "link/AggiornaStato.h"
#include "link/Connessione.h"
#include "ladder/ComandiRung.h"
#include "ladder/VistaLadder.h"
#include "link/Richiesta.h"
#include "link/Sequenza.h"
#include "link/StatoLink.h"
#include "base/Testi.h"
#include "platform/Dialogs.h"
#include "platform/Shell.h"
#include "projectfiles/Esporta.h"
#include "projectfiles/FileProgetto.h"
#include "project/Progetto.h"
#include "projectfiles/NuovoProgetto.h"
#include "project/Registri.h"

#include <QHash>
#include <QStringList>
#include <functional>

namespace ludra {
namespace {

void mostra(const QString& finestra, bool inPrimoPiano = true)
{
    if (HostFinestre* host = hostFinestre())
        host->mostra(finestra, inPrimoPiano);
}

using Azione = std::function<void()>;

// The reconnect and the mode read go out together, as one command.
void connetti()
{
    const Sequenza sequenza(QStringLiteral("Connect"), TipoSequenza::Breve);
    if (!sequenza)
        return;
    Disconnetti();
    Connetti();
    // Only the controllers have a debug mode; an I/O module or gateway has none.
    if (ModelloControllore(Controllore.Modello))
        Controllore.ModoDebug = ModoDebugDopoConnessione();
}

const QHash<QString, Azione>& azioniToolbar()
{
    static const QHash<QString, Azione> azioni = {
        {QStringLiteral("proj_new"),
         [] {
             if (NuovoProgetto())
                 InitProgetto();
         }},
        {QStringLiteral("proj_open"), [] { ApriProgetto(); }},
        {QStringLiteral("proj_save"), [] { SalvaProgetto(false); }},
        {QStringLiteral("download"), [] { mostra(QStringLiteral("frm_Download")); }},
        {QStringLiteral("upload"), [] {}},
        {QStringLiteral("connect"), [] { connetti(); }},
        {QStringLiteral("disconnect"),
         [] {
             if (const Sequenza s(QStringLiteral("Disconnect"), TipoSequenza::Breve); s)
                 Disconnetti();
         }},
        {QStringLiteral("debug"), [] { ComandoModoDebug(true); }},
        {QStringLiteral("release"), [] { ComandoModoDebug(false); }},
        {QStringLiteral("run"), [] { ComandoRun(); }},
        {QStringLiteral("runBr"), [] { ComandoRunBreak(); }},
        {QStringLiteral("pause"), [] { ComandoPausa(); }},
        {QStringLiteral("step"), [] { ComandoAnima(); }},
        {QStringLiteral("stop"), [] { ComandoStop(); }},
        {QStringLiteral("view_reg"), [] { mostra(QStringLiteral("Registri")); }},
        {QStringLiteral("view_log"), [] { mostra(QStringLiteral("Log")); }},
        {QStringLiteral("rung_mod"), [] { ComandoModifica(); }},
        {QStringLiteral("rung_del"), [] { ComandoCancella(); }},
        {QStringLiteral("rung_add_before"), [] { ComandoInserisci(true); }},
        {QStringLiteral("rung_add_after"), [] { ComandoInserisci(false); }},
        {QStringLiteral("rung_move_up"), [] { ComandoSu(); }},
        {QStringLiteral("rung_move_down"), [] { ComandoGiu(); }},
        {QStringLiteral("rung_copy"), [] { ComandoCopia(); }},
        {QStringLiteral("rung_paste"), [] { ComandoIncolla(); }},
        {QStringLiteral("rung_redo"), [] { ComandoRipristina(); }},
        {QStringLiteral("new_sub"), [] { NuovaSub(); }},
        {QStringLiteral("rung_break"), [] { InvertiBreak(); }},
        // The report goes to the Log; the byte count matters only to the download.
        {QStringLiteral("proj_comp"), [] { Compila(); }},
        {QStringLiteral("view_http"),
         [] { platform::shell().open(QStringLiteral("http://") + Controllore.IP); }},
    };
    return azioni;
}

// The menu items that a running controller sequence would mix with.
Effetto effettoMenu(const QString& nome)
{
    static const QHash<QString, Effetto> effetti = {
        {QStringLiteral("mnu_new"), Effetto::Progetto},
        {QStringLiteral("mnu_close"), Effetto::Progetto},
        {QStringLiteral("mnu_openProj"), Effetto::Progetto},
        {QStringLiteral("mnu_modify"), Effetto::Progetto},
        {QStringLiteral("mnu_FB_Delete"), Effetto::Progetto},
        {QStringLiteral("mnu_FB_Insert_Before"), Effetto::Progetto},
        {QStringLiteral("mnu_FB_Insert_After"), Effetto::Progetto},
        {QStringLiteral("mnu_FB_Break"), Effetto::Progetto},
        {QStringLiteral("mnu_SetAsController"), Effetto::Dispositivo},
        {QStringLiteral("mnu_SetIP"), Effetto::Dispositivo},
    };
    return effetti.value(nome, Effetto::Nessuno);
}

QString citato(const QString& nome) { return QLatin1Char('"') + nome + QLatin1Char('"'); }

const QHash<QString, Azione>& azioniMenu()
{
    static const QHash<QString, Azione> azioni = {
        {QStringLiteral("mnu_new"),
         [] {
             if (NuovoProgetto())
                 InitProgetto();
         }},
        {QStringLiteral("mnu_close"), [] { NuovoProgetto(); }},
        {QStringLiteral("mnu_openProj"), [] { ApriProgetto(); }},
        {QStringLiteral("mnu_Export"), [] { EsportaEApri(); }},
        {QStringLiteral("mnu_SaveProj"), [] { SalvaProgetto(false); }},
        {QStringLiteral("mnu_saveAs"), [] { SalvaProgetto(true); }},
        {QStringLiteral("mnu_exit"),
         [] {
             if (HostFinestre* host = hostFinestre())
                 host->chiudiPrincipale();
         }},
        {QStringLiteral("mnu_controller"),
         [] {
             if (HostFinestre* host = hostFinestre())
                 host->mostraPagina(QStringLiteral("frm_Settings"), 0);
         }},
        {QStringLiteral("mnu_workspace"),
         [] {
             if (HostFinestre* host = hostFinestre())
                 host->mostraPagina(QStringLiteral("frm_Settings"), 1);
         }},
        {QStringLiteral("mnu_viewProj"), [] { mostra(QStringLiteral("frm_Progetto")); }},
        {QStringLiteral("mnu_program"), [] { mostra(QStringLiteral("Program")); }},
        {QStringLiteral("mnu_Registri"), [] { mostra(QStringLiteral("Registri")); }},
        {QStringLiteral("mnu_log"), [] {}},
        {QStringLiteral("mnu_search"), [] { mostra(QStringLiteral("frm_search")); }},
        {QStringLiteral("mnu_SetAsController"),
         [] { RicercaDispositivi::istanza().SetAsController(); }},
        {QStringLiteral("mnu_ViewHomePage"), [] { RicercaDispositivi::istanza().Elenco_DblClick(); }},
        {QStringLiteral("mnu_SetIP"), [] { RicercaDispositivi::istanza().SetIP(); }},
        {QStringLiteral("mnu_images"), [] { mostra(QStringLiteral("Input_Img")); }},
        {QStringLiteral("mnu_1000"),
         [] {
             FrmConfig.SetModello = QStringLiteral("KVR5200-IO");
             mostra(QStringLiteral("frm_Config"));
         }},
        {QStringLiteral("mnu_Format"), [] { mostra(QStringLiteral("frm_variabili")); }},
        {QStringLiteral("mnu_dialoga"), [] { mostra(QStringLiteral("frm_dialoga")); }},
        {QStringLiteral("mnu_scheduler"), [] { mostra(QStringLiteral("frm_scheduler"), false); }},
        {QStringLiteral("mnu_display"), [] { mostra(QStringLiteral("frm_display")); }},
        {QStringLiteral("mnu_Tables"), [] { mostra(QStringLiteral("Input_Tab")); }},
        {QStringLiteral("mnu_eeprom"), [] { mostra(QStringLiteral("frm_eeprom")); }},
        {QStringLiteral("mnu_mac"), [] { mostra(QStringLiteral("frm_LettMAC")); }},
        {QStringLiteral("mnu_About"), [] { mostra(QStringLiteral("frmAbout")); }},
        {QStringLiteral("mnu_modify"), [] { ComandoModifica(); }},
        {QStringLiteral("mnu_FB_Delete"), [] { ComandoCancella(); }},
        {QStringLiteral("mnu_FB_Insert_Before"), [] { ComandoInserisci(true); }},
        {QStringLiteral("mnu_FB_Insert_After"), [] { ComandoInserisci(false); }},
        {QStringLiteral("mnu_FB_Break"), [] { InvertiBreak(); }},
    };
    return azioni;
}

} // namespace

void Toolbar1_ButtonClick(const QString& chiave)
{
    const Effetto effetto = EffettoPulsante(chiave);
    // A refused key does nothing at all: nothing is sent, and a sequence's own loop
    // (a cyclic read) goes on.
    if (ComandoRifiutato(citato(chiave), effetto)) {
        AggiornaStato();
        return;
    }
    StopCom = 1;
    // A key that talks to the device never runs inside what holds the link: the click
    // has ended the loop, and the key runs once the loop has unwound, whole.
    if (effetto == Effetto::Dispositivo && !AttivitaInCorso().isEmpty()) {
        QuandoLibero([chiave] { Toolbar1_ButtonClick(chiave); });
        return;
    }
    // During a request's wait the click runs when the reply is in.
    if (RichiestaInCorso()) {
        AllaFineRichiesta([chiave] { Toolbar1_ButtonClick(chiave); });
        return;
    }
    const auto& azioni = azioniToolbar();
    if (const auto it = azioni.find(chiave); it != azioni.end())
        it.value()();
    AggiornaStato();
}

void ClickMenu(const QString& nome)
{
    if (ComandoRifiutato(citato(nome), effettoMenu(nome)))
        return;
    const auto& azioni = azioniMenu();
    if (const auto it = azioni.find(nome); it != azioni.end())
        it.value()();
}

bool MDIForm_Unload(bool sistema)
{
    if (sistema) {
        // The session is ending: nothing may keep the program open.
        ArrestaSequenza();
    } else if (!ChiusuraConsentita(QString(), [] {
                   if (HostFinestre* h = hostFinestre())
                       h->chiudiPrincipale();
               })) {
        return false;
    }
    // A polling loop ends before the question: nothing goes out while it is open.
    if (CicloInCorso())
        StopCom = 1;
    const HostFinestre* host = hostFinestre();
    const platform::MsgResult risposta = platform::msgBox(
        Testi.t(172), sistema ? platform::MsgButtons::YesNo : platform::MsgButtons::YesNoCancel,
        platform::MsgIcon::None, host ? host->caption() : QString());
    if (risposta == platform::MsgResult::Cancel)
        return false;
    bool chiude = true;
    if (risposta == platform::MsgResult::Yes)
        chiude = SalvaProgetto(true) || sistema;
    // A polling loop still running under this handler ends with the program.
    if (chiude)
        StopCom = 1;
    return chiude;
}

void InvertiBreak() { ComandoBreak(); }

} // namespace ludra
