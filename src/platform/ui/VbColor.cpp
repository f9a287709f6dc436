#include "platform/ui/VbColor.h"

#include <QGuiApplication>
#include <QPalette>

namespace ludra::platform {
namespace {

// The system colours the layouts use, mapped onto the desktop's palette.
QColor systemColour(quint32 index)
{
    const QPalette palette = QGuiApplication::palette();
    switch (index) {
    case 0: return palette.color(QPalette::Window);          // scroll bar
    case 1: return palette.color(QPalette::Dark);            // desktop
    case 2: return palette.color(QPalette::Highlight);       // active caption
    case 4: return palette.color(QPalette::Window);          // menu
    case 5: return palette.color(QPalette::Base);            // window background
    case 6: return palette.color(QPalette::Shadow);          // window frame
    case 7: return palette.color(QPalette::WindowText);      // menu text
    case 8: return palette.color(QPalette::Text);            // window text
    case 9: return palette.color(QPalette::HighlightedText); // caption text
    case 12: return palette.color(QPalette::Dark);           // application workspace
    case 13: return palette.color(QPalette::Highlight);      // highlight
    case 14: return palette.color(QPalette::HighlightedText);
    case 15: return palette.color(QPalette::Button);         // button face
    case 16: return palette.color(QPalette::Mid);            // button shadow
    case 17: return palette.color(QPalette::PlaceholderText);// grey text
    case 18: return palette.color(QPalette::ButtonText);     // button text
    case 20: return palette.color(QPalette::Light);          // button highlight
    case 24: return palette.color(QPalette::ToolTipBase);
    case 23: return palette.color(QPalette::ToolTipText);
    default: return palette.color(QPalette::Window);
    }
}

} // namespace

QColor vbColor(quint32 value)
{
    if (value & 0x80000000u)
        return systemColour(value & 0xFFu);
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

} // namespace ludra::platform
