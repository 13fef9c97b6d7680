#pragma once

#include <QString>

namespace qr {

// Window geometry is kept in twips (1440 per inch), as the stored positions
// are; Qt wants pixels. Twips per pixel is 1440 / the primary screen's
// logical dots per inch, per axis: 15 at 96 dpi.
double twipsPerPixelX();
double twipsPerPixelY();

// Pixels from twips: the nearest whole pixel, halves to the even neighbour.
int pixelsX(double twips);
int pixelsY(double twips);
inline double twipsX(double pixels) { return pixels * twipsPerPixelX(); }
inline double twipsY(double pixels) { return pixels * twipsPerPixelY(); }

// A coordinate or size as the store and the size texts write it: the
// shortest decimal text of the single-precision value ("1440", "1432.5").
QString singleText(double value);

} // namespace qr
