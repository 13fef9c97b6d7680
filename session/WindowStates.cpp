#include "session/WindowStates.h"

#include "desktop/Desktop.h"
#include "session/WindowPlacement.h"

namespace qr {

void WindowStates::setShown(PlayerWindow window, bool shown)
{
    bool &current = m_shown[index(window)];
    if (current == shown)
        return;
    current = shown;
    Q_EMIT windowShown(window, shown);
}

void WindowStates::showAgain(PlayerWindow window)
{
    m_shown[index(window)] = true;
    Q_EMIT windowShown(window, true);
}

void WindowStates::setAlwaysOnTop(bool on)
{
    m_alwaysOnTop = on;
    Q_EMIT alwaysOnTopChanged(on);
}

void WindowStates::keepInBand(PlayerWindow window, bool wanted)
{
    setShown(window, true);
    Q_EMIT topMostRequested(window, wanted && m_alwaysOnTop);
}

void WindowStates::keepMainWindowsInBand(bool wanted)
{
    keepInBand(PlayerWindow::Video, wanted);
    keepInBand(PlayerWindow::Panel, wanted);
}

void WindowStates::keepBandUp()
{
    if (!m_alwaysOnTop || m_dialogOpen || m_panelInTray)
        return;
    keepMainWindowsInBand(true);
    if (isShown(PlayerWindow::ZoomStrip))
        keepInBand(PlayerWindow::ZoomStrip, !m_zoomListFocused);
}

void WindowStates::setVideoFullScreen(bool on)
{
    if (on == m_videoFullScreen)
        return;
    m_videoFullScreen = on;
    Q_EMIT videoFullScreenChanged(on);
}

void WindowStates::hideToTray()
{
    m_panelInTray = true;
    Q_EMIT panelInTrayChanged(true);
    setShown(PlayerWindow::Panel, false);
    m_zoomWasShown = isShown(PlayerWindow::ZoomStrip);
    if (m_zoomWasShown)
        setShown(PlayerWindow::ZoomStrip, false);
}

void WindowStates::restoreFromTray()
{
    if (!m_panelInTray)
        return;
    setShown(PlayerWindow::Panel, true);
    if (m_zoomWasShown)
        setShown(PlayerWindow::ZoomStrip, true);
    m_panelInTray = false;
    Q_EMIT panelInTrayChanged(false);
}

void WindowStates::acceptDroppedFiles()
{
    m_acceptsDrops = true;
    Q_EMIT acceptsDroppedFilesChanged(true);
}

void WindowStates::setPanelPosition(QPoint position)
{
    if (position == m_panelPosition)
        return;
    m_panelPosition = position;
    Q_EMIT panelPositionChanged(position);
}

void WindowStates::setVideoPosition(QPoint position)
{
    if (position == m_videoPosition)
        return;
    m_videoPosition = position;
    Q_EMIT videoPositionChanged(position);
}

void WindowStates::placeAtStart(const std::optional<PlayerSettings::Positions> &stored, QSize panel,
                                QSize video)
{
    const QRect primary = m_desktop.primaryScreen();
    if (m_videoPosition.isNull())
        setVideoPosition(defaultVideoPosition(primary, video, panel.height()));
    const Placement place =
        qr::placeAtStart(stored, primary, m_desktop.screens(), panel, QRect(m_videoPosition, video));
    setPanelPosition(place.panel);
    setVideoPosition(place.video);
}

} // namespace qr
