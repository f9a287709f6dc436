#pragma once
// The display images of the KVR5460: monochrome bitmaps in 8-pixel vertical bands.
#include <QString>
#include <array>
#include <cstdint>

namespace ludra {

inline constexpr int kMaxImmagini = 9;
inline constexpr int kMaxByteImmagine = 529;

struct Img {
    QString Percorso;                               // the picture file it came from
    QString Nome;
    std::uint8_t Larghezza = 0;
    std::uint8_t Altezza = 0;
    std::array<std::uint8_t, kMaxByteImmagine> Bitmap{};
    std::int16_t NumByte = 0;
    std::int16_t Indirizzo = 0;   // offset in the program image, written by the compiler
};

extern std::array<Img, kMaxImmagini> Immagini;
extern std::uint8_t NumImmagini;

// Empties the store (as before the first start).
void AzzeraImmagini();

} // namespace ludra
