#pragma once

#include <QString>
#include <cstdint>

namespace qr {

// Seconds as clock text: hours (not zero-filled), then two-digit minutes and
// seconds: 0:00:00, 1:02:05, 10:00:00.
QString ConvertTime(std::int64_t seconds);

// Whole seconds with halves going to the even neighbour (125.5 -> 126,
// 124.5 -> 124), as the clock and the seek bar count them.
std::int64_t WholeSeconds(double seconds);

// The title window of the status line for one tick: advances `scrollPos`
// (1-based) and returns at most 20 characters of `title` from there.
QString ScrollTitle(const QString &title, int &scrollPos);

} // namespace qr
