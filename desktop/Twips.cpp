#include "desktop/Twips.h"

#include <QGuiApplication>
#include <QScreen>

namespace qr {

namespace {
double perPixel(bool horizontal)
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    const double dpi = screen ? (horizontal ? screen->logicalDotsPerInchX() : screen->logicalDotsPerInchY()) : 96.0;
    return dpi > 0 ? 1440.0 / dpi : 15.0;
}
} // namespace

double TwipsPerPixelX() { return perPixel(true); }
double TwipsPerPixelY() { return perPixel(false); }

} // namespace qr
