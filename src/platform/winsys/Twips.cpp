#include "platform/winsys/Twips.h"

#include <QGuiApplication>
#include <QScreen>

#include <cmath>

namespace winsys {

namespace {
constexpr double kFallbackDpi = 96.0;

QScreen *Screen() { return qobject_cast<QGuiApplication *>(QCoreApplication::instance()) ? QGuiApplication::primaryScreen() : nullptr; }
} // namespace

int TwipsToPixels(double twips, double dpi) { return static_cast<int>(std::lround(twips * dpi / TwipsPerInch)); }

int PixelsToTwips(double pixels, double dpi)
{
    if (dpi <= 0)
        dpi = kFallbackDpi;
    return static_cast<int>(std::lround(pixels * TwipsPerInch / dpi));
}

double ScreenDpiX()
{
    QScreen *screen = Screen();
    return screen && screen->logicalDotsPerInchX() > 0 ? screen->logicalDotsPerInchX() : kFallbackDpi;
}

double ScreenDpiY()
{
    QScreen *screen = Screen();
    return screen && screen->logicalDotsPerInchY() > 0 ? screen->logicalDotsPerInchY() : kFallbackDpi;
}

int TwipsToPixelsX(double twips) { return TwipsToPixels(twips, ScreenDpiX()); }
int TwipsToPixelsY(double twips) { return TwipsToPixels(twips, ScreenDpiY()); }
int PixelsToTwipsX(double pixels) { return PixelsToTwips(pixels, ScreenDpiX()); }
int PixelsToTwipsY(double pixels) { return PixelsToTwips(pixels, ScreenDpiY()); }
double TwipsPerPixelX() { return TwipsPerInch / ScreenDpiX(); }
double TwipsPerPixelY() { return TwipsPerInch / ScreenDpiY(); }

QPoint TwipsToPixels(const QPoint &t) { return {TwipsToPixelsX(t.x()), TwipsToPixelsY(t.y())}; }
QSize TwipsToPixels(const QSize &t) { return {TwipsToPixelsX(t.width()), TwipsToPixelsY(t.height())}; }
QRect TwipsToPixels(const QRect &t) { return {TwipsToPixels(t.topLeft()), TwipsToPixels(t.size())}; }
QPoint PixelsToTwips(const QPoint &p) { return {PixelsToTwipsX(p.x()), PixelsToTwipsY(p.y())}; }
QSize PixelsToTwips(const QSize &p) { return {PixelsToTwipsX(p.width()), PixelsToTwipsY(p.height())}; }
QRect PixelsToTwips(const QRect &p) { return {PixelsToTwips(p.topLeft()), PixelsToTwips(p.size())}; }

} // namespace winsys
