#include "panel/seekbar/SeekMath.h"

#include <algorithm>
#include <cmath>

namespace qr {

float SeekFraction(double x, double barWidthTwips)
{
    if (!(barWidthTwips > 0) || !std::isfinite(x))
        return 0.0f;
    return float(x) / float(barWidthTwips);
}

qint64 SeekPercent(float fraction)
{
    const float percent = std::nearbyint(fraction * 100.0f);
    // Far outside any screen; kept finite so the text stays a number.
    return qint64(std::clamp(percent, -1e9f, 1e9f));
}

QString SeekStatusText(double x, double barWidthTwips, bool down)
{
    const qint64 percent = SeekPercent(SeekFraction(x, barWidthTwips));
    return (down ? QStringLiteral("Seeking to ") : QStringLiteral("Seek to ")) + QString::number(percent) +
           QStringLiteral("%..");
}

double SeekTargetSeconds(double x, double barWidthTwips, double durationSeconds)
{
    return double(SeekFraction(x, barWidthTwips)) * durationSeconds;
}

} // namespace qr
