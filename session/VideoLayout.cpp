#include "session/VideoLayout.h"

#include "desktop/Twips.h"

namespace qr {

double VideoLayout::widthTwips() const { return twipsX(m_window.width()); }
double VideoLayout::heightTwips() const { return twipsY(m_window.height()); }

void VideoLayout::resizeTwips(double width, double height)
{
    m_window = QSize(pixelsX(width), pixelsY(height));
}

QRect VideoLayout::pictureRect() const
{
    return QRect(pixelsX(m_picture.left()), pixelsY(m_picture.top()), pixelsX(m_picture.width()),
                 pixelsY(m_picture.height()));
}

QSizeF VideoLayout::fit(QSizeF window)
{
    const double w = window.width();
    const double h = window.height();
    QRectF box = m_picture;
    box.moveLeft(0);
    const double innerHeight = heightTwips();
    if (h != 0)
        box.setHeight(h - GripSize);
    else if (TopEdge + GripSize + 60 < innerHeight)
        box.setHeight(innerHeight - GripSize);
    box.setWidth((w != 0 ? w : widthTwips()) - 30);
    box.moveTop(TopEdge);
    m_picture = box;
    return QSizeF(box.width() / twipsPerPixelX(), box.height() / twipsPerPixelY());
}

bool VideoLayout::resizeForPicture(QSizeF picture, bool subtitles)
{
    const double width = picture.width();
    const double height = picture.height();
    if (!(height > 0 && width > 0))
        return false;
    const double band = subtitles ? 70 : 0;
    const double windowHeight = height + TopEdge + GripSize + band;
    resizeTwips(width, windowHeight);
    m_picture = QRectF(15, TopEdge, width - 15 - 15, windowHeight - TopEdge - 15 + band);
    return true;
}

bool VideoLayout::dragGrip(QPointF by)
{
    const double x = by.x();
    const double y = by.y();
    // Single precision, as the window's own arithmetic had it.
    const auto w = static_cast<float>(widthTwips());
    const auto h = static_cast<float>(heightTwips());
    const float a = w - static_cast<float>(GripSize) + static_cast<float>(x);
    const float b = h - static_cast<float>(TopEdge + GripSize) + static_cast<float>(y);
    if (!(a > 0 && b > 0))
        return false;
    resizeTwips(w + x, h + y);
    return true;
}

} // namespace qr
