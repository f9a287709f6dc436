#include "device/ScritturaRegistri.h"

#include "base/Log.h"
#include "link/Bersaglio.h"
#include "link/Conversioni.h"
#include "link/Richiesta.h"
#include "link/StatoLink.h"
#include "project/Registri.h"

#include <cfloat>
#include <cmath>
#include <optional>

namespace ludra {
namespace {

void errore()
{
    LogStart();
    LogWrite(QStringLiteral("Error"));
}

// One function 6 request; on success the table entry of the register (when the table
// has one) takes `valoreTabella`.
void scrivi(std::int16_t n, std::uint8_t alto, std::uint8_t basso, std::int32_t valoreTabella)
{
    const CoppiaByte registro = *WordInBytes(n);
    BuffTx[0] = NodoRichieste();
    BuffTx[1] = 6;
    BuffTx[2] = registro[1];
    BuffTx[3] = registro[0];
    BuffTx[4] = alto;
    BuffTx[5] = basso;
    LenTx = 6;
    if (InviaRichiesta(true) != kComOk) {
        errore();
        return;
    }
    if (n >= 0 && n < kRigheRegistri)
        TabellaRegistri[std::size_t(n)].Valore = valoreTabella;
}

std::int16_t successivo(std::int16_t n) { return std::int16_t(n + 1); }

} // namespace

void ScriviRegistro(double& valore, double, std::int16_t n)
{
    if (!std::isfinite(valore)) {
        errore();
        return;
    }
    const double arrotondato = std::nearbyint(valore);
    if (arrotondato < -32768.0 || arrotondato > 65535.0) {
        errore();
        return;
    }
    valore = arrotondato;
    const std::optional<CoppiaByte> b = WordInBytesInOut(valore);
    scrivi(n, (*b)[1], (*b)[0], std::int32_t(valore));
}

void ScriviRegistroLong(double& valore, double, std::int16_t n)
{
    if (!std::isfinite(valore) || std::nearbyint(valore) < -2147483648.0 ||
        std::nearbyint(valore) > 4294967295.0) {
        errore();
        return;
    }
    const std::optional<QuartettoByte> b = LongInBytes(valore, true);
    if (!b) {
        errore();
        return;
    }
    scrivi(n, (*b)[3], (*b)[2], BytesInWord((*b)[3], (*b)[2], true));
    scrivi(successivo(n), (*b)[1], (*b)[0], BytesInWord((*b)[1], (*b)[0], true));
}

void ScriviRegistroFloat(double& valore, double, std::int16_t n)
{
    if (!std::isfinite(valore) || std::fabs(valore) > double(FLT_MAX)) {
        errore();
        return;
    }
    const QuartettoByte f = FloatInBytes(valore);
    scrivi(n, f[2], f[3], BytesInWord(f[2], f[3], true));
    scrivi(successivo(n), f[0], f[1], BytesInWord(f[0], f[1], true));
}

} // namespace ludra
