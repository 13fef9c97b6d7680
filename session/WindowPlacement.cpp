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

QRect virtualDesktop(const QList<QRect> &screens, const QRect &primary)
{
    QRect desktop;
    for (const QRect &screen : screens)
        desktop = desktop.united(screen);
    return desktop.isEmpty() ? primary : desktop;
}

std::optional<int> coordinateInReach(double twips, double twipsPerPixel, int low, int length, int extent)
{
    if (!std::isfinite(twips) || !(twipsPerPixel > 0))
        return std::nullopt;
    const double pixels = std::nearbyint(twips / twipsPerPixel);
    // Some part of the window's span must meet the desktop's.
    if (!(pixels > double(low) - extent && pixels < double(low) + length))
        return std::nullopt;
    return static_cast<int>(pixels);
}

QPoint keepOnScreen(const QRect &frame, const QList<QRect> &screens, const QRect &primary)
{
    for (const QRect &screen : screens)
        if (screen.intersects(frame))
            return frame.topLeft();
    return QPoint(primary.x() + std::max(0, (primary.width() - frame.width()) / 2),
                  primary.y() + std::max(0, (primary.height() - frame.height()) / 3));
}

QPoint keepWithin(const QRect &frame, const QRect &area)
{
    const auto axis = [](int at, int extent, int low, int length) {
        return std::max(low, std::min(at, low + length - extent));
    };
    return QPoint(axis(frame.x(), frame.width(), area.x(), area.width()),
                  axis(frame.y(), frame.height(), area.y(), area.height()));
}

Placement placeAtStart(const std::optional<PlayerSettings::Positions> &stored, const QRect &primary,
                       const QList<QRect> &screens, QSize panel, const QRect &video)
{
    const QRect desktop = virtualDesktop(screens, primary);
    const double perX = twipsPerPixelX();
    const double perY = twipsPerPixelY();
    const auto across = [&](const std::optional<double> &twips, int extent) -> std::optional<int> {
        return twips ? coordinateInReach(*twips, perX, desktop.x(), desktop.width(), extent) : std::nullopt;
    };
    const auto down = [&](const std::optional<double> &twips, int extent) -> std::optional<int> {
        return twips ? coordinateInReach(*twips, perY, desktop.y(), desktop.height(), extent) : std::nullopt;
    };

    Placement place{QPoint(), video.topLeft()};
    std::optional<int> panelLeft, panelTop, videoLeft, videoTop;
    if (stored && stored->panelLeft) {
        // The panel's left has a guard of its own: off the desktop's width
        // it goes to the primary screen's left edge.
        const double left = *stored->panelLeft;
        panelLeft = left > twipsX(desktop.x()) && left < twipsX(desktop.x() + desktop.width()) ? pixelsX(left)
                                                                                               : primary.x();
        panelTop = down(stored->panelTop, panel.height());
        videoLeft = across(stored->videoLeft, video.width());
        // The video window's top is kept in whole twips.
        videoTop = down(stored->videoTop ? std::optional(std::trunc(*stored->videoTop)) : std::nullopt,
                        video.height());
    }
    if (panelLeft && panelTop && videoLeft && videoTop) {
        place.panel = QPoint(*panelLeft, *panelTop);
        place.video = QPoint(*videoLeft, *videoTop);
    } else {
        place.panel =
            QPoint(primary.x() + primary.width() / 2 - panel.width() / 2, video.y() - panel.height());
    }
    place.panel = keepOnScreen(QRect(place.panel, panel), screens, primary);
    place.video = keepOnScreen(QRect(place.video, video.size()), screens, primary);
    return place;
}

} // namespace qr
