#include "settings/StoredNumber.h"

#include <cmath>

namespace qr {

std::optional<double> parseStoredNumber(const QString &text)
{
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

} // namespace qr
