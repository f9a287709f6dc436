#include "images/Conversione.h"

#include <algorithm>

namespace ludra {

std::vector<std::uint8_t> ConvertiBitmap(const PixelBmp& px)
{
    std::vector<std::uint8_t> byte;
    for (int y = 0; y < px.altezza; y += 8) {
        for (int x = 0; x < px.larghezza; ++x) {
            std::uint8_t b = 0;
            for (int k = 0; k < 8 && y + k < px.altezza; ++k) {
                if (px.pixel(x, y + k) == 0)
                    b = std::uint8_t(b | (1u << k));
            }
            byte.push_back(b);
        }
    }
    return byte;
}

EsitoInserimento InserisciImmagine(int selezionata, const QString& percorso,
                                   const QString& nome, const PixelBmp& px)
{
    EsitoInserimento esito;
    const int usate = std::min(int(NumImmagini), kMaxImmagini);
    const bool stessa = selezionata >= 0 && selezionata < usate
                        && Immagini[std::size_t(selezionata)].Percorso == percorso;
    if (!stessa && usate >= kMaxImmagini) {
        esito.errore = QStringLiteral("No room for another image (%1 at most)").arg(kMaxImmagini);
        return esito;
    }
    if (px.larghezza > kMaxLatoBmp || px.altezza > kMaxLatoBmp) {
        esito.errore = QStringLiteral("The picture is larger than %1 x %1 pixels").arg(kMaxLatoBmp);
        return esito;
    }
    const std::vector<std::uint8_t> byte = ConvertiBitmap(px);
    if (byte.size() > std::size_t(kMaxByteImmagine)) {
        esito.errore = QStringLiteral("The picture needs %1 bytes, more than %2")
                           .arg(byte.size()).arg(kMaxByteImmagine);
        return esito;
    }
    esito.nuova = !stessa;
    esito.slot = stessa ? selezionata : usate;
    Img& img = Immagini[std::size_t(esito.slot)];
    if (esito.nuova) {
        img.Nome = nome;
        NumImmagini = std::uint8_t(usate + 1);
    }
    img.Percorso = percorso;
    img.Larghezza = std::uint8_t(px.larghezza);
    img.Altezza = std::uint8_t(px.altezza);
    img.Bitmap = {};
    std::copy(byte.begin(), byte.end(), img.Bitmap.begin());
    img.NumByte = std::int16_t(byte.size());
    return esito;
}

} // namespace ludra
