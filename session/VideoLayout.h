#pragma once

#include <QPointF>
#include <QRect>
#include <QRectF>
#include <QSize>

namespace qr {

// The video window's size and where the picture sits in it. The window's
// size is kept in pixels, as the window system holds it; the picture's
// place in twips, as the sizing arithmetic works. The skin around the
// picture: a top edge and, bottom right, the resize grip.
class VideoLayout {
public:
    static constexpr double TopEdge = 105;  // twips
    static constexpr double GripSize = 195; // twips
    static constexpr QSize LoadedSize{720, 480};

    QSize windowSize() const { return m_window; }
    double widthTwips() const;
    double heightTwips() const;
    void resizeTwips(double width, double height);

    QRectF pictureTwips() const { return m_picture; }
    QRect pictureRect() const; // pixels, in the window
    void setPictureTwips(const QRectF &picture) { m_picture = picture; }

    // Lays the picture out in the window, of the given size in twips; a 0
    // takes that side from the window. Returns the picture's shown size in
    // pixels.
    QSizeF fit(QSizeF window);

    // A window for a picture of the given size in twips (plus the subtitle
    // band), the picture placed in it. Nothing happens unless both sides
    // are > 0.
    bool resizeForPicture(QSizeF picture, bool subtitles);

    // The grip dragged by `by` twips from its top-left corner: the window
    // follows unless it would become narrower than the grip or lower than the
    // top edge and the grip.
    bool dragGrip(QPointF by);

private:
    QSize m_window = LoadedSize;
    QRectF m_picture;
};

} // namespace qr
