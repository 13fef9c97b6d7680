#pragma once

#include "session/Session.h"
#include "settings/PlayerSettings.h"

#include <QObject>
#include <QPointer>
#include <optional>

namespace qr {

class AboutWindow;
class ControlPanel;
class MprisService;
class OptionsDialog;
class SplashWindow;
class SubtitleWindow;
class VideoWindow;
class ZoomStrip;

// The composition root: the session over the engine and the store, and the
// windows, made when first wanted and told what the session asks of them.
// Only this class knows every window.
class PlayerApp : public QObject {
    Q_OBJECT
public:
    PlayerApp(MediaControl &media, std::optional<QString> commandLineFile, QObject *parent = nullptr);
    ~PlayerApp() override;

    // The start: the file types registered when the options ask for it,
    // then the splash, or the panel and the video window at once; once the
    // event loop runs, the desktop's media controls on the session bus, when
    // there is one.
    void start();

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

Q_SIGNALS:
    void finished(int exitCode);

private:
    void startMainWindows();
    void loadPanel();
    QWidget *window(PlayerWindow which);
    void showWindow(PlayerWindow which, bool shown);
    void closeWindows();

    MediaControl &m_media;
    PlayerSettings m_settings;
    Session m_session;
    const std::optional<QString> m_commandLineFile;
    bool m_panelLoaded = false;

    QPointer<ControlPanel> m_panel;
    QPointer<VideoWindow> m_video;
    QPointer<ZoomStrip> m_zoom;
    QPointer<SubtitleWindow> m_subtitles;
    QPointer<SplashWindow> m_splash;
    QPointer<AboutWindow> m_about;
    QPointer<OptionsDialog> m_options;
    MprisService *m_mpris = nullptr;
};

} // namespace qr
