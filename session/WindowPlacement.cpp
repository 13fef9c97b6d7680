#include "session/WindowPlacement.h"

#include "desktop/Twips.h"

#include <algorithm>
#include <cmath>

namespace qr {

QPoint defaultVideoPosition(const QRect &primary, QSize video, int panelHeight)
{
    return QPoint(primary.x() + (primary.width() - video.width()) / 2,
                  primary.y() + std::max(panelHeight + 8, (primary.height() - video.height()) / 3));
}

QPoint keepOnScreen(const QRect &frame, const QList<QRect> &screens, const QRect &primary)
{
    for (const QRect &screen : screens)
        if (screen.intersects(frame))
            return frame.topLeft();
    return QPoint(primary.x() + std::max(0, (primary.width() - frame.width()) / 2),
                  primary.y() + std::max(0, (primary.height() - frame.height()) / 3));
}

Placement placeAtStart(const std::optional<PlayerSettings::Positions> &stored, const QRect &primary,
                       const QList<QRect> &screens, QSize panel, const QRect &video)
{
    Placement place{QPoint(), video.topLeft()};
    if (stored && stored->panelLeft && stored->panelTop && stored->videoLeft && stored->videoTop) {
        const double screenWidth = twipsX(primary.width());
        const double left =
            (*stored->panelLeft > 0 && *stored->panelLeft < screenWidth) ? *stored->panelLeft : 0;
        place.panel = QPoint(pixelsX(left), pixelsY(*stored->panelTop));
        place.video = QPoint(pixelsX(*stored->videoLeft), pixelsY(std::trunc(*stored->videoTop)));
    } else {
        place.panel =
            QPoint(primary.x() + primary.width() / 2 - panel.width() / 2, video.y() - panel.height());
    }
    place.panel = keepOnScreen(QRect(place.panel, panel), screens, primary);
    place.video = keepOnScreen(QRect(place.video, video.size()), screens, primary);
    return place;
}

} // namespace qr
