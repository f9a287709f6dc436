#include "link/Checksum.h"

#include "platform/Dialogs.h"

#include <algorithm>

namespace ludra {

std::int16_t CRCHi = 0;
std::int16_t CRCLo = 0;

namespace {

// The register kept as two byte halves, the way the frame carries it.
void crc16(std::span<const std::uint8_t> dati, int n)
{
    unsigned hi = 0xFF;
    unsigned lo = 0xFF;
    const int fine = std::min<int>(n, int(dati.size()));
    for (int i = 0; i < fine; ++i) {
        lo ^= dati[std::size_t(i)];
        for (int bit = 0; bit < 8; ++bit) {
            const unsigned uscito = lo & 1U;
            const unsigned riporto = hi & 1U;
            hi >>= 1;
            lo >>= 1;
            if (riporto)
                lo |= 0x80U;
            if (uscito) {
                hi ^= 0xA0U;
                lo ^= 0x01U;
            }
        }
    }
    CRCHi = std::int16_t(hi);
    CRCLo = std::int16_t(lo);
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
