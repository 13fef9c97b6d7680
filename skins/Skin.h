#pragma once

#include <QColor>
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
QPixmap skinPixmap(const QString &name, const QSize &logicalSize, qreal devicePixelRatio);

// The same at the picture's own size.
QPixmap skinPixmap(const QString &name, qreal devicePixelRatio);

// The picture's own size in pixels; an invalid size for an unknown name.
QSize skinSize(const QString &name);

// Every picture name the skin carries, sorted.
QStringList skinNames();

// The program icon, drawn for the usual icon sizes from 16 to 256 pixels.
QIcon programIcon();

// What shows around and behind the picture: the video window and the zoom
// strip are painted in it, and so are the bars beside a picture.
QColor videoBackground();

// The video window grip's diagonal resize cursor, 32 x 32, hot spot at the centre.
QCursor sizerCursor(qreal devicePixelRatio);

} // namespace qr
