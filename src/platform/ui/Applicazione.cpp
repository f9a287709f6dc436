#include "platform/ui/Applicazione.h"

#include "platform/LocaleSistema.h"
#include "platform/ui/StileApplicazione.h"

namespace ludra::platform {

namespace dettaglio {

SceltaCiclo::SceltaCiclo()
{
    if (qEnvironmentVariableIsSet("QT_NO_GLIB"))
        prima_ = qgetenv("QT_NO_GLIB");
    qputenv("QT_NO_GLIB", "1");
}

void SceltaCiclo::ripristina()
{
    if (prima_)
        qputenv("QT_NO_GLIB", *prima_);
    else
        qunsetenv("QT_NO_GLIB");
}

} // namespace dettaglio

Applicazione::Applicazione(int& argc, char** argv) : QApplication(argc, argv)
{
    ripristina();
    // The application object has just set the C library's locale from the environment.
    FissaLocale();
    setAttribute(Qt::AA_DontUseNativeDialogs);
    setStyle(new StileApplicazione(style()->name()));
}

} // namespace ludra::platform
