#pragma once

#include "core/AppState.h"

#include <QObject>
#include <QStringList>

namespace qr {

class MediaControl;
class remote;
class video;
class frmZoom;
class frmSub;
class frmOptions;
class frmAbout;
class frmSplash;
class Tray;
class SubtitleReader;
struct SubtitleEntry;

// Owns the player's windows and shared state for the whole run, and carries
// the start-up sequence. Every window gets the one Player and reaches the
// others, the engine and AppState through it.
class Player : public QObject {
    Q_OBJECT
public:
    // `arguments` is the command line after the program name.
    Player(MediaControl &media, QStringList arguments, QObject *parent = nullptr);
    ~Player() override;

    AppState state;
    MediaControl &media;
    const QStringList arguments;

    // True when a command-line file was given (even one of blanks).
    bool hasCommandLine() const { return !arguments.isEmpty(); }
    QString commandLine() const { return arguments.join(QLatin1Char(' ')); }

    // Windows, created on first use.
    remote &panel();
    video &videoWindow();
    frmZoom &zoom();
    frmSub &subtitleWindow();
    frmOptions &options();
    frmAbout &about();
    Tray &tray();
    SubtitleReader &subtitleChannel();
    SubtitleEntry &CurrentSubtitle();
    int SubtitleFrameRate() const;

    bool panelExists() const { return m_panel != nullptr; }
    bool videoExists() const { return m_video != nullptr; }
    bool zoomVisible() const;
    bool subtitleWindowVisible() const;
    frmSplash *splash() const { return m_splash; }

    // Status line: sets StatusText and shows it.
    void SetStatus(const QString &text);
    // Status label only; StatusText is left alone.
    void ShowStatus(const QString &text);

    // The start procedure: associations, then splash or StartMainWindows.
    void Main();
    void StartMainWindows();

    // Ends the run (after quit has saved what it saves).
    void CloseWindowsAndExit();

Q_SIGNALS:
    void exitRequested(int code);

private:
    void loadStartSettingsAndPlace();
    void splashClosed();
    void dockZoomToPanel();

    remote *m_panel = nullptr;
    video *m_video = nullptr;
    frmZoom *m_zoom = nullptr;
    frmSub *m_sub = nullptr;
    frmOptions *m_options = nullptr;
    frmAbout *m_about = nullptr;
    frmSplash *m_splash = nullptr;
    Tray *m_tray = nullptr;
    SubtitleReader *m_channel = nullptr;
    SubtitleEntry *m_currentSubtitle = nullptr;
    bool m_startSettingsApplied = false;
};

} // namespace qr
