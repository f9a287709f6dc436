#pragma once
// The colours of the configuration window's indicators.
#include "platform/ui/VbColor.h"

#include <QPalette>
#include <QWidget>

namespace ludra::ui {

// Input LED off.
inline constexpr quint32 kVbGrigio = 0x808080;

// Fills the widget's background (and a check box's or field's base) with the colour.
inline void colora(QWidget* w, quint32 colore)
{
    QPalette p = w->palette();
    p.setColor(QPalette::Window, platform::vbColor(colore));
    p.setColor(QPalette::Base, platform::vbColor(colore));
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

inline bool colorato(const QWidget* w, quint32 colore)
{
    return w->palette().color(QPalette::Window) == platform::vbColor(colore);
}

} // namespace ludra::ui
