#include "platform/winsys/VbColor.h"

#include <QGuiApplication>
#include <QPalette>

#include <cstdint>

namespace winsys {

namespace {

constexpr std::uint32_t kSystemColorFlag = 0x80000000u;

QPalette::ColorRole RoleForSystemColor(std::uint32_t index, QPalette::ColorGroup *group)
{
    *group = QPalette::Active;
    switch (index) {
    case 5: return QPalette::Base;             // window background
    case 7: return QPalette::WindowText;       // menu text
    case 8: return QPalette::Text;             // window text
    case 13: return QPalette::Highlight;
    case 14: return QPalette::HighlightedText;
    case 15: return QPalette::Button;          // button face
    case 16: return QPalette::Mid;             // button shadow
    case 17: *group = QPalette::Disabled; return QPalette::Text; // grey text
    case 18: return QPalette::ButtonText;
    case 20: return QPalette::Light;           // 3D highlight
    case 21: return QPalette::Shadow;          // 3D dark shadow
    case 22: return QPalette::Midlight;        // 3D light
    case 23: return QPalette::ToolTipText;
    case 24: return QPalette::ToolTipBase;
    default: return QPalette::Window;          // frames, bars, desktop: the window colour
    }
}

} // namespace

QColor FromVbColor(long value)
{
    // Only the low 32 bits count: &H8000000F may arrive as a negative 32-bit
    // number or as a positive wider one.
    const auto v = static_cast<std::uint32_t>(value);
    if (v & kSystemColorFlag) {
        QPalette::ColorGroup group;
        const QPalette::ColorRole role = RoleForSystemColor(v & 0xFFu, &group);
        const QPalette palette = qobject_cast<QGuiApplication *>(QCoreApplication::instance())
                                     ? QGuiApplication::palette()
                                     : QPalette();
        return palette.color(group, role);
    }
    return QColor(static_cast<int>(v & 0xFFu), static_cast<int>((v >> 8) & 0xFFu),
                  static_cast<int>((v >> 16) & 0xFFu));
}

long ToVbColor(const QColor &color)
{
    const QColor rgb = color.toRgb();
    return static_cast<long>(rgb.red()) | (static_cast<long>(rgb.green()) << 8) |
           (static_cast<long>(rgb.blue()) << 16);
}

} // namespace winsys
