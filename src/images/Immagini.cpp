#include "images/Immagini.h"

namespace ludra {

std::array<Img, kMaxImmagini> Immagini;
std::uint8_t NumImmagini = 0;

void AzzeraImmagini()
{
    Immagini = {};
    NumImmagini = 0;
}

} // namespace ludra
