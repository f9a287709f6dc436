#pragma once
// Colours as the layouts give them: &HBBGGRR, or &H800000nn for system colour nn.
#include <QColor>

namespace ludra::platform {

QColor vbColor(quint32 value);

inline constexpr quint32 kVbRed = 0x000000FF;
inline constexpr quint32 kVbWhite = 0x00FFFFFF;
inline constexpr quint32 kVbButtonFace = 0x8000000F;
inline constexpr quint32 kVbWindow = 0x80000005;
inline constexpr quint32 kVbWindowText = 0x80000008;

} // namespace ludra::platform
