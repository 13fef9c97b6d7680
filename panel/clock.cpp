#include "panel/clock.h"

#include <cmath>

namespace qr {

QString ConvertTime(std::int64_t s)
{
    const std::int64_t sec = s % 60;
    const std::int64_t min = static_cast<std::int64_t>(std::floor(s / 60.0)) % 60;
    const std::int64_t hr = static_cast<std::int64_t>(std::floor(s / 3600.0));
    auto twoDigits = [](std::int64_t v) { return (v < 10 ? QStringLiteral("0") : QString()) + QString::number(v); };
    return QString::number(hr) + QLatin1Char(':') + twoDigits(min) + QLatin1Char(':') + twoDigits(sec);
}

std::int64_t WholeSeconds(double seconds) { return static_cast<std::int64_t>(std::nearbyint(seconds)); }

QString ScrollTitle(const QString &title, int &scrollPos)
{
    if (scrollPos <= title.size())
        ++scrollPos;
    else
        scrollPos = 1;
    return title.mid(scrollPos - 1, 20);
}

} // namespace qr
