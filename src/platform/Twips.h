#pragma once
// Window geometry is kept in twips, as the layouts give it; the screen has 15 twips
// per pixel.
#include <cmath>

namespace ludra::platform {

inline constexpr int kTwipsPerPixel = 15;

constexpr int twipsToPx(double twips)
{
    const double px = twips / kTwipsPerPixel;
    return int(px < 0 ? px - 0.5 : px + 0.5);
}

constexpr int pxToTwips(int px) { return px * kTwipsPerPixel; }

} // namespace ludra::platform
