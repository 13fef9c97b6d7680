#pragma once

#include <QString>

namespace qr {

// The panel's seek handlers act only on the left button alone, with a file loaded.
inline bool SeekButtonActs(int button, bool fileLoaded) { return button == 1 && fileLoaded; }

// Where on the bar x lies, as a fraction of its width (single precision, as
// the status text rounds it); 0 for a bar without width.
float SeekFraction(double x, double barWidthTwips);

// The fraction as a whole percentage, halves to the even neighbour.
qint64 SeekPercent(float fraction);

// "Seeking to 37%.." for a press, "Seek to 112%.." while dragging.
QString SeekStatusText(double x, double barWidthTwips, bool down);

// The position a press at x seeks to, in seconds.
double SeekTargetSeconds(double x, double barWidthTwips, double durationSeconds);

} // namespace qr
