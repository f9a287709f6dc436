#include "app/ui/Main.h"
#include "app/ui/Principale.h"
#include "platform/Dialogs.h"
#include "platform/Shell.h"
#include "platform/ui/Applicazione.h"
#include "platform/ui/DesktopShell.h"
#include "platform/ui/QtDialogs.h"

#include <QApplication>

int main(int argc, char** argv)
{
    ludra::platform::Applicazione app(argc, argv);
    ludra::platform::DesktopShell shell;
    ludra::platform::setShell(&shell);
    ludra::ui::Main();
    ludra::platform::QtDialogs dialogs(&ludra::ui::Principale::istanza());
    ludra::platform::setDialogs(&dialogs);
    const int rc = app.exec();
    ludra::ui::Principale::distruggi();
    return rc;
}
