#include "link/Checksum.h"

#include "platform/Dialogs.h"

#include <algorithm>
#include <array>

namespace ludra {

std::int16_t CRCHi = 0;
std::int16_t CRCLo = 0;

namespace {

// The CRC-16 register (reflected polynomial 0xA001) after one byte, for every byte: a
// reply is checked byte by byte on every receive event, so the eight shifts per byte
// are done once here.
constexpr std::array<std::uint16_t, 256> kTabellaCrc = [] {
    std::array<std::uint16_t, 256> t {};
    for (unsigned b = 0; b < 256; ++b) {
        unsigned r = b;
        for (int bit = 0; bit < 8; ++bit)
            r = (r & 1U) ? (r >> 1) ^ 0xA001U : r >> 1;
        t[b] = std::uint16_t(r);
    }
    return t;
}();

void crc16(std::span<const std::uint8_t> dati, int n)
{
    unsigned crc = 0xFFFF;
    const int fine = std::min<int>(n, int(dati.size()));
    for (int i = 0; i < fine; ++i)
        crc = (crc >> 8) ^ kTabellaCrc[(crc ^ dati[std::size_t(i)]) & 0xFFU];
    CRCHi = std::int16_t(crc >> 8);
    CRCLo = std::int16_t(crc & 0xFFU);
}

} // namespace

void CalcolaCRC(std::span<const std::uint8_t> dati, int n) { crc16(dati, n); }

bool ControllaCRC(std::span<const std::uint8_t> buffer, int n)
{
    if (n < 0 || std::size_t(n) + 2 > buffer.size())
        return false;
    crc16(buffer, n);
    if (CRCLo != buffer[std::size_t(n)]) {
        platform::msgBox(QStringLiteral("Errore Checksum 1"));
        return false;
    }
    if (CRCHi != buffer[std::size_t(n) + 1]) {
        platform::msgBox(QStringLiteral("Errore Checksum 2"));
        return false;
    }
    return true;
}

std::uint8_t CalcolaCRC8(const QByteArray& testo)
{
    unsigned crc = 0;
    for (const char c : testo) {
        crc ^= static_cast<unsigned char>(c);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 1U) ? ((crc >> 1) ^ 0x8CU) : (crc >> 1);
    }
    return std::uint8_t(crc);
}

} // namespace ludra
