#pragma once
// The set-register dialog as its openers see it: its public fields and the bit editor's
// arithmetic.
#include "link/Bersaglio.h"

#include <QString>
#include <cstdint>

namespace ludra {

struct CampiInputBox {
    std::int16_t Indice = 0;   // register, when setting a register
    std::uint8_t Tipo = 0;     // kInputBoxRegistro or kInputBoxTesto
    Bersaglio Apertura;        // the project and device a register's dialog is on
};
inline constexpr std::uint8_t kInputBoxRegistro = 0;
inline constexpr std::uint8_t kInputBoxTesto = 1;

extern CampiInputBox InputBox;

// The two 16-bit words of the number a free text starts with, for the 32 bit buttons;
// a number the 32-bit split cannot take (negative, 2^32 or more) gives two zero words.
struct ParoleBit {
    std::uint16_t bassa = 0;
    std::uint16_t alta = 0;
};
ParoleBit ParoleDaTesto(const QString& testo);

// The value field after a bit click: the unsigned sum of the bits that show "1" in the
// rows that are shown (row 0 bits 0..15, row 1 bits 16..31), in decimal.
QString TestoDaBit(std::uint32_t bit, bool riga0, bool riga1);

} // namespace ludra
