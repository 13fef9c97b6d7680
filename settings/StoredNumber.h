#pragma once

#include <QString>
#include <optional>

namespace qr {

// A number as the store keeps it: decimal text, blanks around it allowed.
// Anything else, and anything not finite, is no number.
std::optional<double> parseStoredNumber(const QString &text);

} // namespace qr
