#pragma once

#include <QString>

#include <optional>

namespace qr {

// A number stored as text, read back the way the player reads its window
// coordinates: blanks around it are allowed, the number itself is decimal
// ("-12", "3.5", ".5", "1e3"). Anything else, and a number a double cannot
// hold, is no value: "", "Error", "abc", "nan", "inf", "0x10", "1e400".
std::optional<double> parseStoredNumber(const QString &text);

} // namespace qr
