#pragma once
// Small bitmap files made on the spot, for the readers' tests.
#include <QByteArray>
#include <cstdint>
#include <functional>

namespace ludra::test {

inline void metti16(QByteArray& d, int at, int v) { d[at] = char(v & 0xFF); d[at + 1] = char((v >> 8) & 0xFF); }
inline void metti32(QByteArray& d, int at, qint64 v)
{
    metti16(d, at, int(v & 0xFFFF));
    metti16(d, at + 2, int((v >> 16) & 0xFFFF));
}

// A bottom-up bitmap with a 40-byte header; `colore`(x, y) gives 0xRRGGBB (24/32 bits)
// or a palette index (1/8 bits, palette black then white then greys).
inline QByteArray bmp(int w, int h, int bpp, const std::function<std::uint32_t(int, int)>& colore)
{
    const int voci = bpp <= 8 ? (1 << bpp) : 0;
    const int riga = ((bpp * w + 31) / 32) * 4;
    const int off = 54 + voci * 4;
    QByteArray d(off + riga * h, '\0');
    d[0] = 'B';
    d[1] = 'M';
    metti32(d, 2, d.size());
    metti32(d, 10, off);
    metti32(d, 14, 40);
    metti32(d, 18, w);
    metti32(d, 22, h);
    metti16(d, 26, 1);
    metti16(d, 28, bpp);
    for (int i = 0; i < voci; ++i) {
        const int g = i == 0 ? 0 : (i == 1 ? 255 : i);
        d[54 + i * 4] = d[55 + i * 4] = d[56 + i * 4] = char(g);
    }
    for (int y = 0; y < h; ++y) {
        const int base = off + (h - 1 - y) * riga;
        for (int x = 0; x < w; ++x) {
            const std::uint32_t c = colore(x, y);
            if (bpp == 1) {
                if (c)
                    d[base + x / 8] = char(std::uint8_t(d[base + x / 8]) | (0x80 >> (x % 8)));
            } else if (bpp == 8) {
                d[base + x] = char(c);
            } else {
                const int at = base + x * (bpp / 8);
                d[at] = char(c & 0xFF);
                d[at + 1] = char((c >> 8) & 0xFF);
                d[at + 2] = char((c >> 16) & 0xFF);
            }
        }
    }
    return d;
}

} // namespace ludra::test
