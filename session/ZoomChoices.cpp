#include "session/ZoomChoices.h"

namespace qr {

namespace {
QString sizeLabel(QSize size)
{
    return QString::number(size.width()) + QLatin1Char('x') + QString::number(size.height());
}
} // namespace

QList<ZoomChoice> zoomChoices(bool fileLoaded, QSize picture)
{
    using Kind = ZoomChoice::Kind;
    const ZoomChoice separator{Kind::Separator, {}, QStringLiteral("----------")};
    QList<ZoomChoice> choices{
        {Kind::Half, {}, QStringLiteral("50%")},
        {Kind::Whole, {}, QStringLiteral("100%")},
        {Kind::Double, {}, QStringLiteral("200%")},
        {Kind::FullScreen, {}, QStringLiteral("full")},
        separator,
    };
    for (const QSize standard : {QSize(352, 240), QSize(352, 288), QSize(704, 480), QSize(704, 576)})
        choices.append({Kind::Standard, standard, sizeLabel(standard)});
    choices << separator;
    if (fileLoaded)
        choices.append({Kind::Own, picture, sizeLabel(picture)});
    choices << separator << ZoomChoice{Kind::Custom, {}, QStringLiteral("Custom...")};
    return choices;
}

} // namespace qr
