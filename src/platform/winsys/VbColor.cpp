#include "platform/winsys/VbColor.h"

#include <QGuiApplication>
#include <QPalette>

namespace winsys {

namespace {

// The window system's colour indexes (GetSysColor) and the palette role that
// plays their part here.
QColor SystemColor(int index)
{
    const QPalette pal = QGuiApplication::palette();
    switch (index) {
    case 0: return pal.color(QPalette::Button);           // scroll bar
    case 1: return pal.color(QPalette::Dark);             // desktop
    case 2: return pal.color(QPalette::Highlight);        // active caption
    case 3: return pal.color(QPalette::Mid);              // inactive caption
    case 4: return pal.color(QPalette::Window);           // menu
    case 5: return pal.color(QPalette::Base);             // window background
    case 6: return pal.color(QPalette::Shadow);           // window frame
    case 7: return pal.color(QPalette::WindowText);       // menu text
    case 8: return pal.color(QPalette::Text);             // window text
    case 9: return pal.color(QPalette::HighlightedText);  // caption text
    case 10: return pal.color(QPalette::Window);          // active border
    case 11: return pal.color(QPalette::Window);          // inactive border
    case 12: return pal.color(QPalette::Dark);            // MDI workspace
    case 13: return pal.color(QPalette::Highlight);
    case 14: return pal.color(QPalette::HighlightedText);
    case 15: return pal.color(QPalette::Button);          // button face
    case 16: return pal.color(QPalette::Mid);             // button shadow
    case 17: return pal.color(QPalette::Disabled, QPalette::Text); // grey text
    case 18: return pal.color(QPalette::ButtonText);
    case 19: return pal.color(QPalette::Disabled, QPalette::WindowText);
    case 20: return pal.color(QPalette::Light);           // button highlight
    case 21: return pal.color(QPalette::Shadow);          // 3-D dark shadow
    case 22: return pal.color(QPalette::Midlight);        // 3-D light
    case 23: return pal.color(QPalette::ToolTipText);
    case 24: return pal.color(QPalette::ToolTipBase);
    default: return QColor(Qt::black);
    }
}

} // namespace

QColor VbColorToQColor(long long vb)
{
    if (vb < 0)
        return QColor(Qt::black);
    if (vb & 0x80000000LL)
        return SystemColor(static_cast<int>(vb & 0xFF));
    if (vb > 0xFFFFFF)
        return QColor(Qt::black);
    return QColor(static_cast<int>(vb & 0xFF), static_cast<int>((vb >> 8) & 0xFF),
                  static_cast<int>((vb >> 16) & 0xFF));
}

long long QColorToVbColor(const QColor &c)
{
    return static_cast<long long>(c.red()) | (static_cast<long long>(c.green()) << 8)
           | (static_cast<long long>(c.blue()) << 16);
}

} // namespace winsys
