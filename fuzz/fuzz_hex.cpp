// The memory-image file (".hex"): the first input byte chooses how many lines are read and
// from which one on they must carry a byte; the rest is the file. A file taken writes
// back as lines that read the same bytes.
#include "Fuzz.h"
#include "transfer/FileHex.h"

#include <vector>

using namespace ludra;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dati, std::size_t n)
{
    fuzz::Avvia();
    if (n == 0)
        return 0;
    const std::size_t linee = 1 + dati[0] % 64;
    const std::size_t obbligatorieDa = (dati[0] >> 6) * linee / 3;
    const QString file = fuzz::Scrivi(QStringLiteral("f.hex"), fuzz::Byte(dati + 1, n - 1));
    std::vector<std::uint8_t> letti(linee, 7);
    if (LeggiFileHex(file, letti, obbligatorieDa))
        return 0;
    const QString copia = fuzz::Cartella() + QStringLiteral("/copia.hex");
    FUZZ_CHECK(!ScriviFileHex(copia, letti), QStringLiteral("cannot write the copy"));
    std::vector<std::uint8_t> riletti(linee, 9);
    const std::optional<QString> errore = LeggiFileHex(copia, riletti, 0);
    FUZZ_CHECK(!errore && riletti == letti,
               QStringLiteral("the copy reads back otherwise: ") + errore.value_or(QString()));
    return 0;
}
