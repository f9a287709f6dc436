// A Modbus reply over TCP on 127.0.0.1, as the device's answer to a register read, a
// controller-memory read or a write: a reply the link takes belongs to its request.
#include "Link.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dati, std::size_t n)
{
    return ludra::fuzz::FuzzRisposta(ludra::fuzz::Mezzo::Tcp, dati, n);
}
