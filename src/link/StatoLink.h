#pragma once
// The process-wide link settings and flags.
#include "link/Dispositivo.h"

#include <cstdint>

namespace ludra {

inline constexpr std::int16_t kModoRtu = 1;
inline constexpr std::int16_t kModoTcp = 2;

// The address the link points at until the user sets one: a device on a private
// network, as shipped from the factory.
inline constexpr const char* kIndirizzoPredefinito = "192.168.0.10";

extern Dispositivo Controllore;
extern std::int16_t ModoCom;          // 1 Modbus RTU, 2 Modbus TCP
extern std::int16_t TimeoutRTU;       // serial reply time-out, whole seconds
extern bool AttendiRisposta;
extern std::int16_t StopCom;          // 1 stops every polling loop

// Start-up values of the link (the settings start from these at every start).
void ImpostaDefaultLink();

} // namespace ludra
