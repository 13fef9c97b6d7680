#include "session/SeekMath.h"

#include <algorithm>
#include <cmath>

namespace qr {

float seekFraction(double x, double barWidthTwips)
{
    if (!(barWidthTwips > 0) || !std::isfinite(x))
        return 0.0f;
    return float(x) / float(barWidthTwips);
}

QString seekStatusText(double x, double barWidthTwips, bool pressed)
{
    const float percent = std::nearbyint(seekFraction(x, barWidthTwips) * 100.0f);
    // Far outside any screen; kept finite so the text stays a number.
    const auto whole = qint64(std::clamp(percent, -1e9f, 1e9f));
    return (pressed ? QStringLiteral("Seeking to ") : QStringLiteral("Seek to ")) + QString::number(whole) +
           QStringLiteral("%..");
}

double seekTargetSeconds(double x, double barWidthTwips, double durationSeconds)
{
    return double(seekFraction(x, barWidthTwips)) * durationSeconds;
}

} // namespace qr
