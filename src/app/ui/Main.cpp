#include "app/ui/Main.h"

#include "app/Avvio.h"
#include "app/BarraStrumenti.h"
#include "app/Testi.h"
#include "app/ui/Log.h"
#include "app/ui/Principale.h"
#include "app/ui/frmAbout.h"
#include "app/ui/frm_Progetto.h"
#include "discovery/ui/frm_search.h"
#include "devconfig/ui/frm_Config.h"
#include "link/ui/frm_Settings.h"
#include "transfer/ui/frm_Download.h"
#include "transfer/ui/frm_dialoga.h"
#include "monitor/ui/Registri.h"
#include "fbeditor/ApriEditor.h"
#include "fbeditor/StatoComandi.h"
#include "fbeditor/ui/comandi.h"
#include "ladder/OperazioniRung.h"
#include "monitor/ui/Input_Box.h"
#include "ladder/ui/Program.h"
#include "platform/Resources.h"
#include "platform/Twips.h"
#include "platform/ui/Pictures.h"
#include "fbeditor/Ricodifica.h"
#include "project/FileProgetto.h"
#include "project/Progetto.h"
#include "tables/ui/Input_Tab.h"
#include "compiler/Compilatore.h"
#include "display/CompilaPagine.h"
#include "display/ui/frm_display.h"
#include "images/ui/Input_Img.h"
#include "scheduler/ui/frm_scheduler.h"
#include "monitor/ui/frm_variabili.h"
#include "devconfig/ui/frm_eeprom.h"
#include "devconfig/ui/frm_LettMAC.h"

#include <QMdiSubWindow>

namespace ludra::ui {

using platform::twipsToPx;

void Main()
{
    // A fresh process starts from zero; starting twice in one process (tests) must too.
    AzzeraStatoProcesso();
    SalvaProgettoHook = SalvaProgetto;
    RicodificaRungHook = RicodificaRiga;

    // 1. English texts and menu captions; the main window is created by this first use.
    Principale& principale = Principale::istanza();
    ImpostaLingua(kInglese);
    // 2.
    principale.CaricaImmagini();
    // 3 to 5.
    principale.setWindowIcon(platform::LoadResIcon(300));
    principale.setWindowTitle(platform::resources().string(500).value_or(QString()));
    principale.resize(twipsToPx(16000), twipsToPx(13000));
    // 6.
    CreaToolBar();
    // 7.
    AggiornaAuto = false;
    TempoAnimazione = 500;
    principale.registraFinestra(QStringLiteral("frm_Settings"), [] { return new frm_Settings; });
    principale.registraFinestra(QStringLiteral("Registri"), [] {
        auto* registri = new Registri;
        // A clicked register drops into the editor's active register argument.
        QObject::connect(registri, &Registri::registroCliccato, registri,
                         [](int n) { StatoComandi::istanza().RegistroCliccato(n); });
        return registri;
    });
    principale.registraFinestra(QStringLiteral("frmAbout"), [] { return new frmAbout; });
    principale.registraFinestra(QStringLiteral("frm_Download"), [] { return new frm_Download; });
    principale.registraFinestra(QStringLiteral("frm_Progetto"), [] { return new frm_Progetto; });
    principale.registraFinestra(QStringLiteral("frm_search"), [] { return new frm_search; });
    principale.registraFinestra(QString::fromLatin1(frm_dialoga::kNome),
                                [] { return new frm_dialoga; });
    principale.registraFinestra(QStringLiteral("frm_Config"), [] { return new frm_Config; });
    // 8. The Log window at the top left, loading it shows the main window with it.
    principale.registraFinestra(QStringLiteral("Log"), [] { return new Log; });
    principale.registraFinestra(QStringLiteral("comandi"), [] { return new comandi; });
    ModificaRungHook = [](int riga) { ApriEditor(riga); };
    principale.registraFinestra(QString::fromLatin1(Input_Box::kNome),
                                [] { return new Input_Box; });
    principale.registraFinestra(QString::fromLatin1(Input_Tab::kNome),
                                [] { return new Input_Tab; });
    principale.registraFinestra(QString::fromLatin1(frm_display::kNome),
                                [] { return new frm_display; });
    principale.registraFinestra(QString::fromLatin1(Input_Img::kNome),
                                [] { return new Input_Img; });
    principale.registraFinestra(QString::fromLatin1(frm_scheduler::kNome),
                                [] { return new frm_scheduler; });
    // A KVR5460 compile rebuilds the page units from the pages as they stand.
    ImpostaRigeneraPagine(CompilaOggetti);
    principale.registraFinestra(QStringLiteral("frm_variabili"),
                                [] { return new frm_variabili; });
    principale.registraFinestra(QStringLiteral("frm_eeprom"), [] { return new frm_eeprom; });
    principale.registraFinestra(QStringLiteral("frm_LettMAC"), [] { return new frm_LettMAC; });
    principale.carica(QStringLiteral("Log"));
    QMdiSubWindow* cornice = principale.cornice(QStringLiteral("Log"));
    cornice->setGeometry(0, 0, twipsToPx(Log::kLarghezzaTwips), twipsToPx(13000 - 3000));
    principale.show();
    principale.mostra(QStringLiteral("Log"));
    // 9 to 15.
    ImpostaStatoIniziale();
    // 16. The empty project, drawn in the ladder view.
    principale.registraFinestra(QStringLiteral("Program"), [] { return new Program; });
    InitProgetto();
}

} // namespace ludra::ui
