#pragma once

#include <QString>

namespace qr {

// Where on the seek bar x lies, as a fraction of its width (single
// precision, as the status text rounds it); 0 for a bar without width.
float seekFraction(double x, double barWidthTwips);

// "Seeking to 37%.." for a press, "Seek to 112%.." while dragging: the
// fraction as a whole percentage, halves to the even neighbour.
QString seekStatusText(double x, double barWidthTwips, bool pressed);

// The position a press at x seeks to, in seconds.
double seekTargetSeconds(double x, double barWidthTwips, double durationSeconds);

} // namespace qr
