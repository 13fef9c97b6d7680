#pragma once

#include "session/VideoLayout.h"
#include "session/ZoomChoices.h"

#include <QObject>
#include <QSizeF>

namespace qr {

class Desktop;
class MediaControl;
class PanelLines;
class SubtitleTrack;
class WindowStates;

// The video window's size and the picture's place in it: fitted to each new
// picture, dragged by the grip, and chosen in the zoom strip. Keeps the size
// the picture is shown at ("704x576") and the media line that names it.
class VideoSizing : public QObject {
    Q_OBJECT
public:
    VideoSizing(MediaControl &media, Desktop &desktop, WindowStates &windows, PanelLines &lines,
                const SubtitleTrack &subtitles);

    const VideoLayout &layout() const { return m_layout; }
    // The size the picture is shown at, "704x576"; "" when unset.
    QString shownSize() const { return m_shownSize; }
    bool pictureVisible() const { return m_pictureVisible; }
    void setPictureVisible(bool visible);

    // A newly opened picture: the window sized to it, smaller when it would
    // not fit the screen's free area, and kept within that area.
    void fitNewPicture();
    // The picture laid out in a window of the given size in twips, a 0 side
    // taking the window's own; records the shown size.
    void fitPicture(QSizeF window = QSizeF(0, 0));
    // The grip dragged by `by` twips, and released.
    void dragGrip(QPointF by);
    void releaseGrip() { fitPicture(); }

    // The zoom strip's list, and the entry last chosen (-1 for none).
    const QList<ZoomChoice> &zoomChoices() const { return m_choices; }
    int zoomChoice() const { return m_choice; }
    void setZoomChoice(int index) { m_choice = index; }
    void fillZoomChoices();
    // Resizes the video window or goes full screen; "Custom..." asks for the
    // size first.
    void chooseZoom(int index);
    // A size in pixels that fits the screen.
    void zoomToCustomSize(QSize pixels);

    // "352 x 240 MPG [350x227]"; left alone for sound only.
    void showMediaInfo();

    // The picture's aspect ratio: as the file says (0), or one chosen. A
    // new file keeps its own.
    struct AspectChoice {
        QString label;
        double ratio;
    };
    static const QList<AspectChoice> &aspectChoices();
    int aspectChoice() const { return m_aspect; }
    void chooseAspect(int index);
    void forgetAspect();

Q_SIGNALS:
    void layoutChanged();
    void pictureVisibleChanged(bool visible);
    void zoomChoicesChanged();

private:
    bool fileLoaded() const;
    QRect videoFrame() const;
    // A window for a picture of the given size in twips, pushed up when it
    // would reach below the screen.
    void resizeForPicture(QSizeF twips);
    void zoomTo(QSizeF pixels, const QString &shownSize);
    void askForCustomSize();

    MediaControl &m_media;
    Desktop &m_desktop;
    WindowStates &m_windows;
    PanelLines &m_lines;
    const SubtitleTrack &m_subtitles;

    VideoLayout m_layout;
    QString m_shownSize;
    bool m_pictureVisible = false;
    QList<ZoomChoice> m_choices;
    int m_choice = -1;
    int m_aspect = 0;
};

} // namespace qr
