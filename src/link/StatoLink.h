#pragma once
// The process-wide link settings and flags.
#include "link/Dispositivo.h"

#include <QByteArray>
#include <array>
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
// The controller's debug mode could not be read after connecting: the status bar shows
// no mode and nothing is downloaded until it is read.
extern bool ModoDebugIgnoto;

// The request and reply frames: slave address, function code, data. The RTU checksum is
// appended to BuffTx by the request and kept at the end of BuffRx.
inline constexpr std::size_t kDimBuffer = 256;
extern std::array<std::uint8_t, kDimBuffer> BuffTx;
extern std::int16_t LenTx;
extern std::array<std::uint8_t, kDimBuffer> BuffRx;
extern std::int16_t LenRx;
extern QByteArray StringaRx;          // raw reply bytes as they are collected
extern std::int16_t DatiRicevuti;     // 1 when bytes arrived since it was last cleared
extern bool MonitorCom;               // show each reply in the manual request window

// Start-up values of the link (the settings start from these at every start).
void ImpostaDefaultLink();
// Back to the zero state of a fresh process; closes the serial line and the socket.
void AzzeraStatoLink();

} // namespace ludra
