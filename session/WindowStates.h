#pragma once

#include "settings/PlayerSettings.h"

#include <QObject>
#include <QPoint>
#include <QSize>
#include <array>
#include <optional>

namespace qr {

class Desktop;

// The player's windows, as the session asks for them to be shown, hidden,
// put into the top-most band or dragged.
enum class PlayerWindow { Panel, Video, ZoomStrip, Subtitles, About, Options, Count };

// Which windows show, which are kept in the top-most band, where the panel
// and the video window are, and the panel's trip to the tray. The windows
// follow the signals; nothing here looks at a widget.
class WindowStates : public QObject {
    Q_OBJECT
public:
    explicit WindowStates(Desktop &desktop) : m_desktop(desktop) {}

    bool isShown(PlayerWindow window) const { return m_shown[index(window)]; }
    void setShown(PlayerWindow window, bool shown);
    // Shown again even when it already shows: a dialog asked for again
    // comes to the front.
    void showAgain(PlayerWindow window);

    bool alwaysOnTop() const { return m_alwaysOnTop; }
    void setAlwaysOnTop(bool on);
    // The window shows, in the top-most band when wanted and always on top
    // is on, out of it otherwise.
    void keepInBand(PlayerWindow window, bool wanted);
    // The video window, then the panel.
    void keepMainWindowsInBand(bool wanted);
    // The clock's upkeep of the band while always on top is on: nothing while
    // a dialog is open or the panel is in the tray; the zoom strip stays out
    // while its list has the focus.
    void keepBandUp();

    // Asks for the window to follow the pointer, or to come to the front.
    void drag(PlayerWindow window) { Q_EMIT dragRequested(window); }
    void raise(PlayerWindow window) { Q_EMIT raiseRequested(window); }
    void askForMenu() { Q_EMIT menuRequested(); }

    // The video window is full screen, as the window system reports it.
    bool videoFullScreen() const { return m_videoFullScreen; }
    void setVideoFullScreen(bool on);

    // The options dialog or the About window is open.
    bool dialogOpen() const { return m_dialogOpen; }
    void setDialogOpen(bool open) { m_dialogOpen = open; }
    void setZoomListFocused(bool focused) { m_zoomListFocused = focused; }

    // The panel, and the zoom strip with it, hidden behind the tray icon.
    bool panelInTray() const { return m_panelInTray; }
    void hideToTray();
    void restoreFromTray();

    // The panel takes dropped files only when no file came with the start.
    bool acceptsDroppedFiles() const { return m_acceptsDrops; }
    void acceptDroppedFiles();

    QPoint panelPosition() const { return m_panelPosition; }
    void setPanelPosition(QPoint position);
    QPoint videoPosition() const { return m_videoPosition; }
    void setVideoPosition(QPoint position);
    // Where the desktop neither tells nor keeps where windows are, quit
    // leaves the stored positions alone.
    bool positionsKnown() const { return m_positionsKnown; }
    void forgetPositions() { m_positionsKnown = false; }
    // The first places of the panel and of the video window (of the given
    // sizes): the stored ones when given and usable, else the default
    // layout on the primary screen.
    void placeAtStart(const std::optional<PlayerSettings::Positions> &stored, QSize panel, QSize video);

Q_SIGNALS:
    void windowShown(PlayerWindow window, bool shown);
    void topMostRequested(PlayerWindow window, bool onTop);
    void alwaysOnTopChanged(bool on);
    void dragRequested(PlayerWindow window);
    void raiseRequested(PlayerWindow window);
    void menuRequested();
    void videoFullScreenChanged(bool on);
    void panelInTrayChanged(bool inTray);
    void acceptsDroppedFilesChanged(bool accepts);
    void panelPositionChanged(QPoint position);
    void videoPositionChanged(QPoint position);

private:
    static std::size_t index(PlayerWindow window) { return static_cast<std::size_t>(window); }

    Desktop &m_desktop;
    std::array<bool, static_cast<std::size_t>(PlayerWindow::Count)> m_shown{};
    bool m_alwaysOnTop = false;
    bool m_dialogOpen = false;
    bool m_zoomListFocused = false;
    bool m_panelInTray = false;
    bool m_zoomWasShown = false;
    bool m_acceptsDrops = false;
    bool m_positionsKnown = true;
    bool m_videoFullScreen = false;
    QPoint m_panelPosition;
    QPoint m_videoPosition;
};

} // namespace qr
