#pragma once

#include <QString>
#include <cstdint>

namespace qr {

// Seconds as clock text: hours (not zero-filled), then two-digit minutes and
// seconds: 0:00:00, 1:02:05, 10:00:00.
QString convertTime(std::int64_t seconds);

// Whole seconds with halves going to the even neighbour (125.5 -> 126,
// 124.5 -> 124), as the clock and the seek bar count them.
std::int64_t wholeSeconds(double seconds);

// The status line's window on a long title for one tick: advances
// `scrollPos` (1-based) and returns at most 20 characters from there; one
// past the end gives an empty line, then it starts again at 1.
QString scrollTitle(const QString &title, int &scrollPos);

} // namespace qr
