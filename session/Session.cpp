#include "session/Session.h"

#include "desktop/Desktop.h"
#include "desktop/Paths.h"
#include "desktop/Twips.h"
#include "session/ClockText.h"
#include "session/ErrorReport.h"
#include "session/SeekMath.h"
#include "session/TrackNames.h"

#include <QDir>
#include <QFileInfo>

namespace qr {

namespace {
constexpr int TickMs = 500;
const QString Playing = QStringLiteral(" Playing..");
} // namespace

Session::Session(MediaControl &media, const PlayerSettings &settings, Desktop &desktop, QObject *parent)
    : QObject(parent), m_media(media), m_settings(settings), m_desktop(desktop), m_windows(desktop),
      m_history(settings), m_playback(media, m_lines, m_windows),
      m_video(media, desktop, m_windows, m_lines, m_subtitles)
{
    m_clock.setInterval(TickMs);
    m_statusRefresh.setInterval(TickMs);
    m_statusRefresh.setSingleShot(true);
    connect(&m_clock, &QTimer::timeout, this, &Session::clockTick);
    connect(&m_statusRefresh, &QTimer::timeout, this, &Session::refreshStatus);
    connect(&m_playback, &Playback::playStateChanged, this, &Session::runClockWhileNeeded);
    connect(&m_windows, &WindowStates::alwaysOnTopChanged, this, &Session::runClockWhileNeeded);

    connect(&m_media, &MediaControl::started, this, &Session::onEngineStarted);
    connect(&m_media, &MediaControl::streamOpened, this, &Session::onStreamOpened);
    connect(&m_media, &MediaControl::endOfMedia, this, &Session::onEndOfMedia);
    connect(&m_media, &MediaControl::pictureMousePressed, this, [this](Qt::MouseButton button) {
        if (button == Qt::LeftButton)
            m_windows.drag(PlayerWindow::Video);
        else if (button == Qt::RightButton)
            m_windows.askForMenu();
    });
    connect(&m_media, &MediaControl::durationChanged, this,
            [this] { m_lines.setSeekMaximum(wholeSeconds(m_playback.duration())); });
    connect(&m_media, &MediaControl::displayModeChanged, this, &Session::onDisplayModeChanged);
    connect(&m_media, &MediaControl::tracksChanged, this, &Session::onTracksChanged);
    connect(&m_media, &MediaControl::screenshotSaved, this, &Session::onScreenshotSaved);
    connect(&m_media, &MediaControl::pictureSizeChanged, this, [this] {
        m_video.fitNewPicture();
        m_video.showMediaInfo();
    });
    connect(&m_media, &MediaControl::picturePointerMoved, this, [this] { feedback(m_lines.timeText()); });
    // Paused or stopped, the clock is off: a jump shows its place once.
    connect(&m_playback, &Playback::positionJumped, this, [this] {
        if (m_playback.playState() != PlayState::Playing)
            showPosition();
        else
            showTime();
        feedback(m_lines.timeText());
    });
    connect(&m_media, &MediaControl::streamClosed, this, [this] { m_video.setPictureVisible(false); });
    connect(&m_media, &MediaControl::engineError, this, [this](int code, const QString &description) {
        reportError(playFailedMessage(m_playback.currentFile()), code, description);
    });
}

Session::~Session() = default;

// ---- start-up ----------------------------------------------------------------

void Session::loadPanel(const QStringList &commandLineFiles)
{
    // Before the command-line file opens, so that it gets its subtitles.
    m_subtitles.setInUse(m_settings.isOn(PlayerSettings::UseSubs));
    refreshStatus();
    m_lines.setSeekValue(0);
    if (m_settings.isOn(PlayerSettings::Ontop)) {
        // The switch is still off here, so the windows reach the band only
        // at the next tick of the clock.
        m_windows.keepMainWindowsInBand(true);
        m_lines.showHint(QStringLiteral("Always on Top Enabled"));
        m_windows.setAlwaysOnTop(true);
    }
    if (!commandLineFiles.isEmpty()) {
        m_lines.showHint(QStringLiteral("Loading file.."));
        openQueue(commandLineFiles, QString());
    } else {
        m_windows.acceptDroppedFiles();
    }
    if (!m_desktop.keepsWindowPositions()) {
        m_windows.forgetPositions();
        m_lines.showHint(QStringLiteral("Window positions cannot be kept on Wayland"));
    }
}

void Session::placeMainWindows(QSize panelSize)
{
    m_windows.setShown(PlayerWindow::Panel, true);
    if (m_mainWindowsPlaced)
        return;
    m_mainWindowsPlaced = true;
    m_scrollTitle = m_settings.isOn(PlayerSettings::ScrollTitle);
    std::optional<PlayerSettings::Positions> stored;
    if (m_settings.isOn(PlayerSettings::Windowpos))
        stored = m_settings.positions();
    m_windows.placeAtStart(stored, panelSize, m_video.layout().windowSize());
}

// ---- opening -----------------------------------------------------------------

void Session::openFromDialog()
{
    m_lines.showHint(QStringLiteral("Load file.."));
    const QStringList media = m_desktop.chooseFiles(QStringLiteral("Open Media"), FileKind::Media, true);
    if (media.isEmpty()) {
        if (!m_playback.fileLoaded())
            m_lines.showHint(NoMediaStatus);
        return;
    }
    QString subtitles;
    if (m_subtitles.inUse()) {
        m_lines.showHint(QStringLiteral("Load Subtitles.."));
        const QStringList chosen =
            m_desktop.chooseFiles(QStringLiteral("Open Subtitles Resource"), FileKind::Subtitles, false);
        if (chosen.isEmpty()) {
            if (!m_playback.fileLoaded()) {
                showMessage(
                    {QStringLiteral("Subtitles not loaded."),
                     QStringLiteral(
                         "No Subtitles file selected.  Deselect Subtitles use in the options panel.")});
                m_lines.showHint(NoMediaStatus);
            }
            return;
        }
        subtitles = chosen.first();
    }
    openQueue(media, subtitles);
}

void Session::openFile(const QString &media) { openQueue({media}, QString()); }

void Session::openDroppedFiles(const QStringList &paths)
{
    if (paths.isEmpty())
        return;
    m_lines.showHint(QStringLiteral("Loading file.."));
    QStringList trimmed;
    for (const QString &path : paths)
        trimmed << path.trimmed();
    openQueue(trimmed, QString());
}

void Session::openQueue(const QStringList &entries, const QString &subtitles, bool play)
{
    m_queue.replace(entries);
    openQueued(subtitles, play);
}

void Session::openAndPlay(const QString &media) { openQueue({media}, QString(), true); }

// The queue's current file opens; one that cannot is reported, and the
// queue goes on to the file after it.
void Session::openQueued(QString subtitles, bool play)
{
    for (;;) {
        m_playback.setCurrentFile(m_queue.current());
        if (openMediaFile({m_queue.current(), std::exchange(subtitles, QString()), play}))
            return;
        const std::optional<QString> following = m_queue.following();
        if (!following)
            return;
        m_queue.moveTo(*following);
    }
}

void Session::goTo(int direction)
{
    const std::optional<QString> file = m_queue.neighbour(direction);
    if (!file) {
        m_lines.showHint(direction > 0 ? QStringLiteral("No next file..")
                                       : QStringLiteral("No previous file.."));
        return;
    }
    m_queue.moveTo(*file);
    m_lines.showHint(QStringLiteral("Loading file.."));
    openQueued(QString(), true);
}

// The one road by which a media file and its subtitle file reach the
// engine: both checked, the file handed over, playback started when
// "Autostart" asks for it, the remembered player state restored and the
// status line written. Without a subtitle path, a subtitle file beside the
// media is used. Before the engine has started, the checked file waits for
// it (the last one asked for).
// False when a file is missing (and reported).
bool Session::openMediaFile(const FileToOpen &asked)
{
    FileToOpen file = asked;
    const bool withSubtitles = m_subtitles.inUse();
    if (withSubtitles && file.subtitles.isEmpty())
        file.subtitles = SubtitleFile::findBeside(file.media);
    for (const auto &[path, isSubtitles] : {std::pair{file.media, false}, std::pair{file.subtitles, true}}) {
        if (isSubtitles && !withSubtitles)
            break;
        if (!fileExists(path)) {
            showMessage({QStringLiteral("Fatal error"), missingFileText(path, isSubtitles)});
            m_lines.setStatus(NoMediaStatus);
            return false;
        }
    }
    if (!m_media.isStarted()) {
        // The windows show as they would with the engine there; the rest
        // waits for it.
        m_waitingForEngine = file;
        if (file.play || m_settings.isOn(PlayerSettings::Autostart))
            m_windows.setShown(PlayerWindow::Video, true);
        return true;
    }
    handOver(file);
    return true;
}

// Where the file in use was left is remembered before another takes its
// place, and at quit.
void Session::leaveFile()
{
    if (m_playback.fileLoaded() && m_settings.isOn(PlayerSettings::ResumePlayback))
        m_history.left(m_playback.loadedFile(), m_playback.position(), m_playback.duration());
}

void Session::handOver(const FileToOpen &file)
{
    leaveFile();
    try {
        m_playback.load(file.media);
    } catch (const MediaError &e) {
        return reportError(playFailedMessage(file.media), e.code(), e.description());
    }
    m_history.opened(file.media);
    m_video.forgetAspect();
    if (m_subtitles.inUse())
        openSubtitles(file.subtitles);
    else
        m_subtitles.useNone(); // until the engine names a track of the file's own
    const bool autostart = file.play || m_settings.isOn(PlayerSettings::Autostart);
    if (autostart) {
        m_windows.setShown(PlayerWindow::Video, true);
        m_media.play();
    }
    runClockWhileNeeded(); // a top-most band is kept with the file loaded
    restoreRememberedState();
    showSubtitleWindowIfUsed();
    m_lines.setStatus(shortFileTitle(file.media) +
                      (autostart ? QStringLiteral(" ") : QStringLiteral(" loaded..")));
}

void Session::onEngineStarted()
{
    m_playback.engineStarted();
    if (const std::optional<FileToOpen> file = std::exchange(m_waitingForEngine, std::nullopt))
        handOver(*file);
}

// The mute and repeat switches and the volume remembered at quit; the
// switches show again either way, and always as the engine has them.
void Session::restoreRememberedState()
{
    if (m_settings.isOn(PlayerSettings::RememberPlayer)) {
        m_playback.applyRememberedVolume(m_settings.rememberedVolume());
        if (m_settings.isOn(PlayerSettings::RememberedMute))
            m_playback.setMuted(true);
        if (m_settings.isOn(PlayerSettings::RememberedRepeat))
            m_playback.setRepeat(true);
        if (m_settings.isOn(PlayerSettings::RememberedZoomStrip))
            showZoomStrip();
    }
    m_playback.setOptionButtonsShown(true);
}

void Session::showSubtitleWindowIfUsed()
{
    if (m_subtitles.showsWindow())
        m_windows.setShown(PlayerWindow::Subtitles, true);
    else if (m_windows.isShown(PlayerWindow::Subtitles))
        m_windows.setShown(PlayerWindow::Subtitles, false);
}

// Without a subtitle file, the subtitles shown are the media's track the
// engine has chosen, if any.
void Session::onTracksChanged()
{
    // A file or Off is the user's choice for this file: the engine's reports do not undo it.
    if (m_subtitles.source() == SubtitleTrack::Source::File ||
        m_subtitles.source() == SubtitleTrack::Source::Off)
        return;
    const int id = m_playback.currentTrack(MediaTrack::Kind::Subtitle);
    if (id == m_subtitles.trackId())
        return;
    if (id == 0) {
        m_subtitles.useNone();
    } else {
        const std::optional<MediaTrack> track = m_playback.track(MediaTrack::Kind::Subtitle, id);
        m_subtitles.useTrack(id, track && track->pictureBased);
    }
    showSubtitleWindowIfUsed();
}

void Session::subtitlesOff()
{
    if (!m_playback.fileLoaded())
        return;
    m_media.selectTrack(MediaTrack::Kind::Subtitle, 0);
    m_subtitles.switchOff();
    showSubtitleWindowIfUsed();
    feedback(QStringLiteral("Subtitles: Off"));
}

void Session::subtitlesFromTrack(int id)
{
    if (!m_playback.fileLoaded())
        return;
    // Chosen here, the track is used even where a subtitle file was.
    m_subtitles.useNone();
    m_media.selectTrack(MediaTrack::Kind::Subtitle, id);
    onTracksChanged();
    feedback(QStringLiteral("Subtitles: ") + subtitleChoiceLabel());
}

void Session::subtitlesFromFile()
{
    if (!m_playback.fileLoaded() || m_subtitles.path().isEmpty())
        return;
    m_media.selectTrack(MediaTrack::Kind::Subtitle, 0);
    reopenSubtitles();
    showSubtitleWindowIfUsed();
    showPosition();
}

void Session::loadSubtitleFile()
{
    if (!m_playback.fileLoaded())
        return;
    m_lines.showHint(QStringLiteral("Load Subtitles.."));
    const QStringList chosen =
        m_desktop.chooseFiles(QStringLiteral("Open Subtitles Resource"), FileKind::Subtitles, false);
    if (chosen.isEmpty())
        return m_lines.returnToStatusText();
    m_media.selectTrack(MediaTrack::Kind::Subtitle, 0);
    openSubtitles(chosen.first());
    showSubtitleWindowIfUsed();
    showPosition();
}

QString Session::subtitleChoiceLabel() const
{
    switch (m_subtitles.source()) {
    case SubtitleTrack::Source::None:
    case SubtitleTrack::Source::Off:
        return QStringLiteral("Off");
    case SubtitleTrack::Source::File:
        return fileNameOnly(m_subtitles.path());
    case SubtitleTrack::Source::Track:
    case SubtitleTrack::Source::PictureTrack:
        if (const auto track = m_playback.track(MediaTrack::Kind::Subtitle, m_subtitles.trackId()))
            return trackLabel(*track);
        break;
    }
    return QString();
}

// A file that vanished or cannot be read gives no subtitles and no message;
// one too large to be subtitles is reported as the corrupt file it is.
void Session::openSubtitles(const QString &path)
{
    if (m_subtitles.open(path) == SubtitleFile::LoadResult::TooLarge)
        showMessage({QStringLiteral("File access error"), corruptFileText(path)});
}

void Session::reopenSubtitles()
{
    if (m_subtitles.reopen() == SubtitleFile::LoadResult::TooLarge)
        showMessage({QStringLiteral("File access error"), corruptFileText(m_subtitles.path())});
}

// ---- transport ---------------------------------------------------------------

void Session::play()
{
    if (!m_playback.play())
        return;
    if (m_subtitles.source() == SubtitleTrack::Source::File)
        reopenSubtitles();
    m_video.showMediaInfo(); // stop cleared it
}

void Session::pauseOrResume() { m_playback.pauseOrResume(); }

// The subtitles are let go first: the text shown stays while stopped.
void Session::stop()
{
    if (!m_playback.fileLoaded())
        return;
    m_subtitles.close();
    m_playback.stop();
}

void Session::stepBack()
{
    m_lines.showHint(QStringLiteral("Seeking"));
    m_statusRefresh.start();
    m_playback.stepBack();
}

void Session::stepForward()
{
    m_lines.showHint(QStringLiteral("Seeking.."));
    m_statusRefresh.start();
    m_playback.stepForward();
}

void Session::skip(int direction)
{
    m_lines.showHint(direction < 0 ? QStringLiteral("Seeking") : QStringLiteral("Seeking.."));
    m_statusRefresh.start();
    m_playback.skip(direction * Playback::StepSeconds);
}

void Session::toStart() { m_playback.jumpTo(0.0); }

void Session::toEnd() { m_playback.jumpTo(m_playback.duration()); }

void Session::seekTo(double seconds)
{
    if (m_playback.fileLoaded())
        m_playback.jumpTo(seconds);
}

void Session::setMuted(bool on)
{
    m_playback.setMuted(on);
    feedback(on ? QStringLiteral("Mute On") : QStringLiteral("Mute off"));
}

void Session::volumeUp()
{
    m_playback.volumeUp();
    feedback(m_lines.status());
}

void Session::volumeDown()
{
    m_playback.volumeDown();
    feedback(m_lines.status());
}

void Session::setSpeed(double factor)
{
    m_playback.setSpeed(factor);
    feedback(m_lines.status());
}

void Session::speedUp()
{
    m_playback.speedUp();
    feedback(m_lines.status());
}

void Session::slowDown()
{
    m_playback.slowDown();
    feedback(m_lines.status());
}

void Session::chooseAudioTrack(int id)
{
    m_playback.chooseAudioTrack(id);
    if (const auto track = m_playback.track(MediaTrack::Kind::Audio, id))
        feedback(QStringLiteral("Audio: ") + trackLabel(*track));
}

// "clip - 0.12.34.png"; a second one of the same second gets " (2)".
void Session::takeScreenshot()
{
    if (!m_video.pictureVisible())
        return;
    const QString time = convertTime(wholeSeconds(m_playback.position())).replace(u':', u'.');
    const QString stem =
        QDir(m_desktop.picturesFolder())
            .filePath(QFileInfo(m_playback.loadedFile()).completeBaseName() + QStringLiteral(" - ") + time);
    QString path = stem + QStringLiteral(".png");
    for (int n = 2; QFileInfo::exists(path); ++n)
        path = stem + QStringLiteral(" (%1).png").arg(n);
    m_media.saveScreenshot(path);
}

void Session::onScreenshotSaved(const QString &path, bool saved)
{
    m_lines.showHint(saved ? QStringLiteral("Screenshot saved to ") + path
                           : QStringLiteral("Screenshot could not be saved to ") + path);
}

void Session::feedback(const QString &text)
{
    if (fullScreen() && !text.isEmpty())
        m_media.showOnScreen(text);
}

void Session::seekBarPressed(Qt::MouseButtons buttons, double x, double barWidth)
{
    if (buttons != Qt::LeftButton || !m_playback.fileLoaded())
        return;
    m_lines.showHint(seekStatusText(x, barWidth, true));
    m_playback.jumpTo(seekTargetSeconds(x, barWidth, m_playback.duration()));
}

void Session::seekBarDragged(Qt::MouseButtons buttons, double x, double barWidth)
{
    if (buttons == Qt::LeftButton && m_playback.fileLoaded())
        m_lines.showHint(seekStatusText(x, barWidth, false));
}

void Session::onEndOfMedia()
{
    if (m_playback.repeat()) {
        m_media.play();
        return;
    }
    if (m_settings.isOn(PlayerSettings::ResumePlayback))
        m_history.forget(m_playback.loadedFile());
    if (const std::optional<QString> following = m_queue.following()) {
        m_queue.moveTo(*following);
        return openQueued(QString(), true);
    }
    m_lines.setStatus(QString());
    m_subtitles.close();
}

// ---- the status line -----------------------------------------------------------

void Session::returnToStatusText()
{
    if (!m_scrollTitle)
        m_lines.returnToStatusText();
}

void Session::refreshStatus()
{
    m_statusRefresh.stop();
    const QString file = m_playback.currentFile();
    if (file.isEmpty()) {
        m_lines.setStatus(NoMediaStatus);
        m_playback.setOptionButtonsShown(false);
        return;
    }
    switch (m_playback.playState()) {
    case PlayState::Paused:
        m_lines.setStatus(QStringLiteral("Playback paused.."));
        break;
    case PlayState::Playing:
        // A long title is left to the title scroll.
        if (const QString title = fileNameOnly(file) + Playing; title.size() < 21)
            m_lines.setStatus(shortFileTitle(file) + Playing);
        else
            m_lines.setStatusText(title);
        break;
    case PlayState::Stopped:
        m_lines.setStatus(QStringLiteral("Playback stopped.."));
        break;
    }
}

// ---- the clock -----------------------------------------------------------------

void Session::showTime()
{
    const double position = m_playback.position();
    if (position > -1) {
        m_lines.setTimeText(convertTime(wholeSeconds(position)) + QStringLiteral(" / ") +
                            convertTime(wholeSeconds(m_playback.duration())));
        m_lines.setSeekValue(wholeSeconds(position));
    }
}

void Session::showPosition()
{
    showTime();
    m_subtitles.follow(m_playback.position(), m_media.frameRate(), m_media.trackSubtitleText());
}

// Nothing moves while nothing plays: the clock rests then, and an idle
// player wakes for nothing. Only a top-most band is kept while stopped.
void Session::runClockWhileNeeded()
{
    const PlayState state = m_playback.playState();
    if (state == PlayState::Playing ||
        (state == PlayState::Stopped && m_windows.alwaysOnTop() && m_playback.fileLoaded()))
        m_clock.start();
    else
        m_clock.stop();
}

void Session::clockTick()
{
    if (m_playback.fileLoaded()) {
        showTime();
        if (m_media.displaySize() != DisplaySize::FullScreen) {
            m_windows.keepBandUp();
            m_media.setFullScreenControls(false);
        }
        const bool playing = m_playback.playState() == PlayState::Playing;
        if (playing && m_scrollTitle)
            m_lines.scrollTitle(fileNameOnly(m_playback.loadedFile()) + Playing);
        if (playing)
            m_subtitles.follow(m_playback.position(), m_media.frameRate(), m_media.trackSubtitleText());
    }
    if (m_subtitles.showsWindow() && !m_windows.isShown(PlayerWindow::Subtitles))
        m_windows.setShown(PlayerWindow::Subtitles, true);
}

// ---- windows -------------------------------------------------------------------

// Switching on reaches the band only at the next tick: both windows are
// handed over while the switch is still off.
void Session::toggleAlwaysOnTop()
{
    const bool on = !m_windows.alwaysOnTop();
    m_windows.keepMainWindowsInBand(on);
    m_lines.showHint(on ? QStringLiteral("Always on Top Enabled") : QStringLiteral("Always on Top Disabled"));
    m_windows.setAlwaysOnTop(on);
}

void Session::toggleFullScreen()
{
    // Leaving needs no file: nothing may keep an empty window full screen.
    if (m_media.displaySize() == DisplaySize::FullScreen) {
        m_media.setDisplaySize(DisplaySize::Windowed);
        return;
    }
    if (!m_playback.fileLoaded())
        return;
    m_windows.keepMainWindowsInBand(false);
    m_media.setFullScreenControls(true);
    m_media.setDisplaySize(DisplaySize::FullScreen);
}

void Session::setFullScreen(bool on)
{
    if (on != fullScreen())
        toggleFullScreen();
}

void Session::onDisplayModeChanged()
{
    m_windows.keepMainWindowsInBand(false);
    m_media.setFullScreenControls(true);
}

void Session::showAbout()
{
    m_windows.setShown(PlayerWindow::About, true);
    m_windows.setDialogOpen(true);
    m_windows.keepInBand(PlayerWindow::About, true);
}

void Session::showOptions()
{
    // The dialog's key, made when it first opens; a key that cannot be made
    // shows up as the failure of the save that needs it.
    static_cast<void>(m_settings.createKey());
    m_windows.showAgain(PlayerWindow::Options);
    m_windows.setDialogOpen(true);
}

void Session::applyOptions(const PlayerSettings::Options &options)
{
    reportFailedSave(m_settings.saveOptions(options));
    m_scrollTitle = options.scrollTitle;
}

void Session::reportFailedSave(const PlayerSettings::Save &save)
{
    if (save.status)
        Q_EMIT saveFailed(notSavedText(*save.status, save.names));
}

void Session::windowClosed(PlayerWindow window)
{
    switch (window) {
    case PlayerWindow::Panel:
        // Nothing could bring the player back or quit it.
        Q_EMIT finished();
        return;
    case PlayerWindow::Video:
        m_media.stop();
        break;
    case PlayerWindow::Subtitles:
        m_subtitles.clearText();
        break;
    case PlayerWindow::About:
    case PlayerWindow::Options:
        // However it was closed, the clock may keep the band again.
        m_windows.setDialogOpen(false);
        break;
    case PlayerWindow::ZoomStrip:
    case PlayerWindow::Count:
        break;
    }
    m_windows.setShown(window, false);
}

void Session::hideToTray()
{
    if (!m_desktop.hasTray()) {
        // A panel hidden with no icon to bring it back would be lost.
        m_lines.showHint(QStringLiteral("No system tray available"));
        return;
    }
    m_windows.hideToTray();
}

void Session::raisePanel()
{
    m_windows.restoreFromTray();
    if (m_windows.isShown(PlayerWindow::Panel))
        m_windows.raise(PlayerWindow::Panel);
}

// ---- the video window and the zoom strip -----------------------------------------

void Session::onStreamOpened()
{
    m_lines.setSeekMaximum(wholeSeconds(m_playback.duration()));
    m_lines.setTimeText(QStringLiteral("00:00:00/00:00:00"));
    m_lines.setSeekValue(0);
    m_video.fitNewPicture();
    m_video.fillZoomChoices();
    m_video.showMediaInfo();
    m_video.setPictureVisible(m_media.pictureWidth() > 0 && m_media.pictureHeight() > 0);
    onTracksChanged(); // the tracks the engine chose as the file opened
    if (!m_settings.isOn(PlayerSettings::ResumePlayback))
        return;
    if (const std::optional<double> seconds =
            m_history.resumePoint(m_playback.loadedFile(), m_playback.duration())) {
        m_playback.jumpTo(*seconds);
        m_lines.showHint(QStringLiteral("Resumed at ") + convertTime(wholeSeconds(*seconds)));
    }
}

void Session::showZoomStrip()
{
    m_windows.setShown(PlayerWindow::ZoomStrip, true);
    m_video.fillZoomChoices();
    m_lines.showHint(QStringLiteral("Select zoom.."));
}

void Session::hideZoomStrip()
{
    reportFailedSave(m_settings.saveZoomChoice(m_video.zoomChoice()));
    m_windows.setShown(PlayerWindow::ZoomStrip, false);
}

// ---- errors and quitting -----------------------------------------------------------

void Session::reportError(const QString &message, int code, const QString &description)
{
    m_playback.unload();
    m_lines.setSeekValue(0);
    m_lines.setStatusText(NoMediaStatus);
    m_lines.setTimeText(QString());
    m_lines.setMediaInfo(QString());
    m_lines.returnToStatusText();
    m_windows.setShown(PlayerWindow::Video, false);
    showMessage({QStringLiteral("Error"), errorReportText(message, code, description)});
}

void Session::quit()
{
    leaveFile();
    m_playback.setCurrentFile(QString());
    PlayerSettings::QuitState state;
    state.positionsKnown = m_windows.positionsKnown();
    state.panelLeft = twipsX(m_windows.panelPosition().x());
    state.panelTop = twipsY(m_windows.panelPosition().y());
    state.videoLeft = twipsX(m_windows.videoPosition().x());
    state.videoTop = twipsY(m_windows.videoPosition().y());
    state.muted = m_playback.muted();
    state.repeat = m_playback.repeat();
    state.zoomStrip = m_windows.isShown(PlayerWindow::ZoomStrip);
    state.zoomChoice = m_video.zoomChoice();
    state.volume = m_playback.volume();
    m_history.addTo(state);
    reportFailedSave(m_settings.saveAtQuit(state));
    Q_EMIT finished();
}

} // namespace qr
