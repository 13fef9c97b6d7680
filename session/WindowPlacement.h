#pragma once

#include "settings/PlayerSettings.h"

#include <QList>
#include <QPoint>
#include <QRect>
#include <optional>

namespace qr {

// Where the panel and the video window go when the player starts. Pixels
// throughout; the stored positions are twips.
struct Placement {
    QPoint panel;
    QPoint video;
};

// The video window's first place: centred across the primary screen, a third
// down, below the panel's height.
QPoint defaultVideoPosition(const QRect &primary, QSize video, int panelHeight);

// The smallest rectangle holding every screen: the virtual desktop. The
// primary screen when there are none.
QRect virtualDesktop(const QList<QRect> &screens, const QRect &primary);

// A stored coordinate (twips) as pixels, when it is a finite number that
// leaves a window `extent` pixels long within reach of the desktop's span
// [low, low + length) on its axis; nothing otherwise. Checked before the
// conversion, so no size of number can overflow it.
std::optional<int> coordinateInReach(double twips, double twipsPerPixel, int low, int length, int extent);

// From the stored positions when all four are there and within reach of
// the virtual desktop (the panel's left only when it lies within the
// desktop's width, else the primary screen's left); otherwise the panel
// centred right above the video window, which keeps its place. Either way a
// window that would lie wholly off every screen comes back onto the primary
// one.
Placement placeAtStart(const std::optional<PlayerSettings::Positions> &stored, const QRect &primary,
                       const QList<QRect> &screens, QSize panel, const QRect &video);

// The window's position, or one on the primary screen when its frame
// meets no screen.
QPoint keepOnScreen(const QRect &frame, const QList<QRect> &screens, const QRect &primary);

// The window's position moved as little as it takes to bring the frame
// within the area; a frame larger than the area keeps its top-left corner
// on it.
QPoint keepWithin(const QRect &frame, const QRect &area);

} // namespace qr
