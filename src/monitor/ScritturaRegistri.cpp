#include "monitor/ScritturaRegistri.h"

#include "app/Log.h"
#include "link/Conversioni.h"
#include "link/Richiesta.h"
#include "link/StatoLink.h"
#include "project/Registri.h"

#include <cmath>

namespace ludra {
namespace {

// One function 6 request: register r := alto * 256 + basso.
bool scriviParola(int r, std::uint8_t alto, std::uint8_t basso)
{
    const auto numero = WordInBytes(r).value_or(CoppiaByte{0, 0});
    BuffTx[0] = Controllore.Nodo;
    BuffTx[1] = 6;
    BuffTx[2] = numero[1];
    BuffTx[3] = numero[0];
    BuffTx[4] = alto;
    BuffTx[5] = basso;
    LenTx = 6;
    if (InviaRichiesta(true) == kComOk)
        return true;
    LogStart();
    LogWrite(QStringLiteral("Error"));
    return false;
}

void memorizza(int r, std::int32_t valore)
{
    if (r >= 0 && r <= NumRegistri && r < kRigheRegistri)
        TabellaRegistri[std::size_t(r)].Valore = valore;
}

void scriviRegistro(double valore, int r)
{
    // The table keeps the word as written: rounded half to even, a negative value in its
    // unsigned form.
    valore = std::nearbyint(valore);
    const auto b = WordInBytesInOut(valore);
    if (!b)
        return;
    if (scriviParola(r, (*b)[1], (*b)[0]))
        memorizza(r, std::int32_t(valore));
}

void scriviRegistroLong(double valore, int r)
{
    const auto b = LongInBytes(valore, true);
    if (!b)
        return;
    // Register r the low word, r + 1 the high word; the second write is tried whatever
    // became of the first.
    if (scriviParola(r, (*b)[3], (*b)[2]))
        memorizza(r, BytesInWord((*b)[3], (*b)[2], true));
    if (scriviParola(r + 1, (*b)[1], (*b)[0]))
        memorizza(r + 1, BytesInWord((*b)[1], (*b)[0], true));
}

void scriviRegistroFloat(double valore, int r)
{
    const QuartettoByte f = FloatInBytes(valore);
    if (scriviParola(r, f[2], f[3]))
        memorizza(r, BytesInWord(f[2], f[3], true));
    if (scriviParola(r + 1, f[0], f[1]))
        memorizza(r + 1, BytesInWord(f[0], f[1], true));
}

} // namespace

ScritturaTipo ScritturaPerTipo(int tipo)
{
    switch (tipo) {
    case 0: case 1: case 6: case 7: case 9: return ScritturaTipo::Parola;
    case 2: case 3: return ScritturaTipo::Long;
    case 4: return ScritturaTipo::Float;
    default: return ScritturaTipo::Nessuna;   // K_Flt, ASCII, Table, no type
    }
}

void ScriviValoreRegistro(int tipo, double valore, int r)
{
    switch (ScritturaPerTipo(tipo)) {
    case ScritturaTipo::Parola: scriviRegistro(valore, r); break;
    case ScritturaTipo::Long: scriviRegistroLong(valore, r); break;
    case ScritturaTipo::Float: scriviRegistroFloat(valore, r); break;
    case ScritturaTipo::Nessuna: break;
    }
}

} // namespace ludra
