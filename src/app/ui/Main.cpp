#include "app/TabellaComandi.h"
#include "app/ui/Main.h"

#include "app/Avvio.h"
#include "base/BarraStrumenti.h"
#include "base/Testi.h"
#include "app/ui/Collegamenti.h"
#include "app/ui/Log.h"
#include "app/ui/Principale.h"
#include "platform/Resources.h"
#include "platform/Twips.h"
#include "platform/ui/Geometria.h"
#include "platform/ui/Pictures.h"
#include "project/Progetto.h"
#include "projectfiles/NuovoProgetto.h"

#include <QApplication>
#include <QMdiSubWindow>

namespace ludra::ui {

using platform::twipsToPx;

void Main()
{
    // A fresh process starts from zero; starting twice in one process (tests) must too.
    AzzeraStatoProcesso();

    // 1. English texts and menu captions; the main window is created by this first use.
    Principale& principale = Principale::istanza();
    principale.trattieniTitoli();
    Collega(principale);
    ImpostaLingua(kInglese);
    // 2.
    principale.CaricaImmagini();
    // 3 to 5.
    const QIcon icona = platform::LoadResIcon(300);
    principale.setWindowIcon(icona);
    // The application's too: a window's frame is built before it joins the main window,
    // and without an icon to find it reads and draws a picture of the style's.
    QApplication::setWindowIcon(icona);
    principale.setWindowTitle(platform::resources().string(500).value_or(QString()));
    // The designed size where the screen holds it; a laptop's smaller screen cuts it, so
    // that the status bar and the child windows' buttons stay in view.
    principale.resize(twipsToPx(16000), twipsToPx(13000));
    platform::nelloSchermo(&principale);
    // 6.
    CreaToolBar();
    // 7.
    AggiornaAuto = false;
    TempoAnimazione = 500;
    // 8. The Log window at the top left, loading it shows the main window with it.
    principale.carica(Finestra::Log);
    QMdiSubWindow* cornice = principale.cornice(Finestra::Log);
    cornice->setGeometry(0, 0, twipsToPx(Log::kLarghezzaTwips), twipsToPx(13000 - 3000));
    principale.show();
    // Shown, the window has its frame where the window system gives it one at once.
    platform::nelloSchermo(&principale);
    principale.mostra(Finestra::Log);
    // 9 to 15.
    ImpostaStatoIniziale();
    // 16. The empty project, drawn in the ladder view.
    InitProgetto();
    principale.rilasciaTitoli();
}

} // namespace ludra::ui
