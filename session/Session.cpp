#include "session/Session.h"

#include "desktop/Paths.h"
#include "desktop/Twips.h"
#include "session/ClockText.h"
#include "session/ErrorReport.h"
#include "session/SeekMath.h"
#include "session/WindowPlacement.h"
#include "session/ZoomChoices.h"

#include <QGuiApplication>
#include <QScreen>

#include <cmath>
#include <utility>

namespace qr {

namespace {

constexpr int TickMs = 500;
constexpr double StepSeconds = 5.0;
constexpr double StepGuardSeconds = 10.0;
constexpr int VolumeStep = 5;

const QString Playing = QStringLiteral(" Playing..");

QRect primaryScreen()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry() : QRect(0, 0, 1024, 768);
}

QList<QRect> allScreens()
{
    QList<QRect> rects;
    for (const QScreen *screen : QGuiApplication::screens())
        rects << screen->geometry();
    return rects;
}

// The screen a window is on: the one under its centre, else the primary.
const QScreen *screenOf(const QRect &frame)
{
    const QScreen *screen = QGuiApplication::screenAt(frame.center());
    return screen ? screen : QGuiApplication::primaryScreen();
}

QRect screenArea(const QRect &frame)
{
    const QScreen *screen = screenOf(frame);
    return screen ? screen->geometry() : primaryScreen();
}

// Without the desktop's own panels and docks.
QRect freeScreenArea(const QRect &frame)
{
    const QScreen *screen = screenOf(frame);
    return screen ? screen->availableGeometry() : primaryScreen();
}

} // namespace

Session::Session(MediaControl &media, const PlayerSettings &settings, QObject *parent)
    : QObject(parent), m_media(media), m_settings(settings)
{
    m_clock.setInterval(TickMs);
    m_statusRefresh.setInterval(TickMs);
    m_statusRefresh.setSingleShot(true);
    connect(&m_clock, &QTimer::timeout, this, &Session::clockTick);
    connect(&m_statusRefresh, &QTimer::timeout, this, &Session::refreshStatus);

    connect(&m_media, &MediaControl::started, this, &Session::onEngineStarted);
    connect(&m_media, &MediaControl::playStateChanged, this, &Session::playStateChanged);
    connect(&m_media, &MediaControl::volumeChanged, this, &Session::engineVolumeChanged);
    connect(&m_media, &MediaControl::streamOpened, this, &Session::onStreamOpened);
    connect(&m_media, &MediaControl::endOfMedia, this, &Session::onEndOfMedia);
    connect(&m_media, &MediaControl::pictureMousePressed, this, [this](Qt::MouseButton button) {
        if (button == Qt::LeftButton)
            Q_EMIT dragRequested(PlayerWindow::Video);
    });
    connect(&m_media, &MediaControl::durationChanged, this, &Session::onDurationChanged);
    connect(&m_media, &MediaControl::displayModeChanged, this, &Session::onDisplayModeChanged);
    connect(&m_media, &MediaControl::streamClosed, this, &Session::onStreamClosed);
    connect(&m_media, &MediaControl::engineError, this, &Session::onEngineError);
}

Session::~Session() = default;

// ---- start-up ----------------------------------------------------------------

void Session::loadPanel(const std::optional<QString> &commandLineFile)
{
    m_clock.start();
    // Before the command-line file opens, so that it gets its subtitles.
    m_useSubtitles = m_settings.isOn(PlayerSettings::UseSubs);
    refreshStatus();
    setSeekValue(0);
    if (m_settings.isOn(PlayerSettings::Ontop)) {
        // Both calls find the switch still off, so the windows reach the
        // band only at the next tick of the clock.
        keepInBand(PlayerWindow::Video, true);
        keepInBand(PlayerWindow::Panel, true);
        showStatus(QStringLiteral("Always on Top Enabled"));
        m_alwaysOnTop = true;
        Q_EMIT switchesChanged();
    }
    if (commandLineFile) {
        m_currentFile = *commandLineFile;
        showStatus(QStringLiteral("Loading file.."));
        openMediaFile(m_currentFile, QString());
    } else {
        m_acceptsDrops = true;
        Q_EMIT acceptsDroppedFilesChanged(true);
    }
}

void Session::applyStartSettings(QSize panelSize)
{
    if (m_startSettingsApplied)
        return;
    m_startSettingsApplied = true;
    m_scrollTitle = m_settings.isOn(PlayerSettings::ScrollTitle);

    const QRect primary = primaryScreen();
    if (m_videoPosition.isNull())
        setVideoPosition(defaultVideoPosition(primary, m_layout.windowSize(), panelSize.height()));
    std::optional<PlayerSettings::Positions> stored;
    if (m_settings.isOn(PlayerSettings::Windowpos))
        stored = m_settings.positions();
    const Placement place =
        placeAtStart(stored, primary, allScreens(), panelSize, QRect(m_videoPosition, m_layout.windowSize()));
    setPanelPosition(place.panel);
    setVideoPosition(place.video);
}

// ---- opening -----------------------------------------------------------------

void Session::openMediaFile(const QString &media, const QString &chosenSubtitles)
{
    QString subtitles = chosenSubtitles;
    if (m_useSubtitles && subtitles.isEmpty())
        subtitles = SubtitleFile::findBeside(media);
    for (const auto &[path, isSubtitles] : {std::pair{media, false}, std::pair{subtitles, true}}) {
        if (isSubtitles && !m_useSubtitles)
            break;
        if (!fileExists(path)) {
            showMessage({QStringLiteral("Fatal error"), missingFileText(path, isSubtitles)});
            setStatus(NoMediaStatus);
            return;
        }
    }
    if (!m_media.isStarted()) {
        // The windows show as they would with the engine there; the rest
        // waits for it.
        m_waitingForEngine = FileToOpen{media, subtitles};
        if (m_settings.isOn(PlayerSettings::Autostart))
            setShown(PlayerWindow::Video, true);
        return;
    }
    handOver(media, subtitles);
}

void Session::handOver(const QString &media, const QString &subtitles)
{
    try {
        m_media.setFileName(media);
    } catch (const MediaError &e) {
        return reportError(playFailedMessage(media), e.code(), e.description());
    }
    Q_EMIT mediaChanged();
    if (m_useSubtitles) {
        m_subtitlePath = subtitles;
        loadSubtitles();
    }
    if (m_settings.isOn(PlayerSettings::Autostart)) {
        setShown(PlayerWindow::Video, true);
        m_media.play();
        m_clock.start();
        restoreRememberedState();
        openSubtitleWindow();
        setStatus(shortFileTitle(media) + QLatin1Char(' '));
    } else {
        restoreRememberedState();
        openSubtitleWindow();
        setStatus(shortFileTitle(media) + QStringLiteral(" loaded.."));
    }
}

void Session::onEngineStarted()
{
    if (m_volume != PlayerSettings::FullVolume) // a volume key came before the engine
        m_media.setVolume(m_volume);
    if (const std::optional<FileToOpen> file = std::exchange(m_waitingForEngine, std::nullopt))
        handOver(file->media, file->subtitles);
}

void Session::openChosenFile(const QString &media, const QString &subtitles)
{
    m_currentFile = media;
    openMediaFile(media, subtitles);
}

void Session::openDroppedFiles(const QStringList &paths)
{
    if (paths.isEmpty())
        return;
    showStatus(QStringLiteral("Loading file.."));
    m_currentFile = paths.first().trimmed();
    openMediaFile(m_currentFile, QString());
}

// The mute and repeat switches and the volume remembered at quit; the
// switches show again either way, and always as the engine has them.
void Session::restoreRememberedState()
{
    if (m_settings.isOn(PlayerSettings::RememberPlayer)) {
        if (!m_volumeChosen)
            applyVolume(m_settings.rememberedVolume());
        if (m_settings.isOn(PlayerSettings::RememberedMute))
            muteOn();
        if (m_settings.isOn(PlayerSettings::RememberedRepeat))
            repeatOn();
        if (m_settings.isOn(PlayerSettings::RememberedZoomStrip))
            showZoomStrip();
    }
    setOptionButtons(true);
}

void Session::openSubtitleWindow()
{
    if (m_useSubtitles)
        setShown(PlayerWindow::Subtitles, true);
    else if (isShown(PlayerWindow::Subtitles))
        setShown(PlayerWindow::Subtitles, false);
}

// ---- transport ---------------------------------------------------------------

void Session::play()
{
    if (!fileLoaded())
        return;
    setShown(PlayerWindow::Video, true);
    m_media.play();
    if (m_useSubtitles)
        loadSubtitles(); // the file is read anew
    setStatus(shortFileTitle(m_currentFile) + Playing);
    m_clock.start();
    setOptionButtons(true);
}

void Session::pauseOrResume()
{
    if (!fileLoaded())
        return;
    switch (m_media.playState()) {
    case PlayState::Paused:
        m_media.play();
        setStatus(shortFileTitle(m_currentFile) + Playing);
        m_clock.start();
        break;
    case PlayState::Playing:
        m_media.pause();
        setStatus(QStringLiteral("Playback paused.."));
        m_clock.stop();
        break;
    case PlayState::Stopped:
        break;
    }
}

void Session::stop()
{
    if (!fileLoaded())
        return;
    m_media.stop();
    if (m_useSubtitles)
        m_subtitles.clear();
    jumpTo(0.0);
    setStatus(QStringLiteral("Playback stopped.."));
    setMediaInfo(QString());
}

void Session::stepBack()
{
    showStatus(QStringLiteral("Seeking"));
    m_statusRefresh.start();
    if (m_media.currentPosition() > StepGuardSeconds)
        jumpTo(m_media.currentPosition() - StepSeconds);
}

void Session::stepForward()
{
    showStatus(QStringLiteral("Seeking.."));
    m_statusRefresh.start();
    if (m_media.duration() - StepGuardSeconds > m_media.currentPosition())
        jumpTo(m_media.currentPosition() + StepSeconds);
}

void Session::toStart() { jumpTo(0.0); }

void Session::toEnd() { jumpTo(m_media.duration()); }

void Session::seekTo(double seconds)
{
    if (fileLoaded())
        jumpTo(seconds);
}

void Session::jumpTo(double seconds)
{
    m_media.setCurrentPosition(seconds);
    if (fileLoaded())
        Q_EMIT positionJumped(m_media.currentPosition());
}

void Session::setVolume(int percent)
{
    percent = std::clamp(percent, 0, PlayerSettings::FullVolume);
    m_volumeChosen = true;
    applyVolume(percent);
    showStatus(QStringLiteral("Volume %1%").arg(percent));
}

// From anywhere between two steps, up or down to the next step.
void Session::volumeUp() { setVolume((m_volume / VolumeStep + 1) * VolumeStep); }

void Session::volumeDown() { setVolume((m_volume + VolumeStep - 1) / VolumeStep * VolumeStep - VolumeStep); }

void Session::applyVolume(int percent)
{
    if (percent == m_volume)
        return;
    m_volume = percent;
    m_media.setVolume(percent);
}

void Session::muteOn()
{
    if (!fileLoaded())
        return;
    m_media.setMute(true);
    m_muted = true;
    Q_EMIT switchesChanged();
}

void Session::muteOff()
{
    if (!fileLoaded())
        return;
    m_muted = false;
    m_media.setMute(false);
    Q_EMIT switchesChanged();
}

void Session::repeatOn()
{
    if (!fileLoaded())
        return;
    m_repeat = true;
    Q_EMIT switchesChanged();
}

void Session::repeatOff()
{
    m_repeat = false;
    Q_EMIT switchesChanged();
}

void Session::setOptionButtons(bool shown)
{
    if (shown == m_optionButtons)
        return;
    m_optionButtons = shown;
    Q_EMIT switchesChanged();
}

void Session::seekBarPressed(Qt::MouseButtons buttons, double x, double barWidth)
{
    if (buttons != Qt::LeftButton || !fileLoaded())
        return;
    showStatus(seekStatusText(x, barWidth, true));
    jumpTo(seekTargetSeconds(x, barWidth, m_media.duration()));
}

void Session::seekBarDragged(Qt::MouseButtons buttons, double x, double barWidth)
{
    if (buttons == Qt::LeftButton && fileLoaded())
        showStatus(seekStatusText(x, barWidth, false));
}

void Session::onEndOfMedia()
{
    if (m_repeat) {
        m_media.play();
        return;
    }
    setStatus(QString());
    m_subtitles.clear();
}

// ---- the panel's lines ---------------------------------------------------------

void Session::setStatus(const QString &text)
{
    m_statusText = text;
    showStatus(text);
}

void Session::showStatus(const QString &text)
{
    if (text == m_statusLine)
        return;
    m_statusLine = text;
    Q_EMIT statusLineChanged(text);
}

void Session::restoreStatus()
{
    if (m_statusLine != m_statusText && !m_scrollTitle)
        showStatus(m_statusText);
}

void Session::refreshStatus()
{
    m_statusRefresh.stop();
    if (m_currentFile.isEmpty()) {
        setStatus(NoMediaStatus);
        setOptionButtons(false);
        return;
    }
    switch (m_media.playState()) {
    case PlayState::Paused:
        setStatus(QStringLiteral("Playback paused.."));
        break;
    case PlayState::Playing:
        m_statusText = fileNameOnly(m_currentFile) + Playing;
        // A long title is left to the title scroll.
        if (m_statusText.size() < 21)
            setStatus(shortFileTitle(m_currentFile) + Playing);
        break;
    case PlayState::Stopped:
        setStatus(QStringLiteral("Playback stopped.."));
        break;
    }
}

void Session::setTimeText(const QString &text)
{
    if (text == m_timeText)
        return;
    m_timeText = text;
    Q_EMIT timeTextChanged(text);
}

void Session::setMediaInfo(const QString &text)
{
    if (text == m_mediaInfo)
        return;
    m_mediaInfo = text;
    Q_EMIT mediaInfoChanged(text);
}

// The seek bar keeps its value within 0..maximum; a new maximum shows at the
// next value.
void Session::setSeekValue(qint64 value)
{
    m_seekValue = std::clamp<qint64>(value, 0, std::max<qint64>(m_seekMaximum, 0));
    Q_EMIT seekBarChanged(m_seekValue, m_seekMaximum);
}

// The media line: "352 x 240 MPG [350x227]"; left alone for sound only.
void Session::showMediaInfo()
{
    const int width = m_media.pictureWidth();
    const int height = m_media.pictureHeight();
    if (!fileLoaded() || width <= 0 || height <= 0)
        return;
    QString line = QString::number(width) + QStringLiteral(" x ") + QString::number(height) +
                   QLatin1Char(' ') + fileExtension(m_media.fileName()).toUpper();
    if (!m_videoSizeText.isEmpty())
        line += QStringLiteral(" [") + m_videoSizeText + QLatin1Char(']');
    setMediaInfo(line);
}

// ---- the clock -----------------------------------------------------------------

void Session::clockTick()
{
    if (fileLoaded()) {
        const double position = m_media.currentPosition();
        if (position > -1) {
            setTimeText(convertTime(wholeSeconds(position)) + QStringLiteral(" / ") +
                        convertTime(wholeSeconds(m_media.duration())));
            setSeekValue(wholeSeconds(position));
        }
        if (m_media.displaySize() != DisplaySize::FullScreen) {
            if (m_alwaysOnTop && !m_dialogOpen && !m_panelInTray) {
                keepInBand(PlayerWindow::Video, true);
                keepInBand(PlayerWindow::Panel, true);
                if (zoomStripShown())
                    keepInBand(PlayerWindow::ZoomStrip, !m_zoomListFocused);
            }
            m_media.setFullScreenControls(false);
        }
        if (m_media.playState() == PlayState::Playing && m_scrollTitle) {
            m_statusText = fileNameOnly(m_media.fileName()) + Playing;
            if (m_statusText.size() > 20)
                showStatus(scrollTitle(m_statusText, m_titleScrollPos));
        }
        if (m_media.playState() == PlayState::Playing && m_useSubtitles)
            setSubtitleText(
                m_subtitles.textAt(m_media.currentPosition(), m_subtitles.frameRateFor(m_media.frameRate())));
    }
    if (m_useSubtitles && !isShown(PlayerWindow::Subtitles))
        setShown(PlayerWindow::Subtitles, true);
}

// A file that vanished or cannot be read gives no subtitles and no message;
// one too large to be subtitles is reported as the corrupt file it is.
void Session::loadSubtitles()
{
    if (m_subtitles.load(m_subtitlePath) == SubtitleFile::LoadResult::TooLarge)
        showMessage({QStringLiteral("File access error"), corruptFileText(m_subtitlePath)});
}

void Session::setSubtitleText(const QString &text)
{
    if (text == m_subtitleText)
        return;
    m_subtitleText = text;
    Q_EMIT subtitleTextChanged(text);
}

// ---- windows -------------------------------------------------------------------

void Session::setShown(PlayerWindow window, bool shown)
{
    bool &current = m_shown[std::size_t(window)];
    if (current == shown)
        return;
    current = shown;
    if (window == PlayerWindow::ZoomStrip)
        Q_EMIT switchesChanged();
    Q_EMIT windowShown(window, shown);
}

void Session::keepInBand(PlayerWindow window, bool wanted)
{
    setShown(window, true);
    Q_EMIT topMostRequested(window, wanted && m_alwaysOnTop);
}

void Session::windowClosed(PlayerWindow window)
{
    if (window == PlayerWindow::Panel) {
        // Nothing could bring the player back or quit it.
        Q_EMIT finished();
        return;
    }
    if (window == PlayerWindow::Video)
        m_media.stop(); // closing the video window stops playback
    if (window == PlayerWindow::Subtitles)
        setSubtitleText(QString());
    setShown(window, false);
}

// Switching on reaches the band only at the next tick: both windows are
// handed over while the switch is still off.
void Session::toggleAlwaysOnTop()
{
    const bool on = !m_alwaysOnTop;
    keepInBand(PlayerWindow::Video, on);
    keepInBand(PlayerWindow::Panel, on);
    showStatus(on ? QStringLiteral("Always on Top Enabled") : QStringLiteral("Always on Top Disabled"));
    m_alwaysOnTop = on;
    Q_EMIT switchesChanged();
}

void Session::toggleFullScreen()
{
    // Leaving needs no file: nothing may keep an empty window full screen.
    if (m_media.displaySize() == DisplaySize::FullScreen) {
        m_media.setDisplaySize(DisplaySize::Windowed);
        return;
    }
    if (!fileLoaded())
        return;
    keepInBand(PlayerWindow::Video, false);
    keepInBand(PlayerWindow::Panel, false);
    m_media.setFullScreenControls(true);
    m_media.setDisplaySize(DisplaySize::FullScreen);
}

void Session::onDisplayModeChanged()
{
    for (PlayerWindow window : {PlayerWindow::Video, PlayerWindow::Panel}) {
        setShown(window, true);
        Q_EMIT topMostRequested(window, false);
    }
    m_media.setFullScreenControls(true);
}

void Session::showAbout()
{
    setShown(PlayerWindow::About, true);
    m_dialogOpen = true;
    keepInBand(PlayerWindow::About, true);
}

void Session::showOptions()
{
    // Asked for again while open, the dialog comes to the front.
    m_shown[std::size_t(PlayerWindow::Options)] = true;
    Q_EMIT windowShown(PlayerWindow::Options, true);
}

void Session::hideToTray()
{
    m_panelInTray = true;
    Q_EMIT panelInTrayChanged(true);
    setShown(PlayerWindow::Panel, false);
    m_zoomWasShown = zoomStripShown();
    if (m_zoomWasShown)
        setShown(PlayerWindow::ZoomStrip, false);
}

void Session::restoreFromTray()
{
    if (!m_panelInTray)
        return;
    setShown(PlayerWindow::Panel, true);
    if (m_zoomWasShown)
        setShown(PlayerWindow::ZoomStrip, true);
    m_panelInTray = false;
    Q_EMIT panelInTrayChanged(false);
}

void Session::raisePanel()
{
    restoreFromTray();
    if (isShown(PlayerWindow::Panel))
        Q_EMIT raiseRequested(PlayerWindow::Panel);
}

void Session::positionsCannotBeKept()
{
    if (!m_positionsKnown)
        return;
    m_positionsKnown = false;
    showStatus(QStringLiteral("Window positions cannot be kept on Wayland"));
}

void Session::setPanelPosition(QPoint position)
{
    if (position == m_panelPosition)
        return;
    m_panelPosition = position;
    Q_EMIT panelPositionChanged(position);
}

void Session::setVideoPosition(QPoint position)
{
    if (position == m_videoPosition)
        return;
    m_videoPosition = position;
    Q_EMIT videoPositionChanged(position);
}

// ---- the video window ------------------------------------------------------------

void Session::onStreamOpened()
{
    setSeekMaximum(wholeSeconds(m_media.duration()));
    setTimeText(QStringLiteral("00:00:00/00:00:00"));
    setSeekValue(0);
    const double band = m_useSubtitles ? 30 : 0;
    const QSize own(m_media.pictureWidth(), m_media.pictureHeight());
    // A picture larger than the screen's free area is shown smaller, in whole
    // pixels and its aspect kept, so that the window and its grip stay within
    // reach. The window is a few pixels smaller than the picture it is made
    // for, so the area itself is the limit.
    const QRect area = freeScreenArea(QRect(m_videoPosition, m_layout.windowSize()));
    QSizeF shown(own);
    if (!own.isEmpty() && !area.isEmpty() && (own.width() > area.width() || own.height() > area.height())) {
        shown = shown.scaled(QSizeF(area.size()), Qt::KeepAspectRatio);
        shown = QSizeF(std::floor(shown.width()), std::floor(shown.height()));
    }
    const double width = std::nearbyint(twipsX(shown.width()));
    const double height = std::nearbyint(twipsY(shown.height()) + band);
    m_videoSizeText.clear();
    fitVideoToWindow(width, height);
    const QRectF picture = m_layout.pictureTwips();
    m_layout.resizeTwips(picture.left() + picture.width() + 15, picture.top() + picture.height() + 15);
    Q_EMIT videoLayoutChanged();
    if (!own.isEmpty())
        setVideoPosition(keepWithin(QRect(m_videoPosition, m_layout.windowSize()), area));
    fillZoomList();
    showMediaInfo();
    setPictureVisible(m_media.pictureWidth() > 0 && m_media.pictureHeight() > 0);
    Q_EMIT mediaChanged();
}

void Session::onDurationChanged()
{
    setSeekMaximum(wholeSeconds(m_media.duration()));
    Q_EMIT mediaChanged();
}

void Session::onStreamClosed()
{
    setPictureVisible(false);
    Q_EMIT mediaChanged();
}

void Session::onEngineError(int code, const QString &description)
{
    reportError(playFailedMessage(m_currentFile), code, description);
}

void Session::setPictureVisible(bool visible)
{
    if (visible == m_pictureVisible)
        return;
    m_pictureVisible = visible;
    Q_EMIT pictureVisibleChanged(visible);
}

void Session::fitVideoToWindow(double w, double h)
{
    if (!fileLoaded())
        return;
    const QSizeF shown = m_layout.fit(w, h);
    m_videoSizeText = singleText(shown.width()) + QLatin1Char('x') + singleText(shown.height());
    Q_EMIT videoLayoutChanged();
    showMediaInfo();
}

void Session::dragVideoGrip(double x, double y)
{
    if (m_layout.dragGrip(x, y))
        Q_EMIT videoLayoutChanged();
}

void Session::releaseVideoGrip() { fitVideoToWindow(0, 0); }

void Session::resizeVideo(double height, double width)
{
    if (m_layout.resizeForPicture(height, width, m_useSubtitles)) {
        // A window reaching below the screen is pushed up; past the right
        // edge it is left.
        const QRect screen = screenArea(QRect(m_videoPosition, m_layout.windowSize()));
        const double screenBottom = twipsY(screen.y() + screen.height());
        const double windowHeight = m_layout.heightTwips();
        if (twipsY(m_videoPosition.y()) + windowHeight > screenBottom)
            setVideoPosition(QPoint(m_videoPosition.x(), pixelsY(screenBottom - windowHeight)));
        Q_EMIT videoLayoutChanged();
    }
    fitVideoToWindow(0, 0);
}

// ---- the zoom strip ----------------------------------------------------------------

void Session::showZoomStrip()
{
    setShown(PlayerWindow::ZoomStrip, true);
    fillZoomList();
}

void Session::hideZoomStrip()
{
    m_settings.saveZoomChoice(m_zoomChoice);
    setShown(PlayerWindow::ZoomStrip, false);
}

void Session::fillZoomList()
{
    m_zoomChoices = qr::zoomChoices(fileLoaded(), QSize(m_media.pictureWidth(), m_media.pictureHeight()));
    m_zoomChoice = -1;
    Q_EMIT zoomChoicesChanged(m_zoomChoices);
}

void Session::chooseZoom(int index)
{
    m_zoomChoice = index;
    const QString choice = m_zoomChoices.value(index);
    if (choice == CustomChoice)
        return; // the strip asks for the size, then calls zoomToCustomSize
    const double perX = twipsPerPixelX();
    const double perY = twipsPerPixelY();
    const int width = m_media.pictureWidth();
    const int height = m_media.pictureHeight();
    const QString own = QString::number(width) + QLatin1Char('x') + QString::number(height);
    const auto sized = [&](double w, double h, const QString &text) {
        resizeVideo(perY * h, std::nearbyint(perX * w));
        m_videoSizeText = text;
    };
    if (choice == QLatin1String("50%")) {
        sized(width / 2.0, height / 2.0,
              singleText(width / 2.0) + QLatin1Char('x') + singleText(height / 2.0));
    } else if (choice == QLatin1String("100%")) {
        sized(width, height, own);
    } else if (choice == QLatin1String("200%")) {
        sized(2.0 * width, 2.0 * height,
              QString::number(2 * width) + QLatin1Char('x') + QString::number(2 * height));
    } else if (choice == FullScreenChoice) {
        // With nothing loaded there is no picture to show full screen.
        if (!fileLoaded())
            return;
        m_media.setDisplaySize(DisplaySize::FullScreen);
        m_media.setFullScreenControls(true);
        keepInBand(PlayerWindow::Video, false);
        keepInBand(PlayerWindow::Panel, false);
        const QRect screen = screenArea(QRect(m_videoPosition, m_layout.windowSize()));
        m_videoSizeText = singleText(screen.width()) + QLatin1Char('x') + singleText(screen.height());
    } else if (isStandardSize(choice)) {
        sized(choice.section(QLatin1Char('x'), 0, 0).toInt(), choice.section(QLatin1Char('x'), 1, 1).toInt(),
              choice);
    } else if (choice == own && fileLoaded()) {
        sized(width, height, choice);
    }
    showMediaInfo();
}

void Session::zoomToCustomSize(int width, int height)
{
    const QRect screen = screenArea(QRect(m_videoPosition, m_layout.windowSize()));
    if (width < 1 || height < 1 || screen.width() < width || screen.height() < height)
        return;
    resizeVideo(height * twipsPerPixelY(), width * twipsPerPixelX());
    m_videoSizeText = QString::number(width) + QLatin1Char('x') + QString::number(height);
    showMediaInfo();
}

// ---- errors ----------------------------------------------------------------------

void Session::reportError(const QString &message, int code, const QString &description)
{
    m_media.setFileName(QString());
    Q_EMIT mediaChanged();
    setSeekValue(0);
    m_statusText = NoMediaStatus;
    setTimeText(QString());
    setMediaInfo(QString());
    showStatus(m_statusText);
    setShown(PlayerWindow::Video, false);
    showMessage({QStringLiteral("Error"), errorReportText(message, code, description)});
}

// ---- quitting --------------------------------------------------------------------

void Session::quit()
{
    m_currentFile.clear();
    PlayerSettings::QuitState state;
    state.positionsKnown = m_positionsKnown;
    state.panelLeft = twipsX(m_panelPosition.x());
    state.panelTop = twipsY(m_panelPosition.y());
    state.videoLeft = twipsX(m_videoPosition.x());
    state.videoTop = twipsY(m_videoPosition.y());
    state.muted = m_muted;
    state.repeat = m_repeat;
    state.zoomStrip = zoomStripShown();
    state.zoomChoice = m_zoomChoice;
    state.volume = m_volume;
    const PlayerSettings::QuitSave saved = m_settings.saveAtQuit(state);
    if (saved.status)
        Q_EMIT saveFailed(notSavedText(*saved.status, saved.names));
    Q_EMIT finished();
}

} // namespace qr
