#include "app/ui/Collegamenti.h"

#include "app/ui/Log.h"
#include "app/ui/Principale.h"
#include "app/ui/frmAbout.h"
#include "app/ui/frm_Progetto.h"
#include "devconfig/ui/frm_Config.h"
#include "devconfig/ui/frm_LettMAC.h"
#include "devconfig/ui/frm_eeprom.h"
#include "discovery/ui/frm_search.h"
#include "display/ui/frm_display.h"
#include "base/Notifiche.h"
#include "fbeditor/ApriEditor.h"
#include "fbeditor/StatoComandi.h"
#include "fbeditor/ui/comandi.h"
#include "images/ui/Input_Img.h"
#include "ladder/ui/Program.h"
#include "app/ui/frm_Settings.h"
#include "monitor/ui/Input_Box.h"
#include "monitor/ui/Registri.h"
#include "monitor/ui/frm_variabili.h"
#include "scheduler/ui/frm_scheduler.h"
#include "tables/ui/Input_Tab.h"
#include "transfer/ui/frm_Download.h"
#include "transfer/ui/frm_dialoga.h"

namespace ludra::ui {

namespace {

template <typename Classe>
void registra(Principale& p, Finestra finestra)
{
    p.registraFinestra(finestra, [] { return new Classe; });
}

} // namespace

void Collega(Principale& principale)
{
    // The ladder sits below the editor and cannot call it: a line opened for editing
    // reaches it through the notice, for as long as the main window lives.
    QObject::connect(&Notifiche::istanza(), &Notifiche::modificaRigaChiesta, &principale,
                     [](int riga) { ApriEditor(riga); });
    registra<Log>(principale, Finestra::Log);
    registra<Program>(principale, Finestra::Program);
    registra<comandi>(principale, Finestra::comandi);
    registra<frm_Settings>(principale, Finestra::frm_Settings);
    registra<frmAbout>(principale, Finestra::frmAbout);
    registra<frm_Progetto>(principale, Finestra::frm_Progetto);
    registra<frm_Download>(principale, Finestra::frm_Download);
    registra<frm_search>(principale, Finestra::frm_search);
    registra<frm_Config>(principale, Finestra::frm_Config);
    registra<frm_variabili>(principale, Finestra::frm_variabili);
    registra<frm_eeprom>(principale, Finestra::frm_eeprom);
    registra<frm_LettMAC>(principale, Finestra::frm_LettMAC);
    registra<frm_dialoga>(principale, Finestra::frm_dialoga);
    registra<Input_Box>(principale, Finestra::Input_Box);
    registra<Input_Tab>(principale, Finestra::Input_Tab);
    registra<frm_display>(principale, Finestra::frm_display);
    registra<Input_Img>(principale, Finestra::Input_Img);
    registra<frm_scheduler>(principale, Finestra::frm_scheduler);
    principale.registraFinestra(Finestra::Registri, [] {
        auto* registri = new Registri;
        // A clicked register drops into the editor's active register argument.
        QObject::connect(registri, &Registri::registroCliccato, registri,
                         [](int n) { StatoComandi::istanza().RegistroCliccato(n); });
        return registri;
    });
}

} // namespace ludra::ui
