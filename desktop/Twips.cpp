#include "desktop/Twips.h"

#include <QGuiApplication>
#include <QLocale>
#include <QScreen>

#include <cmath>

namespace qr {

namespace {
double perPixel(bool horizontal)
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    const double dpi =
        screen ? (horizontal ? screen->logicalDotsPerInchX() : screen->logicalDotsPerInchY()) : 96.0;
    return dpi > 0 ? 1440.0 / dpi : 15.0;
}

int toPixels(double twips, double perPixel)
{
    const double pixels = std::nearbyint(twips / perPixel);
    // Far outside any screen; kept within int so the conversion is defined.
    return static_cast<int>(std::clamp(std::isfinite(pixels) ? pixels : 0.0, -1e9, 1e9));
}
} // namespace

double twipsPerPixelX() { return perPixel(true); }
double twipsPerPixelY() { return perPixel(false); }

int pixelsX(double twips) { return toPixels(twips, twipsPerPixelX()); }
int pixelsY(double twips) { return toPixels(twips, twipsPerPixelY()); }

QString singleText(double value)
{
    return QString::number(static_cast<float>(value), 'g', QLocale::FloatingPointShortest);
}

} // namespace qr
