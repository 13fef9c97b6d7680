#pragma once

#include <QList>
#include <QSize>
#include <QString>

namespace qr {

// One entry of the zoom strip's list.
struct ZoomChoice {
    enum class Kind { Half, Whole, Double, FullScreen, Separator, Standard, Own, Custom };
    Kind kind = Kind::Separator;
    QSize size; // Standard and Own: the picture's size in pixels
    QString label;
};

// The zoom strip's list: halving, the picture's own size, doubling, full
// screen, four standard sizes, the picture's own size by number (only with
// a file loaded) and "Custom...", separated by "----------".
QList<ZoomChoice> zoomChoices(bool fileLoaded, QSize picture);

} // namespace qr
