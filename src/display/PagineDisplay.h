#pragma once
// The display pages of the KVR5460: up to nine pages of up to 32 objects.
#include <QString>
#include <array>
#include <cstdint>

namespace ludra {

struct OggettoDisplay {
    std::uint8_t Codice = 0;
    std::uint8_t PosX = 0;
    std::uint8_t PosY = 0;
    std::uint8_t DimX = 0;
    std::uint8_t DimY = 0;
    std::uint8_t Spessore = 0;
    std::array<QString, 2> Testo;
    std::int16_t Registro = 0;
    std::uint8_t TipoRegistro = 0;
    std::int16_t Bit = 0;
    double Max = 0;
    double Min = 0;
    std::uint8_t IdPicture1 = 0;
    std::uint8_t IdPicture0 = 0;
    bool Negato = false;
    bool Flag2 = false;
    bool Flag4 = false;
    bool Direzione = false;
};

inline constexpr int kMaxOggettiPagina = 32;
inline constexpr int kMaxPagine = 9;

struct PaginaDisplay {
    std::uint8_t NumOggetti = 0;   // objects 1..NumOggetti in use; slot 0 is scratch
    std::array<OggettoDisplay, kMaxOggettiPagina + 1> Oggetti{};
};

struct ListaPagine {
    std::uint8_t NumPagine = 0;
    std::array<PaginaDisplay, kMaxPagine> Pagine{};
};

extern ListaPagine PagineDisplay;

} // namespace ludra
