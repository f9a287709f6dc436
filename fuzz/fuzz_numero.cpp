// The number reader of the typed fields and the strict reader of table values, and the
// text a field shows for a number: what is shown reads back as the same text, and both
// readers agree on every text the strict one takes.
#include "Fuzz.h"
#include "base/Numeri.h"
#include "tables/FileTabellaCsv.h"

#include <cmath>
#include <cstring>

using namespace ludra;

namespace {

void mostraERileggi(double v)
{
    const QString mostrato = TestoNumero(v);
    const double riletto = LeggiNumero(mostrato);
    FUZZ_CHECK(TestoNumero(riletto) == mostrato,
               QStringLiteral("%1 shows \"%2\", which shows again as \"%3\"")
                   .arg(v, 0, 'g', 17).arg(mostrato, TestoNumero(riletto)));
    if (std::isfinite(v)) {
        FUZZ_CHECK(std::isfinite(riletto) && std::fabs(riletto - v) <= std::fabs(v) * 1e-14,
                   QStringLiteral("%1 shows \"%2\"").arg(v, 0, 'g', 17).arg(mostrato));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dati, std::size_t n)
{
    fuzz::Avvia();
    const QString testo = QString::fromLatin1(fuzz::Byte(dati, n));
    const double v = LeggiNumero(testo);
    mostraERileggi(v);
    if (const std::optional<double> stretto = NumeroStretto(testo)) {
        FUZZ_CHECK(*stretto == v || (std::isnan(*stretto) && std::isnan(v)),
                   QStringLiteral("\"%1\" reads %2 in a table and %3 in a field")
                       .arg(testo).arg(*stretto).arg(v));
    }
    // The first eight bytes as a double, any double at all.
    if (n >= sizeof(double)) {
        double d = 0;
        std::memcpy(&d, dati, sizeof d);
        mostraERileggi(d);
    }
    return 0;
}
