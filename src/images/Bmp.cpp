#include "images/Bmp.h"

#include "platform/LetturaFile.h"

#include <QFile>

namespace ludra {

namespace {

std::uint32_t u16(const QByteArray& d, qint64 at)
{
    return std::uint32_t(std::uint8_t(d[at])) | (std::uint32_t(std::uint8_t(d[at + 1])) << 8);
}

std::uint32_t u32(const QByteArray& d, qint64 at)
{
    return u16(d, at) | (u16(d, at + 2) << 16);
}

EsitoBmp rifiuto(const QString& perche)
{
    return EsitoBmp{std::nullopt, perche};
}

const QString kNonBitmap = QStringLiteral("Not a bitmap file");
const QString kTroncato = QStringLiteral("The bitmap file is damaged or truncated");

} // namespace

EsitoBmp LeggiBmp(const QByteArray& d)
{
    const qint64 n = d.size();
    if (n < 26 || d[0] != 'B' || d[1] != 'M')
        return rifiuto(kNonBitmap);
    if (n > kMaxFileBmp)
        return rifiuto(QStringLiteral("The bitmap file is too large"));
    const qint64 offPixel = u32(d, 10);
    const qint64 dimHeader = u32(d, 14);
    qint64 larghezza = 0, altezza = 0;
    std::uint32_t bpp = 0, compressione = 0, colori = 0;
    int bytePalette = 4;
    if (dimHeader == 12) {
        // The old header's sizes are unsigned: its rows always run bottom up.
        larghezza = u16(d, 18);
        altezza = u16(d, 20);
        bpp = u16(d, 24);
        bytePalette = 3;
    } else if (dimHeader >= 40 && dimHeader <= 124) {
        if (n < 14 + dimHeader)
            return rifiuto(kTroncato);
        larghezza = std::int32_t(u32(d, 18));
        altezza = std::int32_t(u32(d, 22));
        bpp = u16(d, 28);
        compressione = u32(d, 30);
        colori = u32(d, 46);
    } else {
        return rifiuto(kNonBitmap);
    }
    if (14 + dimHeader > n)
        return rifiuto(kTroncato);
    const bool dallAlto = altezza < 0;
    if (dallAlto)
        altezza = -altezza;
    if (larghezza < 0)
        return rifiuto(kNonBitmap);
    if (larghezza == 0 || altezza == 0)
        return rifiuto(QStringLiteral("The picture has no pixels: %1 x %2").arg(larghezza).arg(altezza));
    if (larghezza > kMaxLatoBmp || altezza > kMaxLatoBmp)
        return rifiuto(QStringLiteral("The picture is larger than %1 x %1 pixels").arg(kMaxLatoBmp));
    const bool profonditaNota = bpp == 1 || bpp == 4 || bpp == 8 || bpp == 16 || bpp == 24 || bpp == 32;
    if (!profonditaNota || compressione != 0)
        return rifiuto(QStringLiteral("Unsupported bitmap: %1 bits per pixel, compression %2")
                           .arg(bpp).arg(compressione));

    // The palette sits between the header and the pixels.
    std::vector<std::uint32_t> palette;
    if (bpp <= 8) {
        const qint64 massimo = qint64(1) << bpp;
        const qint64 voci = colori == 0 ? massimo : qint64(colori);
        if (voci > massimo)
            return rifiuto(kTroncato);
        const qint64 inizio = 14 + dimHeader;
        if (inizio + voci * bytePalette > std::min(n, offPixel))
            return rifiuto(kTroncato);
        for (qint64 i = 0; i < voci; ++i) {
            const qint64 at = inizio + i * bytePalette;
            palette.push_back((std::uint32_t(std::uint8_t(d[at + 2])) << 16)
                              | (std::uint32_t(std::uint8_t(d[at + 1])) << 8)
                              | std::uint8_t(d[at]));
        }
    }
    const qint64 riga = ((qint64(bpp) * larghezza + 31) / 32) * 4;
    if (offPixel < 14 + dimHeader || offPixel > n || riga * altezza > n - offPixel)
        return rifiuto(kTroncato);

    PixelBmp px;
    px.larghezza = int(larghezza);
    px.altezza = int(altezza);
    px.rgb.resize(std::size_t(larghezza * altezza));
    for (qint64 y = 0; y < altezza; ++y) {
        const qint64 base = offPixel + (dallAlto ? y : altezza - 1 - y) * riga;
        for (qint64 x = 0; x < larghezza; ++x) {
            std::uint32_t colore = 0;
            if (bpp <= 8) {
                const qint64 bit = x * bpp;
                const std::uint8_t b = std::uint8_t(d[base + bit / 8]);
                const unsigned indice = (b >> (8 - bpp - bit % 8)) & ((1u << bpp) - 1);
                if (indice >= palette.size())
                    return rifiuto(kTroncato);
                colore = palette[indice];
            } else if (bpp == 16) {
                const std::uint32_t v = u16(d, base + x * 2);
                const auto canale = [](std::uint32_t c) { return (c << 3) | (c >> 2); };
                colore = (canale((v >> 10) & 31) << 16) | (canale((v >> 5) & 31) << 8)
                         | canale(v & 31);
            } else {
                const qint64 at = base + x * (bpp / 8);
                colore = (std::uint32_t(std::uint8_t(d[at + 2])) << 16)
                         | (std::uint32_t(std::uint8_t(d[at + 1])) << 8) | std::uint8_t(d[at]);
            }
            px.rgb[std::size_t(y * larghezza + x)] = colore;
        }
    }
    return EsitoBmp{std::move(px), QString()};
}

EsitoBmp CaricaBmp(const QString& percorso)
{
    QFile file(percorso);
    QString perche;
    if (!platform::ApriFileRegolare(file, perche))
        return rifiuto(QStringLiteral("Cannot read %1: %2").arg(percorso, perche));
    if (file.size() > kMaxFileBmp)
        return rifiuto(QStringLiteral("The bitmap file is too large"));
    return LeggiBmp(file.read(kMaxFileBmp + 1));
}

} // namespace ludra
