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
#include "fbeditor/ApriEditor.h"
#include "fbeditor/StatoComandi.h"
#include "fbeditor/ui/comandi.h"
#include "images/ui/Input_Img.h"
#include "ladder/OperazioniRung.h"
#include "ladder/ui/Program.h"
#include "link/ui/frm_Settings.h"
#include "monitor/ui/Input_Box.h"
#include "monitor/ui/Registri.h"
#include "monitor/ui/frm_variabili.h"
#include "scheduler/ui/frm_scheduler.h"
#include "tables/ui/Input_Tab.h"
#include "transfer/ui/frm_Download.h"
#include "transfer/ui/frm_dialoga.h"

namespace ludra::ui {

namespace {

template <typename Finestra>
void registra(Principale& p, const QString& nome)
{
    p.registraFinestra(nome, [] { return new Finestra; });
}

QString nome(const char* n) { return QString::fromLatin1(n); }

} // namespace

void Collega(Principale& principale)
{
    registra<Log>(principale, nome("Log"));
    registra<Program>(principale, nome("Program"));
    registra<comandi>(principale, nome("comandi"));
    registra<frm_Settings>(principale, nome("frm_Settings"));
    registra<frmAbout>(principale, nome("frmAbout"));
    registra<frm_Progetto>(principale, nome("frm_Progetto"));
    registra<frm_Download>(principale, nome("frm_Download"));
    registra<frm_search>(principale, nome("frm_search"));
    registra<frm_Config>(principale, nome("frm_Config"));
    registra<frm_variabili>(principale, nome("frm_variabili"));
    registra<frm_eeprom>(principale, nome("frm_eeprom"));
    registra<frm_LettMAC>(principale, nome("frm_LettMAC"));
    registra<frm_dialoga>(principale, nome(frm_dialoga::kNome));
    registra<Input_Box>(principale, nome(Input_Box::kNome));
    registra<Input_Tab>(principale, nome(Input_Tab::kNome));
    registra<frm_display>(principale, nome(frm_display::kNome));
    registra<Input_Img>(principale, nome(Input_Img::kNome));
    registra<frm_scheduler>(principale, nome(frm_scheduler::kNome));
    principale.registraFinestra(nome("Registri"), [] {
        auto* registri = new Registri;
        // A clicked register drops into the editor's active register argument.
        QObject::connect(registri, &Registri::registroCliccato, registri,
                         [](int n) { StatoComandi::istanza().RegistroCliccato(n); });
        return registri;
    });

    ModificaRungHook = [](int riga) { ApriEditor(riga); };
}

} // namespace ludra::ui
