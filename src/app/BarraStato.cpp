#include "app/BarraStato.h"

#include "app/Notifiche.h"
#include "link/StatoLink.h"

namespace ludra {

BarraStato& BarraStato::istanza()
{
    static BarraStato b;
    return b;
}

const QString& BarraStato::pannello(int n) const
{
    static const QString vuoto;
    return n >= 1 && n <= 5 ? pannelli_[std::size_t(n - 1)] : vuoto;
}

void BarraStato::setPannello(int n, const QString& testo)
{
    if (n < 1 || n > 5 || pannelli_[std::size_t(n - 1)] == testo)
        return;
    pannelli_[std::size_t(n - 1)] = testo;
    emit Notifiche::istanza().statoCambiato();
}

void BarraStato::azzera()
{
    pannelli_ = {};
    emit Notifiche::istanza().statoCambiato();
}

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
