#pragma once
// Twips, the unit of the program's window layout, converted to and from
// pixels in this one place: 1440 twips are one inch, and an inch is the
// screen's logical DPI in pixels (96 dpi: 15 twips a pixel).

#include <QPoint>
#include <QRect>
#include <QSize>

namespace winsys {

inline constexpr int TwipsPerInch = 1440;

// Pure conversions at a given DPI (rounded to the nearest whole unit).
int TwipsToPixels(double twips, double dpi);
int PixelsToTwips(double pixels, double dpi);

// At the primary screen's logical DPI (96 when there is no screen).
double ScreenDpiX();
double ScreenDpiY();
int TwipsToPixelsX(double twips);
int TwipsToPixelsY(double twips);
int PixelsToTwipsX(double pixels);
int PixelsToTwipsY(double pixels);
double TwipsPerPixelX();
double TwipsPerPixelY();

QPoint TwipsToPixels(const QPoint &twips);
QSize TwipsToPixels(const QSize &twips);
QRect TwipsToPixels(const QRect &twips);
QPoint PixelsToTwips(const QPoint &pixels);
QSize PixelsToTwips(const QSize &pixels);
QRect PixelsToTwips(const QRect &pixels);

} // namespace winsys
