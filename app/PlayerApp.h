#pragma once

#include "session/Session.h"
#include "settings/PlayerSettings.h"

#include <QObject>
#include <QPointer>
#include <QTimer>

namespace qr {

class AboutWindow;
class ControlPanel;
class MprisService;
class OptionsDialog;
class PlayerMenu;
class SplashWindow;
class SubtitleWindow;
class VideoWindow;
class ZoomStrip;

// The composition root: the session over the engine and the store, and the
// windows, made when first wanted and told what the session asks of them.
// Only this class knows every window. It starts the engine once the first
// window has been painted, so that nothing waits for the engine to show.
class PlayerApp : public QObject {
    Q_OBJECT
public:
    PlayerApp(MediaControl &media, Desktop &desktop, QStringList commandLineFiles, QObject *parent = nullptr);
    ~PlayerApp() override;

    // The start: the file types registered when the options ask for it,
    // then the splash, or the panel and the video window at once; the
    // engine after that window's first paint. An engine that cannot start
    // is reported and the run ends with 1. Once the event loop runs, the
    // desktop's media controls on the session bus, when there is one.
    void start();
    // Quit asked from outside the windows (a signal): as the quit key once
    // the main windows are placed. Before that this run has nothing of its
    // own to keep, and saving would put defaults over the stored values, so
    // the run just ends. Once a quit has begun, from here or the windows,
    // another does nothing; a start that comes after it shows nothing.
    void quit();

    // Said in the status line once the windows are placed, when another
    // program held the store at the start.
    static inline const QString StoreBusyHint = QStringLiteral("Settings store busy..");

    Session &session() { return m_session; }
    // The windows made so far; null before they are first wanted.
    ControlPanel *panel() const;
    VideoWindow *videoWindow() const;
    ZoomStrip *zoomStrip() const;
    SubtitleWindow *subtitleWindow() const;
    SplashWindow *splash() const;
    AboutWindow *about() const;
    OptionsDialog *options() const;
    MprisService *mediaControls() const { return m_mpris; }
    PlayerMenu *menu() const;

Q_SIGNALS:
    void finished(int exitCode);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void startEngineAfterPaint(QWidget *firstWindow);
    void startEngine();
    void startMainWindows();
    void placeMainWindows();
    void loadPanel();
    void registerFileTypes();
    void showPendingMessages();
    void showMenu();
    QWidget *window(PlayerWindow which);
    void showWindow(PlayerWindow which, bool shown);
    void closeWindows();
    void end(int exitCode);

    MediaControl &m_media;
    PlayerSettings m_settings;
    // Before the session, which reads the store as it is made.
    const int m_storeWaitMs;
    const bool m_storeBusyAtStart;
    Session m_session;
    const QStringList m_commandLineFiles;
    bool m_panelLoaded = false;
    bool m_mainWindowsPlaced = false;
    QList<Message> m_pendingMessages;
    QPointer<QWidget> m_firstWindow; // watched for its first paint
    QTimer m_engineFallback;
    bool m_engineStartTried = false;
    bool m_quitAsked = false;
    bool m_ended = false;

    QPointer<ControlPanel> m_panel;
    QPointer<VideoWindow> m_video;
    QPointer<ZoomStrip> m_zoom;
    QPointer<SubtitleWindow> m_subtitles;
    QPointer<SplashWindow> m_splash;
    QPointer<AboutWindow> m_about;
    QPointer<OptionsDialog> m_options;
    MprisService *m_mpris = nullptr;
    QPointer<PlayerMenu> m_menu;
};

} // namespace qr
