#pragma once
// The controller's 1-bit image format and the store's insert.
#include "images/Bmp.h"
#include "images/Immagini.h"

#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

namespace ludra {

// Bands of 8 rows from the top, band-major, columns left to right; bit b of a byte is
// row 8j + b; a pixel is 1 only when exactly black.
std::vector<std::uint8_t> ConvertiBitmap(const PixelBmp& pixel);

struct EsitoInserimento {
    int slot = -1;        // the image written, -1 when refused
    bool nuova = false;   // appended to the store
    QString errore;
};

// Inserts the picture converted from `percorso`: over the selected image when it came
// from the same file, otherwise as a new image named `nome`. Refused, with the store
// unchanged, when no slot is free or the conversion does not fit.
EsitoInserimento InserisciImmagine(int selezionata, const QString& percorso,
                                   const QString& nome, const PixelBmp& pixel);

} // namespace ludra
