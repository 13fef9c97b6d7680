#include "session/ZoomChoices.h"

namespace qr {

namespace {
const QStringList StandardSizes{QStringLiteral("352x240"), QStringLiteral("352x288"),
                                QStringLiteral("704x480"), QStringLiteral("704x576")};
} // namespace

QStringList zoomChoices(bool fileLoaded, QSize picture)
{
    const QString separator = QStringLiteral("----------");
    QStringList choices{QStringLiteral("50%"), QStringLiteral("100%"), QStringLiteral("200%"),
                        FullScreenChoice, separator};
    choices << StandardSizes << separator;
    if (fileLoaded)
        choices << QString::number(picture.width()) + QLatin1Char('x') + QString::number(picture.height());
    choices << separator << CustomChoice;
    return choices;
}

bool isStandardSize(const QString &choice) { return StandardSizes.contains(choice); }

} // namespace qr
