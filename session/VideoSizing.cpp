#include "session/VideoSizing.h"

#include "desktop/Desktop.h"
#include "desktop/Paths.h"
#include "desktop/Twips.h"
#include "engine/MediaControl.h"
#include "session/PanelLines.h"
#include "session/SubtitleTrack.h"
#include "session/WindowPlacement.h"
#include "session/WindowStates.h"

#include <cmath>

namespace qr {

namespace {

// Room for the subtitle window's band below a new picture, in twips.
constexpr double NewPictureSubtitleBand = 30;

QString sizeText(double width, double height)
{
    return singleText(width) + QLatin1Char('x') + singleText(height);
}

// An answer of a size prompt as a whole number; 0 for a cancel or no number.
int promptNumber(const std::optional<QString> &answer)
{
    bool ok = false;
    const double value = answer ? answer->trimmed().toDouble(&ok) : 0.0;
    return ok && std::isfinite(value) && std::fabs(value) < 1e6 ? static_cast<int>(std::nearbyint(value)) : 0;
}

} // namespace

VideoSizing::VideoSizing(MediaControl &media, Desktop &desktop, WindowStates &windows, PanelLines &lines,
                         const SubtitleTrack &subtitles)
    : m_media(media), m_desktop(desktop), m_windows(windows), m_lines(lines), m_subtitles(subtitles)
{
}

bool VideoSizing::fileLoaded() const { return !m_media.fileName().isEmpty(); }

QRect VideoSizing::videoFrame() const { return QRect(m_windows.videoPosition(), m_layout.windowSize()); }

void VideoSizing::setPictureVisible(bool visible)
{
    if (visible == m_pictureVisible)
        return;
    m_pictureVisible = visible;
    Q_EMIT pictureVisibleChanged(visible);
}

void VideoSizing::fitNewPicture()
{
    const double band = m_subtitles.inUse() ? NewPictureSubtitleBand : 0;
    const QSize own(m_media.pictureWidth(), m_media.pictureHeight());
    // A picture larger than the screen's free area is shown smaller, in whole
    // pixels and its aspect kept, so that the window and its grip stay within
    // reach. The window is a few pixels smaller than the picture it is made
    // for, so the area itself is the limit.
    const QRect area = m_desktop.freeAreaAt(videoFrame().center());
    QSizeF shown(own);
    if (!own.isEmpty() && !area.isEmpty() && (own.width() > area.width() || own.height() > area.height())) {
        shown = shown.scaled(QSizeF(area.size()), Qt::KeepAspectRatio);
        shown = QSizeF(std::floor(shown.width()), std::floor(shown.height()));
    }
    m_shownSize.clear();
    fitPicture(QSizeF(std::nearbyint(twipsX(shown.width())), std::nearbyint(twipsY(shown.height()) + band)));
    const QRectF picture = m_layout.pictureTwips();
    m_layout.resizeTwips(picture.left() + picture.width() + 15, picture.top() + picture.height() + 15);
    Q_EMIT layoutChanged();
    if (!own.isEmpty())
        m_windows.setVideoPosition(keepWithin(videoFrame(), area));
}

void VideoSizing::fitPicture(QSizeF window)
{
    if (!fileLoaded())
        return;
    const QSizeF shown = m_layout.fit(window);
    m_shownSize = sizeText(shown.width(), shown.height());
    Q_EMIT layoutChanged();
    showMediaInfo();
}

void VideoSizing::dragGrip(QPointF by)
{
    if (m_layout.dragGrip(by))
        Q_EMIT layoutChanged();
}

void VideoSizing::resizeForPicture(QSizeF twips)
{
    if (m_layout.resizeForPicture(twips, m_subtitles.inUse())) {
        // A window reaching below the screen is pushed up; past the right
        // edge it is left.
        const QRect screen = m_desktop.screenAt(videoFrame().center());
        const double screenBottom = twipsY(screen.y() + screen.height());
        const QPoint position = m_windows.videoPosition();
        if (twipsY(position.y()) + m_layout.heightTwips() > screenBottom)
            m_windows.setVideoPosition(QPoint(position.x(), pixelsY(screenBottom - m_layout.heightTwips())));
        Q_EMIT layoutChanged();
    }
    fitPicture();
}

void VideoSizing::fillZoomChoices()
{
    m_choices = qr::zoomChoices(fileLoaded(), QSize(m_media.pictureWidth(), m_media.pictureHeight()));
    m_choice = -1;
    Q_EMIT zoomChoicesChanged();
}

void VideoSizing::zoomTo(QSizeF pixels, const QString &shownSize)
{
    resizeForPicture(
        QSizeF(std::nearbyint(twipsPerPixelX() * pixels.width()), twipsPerPixelY() * pixels.height()));
    m_shownSize = shownSize;
}

void VideoSizing::chooseZoom(int index)
{
    m_choice = index;
    if (index < 0 || index >= m_choices.size())
        return;
    const ZoomChoice &choice = m_choices[index];
    const QSizeF own(m_media.pictureWidth(), m_media.pictureHeight());
    using Kind = ZoomChoice::Kind;
    switch (choice.kind) {
    case Kind::Half:
        zoomTo(own / 2.0, sizeText(own.width() / 2.0, own.height() / 2.0));
        break;
    case Kind::Whole:
        zoomTo(own, sizeText(own.width(), own.height()));
        break;
    case Kind::Double:
        zoomTo(own * 2.0, sizeText(own.width() * 2.0, own.height() * 2.0));
        break;
    case Kind::FullScreen: {
        // With nothing loaded there is no picture to show full screen.
        if (!fileLoaded())
            return;
        m_media.setDisplaySize(DisplaySize::FullScreen);
        m_media.setFullScreenControls(true);
        m_windows.keepMainWindowsInBand(false);
        const QRect screen = m_desktop.screenAt(videoFrame().center());
        m_shownSize = sizeText(screen.width(), screen.height());
        break;
    }
    case Kind::Own:
        if (!fileLoaded())
            break;
        [[fallthrough]];
    case Kind::Standard:
        zoomTo(choice.size, choice.label);
        break;
    case Kind::Custom:
        return askForCustomSize();
    case Kind::Separator:
        break;
    }
    showMediaInfo();
}

void VideoSizing::askForCustomSize()
{
    const int width = promptNumber(m_desktop.askText(QStringLiteral("Horizontal Zoom"),
                                                     QStringLiteral("Select Horizontal Size to Zoom to:"),
                                                     QStringLiteral("704")));
    if (width < 1)
        return;
    const int height = promptNumber(m_desktop.askText(QStringLiteral("Vertical Zoom"),
                                                      QStringLiteral("Select Vertical Size to Zoom to:"),
                                                      QStringLiteral("480")));
    if (height < 1)
        return;
    zoomToCustomSize(QSize(width, height));
}

void VideoSizing::zoomToCustomSize(QSize pixels)
{
    const QRect screen = m_desktop.screenAt(videoFrame().center());
    if (pixels.width() < 1 || pixels.height() < 1 || screen.width() < pixels.width() ||
        screen.height() < pixels.height())
        return;
    zoomTo(QSizeF(pixels), sizeText(pixels.width(), pixels.height()));
    showMediaInfo();
}

const QList<VideoSizing::AspectChoice> &VideoSizing::aspectChoices()
{
    static const QList<AspectChoice> choices{{QStringLiteral("As the file says"), 0},
                                             {QStringLiteral("4:3"), 4.0 / 3},
                                             {QStringLiteral("16:9"), 16.0 / 9},
                                             {QStringLiteral("2.35:1"), 2.35}};
    return choices;
}

// The engine reports the picture's new size, and the window follows it as
// it follows a new picture.
void VideoSizing::chooseAspect(int index)
{
    if (!fileLoaded() || index < 0 || index >= aspectChoices().size())
        return;
    m_aspect = index;
    m_media.setAspectRatio(aspectChoices()[index].ratio);
}

void VideoSizing::forgetAspect()
{
    if (m_aspect == 0)
        return;
    m_aspect = 0;
    m_media.setAspectRatio(0);
}

void VideoSizing::showMediaInfo()
{
    const int width = m_media.pictureWidth();
    const int height = m_media.pictureHeight();
    if (!fileLoaded() || width <= 0 || height <= 0)
        return;
    QString line = QString::number(width) + QStringLiteral(" x ") + QString::number(height) +
                   QLatin1Char(' ') + fileExtension(m_media.fileName()).toUpper();
    if (!m_shownSize.isEmpty())
        line += QStringLiteral(" [") + m_shownSize + QLatin1Char(']');
    m_lines.setMediaInfo(line);
}

} // namespace qr
