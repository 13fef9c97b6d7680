#include "session/ClockText.h"

#include <algorithm>
#include <cmath>

namespace qr {

QString convertTime(std::int64_t seconds)
{
    const std::int64_t sec = seconds % 60;
    const auto min = static_cast<std::int64_t>(std::floor(static_cast<double>(seconds) / 60.0)) % 60;
    const auto hr = static_cast<std::int64_t>(std::floor(static_cast<double>(seconds) / 3600.0));
    const auto twoDigits = [](std::int64_t v) {
        return (v < 10 ? QStringLiteral("0") : QString()) + QString::number(v);
    };
    return QString::number(hr) + QLatin1Char(':') + twoDigits(min) + QLatin1Char(':') + twoDigits(sec);
}

std::int64_t wholeSeconds(double seconds)
{
    // Far beyond any media; kept finite so the conversion is defined.
    const double whole = std::nearbyint(std::isfinite(seconds) ? seconds : 0.0);
    return static_cast<std::int64_t>(std::clamp(whole, -1e15, 1e15));
}

QString scrollTitle(const QString &title, int &scrollPos)
{
    if (scrollPos <= title.size())
        ++scrollPos;
    else
        scrollPos = 1;
    return title.mid(scrollPos - 1, 20);
}

} // namespace qr
