#pragma once
// The two checksums of the device protocols: the CRC-16 of Modbus RTU and the CRC-8
// the IP-setting frame of the discovery protocol carries.
#include <QByteArray>
#include <cstdint>
#include <span>

namespace ludra {

// Halves of the last CRC-16 computed (0 to 255 each); overwritten by every computation.
extern std::int16_t CRCHi;
extern std::int16_t CRCLo;

// CRC-16/MODBUS of elements 0 to n - 1 into CRCHi and CRCLo; a count of 0 or less
// leaves FF FF. A count beyond the array is clipped to it.
void CalcolaCRC(std::span<const std::uint8_t> dati, int n);

// True when elements n and n + 1 are the CRC-16 of elements 0 to n - 1, low byte first.
// A mismatch shows "Errore Checksum 1" (low byte) or "Errore Checksum 2" (high byte),
// whatever the caller wants of messages; fewer than two received bytes (n below 0)
// fail quietly.
bool ControllaCRC(std::span<const std::uint8_t> buffer, int n);

// CRC-8/MAXIM of the text's character codes.
std::uint8_t CalcolaCRC8(const QByteArray& testo);

} // namespace ludra
