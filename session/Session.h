#pragma once

#include "engine/MediaControl.h"
#include "session/SubtitleFile.h"
#include "session/VideoLayout.h"
#include "settings/PlayerSettings.h"

#include <QObject>
#include <QPoint>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <array>
#include <optional>

namespace qr {

// The player's windows, as the session asks for them to be shown, hidden,
// put into the top-most band or dragged.
enum class PlayerWindow { Panel, Video, ZoomStrip, Subtitles, About, Options, Count };

// What the status line says with no file loaded.
inline const QString NoMediaStatus = QStringLiteral("No media loaded..");

// A message box the player shows: modal, OK only.
struct Message {
    QString title;
    QString text;
    bool critical = true;
};

// The player's state and rules, with no widgets: the file in use and the
// road by which files are opened, the transport, end of media and repeat,
// mute and volume, the status, time and media lines, the seek bar's value,
// the 500 ms clock, which windows show and which are kept on top, the video
// window's size and the windows' places, error reporting and what quit
// saves. The windows and the desktop's media controls are views: they call
// these members and follow the signals.
class Session : public QObject {
    Q_OBJECT
public:
    Session(MediaControl &media, const PlayerSettings &settings, QObject *parent = nullptr);
    ~Session() override;

    MediaControl &media() { return m_media; }

    // ---- start-up --------------------------------------------------------
    // The panel's first load: status refresh, seek bar reset, the "Ontop"
    // and "useSubs" settings, then the command-line file opened, or drops
    // accepted when there is none. Starts the clock.
    void loadPanel(const std::optional<QString> &commandLineFile);
    // Reads "ScrollTitle" and places the panel (of the given size) and the
    // video window, once.
    void applyStartSettings(QSize panelSize);
    bool acceptsDroppedFiles() const { return m_acceptsDrops; }

    // ---- opening ---------------------------------------------------------
    // The one road by which a media file and its subtitle file reach the
    // engine: checks both exist, hands the file over, starts playback when
    // "Autostart" asks for it, restores the remembered player state and
    // writes the status line. The caller has made it the current file.
    // Without a subtitle path, a subtitle file beside the media is used.
    // Before the engine has started, the checked file waits for it (the
    // last one asked for).
    void openMediaFile(const QString &media, const QString &subtitles);
    // A file chosen in the open dialogs becomes the current file and opens.
    void openChosenFile(const QString &media, const QString &subtitles);
    // The first of the dropped paths opens, without subtitles.
    void openDroppedFiles(const QStringList &paths);
    QString currentFile() const { return m_currentFile; }
    bool fileLoaded() const { return !m_media.fileName().isEmpty(); }
    // The file in the engine ("" for none), its length and where it plays,
    // in seconds, and how.
    QString loadedFile() const { return m_media.fileName(); }
    double duration() const { return m_media.duration(); }
    double position() const { return m_media.currentPosition(); }
    PlayState playState() const { return m_media.playState(); }
    bool useSubtitles() const { return m_useSubtitles; }

    // ---- transport -------------------------------------------------------
    void play();
    void pauseOrResume();
    void stop();
    // Five seconds back or on, unless within ten seconds of the start or the
    // end. A click on a step button steps twice: its press and its click
    // each call these.
    void stepBack();
    void stepForward();
    void toStart();
    void toEnd();
    // Straight to a position, with a file loaded.
    void seekTo(double seconds);
    void muteOn();
    void muteOff();
    void repeatOn();
    void repeatOff();
    bool muted() const { return m_muted; }
    bool repeatEnabled() const { return m_repeat; }
    // 0..100 %, with or without a file, muted or not. Each change shows
    // "Volume 65%" as a hint; the steps land on multiples of 5. The engine
    // follows, and reports what it plays at.
    int volume() const { return m_volume; }
    int engineVolume() const { return m_media.volume(); }
    void setVolume(int percent);
    void volumeUp();
    void volumeDown();
    // The mute, repeat and zoom switches show only while a file is loaded.
    bool optionButtonsShown() const { return m_optionButtons; }
    // A press or a drag on the seek bar, x in twips across its width.
    void seekBarPressed(Qt::MouseButtons buttons, double x, double barWidth);
    void seekBarDragged(Qt::MouseButtons buttons, double x, double barWidth);

    // ---- the panel's lines -----------------------------------------------
    // The status line shows statusLine(); after a hint it returns to
    // statusText().
    QString statusLine() const { return m_statusLine; }
    QString statusText() const { return m_statusText; }
    void setStatus(const QString &text);  // statusText, and shown
    void showStatus(const QString &text); // shown only: hints, "Seeking"...
    // The pointer moved over the skin: back to statusText(), unless the
    // title scrolls.
    void restoreStatus();
    // The status refresh: state texts from the engine's play state. Runs
    // 500 ms after a step, and once when the panel loads.
    void refreshStatus();
    bool statusRefreshPending() const { return m_statusRefresh.isActive(); }
    QString timeText() const { return m_timeText; }
    QString mediaInfo() const { return m_mediaInfo; }
    QString videoSizeText() const { return m_videoSizeText; }
    qint64 seekValue() const { return m_seekValue; }
    qint64 seekMaximum() const { return m_seekMaximum; }

    // ---- the clock -------------------------------------------------------
    // Every 500 ms while it runs: time line and seek bar, the top-most band,
    // the scrolling title, the subtitles. Pause stops it; play, resume and
    // an autostarted file start it; stop leaves it running.
    void clockTick();
    bool clockRunning() const { return m_clock.isActive(); }
    bool scrollTitleEnabled() const { return m_scrollTitle; }
    void setScrollTitleEnabled(bool on) { m_scrollTitle = on; }

    // ---- windows ---------------------------------------------------------
    bool isShown(PlayerWindow window) const { return m_shown[std::size_t(window)]; }
    void setShown(PlayerWindow window, bool shown);
    bool alwaysOnTop() const { return m_alwaysOnTop; }
    void toggleAlwaysOnTop();
    // Alt+Enter: full screen on with a file loaded; off always.
    void toggleFullScreen();
    // While the options dialog or the About window is open the clock leaves
    // the top-most band alone (set by both, cleared by the dialog's OK).
    bool dialogOpen() const { return m_dialogOpen; }
    void setDialogOpen(bool open) { m_dialogOpen = open; }
    void showAbout();
    void showOptions();
    // The window shows in the top-most band when wanted and always-on-top is
    // on, out of it otherwise.
    void keepInBand(PlayerWindow window, bool wanted);
    // A window closed by the user or the desktop. Closing the video window
    // stops playback; closing the panel ends the run, without saving.
    void windowClosed(PlayerWindow window);

    // The panel hidden behind its tray icon, and back.
    void hideToTray();
    void restoreFromTray();
    bool panelInTray() const { return m_panelInTray; }
    // The panel brought to the front, from the tray if it is there.
    void raisePanel();

    // On a desktop that neither tells nor keeps where windows are (Wayland):
    // the status line says so, once, and quit leaves the stored positions as
    // they were.
    void positionsCannotBeKept();
    bool positionsKnown() const { return m_positionsKnown; }

    QPoint panelPosition() const { return m_panelPosition; }
    void setPanelPosition(QPoint position);
    QPoint videoPosition() const { return m_videoPosition; }
    void setVideoPosition(QPoint position);

    // ---- the video window ------------------------------------------------
    const VideoLayout &videoLayout() const { return m_layout; }
    bool pictureVisible() const { return m_pictureVisible; }
    // Lays the picture out in the video window; w and h in twips, 0 takes
    // the window's own. Records the shown size and refreshes the media line.
    void fitVideoToWindow(double w, double h);
    // The grip dragged (left button, after a press on it) and released.
    void dragVideoGrip(double x, double y);
    void releaseVideoGrip();

    // ---- the zoom strip --------------------------------------------------
    void showZoomStrip();
    void hideZoomStrip();
    bool zoomStripShown() const { return isShown(PlayerWindow::ZoomStrip); }
    QStringList zoomChoices() const { return m_zoomChoices; }
    int zoomChoice() const { return m_zoomChoice; }
    void setZoomChoice(int index) { m_zoomChoice = index; }
    // The list's choice made: resizes the video window or goes full screen.
    // "Custom..." is asked for by the strip, which then calls zoomToCustomSize.
    void chooseZoom(int index);
    void zoomToCustomSize(int width, int height);
    // While the list has the focus, the strip leaves the top-most band.
    void setZoomListFocused(bool focused) { m_zoomListFocused = focused; }
    // Sizes the video window for a picture of width x height twips.
    void resizeVideo(double height, double width);

    // ---- subtitles -------------------------------------------------------
    // The text for the playing position, set by each tick while playing with
    // subtitles in use; kept while paused or stopped.
    QString subtitleText() const { return m_subtitleText; }

    // ---- errors and messages ---------------------------------------------
    // Back to the state without media, then the "Error" box for the failure.
    void reportError(const QString &message, int code, const QString &description);
    void showMessage(const Message &message) { Q_EMIT messageRequested(message); }

    // ---- quitting --------------------------------------------------------
    // Saves what the switches ask to keep and ends the run; a store that
    // cannot take them does not hold it up (saveFailed says what was lost).
    void quit();

Q_SIGNALS:
    void statusLineChanged(const QString &text);
    void timeTextChanged(const QString &text);
    void mediaInfoChanged(const QString &text);
    // The engine's play state, as it changes.
    void playStateChanged(PlayState state);
    // The loaded file, or its length, changed.
    void mediaChanged();
    void engineVolumeChanged(int percent);
    // The position was put somewhere else rather than played to; seconds.
    void positionJumped(double seconds);
    void seekBarChanged(qint64 value, qint64 maximum);
    // Mute, repeat, zoom and always-on-top switches, and whether they show.
    void switchesChanged();
    void acceptsDroppedFilesChanged(bool accepts);
    void windowShown(PlayerWindow window, bool shown);
    void topMostRequested(PlayerWindow window, bool onTop);
    void dragRequested(PlayerWindow window);
    void raiseRequested(PlayerWindow window);
    void panelInTrayChanged(bool inTray);
    void panelPositionChanged(QPoint position);
    void videoPositionChanged(QPoint position);
    void videoLayoutChanged();
    void pictureVisibleChanged(bool visible);
    void zoomChoicesChanged(const QStringList &choices);
    void subtitleTextChanged(const QString &text);
    void messageRequested(const Message &message);
    // Quit could not save its values: a line for standard error naming them.
    void saveFailed(const QString &report);
    // The run ends: after quit has saved what it saves, or the panel closed.
    void finished();

private:
    // Engine notifications.
    void onEngineStarted();
    void onStreamOpened();
    void onEndOfMedia();
    void onDurationChanged();
    void onDisplayModeChanged();
    void onStreamClosed();
    void onEngineError(int code, const QString &description);

    void setTimeText(const QString &text);
    void setMediaInfo(const QString &text);
    void setSeekValue(qint64 value);
    void setSeekMaximum(qint64 maximum) { m_seekMaximum = maximum; }
    void setPictureVisible(bool visible);
    void jumpTo(double seconds);
    void applyVolume(int percent);
    void setSubtitleText(const QString &text);
    void setOptionButtons(bool shown);
    void handOver(const QString &media, const QString &subtitles);
    void restoreRememberedState();
    void showMediaInfo();
    void fillZoomList();
    void openSubtitleWindow();
    void loadSubtitles();

    MediaControl &m_media;
    const PlayerSettings &m_settings;

    QString m_currentFile;
    struct FileToOpen {
        QString media;
        QString subtitles;
    };
    std::optional<FileToOpen> m_waitingForEngine;
    QString m_statusText;
    QString m_statusLine;
    QString m_timeText;
    QString m_mediaInfo;
    QString m_videoSizeText;
    qint64 m_seekValue = 0;
    qint64 m_seekMaximum = 100;
    QTimer m_clock;
    QTimer m_statusRefresh;
    int m_titleScrollPos = 0;

    bool m_useSubtitles = false;
    bool m_scrollTitle = false;
    bool m_alwaysOnTop = false;
    bool m_repeat = false;
    bool m_muted = false;
    int m_volume = PlayerSettings::FullVolume;
    // A volume chosen in this run outlasts the next file; the remembered one
    // applies until then.
    bool m_volumeChosen = false;
    bool m_optionButtons = true;
    bool m_acceptsDrops = false;
    bool m_dialogOpen = false;
    bool m_panelInTray = false;
    bool m_zoomWasShown = false;
    bool m_zoomListFocused = false;
    bool m_startSettingsApplied = false;
    bool m_positionsKnown = true;

    std::array<bool, std::size_t(PlayerWindow::Count)> m_shown{};
    QPoint m_panelPosition;
    QPoint m_videoPosition;
    VideoLayout m_layout;
    bool m_pictureVisible = false;
    QStringList m_zoomChoices;
    int m_zoomChoice = -1;

    SubtitleFile m_subtitles;
    QString m_subtitlePath;
    QString m_subtitleText;
};

} // namespace qr
