#pragma once
// Controls placed by the twips geometry the layouts give.
#include "platform/Twips.h"

#include <QRect>
#include <QWidget>

namespace ludra::platform {

inline QRect twipsRect(int left, int top, int width, int height)
{
    return {twipsToPx(left), twipsToPx(top), twipsToPx(width), twipsToPx(height)};
}

inline void posiziona(QWidget* w, int left, int top, int width, int height)
{
    w->setGeometry(twipsRect(left, top, width, height));
}

} // namespace ludra::platform
