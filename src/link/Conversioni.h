#pragma once
// Conversions between numbers, bytes and texts for device frames, program images and
// controller memory. A value that does not fit gives no result (std::nullopt): the
// caller's own error path decides what that means.
#include <QByteArray>
#include <QString>
#include <array>
#include <cstdint>
#include <optional>
#include <span>

namespace ludra {

using CoppiaByte = std::array<std::uint8_t, 2>;
using QuartettoByte = std::array<std::uint8_t, 4>;

// [low, high]; -65536..65535, a negative value counting from 65536.
std::optional<CoppiaByte> WordInBytes(double value);
// As above, and writes the value plus 65536 back when it was negative.
std::optional<CoppiaByte> WordInBytesInOut(double& value);
std::int32_t BytesInWord(std::uint8_t alto, std::uint8_t basso, bool conSegno);

// High word first, each word low byte first: 0x12345678 gives 34 12 78 56. With the
// signed flag a negative value is replaced by value + 2^32 in the caller's variable.
std::optional<QuartettoByte> LongInBytes(double& value, bool conSegno);
double BytesInLong(std::uint8_t b0, std::uint8_t b1, std::uint8_t b2, std::uint8_t b3,
                   bool conSegno);

// IEEE 754 single, sign and exponent byte first.
QuartettoByte FloatInBytes(double value);
double BytesInFloat(std::uint8_t b0, std::uint8_t b1, std::uint8_t b2, std::uint8_t b3);

std::optional<QString> WordInHex(std::int32_t value);
std::optional<QByteArray> WordInStringa(std::int32_t value);
std::optional<QString> WordInBinario(std::int32_t value, bool spazio);
QString ByteInHex(std::uint8_t b);
// Two upper-case hexadecimal digits; anything else gives no result.
std::optional<std::uint8_t> HexInByte2(const QString& testo);
// Copies the bytes into the array from element 0; false (nothing copied) when the text
// is longer than the array.
bool StringaInBytes(const QByteArray& testo, std::span<std::uint8_t> destinazione);

} // namespace ludra
