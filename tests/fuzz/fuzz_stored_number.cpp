// The stored-number parser: any bytes, as UTF-8, as a stored text.
#include "FuzzCheck.h"

#include "settings/StoredNumber.h"

#include <cmath>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    const std::optional<double> value = qr::parseStoredNumber(text);
    // Blanks around the number change nothing (and a NaN would fail this).
    QR_FUZZ_CHECK(qr::parseStoredNumber(QStringLiteral(" \t") + text + QStringLiteral("\n ")) == value);
    if (!value)
        return 0;
    QR_FUZZ_CHECK(std::isfinite(*value));
    for (QChar c : text.trimmed())
        QR_FUZZ_CHECK(QStringLiteral("0123456789+-.eE").contains(c));
    // Written back with every digit, it reads as the same number.
    QR_FUZZ_CHECK(qr::parseStoredNumber(QString::number(*value, 'g', 17)) == value);
    return 0;
}
