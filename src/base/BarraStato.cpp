#include "base/BarraStato.h"

#include "base/Notifiche.h"

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
    emit Notifiche::istanza().statoCambiato(n);
}

void BarraStato::azzera()
{
    for (int n = 1; n <= int(pannelli_.size()); ++n)
        setPannello(n, QString());
}

} // namespace ludra
