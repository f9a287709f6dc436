#pragma once
// What a request's function code says about the reply: how long a reply frame is, how
// much data the request asked for, and where the replies end in what has arrived.
#include <cstdint>
#include <optional>
#include <span>

namespace ludra {

using Byte = std::uint8_t;

// Line silence that ends a reply whose end its bytes cannot tell.
inline constexpr int kSilenzioRispostaMs = 50;

// Length of the reply frame (address on, RTU checksum excluded) that starts at
// risposta, as far as its first bytes and the request tell; nothing when it cannot be
// told (an unknown function code, or too few bytes yet).
std::optional<int> LunghezzaRisposta(std::span<const Byte> richiesta,
                                     std::span<const Byte> risposta);

// The fewest reply bytes (address on, checksum excluded) that carry everything the
// request asked for: register or coil counts, memory counts. 2 when nothing more can
// be told.
int LunghezzaMinimaRisposta(std::span<const Byte> richiesta);

// Where the last of the RTU replies begins when the bytes are exactly one or more whole
// replies with valid checksums (a late reply followed by this request's own); nothing
// while that does not hold yet.
std::optional<int> FineRisposteRtu(std::span<const Byte> richiesta,
                                   std::span<const Byte> ricevuti);


} // namespace ludra
