#pragma once

#include <QCursor>
#include <QIcon>
#include <QPixmap>
#include <QSize>
#include <QString>
#include <QStringList>

namespace qr {

// The skin pictures are SVGs compiled in as ":/skins/<name>.svg", named after
// the controls that show them ("background", "play_over", "topedge1", ...).
// Each is drawn on a grid of its own pixel size (its viewBox), so it is crisp
// at 1x and at whole device pixel ratios.
// Like every pixmap, these are for the GUI thread only.

// `name` rendered at logicalSize x devicePixelRatio device pixels and tagged
// with that ratio, so it paints at logicalSize. A size other than the
// picture's own stretches it (the top edge's middle piece, zbgMID). Cached by
// name, size and ratio. A null pixmap for an unknown name or an empty size.
QPixmap SkinPixmap(const QString &name, const QSize &logicalSize, qreal devicePixelRatio);

// The same at the picture's own size.
QPixmap SkinPixmap(const QString &name, qreal devicePixelRatio);

// The picture's own size in pixels; an invalid size for an unknown name.
QSize SkinSize(const QString &name);

// Every picture name the skin carries, sorted.
QStringList SkinNames();

// The program icon, drawn for the usual icon sizes from 16 to 256 pixels.
QIcon ProgramIcon();

// The video window grip's diagonal resize cursor, 32 x 32, hot spot at the centre.
QCursor SizerCursor(qreal devicePixelRatio);

} // namespace qr
