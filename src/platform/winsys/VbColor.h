#pragma once
// Colours as the program's windows number them: 0xBBGGRR ("&HFF0000" is blue),
// or a system colour 0x800000nn where nn is the window system's colour index
// (0x8000000F the face of buttons, 0x80000012 their text). Every widget turns
// such a number into a QColor here and nowhere else.

#include <QColor>

namespace winsys {

// Colour numbers the windows use by name.
inline constexpr long long vbWhite = 0xFFFFFF;
inline constexpr long long vbBlack = 0x000000;
inline constexpr long long vbButtonFace = 0x8000000F;
inline constexpr long long vbButtonText = 0x80000012;
inline constexpr long long vbWindowBackground = 0x80000005;
inline constexpr long long vbWindowText = 0x80000008;
inline constexpr long long vbHighlight = 0x8000000D;
inline constexpr long long vbHighlightText = 0x8000000E;
inline constexpr long long vbApplicationWorkspace = 0x8000000C;

// The QColor of a colour number; system colours come from the application's
// palette. A number that is neither (negative, or an unknown system index)
// gives black.
QColor VbColorToQColor(long long vb);

// The 0xBBGGRR number of a colour (alpha ignored).
long long QColorToVbColor(const QColor &c);

} // namespace winsys
