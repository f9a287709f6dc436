#include "link/Conversioni.h"

#include "link/Sequenza.h"
#include "platform/Waiter.h"

#include <bit>
#include <cmath>
#include <cstring>

namespace ludra {
namespace {

// Callers hand integers; a fraction is rounded to the nearest one.
double intero(double v) { return std::nearbyint(v); }

} // namespace

std::optional<CoppiaByte> WordInBytesInOut(double& value)
{
    if (!std::isfinite(value))
        return std::nullopt;
    double v = intero(value);
    if (v < -65536.0 || v > 65535.0)
        return std::nullopt;
    if (v < 0) {
        v += 65536.0;
        value = v;
    }
    const int n = int(v);
    return CoppiaByte{std::uint8_t(n & 0xFF), std::uint8_t((n >> 8) & 0xFF)};
}

std::optional<CoppiaByte> WordInBytes(double value) { return WordInBytesInOut(value); }

std::int32_t BytesInWord(std::uint8_t alto, std::uint8_t basso, bool conSegno)
{
    std::int32_t v = alto * 256 + basso;
    if (conSegno && v >= 32768)
        v -= 65536;
    return v;
}

std::optional<QuartettoByte> LongInBytes(double& value, bool conSegno)
{
    if (!std::isfinite(value))
        return std::nullopt;
    double v = intero(value);
    if (conSegno && v < 0) {
        v += 4294967296.0;
        value = v;
    }
    if (v < 0 || v >= 4294967296.0)
        return std::nullopt;
    const auto n = std::uint32_t(v);
    const std::uint32_t alta = n >> 16;
    const std::uint32_t bassa = n & 0xFFFF;
    return QuartettoByte{std::uint8_t(alta & 0xFF), std::uint8_t(alta >> 8),
                         std::uint8_t(bassa & 0xFF), std::uint8_t(bassa >> 8)};
}

double BytesInLong(std::uint8_t b0, std::uint8_t b1, std::uint8_t b2, std::uint8_t b3,
                   bool conSegno)
{
    double v = b0 * 16777216.0 + b1 * 65536.0 + b2 * 256.0 + b3;
    if (conSegno && v >= 2147483648.0)
        v -= 4294967296.0;
    return v;
}

QuartettoByte FloatInBytes(double value)
{
    // The conversion rounds to nearest, ties to even; values beyond the single range
    // become infinities, which the callers never hand over.
    const auto bits = std::bit_cast<std::uint32_t>(static_cast<float>(value));
    if ((bits & 0x7FFFFFFFu) == 0)
        return {0, 0, 0, 0};
    return {std::uint8_t(bits >> 24), std::uint8_t(bits >> 16), std::uint8_t(bits >> 8),
            std::uint8_t(bits)};
}

double BytesInFloat(std::uint8_t b0, std::uint8_t b1, std::uint8_t b2, std::uint8_t b3)
{
    const std::uint32_t bits = (std::uint32_t(b0) << 24) | (std::uint32_t(b1) << 16)
                               | (std::uint32_t(b2) << 8) | b3;
    return double(std::bit_cast<float>(bits));
}

QString ByteInHex(std::uint8_t b)
{
    return QStringLiteral("%1").arg(b, 2, 16, QLatin1Char('0')).toUpper();
}

std::optional<QString> WordInHex(std::int32_t value)
{
    const auto w = WordInBytes(value);
    if (!w)
        return std::nullopt;
    return ByteInHex((*w)[1]) + ByteInHex((*w)[0]);
}

std::optional<QByteArray> WordInStringa(std::int32_t value)
{
    const auto w = WordInBytes(value);
    if (!w)
        return std::nullopt;
    QByteArray s;
    s.append(char((*w)[0]));
    s.append(char((*w)[1]));
    return s;
}

std::optional<QString> WordInBinario(std::int32_t value, bool spazio)
{
    const auto w = WordInBytes(value);
    if (!w)
        return std::nullopt;
    auto bits = [](std::uint8_t b) {
        QString s;
        for (int i = 7; i >= 0; --i)
            s += (b >> i) & 1 ? QLatin1Char('1') : QLatin1Char('0');
        return s;
    };
    return bits((*w)[1]) + (spazio ? QStringLiteral(" ") : QString()) + bits((*w)[0]);
}

std::optional<std::uint8_t> HexInByte2(const QString& testo)
{
    auto cifra = [](QChar c) -> int {
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
            return c.unicode() - '0';
        if (c >= QLatin1Char('A') && c <= QLatin1Char('F'))
            return c.unicode() - 'A' + 10;
        return -1;
    };
    if (testo.size() < 2)
        return std::nullopt;
    const int alta = cifra(testo[0]);
    const int bassa = cifra(testo[1]);
    if (alta < 0 || bassa < 0)
        return std::nullopt;
    return std::uint8_t(alta * 16 + bassa);
}

bool StringaInBytes(const QByteArray& testo, std::span<std::uint8_t> destinazione)
{
    if (std::size_t(testo.size()) > destinazione.size())
        return false;
    if (!testo.isEmpty())
        std::memcpy(destinazione.data(), testo.constData(), std::size_t(testo.size()));
    return true;
}

void Pausa(double secondi)
{
    // A sequence asked to stop has nothing left to wait for.
    if (secondi > 0)
        platform::pause(secondi, [] { return Sequenza::arrestata(); });
}

} // namespace ludra
