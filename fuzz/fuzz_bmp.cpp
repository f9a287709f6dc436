// The bitmap reader and the conversion to the controller's 1-bit image: a picture taken
// has the size its header gives, within the limits, and converts.
#include "Fuzz.h"
#include "images/Conversione.h"

#include <algorithm>

using namespace ludra;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dati, std::size_t n)
{
    fuzz::Avvia();
    const EsitoBmp esito = LeggiBmp(fuzz::Byte(dati, n));
    if (!esito.pixel) {
        FUZZ_CHECK(!esito.errore.isEmpty(), QStringLiteral("refused without a reason"));
        return 0;
    }
    const PixelBmp& px = *esito.pixel;
    FUZZ_CHECK(px.larghezza >= 1 && px.larghezza <= kMaxLatoBmp && px.altezza >= 1 &&
                   px.altezza <= kMaxLatoBmp &&
                   px.rgb.size() == std::size_t(px.larghezza) * std::size_t(px.altezza),
               QStringLiteral("%1 x %2 pixels, %3 held").arg(px.larghezza).arg(px.altezza)
                   .arg(px.rgb.size()));
    for (const std::uint32_t c : px.rgb)
        FUZZ_CHECK(c <= 0xFFFFFF, QStringLiteral("colour %1").arg(c, 0, 16));
    const std::vector<std::uint8_t> bit = ConvertiBitmap(px);
    const std::size_t bande = std::size_t(px.altezza + 7) / 8;
    FUZZ_CHECK(bit.size() == bande * std::size_t(px.larghezza),
               QStringLiteral("%1 bytes for %2 x %3").arg(bit.size()).arg(px.larghezza)
                   .arg(px.altezza));
    // Into the store: all of it, or nothing when it does not fit.
    NumImmagini = 0;
    const EsitoInserimento messa = InserisciImmagine(-1, QStringLiteral("f.bmp"),
                                                     QStringLiteral("f"), px);
    if (bit.size() > std::size_t(kMaxByteImmagine)) {
        FUZZ_CHECK(messa.slot < 0 && NumImmagini == 0, QStringLiteral("too large, yet stored"));
    } else {
        FUZZ_CHECK(messa.slot == 0 && NumImmagini == 1 &&
                       std::equal(bit.begin(), bit.end(), Immagini[0].Bitmap.begin()),
                   QStringLiteral("stored otherwise: ") + messa.errore);
    }
    return 0;
}
