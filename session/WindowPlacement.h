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

// From the stored positions when all four are there (the panel's left only
// when it lies within the primary screen's width, else 0); otherwise the
// panel centred right above the video window, which keeps its place. Either
// way a window that would lie wholly off every screen comes back onto the
// primary one.
Placement placeAtStart(const std::optional<PlayerSettings::Positions> &stored, const QRect &primary,
                       const QList<QRect> &screens, QSize panel, const QRect &video);

// The window's position, or one on the primary screen when its frame
// meets no screen.
QPoint keepOnScreen(const QRect &frame, const QList<QRect> &screens, const QRect &primary);

} // namespace qr
