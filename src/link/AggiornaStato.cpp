#include "link/AggiornaStato.h"

#include "base/BarraStato.h"
#include "link/StatoLink.h"

namespace ludra {

void AggiornaStato()
{
    BarraStato& barra = BarraStato::istanza();
    if (Controllore.Connesso) {
        barra.setPannello(1, QStringLiteral("Connected"));
        barra.setPannello(2, ModoDebugIgnoto         ? QString()
                             : Controllore.ModoDebug ? QStringLiteral("Debug Mode")
                                                     : QStringLiteral("Release Mode"));
        if (Controllore.StatoRun == 255 || Controllore.StatoRun == 90)
            barra.setPannello(3, QStringLiteral("RUN"));
        else if (Controllore.StatoRun == 100)
            barra.setPannello(3, QStringLiteral("Stop"));
    } else {
        barra.setPannello(1, QStringLiteral("Not Connected"));
        barra.setPannello(2, QString());
        barra.setPannello(3, QString());
    }
}

} // namespace ludra
