#pragma once

#include "engine/MediaControl.h"
#include "session/FileHistory.h"
#include "session/PanelLines.h"
#include "session/PlayQueue.h"
#include "session/Playback.h"
#include "session/SubtitleTrack.h"
#include "session/VideoSizing.h"
#include "session/WindowStates.h"
#include "settings/PlayerSettings.h"

#include <QObject>
#include <QPointF>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <optional>

namespace qr {

class Desktop;

// A message box the player shows: modal, OK only.
struct Message {
    QString title;
    QString text;
    bool critical = true;
};

// The player's state and rules, with no widgets. The windows and the
// desktop's media controls are views: they call the session's commands and
// show and follow its parts (the file and its transport, the queue, the
// recent files and resume points, the panel's lines, the windows, the
// video's size and zoom, the subtitles). The session keeps the 500 ms
// clock, opens files by the one road files take, answers the engine's
// notifications, reports errors and saves at quit.
class Session : public QObject {
    Q_OBJECT
public:
    Session(MediaControl &media, const PlayerSettings &settings, Desktop &desktop, QObject *parent = nullptr);
    ~Session() override;

    const Playback &playback() const { return m_playback; }
    const PlayQueue &queue() const { return m_queue; }
    const FileHistory &history() const { return m_history; }
    const PanelLines &lines() const { return m_lines; }
    const WindowStates &windows() const { return m_windows; }
    const VideoSizing &video() const { return m_video; }
    const SubtitleTrack &subtitles() const { return m_subtitles; }

    // ---- start-up --------------------------------------------------------
    // The panel's first load: status refresh, seek bar reset, the "Ontop"
    // and "useSubs" settings, then the command line's files queued, or drops
    // accepted when there are none. Starts the clock.
    void loadPanel(const QStringList &commandLineFiles);
    // The panel shows, and it and the video window (of the given size) take
    // their first places; "ScrollTitle" is read. Once.
    void placeMainWindows(QSize panelSize);

    // ---- opening ---------------------------------------------------------
    // The open command: asks for media files and, with subtitles in use,
    // for the first one's subtitle file, then queues and opens them. A
    // cancel leaves a loaded file as it was.
    void openFromDialog();
    // A file named from outside (the desktop's media controls) becomes the
    // queue and opens, with the subtitle file beside it.
    void openFile(const QString &media);
    // The dropped files and folders become the queue.
    void openDroppedFiles(const QStringList &paths);
    // The next or previous file of the queue, or of the folder of a single
    // file, opens and plays; at the end the status line says there is none.
    void next() { goTo(+1); }
    void previous() { goTo(-1); }
    // A file named from outside that opens and plays, whatever "Autostart"
    // says (the desktop's media controls).
    void openAndPlay(const QString &media);

    // ---- transport -------------------------------------------------------
    void play();
    void pauseOrResume();
    void stop();
    // A click on a step button steps twice: its press and its click each
    // call these.
    void stepBack();
    void stepForward();
    // The arrow keys: five seconds back or on, as far as the start or the
    // end, however close to them.
    void skipBack() { skip(-1); }
    void skipForward() { skip(+1); }
    void toStart();
    void toEnd();
    // Straight to a position, with a file loaded.
    void seekTo(double seconds);
    void setMuted(bool on);
    void toggleMute() { setMuted(!m_playback.muted()); }
    void setRepeat(bool on) { m_playback.setRepeat(on); }
    void setVolume(int percent) { m_playback.chooseVolume(percent); }
    void volumeUp();
    void volumeDown();
    // 0.5x to 2x by the menu and its keys, 0.25x to 4x from outside.
    void setSpeed(double factor);
    void speedUp();
    void slowDown();
    // The media's audio track, and what the subtitle window shows: nothing,
    // the subtitle file, one of the media's own tracks, or a file chosen in
    // the subtitle dialog.
    void chooseAudioTrack(int id);
    void subtitlesOff();
    void subtitlesFromFile();
    void subtitlesFromTrack(int id);
    void loadSubtitleFile();
    QString subtitleChoiceLabel() const;
    // The picture as it plays, at its own size, as a PNG file in the
    // pictures folder named after the file and the position.
    void takeScreenshot();
    // The menu, for the window it was asked in (or the tray's).
    void showMenu() { m_windows.askForMenu(); }
    // A press or a drag on the seek bar, x in twips across its width.
    void seekBarPressed(Qt::MouseButtons buttons, double x, double barWidth);
    void seekBarDragged(Qt::MouseButtons buttons, double x, double barWidth);

    // ---- the status line -------------------------------------------------
    void showHint(const QString &text) { m_lines.showHint(text); }
    // The pointer moved over the skin: back to the status text, unless the
    // title scrolls.
    void returnToStatusText();
    // The status refresh: state texts from the engine's play state. Runs
    // 500 ms after a step, and once when the panel loads.
    void refreshStatus();

    // ---- the clock -------------------------------------------------------
    // Every 500 ms while it runs: time line and seek bar, the top-most band,
    // the scrolling title, the subtitles. It runs while the engine plays,
    // and while stopped with a file loaded and "Always on Top" on.
    void clockTick();
    bool clockRunning() const { return m_clock.isActive(); }

    // ---- windows ---------------------------------------------------------
    void toggleAlwaysOnTop();
    // Alt+Enter: full screen on with a file loaded; off always.
    void toggleFullScreen();
    bool fullScreen() const { return m_media.displaySize() == DisplaySize::FullScreen; }
    void setFullScreen(bool on);
    // While either is open the clock leaves the top-most band alone.
    void showAbout();
    void showOptions();
    // The options dialog's OK and Apply: the switches stored, title
    // scrolling followed at once, the rest at the next event that reads them.
    void applyOptions(const PlayerSettings::Options &options);
    // A window closed by the user or the desktop. Closing the video window
    // stops playback; closing the panel ends the run, without saving.
    void windowClosed(PlayerWindow window);
    // To the tray, when the desktop has one; otherwise the panel stays and
    // the status line says so.
    void hideToTray();
    void restoreFromTray() { m_windows.restoreFromTray(); }
    // The panel brought to the front, from the tray if it is there.
    void raisePanel();
    // The windows report where the user or the desktop put them.
    void panelMoved(QPoint position) { m_windows.setPanelPosition(position); }
    void videoMoved(QPoint position) { m_windows.setVideoPosition(position); }
    void videoFullScreenChanged(bool on) { m_windows.setVideoFullScreen(on); }

    // ---- the video window and the zoom strip ------------------------------
    // The grip dragged by `by` twips (left button, after a press on it) and
    // released.
    void dragVideoGrip(QPointF by) { m_video.dragGrip(by); }
    void releaseVideoGrip() { m_video.releaseGrip(); }
    void showZoomStrip();
    void hideZoomStrip();
    // The list's choice, made or only moved to.
    void chooseZoom(int index) { m_video.chooseZoom(index); }
    void chooseAspect(int index) { m_video.chooseAspect(index); }
    void setZoomChoice(int index) { m_video.setZoomChoice(index); }
    // While the list has the focus, the strip leaves the top-most band.
    void setZoomListFocused(bool focused) { m_windows.setZoomListFocused(focused); }

    // ---- quitting --------------------------------------------------------
    // Saves what the switches ask to keep and ends the run; a store that
    // cannot take them does not hold it up (saveFailed says what was lost).
    void quit();

Q_SIGNALS:
    void messageRequested(const Message &message);
    // Values could not be saved: a line for standard error naming them.
    void saveFailed(const QString &report);
    // The run ends: after quit has saved what it saves, or the panel closed.
    void finished();

private:
    struct FileToOpen {
        QString media;
        QString subtitles;
        bool play = false; // even without "Autostart"
    };

    void skip(int direction);
    // The time line and the seek bar at the playing position, and with
    // showPosition the subtitles too.
    void showTime();
    void showPosition();
    void runClockWhileNeeded();
    void openQueue(const QStringList &entries, const QString &subtitles, bool play = false);
    void openQueued(QString subtitles, bool play);
    void goTo(int direction);
    [[nodiscard]] bool openMediaFile(const FileToOpen &file);
    void leaveFile();
    void handOver(const FileToOpen &file);
    void restoreRememberedState();
    void showSubtitleWindowIfUsed();
    void openSubtitles(const QString &path);
    void reopenSubtitles();
    void showMessage(const Message &message) { Q_EMIT messageRequested(message); }
    void reportFailedSave(const PlayerSettings::Save &save);
    // Back to the state without media, then the "Error" box for the failure.
    void reportError(const QString &message, int code, const QString &description);

    void onEngineStarted();
    void onStreamOpened();
    void onEndOfMedia();
    void onDisplayModeChanged();
    void onTracksChanged();
    void onScreenshotSaved(const QString &path, bool saved);
    // A short text over a full-screen picture, where the status line is out
    // of sight.
    void feedback(const QString &text);

    MediaControl &m_media;
    const PlayerSettings &m_settings;
    Desktop &m_desktop;

    PanelLines m_lines;
    WindowStates m_windows;
    PlayQueue m_queue;
    FileHistory m_history;
    SubtitleTrack m_subtitles;
    Playback m_playback;
    VideoSizing m_video;

    QTimer m_clock;
    QTimer m_statusRefresh;
    bool m_scrollTitle = false;
    std::optional<FileToOpen> m_waitingForEngine;
    bool m_mainWindowsPlaced = false;
};

} // namespace qr
