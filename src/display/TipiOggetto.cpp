#include "display/TipiOggetto.h"

namespace ludra {

TipoOggetto TipoDaCodice(std::uint8_t codice)
{
    switch (codice) {
    case 0: case 1: case 2: return TipoOggetto::Label;
    case 3: case 4: case 5: return TipoOggetto::Number;
    case 6: return TipoOggetto::Image;
    case 7: case 8: case 9: return TipoOggetto::Date;
    case 10: case 11: case 12: return TipoOggetto::Time;
    case 13: case 14: case 15: return TipoOggetto::Picture;
    case 16: return TipoOggetto::ProgressBar;
    case 17: return TipoOggetto::Rectangle;
    default: return TipoOggetto::Sconosciuto;
    }
}

Taglia TagliaDaCodice(std::uint8_t codice)
{
    // Codes run Large, Small, Medium within a kind.
    switch (codice) {
    case 1: case 4: case 8: case 11: case 14: return Taglia::Small;
    case 2: case 5: case 9: case 12: case 15: return Taglia::Medium;
    case 0: case 3: case 7: case 10: case 13: return Taglia::Large;
    default: return Taglia::Nessuna;
    }
}

std::uint8_t CodiceDa(TipoOggetto tipo, Taglia taglia)
{
    int base = 0;
    switch (tipo) {
    case TipoOggetto::Label: base = 0; break;
    case TipoOggetto::Number: base = 3; break;
    case TipoOggetto::Date: base = 7; break;
    case TipoOggetto::Time: base = 10; break;
    case TipoOggetto::Picture: base = 13; break;
    case TipoOggetto::Image: return 6;
    case TipoOggetto::ProgressBar: return 16;
    case TipoOggetto::Rectangle: return 17;
    case TipoOggetto::Sconosciuto: return 0;
    }
    switch (taglia) {
    case Taglia::Small: return std::uint8_t(base + 1);
    case Taglia::Medium: return std::uint8_t(base + 2);
    default: return std::uint8_t(base);
    }
}

int PixelTaglia(Taglia taglia)
{
    switch (taglia) {
    case Taglia::Medium: return 16;
    case Taglia::Large: return 32;
    default: return 8;
    }
}

} // namespace ludra
