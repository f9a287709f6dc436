#pragma once
// Reading a Windows bitmap file into its pixels. Every size in the headers is checked
// against the file before a byte is read; a file that is not an uncompressed bitmap of
// 1, 4, 8, 16, 24 or 32 bits per pixel, or larger than 255 x 255 pixels, is refused.
#include <QByteArray>
#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

namespace ludra {

struct PixelBmp {
    int larghezza = 0;
    int altezza = 0;
    std::vector<std::uint32_t> rgb;   // 0xRRGGBB, rows top to bottom

    std::uint32_t pixel(int x, int y) const
    {
        return rgb[std::size_t(y) * std::size_t(larghezza) + std::size_t(x)];
    }
};

struct EsitoBmp {
    std::optional<PixelBmp> pixel;
    QString errore;   // why the file was refused
};

inline constexpr int kMaxLatoBmp = 255;
inline constexpr qint64 kMaxFileBmp = 1 << 20;

EsitoBmp LeggiBmp(const QByteArray& dati);
EsitoBmp CaricaBmp(const QString& percorso);

} // namespace ludra
