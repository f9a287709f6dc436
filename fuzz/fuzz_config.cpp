// A device's configuration read: the first input byte chooses the model, the rest are
// the device's replies, one to each request, separated as Fuzz.h says (the device adds
// the frame header). A read that fails leaves every field as it was.
#include "Fuzz.h"
#include "Link.h"
#include "devconfig/LetturaConfig.h"

#include <array>

using namespace ludra;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dati, std::size_t n)
{
    static constexpr std::array<const char*, 17> kModelli = {
        "KVR5200", "KVR5200-IO", "KVR5200-DL", "KVR5200-DL-IO", "KVR5460", "KVR1104",
        "KVR1113", "KVR1121", "KVR1135", "KVR1142", "KVR1167", "KVR1173", "KVR1186",
        "KVR1212", "KVR1225", "KVR1231", "KVR1249"};
    fuzz::Avvia();
    static fuzz::Periferica periferica(fuzz::Mezzo::Tcp);
    if (n == 0)
        return 0;
    FUZZ_CHECK(periferica.collega(fuzz::Pezzi(fuzz::Byte(dati + 1, n - 1)), true),
               QStringLiteral("the link does not connect"));
    CampiConfig campi;
    campi.txt_nome = QStringLiteral("prima");
    campi.Text3.fill(QStringLiteral("1"));
    campi.led[3] = true;
    const CampiConfig prima = campi;
    if (!LeggiConfigurazione(QLatin1String(kModelli[dati[0] % kModelli.size()]),
                             QStringLiteral("1"), campi))
        FUZZ_CHECK(campi == prima, QStringLiteral("the read failed but fields changed"));
    periferica.scollega();
    return 0;
}
