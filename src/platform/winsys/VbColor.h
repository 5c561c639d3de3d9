#pragma once
// The program's colour numbers, converted to Qt colours in this one place.
// A colour number is &HBBGGRR: red in the low byte, blue in the high one
// (&H0000FF is red, &HFF0000 blue). A number with the high bit set
// (&H80000000 + n) names a system colour, such as &H8000000F, the button
// face; it is taken from the application's palette.

#include <QColor>

namespace winsys {

QColor FromVbColor(long value);
// The number of a colour's red, green and blue (alpha is dropped).
long ToVbColor(const QColor &color);

} // namespace winsys
