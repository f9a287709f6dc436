#pragma once
// What an object code means: the kind of the object and its size within the kind.
#include <cstdint>

namespace ludra {

// The kinds, in the order of the designer's kind buttons.
enum class TipoOggetto { Label, Number, Date, Time, ProgressBar, Rectangle, Picture, Image,
                         Sconosciuto };

// Sizes as the size list orders them.
enum class Taglia { Small = 0, Medium = 1, Large = 2, Nessuna = -1 };

TipoOggetto TipoDaCodice(std::uint8_t codice);
Taglia TagliaDaCodice(std::uint8_t codice);
// The code of a kind in a size; the kind's only code for Image, ProgressBar and
// Rectangle, whatever the size.
std::uint8_t CodiceDa(TipoOggetto tipo, Taglia taglia);
// Display pixels of a size: 8, 16, 32.
int PixelTaglia(Taglia taglia);

inline constexpr int kLarghezzaDisplay = 132;
inline constexpr int kAltezzaDisplay = 32;

} // namespace ludra
