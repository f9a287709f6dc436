#include "compiler/CodiceProgramma.h"

namespace ludra {

std::array<std::uint8_t, kDimCodice> CodiceProgramma{};
std::int32_t InizioDati = 0;
std::int32_t PuntDati = 0;
std::uint8_t NumComandi = 0;
std::uint8_t NumBlocchi = 0;
std::array<ErroreCompilazione, kMaxErrori> Errori;
std::int16_t NumErrori = 0;

std::int32_t FineBloccoInUso(std::int32_t indirizzo, int lunghezza)
{
    if (lunghezza < 3)
        return indirizzo + 2;
    return indirizzo + 2 + 4 * ((lunghezza - 2 + 3) / 4);
}

void AzzeraCompilazione()
{
    CodiceProgramma.fill(0);
    InizioDati = PuntDati = 0;
    NumComandi = NumBlocchi = 0;
    Errori = {};
    NumErrori = 0;
}

} // namespace ludra
