#pragma once
// The KVR1000 I/O modules the two module blocks address: the models each block offers,
// with their kind, and the resources (with the module register holding channel 0) and
// channel limits of each kind.
#include <QString>
#include <cstdint>
#include <span>

namespace ludra {

struct ModuloIO {
    const char* modello;
    std::uint8_t tipo;   // 0..4 analog in, 10..12 analog out, 20..23 digital
};

// The device list of "Read KVR1000" (all twelve models) and of "Write KVR1000" (the six
// with outputs), in list order.
std::span<const ModuloIO> ModuliLettura();
std::span<const ModuloIO> ModuliScrittura();

struct RisorsaModulo {
    const char* nome;
    std::uint16_t registroBase;
};

struct RisorseModulo {
    std::span<const RisorsaModulo> risorse;
    bool canaliNascosti = false;   // digital inputs: one register, channels fixed at 0
    std::int16_t canaleMin = 0;
    std::int16_t canaleMax = 7;
    std::int16_t numCanali = 8;
};

// What a module of this kind offers to the write block (scrittura) or the read block.
RisorseModulo RisorseDi(bool scrittura, int tipo);

} // namespace ludra
