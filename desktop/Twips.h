#pragma once

#include <cmath>

namespace qr {

// Window geometry inside the player is kept in twips (1440 per inch), as the
// stored positions are; Qt wants pixels. Twips per pixel is 1440 / the
// screen's logical dots per inch, per axis: 15 at 96 dpi.
double TwipsPerPixelX();
double TwipsPerPixelY();

// Pixels from twips, nearest whole pixel with halves to the even neighbour.
inline int PixelsX(double twips) { return static_cast<int>(std::nearbyint(twips / TwipsPerPixelX())); }
inline int PixelsY(double twips) { return static_cast<int>(std::nearbyint(twips / TwipsPerPixelY())); }
inline double TwipsX(double pixels) { return pixels * TwipsPerPixelX(); }
inline double TwipsY(double pixels) { return pixels * TwipsPerPixelY(); }

} // namespace qr

#include <QLocale>
#include <QString>

namespace qr {

// A window coordinate as stored: the shortest decimal text of the
// single-precision value ("1440", "1432.5").
inline QString TwipsText(double twips)
{
    return QString::number(static_cast<float>(twips), 'g', QLocale::FloatingPointShortest);
}

} // namespace qr
