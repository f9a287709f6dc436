// The MAC register file, loaded as the window loads it: a refused file leaves the
// register as it was; a register taken writes a file that reads back the same.
#include "Fuzz.h"
#include "devconfig/RegistroMac.h"

using namespace ludra;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dati, std::size_t n)
{
    fuzz::Avvia();
    const std::vector<RecordMac> prima = {{QStringLiteral("00-04-A3-00-00-01"), 1,
                                           QStringLiteral("12"), QStringLiteral("24"),
                                           QStringLiteral("cliente")}};
    RegistroMac registro;
    registro.ElencoMac = prima;
    registro.FileMac = fuzz::Scrivi(QStringLiteral("mac.csv"), fuzz::Byte(dati, n));
    if (!registro.carica()) {
        FUZZ_CHECK(registro.ElencoMac == prima, QStringLiteral("refused but changed"));
        return 0;
    }
    QString errore;
    const QByteArray scritto = TestoRegistroMac(registro.ElencoMac);
    const auto riletti = LeggiRegistroMac(scritto, errore);
    FUZZ_CHECK(riletti && *riletti == registro.ElencoMac,
               QStringLiteral("what was written reads back otherwise: ") + errore);
    return 0;
}
