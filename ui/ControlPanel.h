#pragma once

#include <QWidget>

namespace qr {

class Session;
class SeekBar;
class SkinLabel;
class SkinPicture;
class TrayIcon;

// The control panel, the player's main window: a borderless skin on which
// the transport buttons light up under the mouse, the status, time and media
// lines, the seek bar, the mute, repeat and zoom switches and, top right,
// the hot spots for always on top, the tray, the options and quit. Every
// control hands its command to the session; the panel shows what the
// session holds. Its pictures are named after their skin pictures
// ("play_over", "muted"), its lines and hot spots after what they are.
class ControlPanel : public QWidget {
    Q_OBJECT
public:
    explicit ControlPanel(Session &session, QWidget *parent = nullptr);
    ~ControlPanel() override;

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void createControls();
    void connectLighting();
    void connectCommands();
    void followSession();
    void showSwitches();
    void putLightsOut();
    SkinPicture *picture(const QString &skinName, double left, double top, double width, double height,
                         bool visible, const QString &toolTip = QString());
    SkinLabel *label(const QString &name, double left, double top, double width, double height,
                     const QString &text = QString());

    Session &m_session;
    TrayIcon *m_tray;

    SkinPicture *m_background = nullptr;
    SeekBar *m_seekBar = nullptr;
    SkinPicture *m_back = nullptr, *m_backLit = nullptr, *m_play = nullptr, *m_playLit = nullptr;
    SkinPicture *m_pause = nullptr, *m_pauseLit = nullptr, *m_stop = nullptr, *m_stopLit = nullptr;
    SkinPicture *m_forward = nullptr, *m_forwardLit = nullptr, *m_load = nullptr, *m_loadLit = nullptr;
    SkinPicture *m_zoom = nullptr, *m_zoomOn = nullptr, *m_repeat = nullptr, *m_repeatOn = nullptr;
    SkinPicture *m_mute = nullptr, *m_muteOn = nullptr;
    SkinLabel *m_status = nullptr, *m_time = nullptr, *m_mediaInfo = nullptr;
    SkinLabel *m_credit = nullptr, *m_version = nullptr, *m_about = nullptr;
    SkinLabel *m_onTopSpot = nullptr, *m_traySpot = nullptr, *m_optionsSpot = nullptr, *m_quitSpot = nullptr;
    int m_wheelPending = 0; // eighths of a degree short of a notch
};

} // namespace qr
