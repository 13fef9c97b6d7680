#include "ui/ControlPanel.h"

#include "desktop/Twips.h"
#include "desktop/WindowHelpers.h"
#include "session/Session.h"
#include "skins/Skin.h"
#include "ui/KeyCommands.h"
#include "ui/SeekBar.h"
#include "ui/SkinAccessible.h"
#include "ui/SkinWidgets.h"
#include "ui/TrayIcon.h"

#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

namespace qr {

ControlPanel::ControlPanel(Session &session, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), m_session(session), m_tray(new TrayIcon(this))
{
    setObjectName(QStringLiteral("ControlPanel"));
    setWindowTitle(QStringLiteral("Quilvane Ryn"));
    setWindowIcon(programIcon());
    setFixedSize(pixelsX(4110), pixelsY(1695));
    move(pixelsX(3000), pixelsY(1440));
    createControls();
    connectLighting();
    connectCommands();
    followSession();
    m_session.panelMoved(pos());
}

ControlPanel::~ControlPanel() = default;

SkinPicture *ControlPanel::picture(const QString &skinName, double left, double top, double width,
                                   double height, bool visible, const QString &toolTip)
{
    auto *control = new SkinPicture(skinName, m_background);
    placeTwips(control, left, top, width, height);
    control->setVisible(visible);
    control->setToolTip(toolTip);
    return control;
}

SkinLabel *ControlPanel::label(const QString &name, double left, double top, double width, double height,
                               const QString &text)
{
    auto *control = new SkinLabel(m_background, text);
    control->setObjectName(name);
    placeTwips(control, left, top, width, height);
    return control;
}

void ControlPanel::createControls()
{
    m_background = new SkinPicture(QStringLiteral("background"), this);
    placeTwips(m_background, 0, 0, 4125, 1740);

    m_seekBar = new SeekBar(m_background);
    placeTwips(m_seekBar, 120, 1080, 3870, 80);

    m_back = picture(QStringLiteral("back"), 250, 1290, 315, 240, true, QStringLiteral("Prev Track"));
    m_backLit = picture(QStringLiteral("back_over"), 250, 1290, 315, 240, false);
    m_play = picture(QStringLiteral("play"), 590, 1290, 330, 240, true, QStringLiteral("Play"));
    m_playLit = picture(QStringLiteral("play_over"), 590, 1290, 330, 240, false);
    m_pause = picture(QStringLiteral("pause"), 930, 1290, 330, 240, true, QStringLiteral("Pause"));
    m_pauseLit = picture(QStringLiteral("pause_over"), 930, 1290, 330, 240, false);
    m_stop = picture(QStringLiteral("stop"), 1270, 1290, 330, 240, true, QStringLiteral("Stop"));
    m_stopLit = picture(QStringLiteral("stop_over"), 1270, 1290, 330, 240, false);
    m_forward = picture(QStringLiteral("forward"), 1620, 1290, 315, 240, true, QStringLiteral("Next Track"));
    // Lit from the start, until the pointer first crosses the skin.
    m_forwardLit = picture(QStringLiteral("forward_over"), 1620, 1290, 315, 240, true);
    m_load = picture(QStringLiteral("load"), 1970, 1290, 300, 240, true);
    m_loadLit = picture(QStringLiteral("load_over"), 1970, 1295, 300, 240, false);
    m_zoom = picture(QStringLiteral("pbview"), 3195, 1320, 240, 240, true);
    m_zoomOn = picture(QStringLiteral("pbview_over"), 3195, 1320, 240, 240, false, QStringLiteral("Zoom"));
    m_repeat = picture(QStringLiteral("repeat"), 3450, 1320, 240, 240, true);
    m_repeatOn = picture(QStringLiteral("repeat_over"), 3450, 1320, 240, 240, false);
    m_mute = picture(QStringLiteral("muted"), 3720, 1320, 240, 240, true);
    m_muteOn = picture(QStringLiteral("muted_over"), 3720, 1320, 240, 240, false);

    m_status = label(QStringLiteral("status"), 240, 320, 2400, 225);
    m_time = label(QStringLiteral("time"), 240, 525, 2400, 225);
    m_mediaInfo = label(QStringLiteral("mediaInfo"), 240, 740, 2400, 225);
    m_credit = label(QStringLiteral("credit"), 1680, 0, 930, 210, QStringLiteral("Tarvell"));
    m_credit->setFont(skinFont(true));
    QPalette credit = m_credit->palette();
    credit.setColor(QPalette::WindowText, QColor(0, 0, 128));
    m_credit->setPalette(credit);
    m_version = label(QStringLiteral("version"), 3360, 720, 615, 255, QStringLiteral("Ver 1.0"));
    m_about = label(QStringLiteral("about"), 2880, 300, 1095, 255, QStringLiteral("Quilvane info"));
    for (SkinLabel *line : {m_status, m_time, m_mediaInfo, m_version, m_about}) {
        QPalette black = line->palette();
        black.setColor(QPalette::WindowText, Qt::black);
        line->setPalette(black);
    }

    m_onTopSpot = label(QStringLiteral("onTopSpot"), 3435, 45, 135, 135);
    m_onTopSpot->setToolTip(QStringLiteral("Always On Top"));
    m_traySpot = label(QStringLiteral("traySpot"), 3585, 45, 150, 135);
    m_traySpot->setToolTip(QStringLiteral("Minimise to Tray"));
    m_optionsSpot = label(QStringLiteral("optionsSpot"), 3750, 60, 135, 135);
    m_optionsSpot->setToolTip(QStringLiteral("Options"));
    m_quitSpot = label(QStringLiteral("quitSpot"), 3895, 30, 135, 135);
    m_quitSpot->setToolTip(QStringLiteral("Quit"));

    // For a screen reader: each control by its hint, each line by what it is.
    const std::pair<QWidget *, const char *> names[] = {
        {m_back, "Seek backwards.."},
        {m_backLit, "Seek backwards.."},
        {m_play, "Play media.."},
        {m_playLit, "Play media.."},
        {m_pause, "Pause playback.."},
        {m_pauseLit, "Pause playback.."},
        {m_stop, "Stop playback.."},
        {m_stopLit, "Stop playback.."},
        {m_forward, "Seek forward.."},
        {m_forwardLit, "Seek forward.."},
        {m_load, "Open media for playback.."},
        {m_loadLit, "Open media for playback.."},
        {m_mute, "Mute On"},
        {m_muteOn, "Mute off"},
        {m_repeat, "Repeat On"},
        {m_repeatOn, "Repeat Off"},
        {m_zoom, "Show zoom options.."},
        {m_zoomOn, "Hide zoom options.."},
        {m_onTopSpot, "Toggle Ontop On/off.."},
        {m_about, "About.."},
        {m_traySpot, "Minimise Panel to System Tray"},
        {m_optionsSpot, "Configure player settings.."},
        {m_quitSpot, "Exit.."},
        {m_seekBar, "Seek bar"},
        {m_status, "Status"},
        {m_time, "Time"},
        {m_mediaInfo, "Media information"},
    };
    for (const auto &[control, name] : names)
        control->setAccessibleName(QString::fromLatin1(name));
    for (SkinLabel *spot : {m_onTopSpot, m_about, m_traySpot, m_optionsSpot, m_quitSpot})
        spot->setProperty(AccessibleButton, true);
}

// A transport button lights under the pointer while a file is loaded; its
// light, moved over, puts out the neighbours' lights and shows its hint.
// The skin and the three lines put every light out and bring the status
// back. Hints of the other controls show on every move over them.
void ControlPanel::connectLighting()
{
    const auto lightUnder = [this](SkinPicture *normal, SkinPicture *lit) {
        connect(normal, &SkinPicture::moved, this, [this, lit] {
            if (m_session.playback().fileLoaded())
                lit->show();
        });
    };
    const auto hintOver = [this](SkinPicture *lit, QList<SkinPicture *> neighbours, const QString &hint) {
        connect(lit, &SkinPicture::moved, this, [this, neighbours, hint] {
            if (!m_session.playback().fileLoaded())
                return;
            for (SkinPicture *neighbour : neighbours)
                neighbour->hide();
            m_session.showHint(hint);
        });
    };
    lightUnder(m_back, m_backLit);
    lightUnder(m_play, m_playLit);
    lightUnder(m_pause, m_pauseLit);
    lightUnder(m_stop, m_stopLit);
    lightUnder(m_forward, m_forwardLit);
    connect(m_load, &SkinPicture::moved, m_loadLit, &QWidget::show);
    hintOver(m_backLit, {m_playLit}, QStringLiteral("Seek backwards.."));
    hintOver(m_playLit, {m_backLit, m_pauseLit}, QStringLiteral("Play media.."));
    hintOver(m_pauseLit, {m_playLit, m_stopLit}, QStringLiteral("Pause playback.."));
    hintOver(m_stopLit, {m_pauseLit, m_forwardLit}, QStringLiteral("Stop playback.."));
    hintOver(m_forwardLit, {m_stopLit}, QStringLiteral("Seek forward.."));

    const std::pair<SkinPicture *, QString> hints[] = {
        {m_loadLit, QStringLiteral("Open media for playback..")},
        {m_mute, QStringLiteral("Mute On")},
        {m_muteOn, QStringLiteral("Mute off")},
        {m_repeat, QStringLiteral("Repeat On")},
        {m_repeatOn, QStringLiteral("Repeat Off")},
        {m_zoom, QStringLiteral("Show zoom options..")},
        {m_zoomOn, QStringLiteral("Hide zoom options..")},
        {m_onTopSpot, QStringLiteral("Toggle Ontop On/off..")},
        {m_about, QStringLiteral("About..")},
        {m_traySpot, QStringLiteral("Minimise Panel to System Tray")},
        {m_optionsSpot, QStringLiteral("Configure player settings..")},
        {m_quitSpot, QStringLiteral("Exit..")},
    };
    for (const auto &[control, hint] : hints)
        connect(control, &SkinPicture::moved, this, [this, text = hint] { m_session.showHint(text); });

    for (SkinPicture *surface :
         {static_cast<SkinPicture *>(m_background), static_cast<SkinPicture *>(m_status),
          static_cast<SkinPicture *>(m_time), static_cast<SkinPicture *>(m_mediaInfo)}) {
        connect(surface, &SkinPicture::moved, this, [this] {
            putLightsOut();
            m_session.returnToStatusText();
        });
    }
    for (SkinPicture *handle :
         {static_cast<SkinPicture *>(m_background), static_cast<SkinPicture *>(m_status),
          static_cast<SkinPicture *>(m_time), static_cast<SkinPicture *>(m_mediaInfo),
          static_cast<SkinPicture *>(m_credit)})
        connect(handle, &SkinPicture::pressed, this,
                [this](Qt::MouseButton button) { dragWindow(this, button); });

    // The small hot spots show a frame while pressed.
    for (SkinLabel *spot : {m_optionsSpot, m_quitSpot, m_traySpot}) {
        connect(spot, &SkinPicture::pressed, spot, [spot] { spot->setFramed(true); });
        connect(spot, &SkinPicture::released, spot, [spot] { spot->setFramed(false); });
    }
}

void ControlPanel::putLightsOut()
{
    for (SkinPicture *lit : {m_playLit, m_stopLit, m_forwardLit, m_pauseLit, m_loadLit, m_backLit})
        lit->hide();
}

void ControlPanel::connectCommands()
{
    Session &s = m_session;
    // A click is a press and then a click, so one click on a step button
    // steps twice.
    connect(m_backLit, &SkinPicture::pressed, &s, &Session::stepBack);
    connect(m_backLit, &SkinPicture::clicked, &s, &Session::stepBack);
    connect(m_forwardLit, &SkinPicture::pressed, &s, &Session::stepForward);
    connect(m_forwardLit, &SkinPicture::clicked, &s, &Session::stepForward);
    connect(m_playLit, &SkinPicture::clicked, &s, &Session::play);
    connect(m_pause, &SkinPicture::clicked, &s, &Session::pauseOrResume);
    connect(m_pauseLit, &SkinPicture::clicked, &s, &Session::pauseOrResume);
    connect(m_stopLit, &SkinPicture::clicked, &s, &Session::stop);
    for (SkinPicture *open : {m_load, m_loadLit})
        connect(open, &SkinPicture::clicked, &s, &Session::openFromDialog);
    connect(m_mute, &SkinPicture::clicked, &s, [&s] { s.setMuted(true); });
    connect(m_muteOn, &SkinPicture::clicked, &s, [&s] { s.setMuted(false); });
    connect(m_repeat, &SkinPicture::clicked, &s, [&s] { s.setRepeat(true); });
    connect(m_repeatOn, &SkinPicture::clicked, &s, [&s] { s.setRepeat(false); });
    connect(m_zoom, &SkinPicture::clicked, &s, &Session::showZoomStrip);
    connect(m_zoomOn, &SkinPicture::clicked, &s, &Session::hideZoomStrip);
    connect(m_onTopSpot, &SkinPicture::clicked, &s, &Session::toggleAlwaysOnTop);
    connect(m_about, &SkinPicture::clicked, &s, &Session::showAbout);
    connect(m_optionsSpot, &SkinPicture::clicked, &s, &Session::showOptions);
    connect(m_traySpot, &SkinPicture::clicked, &s, &Session::hideToTray);
    connect(m_quitSpot, &SkinPicture::clicked, &s, &Session::quit);

    connect(m_seekBar, &SeekBar::pressed, this, [this](Qt::MouseButtons buttons, double x) {
        m_session.seekBarPressed(buttons, x, twipsX(m_seekBar->width()));
    });
    connect(m_seekBar, &SeekBar::moved, this, [this](Qt::MouseButtons buttons, double x) {
        m_session.seekBarDragged(buttons, x, twipsX(m_seekBar->width()));
    });
    connect(m_tray, &TrayIcon::restoreRequested, &s, &Session::restoreFromTray);
    for (SkinPicture *control : findChildren<SkinPicture *>())
        connect(control, &SkinPicture::contextClicked, &s, &Session::showMenu);
}

void ControlPanel::followSession()
{
    const PanelLines &lines = m_session.lines();
    connect(&lines, &PanelLines::statusChanged, m_status, &SkinLabel::setText);
    connect(&lines, &PanelLines::timeTextChanged, m_time, &SkinLabel::setText);
    connect(&lines, &PanelLines::mediaInfoChanged, m_mediaInfo, &SkinLabel::setText);
    connect(&lines, &PanelLines::seekBarChanged, m_seekBar, &SeekBar::setPosition);
    const WindowStates &windows = m_session.windows();
    connect(&m_session.playback(), &Playback::switchesChanged, this, &ControlPanel::showSwitches);
    connect(&windows, &WindowStates::alwaysOnTopChanged, this, &ControlPanel::showSwitches);
    connect(&windows, &WindowStates::windowShown, this, [this](PlayerWindow window) {
        if (window == PlayerWindow::ZoomStrip)
            showSwitches();
    });
    connect(&windows, &WindowStates::acceptsDroppedFilesChanged, this, &QWidget::setAcceptDrops);
    connect(&windows, &WindowStates::panelPositionChanged, this, [this](QPoint position) { move(position); });
    connect(&windows, &WindowStates::panelInTrayChanged, this, [this](bool inTray) {
        if (inTray)
            m_tray->show(windowIcon());
        else
            m_tray->remove();
    });
    m_status->setText(lines.status());
    m_time->setText(lines.timeText());
    m_mediaInfo->setText(lines.mediaInfo());
    setAcceptDrops(windows.acceptsDroppedFiles());
    showSwitches();
}

// Each switch shows one picture of its pair, the "on" one while it is on;
// none shows while nothing is loaded.
void ControlPanel::showSwitches()
{
    const Playback &playback = m_session.playback();
    const bool shown = playback.optionButtonsShown();
    const std::tuple<SkinPicture *, SkinPicture *, bool> pairs[] = {
        {m_mute, m_muteOn, playback.muted()},
        {m_repeat, m_repeatOn, playback.repeat()},
        {m_zoom, m_zoomOn, m_session.windows().isShown(PlayerWindow::ZoomStrip)},
    };
    for (const auto &[off, on, isOn] : pairs) {
        off->setVisible(shown && !isOn);
        on->setVisible(shown && isOn);
    }
    m_onTopSpot->setFramed(m_session.windows().alwaysOnTop());
}

void ControlPanel::keyPressEvent(QKeyEvent *event)
{
    if (!runKeyCommands(m_session, event))
        QWidget::keyPressEvent(event);
}

void ControlPanel::wheelEvent(QWheelEvent *event) { runWheelCommands(m_session, event, m_wheelPending); }

void ControlPanel::mousePressEvent(QMouseEvent *event) { dragWindow(this, event->button()); }

void ControlPanel::moveEvent(QMoveEvent *event)
{
    QWidget::moveEvent(event);
    m_session.panelMoved(pos());
}

void ControlPanel::closeEvent(QCloseEvent *event)
{
    m_tray->remove();
    QWidget::closeEvent(event);
    m_session.windowClosed(PlayerWindow::Panel);
}

void ControlPanel::dragEnterEvent(QDragEnterEvent *event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void ControlPanel::dropEvent(QDropEvent *event)
{
    QStringList paths;
    for (const QUrl &url : event->mimeData()->urls())
        paths << (url.isLocalFile() ? url.toLocalFile() : url.toString());
    event->acceptProposedAction();
    m_session.openDroppedFiles(paths);
}

} // namespace qr
