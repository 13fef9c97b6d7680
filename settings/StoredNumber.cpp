#include "settings/StoredNumber.h"

#include <cmath>

namespace qr {

namespace {

// Skips ASCII digits; how many there were.
qsizetype SkipDigits(const QString &text, qsizetype &pos)
{
    const qsizetype start = pos;
    while (pos < text.size() && text[pos] >= u'0' && text[pos] <= u'9')
        ++pos;
    return pos - start;
}

void SkipSign(const QString &text, qsizetype &pos)
{
    if (pos < text.size() && (text[pos] == u'+' || text[pos] == u'-'))
        ++pos;
}

} // namespace

std::optional<double> parseStoredNumber(const QString &text)
{
    const QString number = text.trimmed();
    // The grammar is checked here rather than left to the conversion, which
    // also takes "nan", "inf" and "infinity".
    qsizetype pos = 0;
    SkipSign(number, pos);
    qsizetype digits = SkipDigits(number, pos);
    if (pos < number.size() && number[pos] == u'.') {
        ++pos;
        digits += SkipDigits(number, pos);
    }
    if (digits == 0)
        return std::nullopt;
    if (pos < number.size() && (number[pos] == u'e' || number[pos] == u'E')) {
        ++pos;
        SkipSign(number, pos);
        if (SkipDigits(number, pos) == 0)
            return std::nullopt;
    }
    if (pos != number.size())
        return std::nullopt;
    bool ok = false;
    const double value = number.toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

} // namespace qr
