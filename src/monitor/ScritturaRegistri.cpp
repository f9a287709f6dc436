#include "monitor/ScritturaRegistri.h"

#include "base/Notifiche.h"
#include "device/ScritturaRegistri.h"
#include "link/Sequenza.h"

namespace ludra {

ScritturaTipo ScritturaPerTipo(int tipo)
{
    switch (tipo) {
    case 0: case 1: case 6: case 7: case 9: return ScritturaTipo::Parola;
    case 2: case 3: return ScritturaTipo::Long;
    case 4: return ScritturaTipo::Float;
    default: return ScritturaTipo::Nessuna;   // K_Flt, ASCII, Table, no type
    }
}

EsitoComando ScriviValoreRegistro(int tipo, double valore, int r)
{
    if (r < 0 || r > 32767)
        return EsitoComando::Eseguito;
    const auto n = std::int16_t(r);
    const QString nome = QStringLiteral("Register write");
    return ComandoBreve(nome, [=]() mutable {
        // A Long or a Float takes two writes: nothing may land between them.
        const Sequenza sequenza(nome, TipoSequenza::Breve);
        if (!sequenza)
            return;
        switch (ScritturaPerTipo(tipo)) {
        case ScritturaTipo::Parola: ScriviRegistro(valore, 0, n); break;
        case ScritturaTipo::Long: ScriviRegistroLong(valore, 0, n); break;
        case ScritturaTipo::Float: ScriviRegistroFloat(valore, 0, n); break;
        case ScritturaTipo::Nessuna: break;
        }
        // Written at a loop's safe point, after its dialog has gone: shown at once all the
        // same, whether or not the loop refreshes.
        emit Notifiche::istanza().registriCambiati();
    }, {.unione = {}, .registro = true});
}

} // namespace ludra
