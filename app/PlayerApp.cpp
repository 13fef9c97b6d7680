#include "app/PlayerApp.h"

#include "desktop/MessageBox.h"
#include "desktop/WindowHelpers.h"
#include "settings/DesktopDefaults.h"
#include "settings/FileTypes.h"
#include "settings/RegistryStore.h"
#include "ui/AboutWindow.h"
#include "ui/ControlPanel.h"
#include "ui/MprisService.h"
#include "ui/OptionsDialog.h"
#include "ui/PlayerMenu.h"
#include "ui/SkinAccessible.h"
#include "ui/SplashWindow.h"
#include "ui/SubtitleWindow.h"
#include "ui/VideoWindow.h"
#include "ui/ZoomStrip.h"

#include <QCoreApplication>
#include <QCursor>
#include <QDBusConnection>
#include <QEvent>
#include <QTimer>

#include <cstdio>

namespace qr {

namespace {
// A first window that is never painted (shown minimised, say) must not
// keep the engine from starting.
constexpr int EngineFallbackMs = 1000;

// One read waits for another program's lock at most the store's short wait.
// When that was not enough, the rest of the start reads without waiting: the
// windows come at once, with the defaults, and not one wait per value later.
bool storeBusyAtStart(const PlayerSettings &settings)
{
    if (!settings.storeBusy())
        return false;
    RegistryStore::SetBusyTimeout(0);
    std::fputs("quilvane-ryn: the store is busy (another program holds it); the player starts with its "
               "defaults\n",
               stderr);
    return true;
}
} // namespace

PlayerApp::PlayerApp(MediaControl &media, Desktop &desktop, QStringList commandLineFiles, QObject *parent)
    : QObject(parent), m_media(media), m_storeWaitMs(RegistryStore::BusyTimeout()),
      m_storeBusyAtStart(storeBusyAtStart(m_settings)), m_session(media, m_settings, desktop),
      m_commandLineFiles(std::move(commandLineFiles))
{
    const WindowStates &windows = m_session.windows();
    installSkinAccessibility();
    connect(&windows, &WindowStates::windowShown, this, &PlayerApp::showWindow);
    connect(&windows, &WindowStates::topMostRequested, this,
            [this](PlayerWindow which, bool onTop) { setTopMost(window(which), onTop); });
    connect(&windows, &WindowStates::dragRequested, this,
            [this](PlayerWindow which) { dragWindow(window(which)); });
    connect(&windows, &WindowStates::menuRequested, this, &PlayerApp::showMenu);
    connect(&windows, &WindowStates::raiseRequested, this, [this](PlayerWindow which) {
        QWidget *target = window(which);
        target->raise();
        target->activateWindow();
    });
    connect(&m_session, &Session::messageRequested, this, [this](const Message &message) {
        m_pendingMessages << message;
        if (m_mainWindowsPlaced)
            showPendingMessages();
    });
    connect(&m_session, &Session::saveFailed, this,
            [](const QString &report) { std::fputs(qPrintable(report + QLatin1Char('\n')), stderr); });
    connect(&m_session, &Session::finished, this, [this] { end(0); });
    m_engineFallback.setSingleShot(true);
    m_engineFallback.setInterval(EngineFallbackMs);
    connect(&m_engineFallback, &QTimer::timeout, this, &PlayerApp::startEngine);
}

PlayerApp::~PlayerApp()
{
    if (m_storeBusyAtStart) // a run that ended before its windows were placed
        RegistryStore::SetBusyTimeout(m_storeWaitMs);
    // The bus's view, the menu and the windows first: they follow the session.
    delete m_mpris;
    delete m_menu;
    delete m_options;
    delete m_about;
    delete m_splash;
    delete m_subtitles;
    delete m_zoom;
    delete m_video;
    delete m_panel;
}

ControlPanel *PlayerApp::panel() const { return m_panel; }
VideoWindow *PlayerApp::videoWindow() const { return m_video; }
ZoomStrip *PlayerApp::zoomStrip() const { return m_zoom; }
SubtitleWindow *PlayerApp::subtitleWindow() const { return m_subtitles; }
SplashWindow *PlayerApp::splash() const { return m_splash; }
AboutWindow *PlayerApp::about() const { return m_about; }
OptionsDialog *PlayerApp::options() const { return m_options; }

void PlayerApp::start()
{
    if (m_quitAsked || m_ended)
        return;
    // Connecting to the bus waits for it: not before the first windows.
    QTimer::singleShot(0, this, [this] {
        m_mpris = new MprisService(m_session, this);
        m_mpris->registerOn(QDBusConnection::sessionBus());
    });
    if (m_settings.isOn(PlayerSettings::Registext))
        registerFileTypes();
    if (m_settings.skipsSplash()) {
        startEngineAfterPaint(window(PlayerWindow::Panel));
        startMainWindows();
        return;
    }
    m_splash = new SplashWindow;
    connect(m_splash, &SplashWindow::finished, this, [this] {
        loadPanel();
        placeMainWindows();
    });
    startEngineAfterPaint(m_splash);
    m_splash->show();
}

void PlayerApp::quit()
{
    if (m_quitAsked || m_ended)
        return;
    m_quitAsked = true;
    if (m_mainWindowsPlaced)
        m_session.quit();
    else
        end(0);
}

void PlayerApp::end(int exitCode)
{
    if (m_ended)
        return;
    m_ended = true;
    closeWindows();
    Q_EMIT finished(exitCode);
}

// Watched from before it shows: a platform may paint a window as it shows it.
// At the pointer: a right click's place, and for a key no worse a place
// than any other.
void PlayerApp::showMenu()
{
    if (!m_menu)
        m_menu = new PlayerMenu(m_session);
    m_menu->popup(QCursor::pos());
}

PlayerMenu *PlayerApp::menu() const { return m_menu; }

void PlayerApp::startEngineAfterPaint(QWidget *firstWindow)
{
    m_firstWindow = firstWindow;
    m_firstWindow->installEventFilter(this);
    m_engineFallback.start();
}

bool PlayerApp::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_firstWindow && event->type() == QEvent::Paint) {
        m_firstWindow->removeEventFilter(this);
        m_firstWindow = nullptr;
        // Queued: this paint reaches the screen before the engine is made.
        QMetaObject::invokeMethod(this, &PlayerApp::startEngine, Qt::QueuedConnection);
    }
    return QObject::eventFilter(watched, event);
}

void PlayerApp::startEngine()
{
    m_engineFallback.stop();
    if (m_firstWindow) {
        m_firstWindow->removeEventFilter(this);
        m_firstWindow = nullptr;
    }
    if (m_engineStartTried) // the paint's call and the fallback can both come
        return;
    m_engineStartTried = true;
    try {
        m_media.start();
    } catch (const MediaError &e) {
        closeWindows();
        if (m_panel)
            m_panel->hide();
        showMessageBox(QStringLiteral("Fatal error"),
                       QStringLiteral("The playback engine could not be started.\r\n\r\n") + e.description(),
                       MessageIcon::Critical);
        end(1);
    }
}

void PlayerApp::startMainWindows()
{
    loadPanel();
    placeMainWindows();
}

// The video window is made (hidden) before the panel shows.
void PlayerApp::placeMainWindows()
{
    window(PlayerWindow::Video);
    m_session.placeMainWindows(window(PlayerWindow::Panel)->size());
    m_mainWindowsPlaced = true;
    if (m_storeBusyAtStart) { // the start is over: from now on the store is waited for as ever
        RegistryStore::SetBusyTimeout(m_storeWaitMs);
        m_session.showHint(StoreBusyHint);
    }
    // Once the panel is where it stays, so that they show over it.
    QMetaObject::invokeMethod(this, &PlayerApp::showPendingMessages, Qt::QueuedConnection);
}

// Boxes asked for while the windows were still being placed (a file of the
// command line missing, say) wait for them; each box is modal, in turn.
void PlayerApp::showPendingMessages()
{
    while (!m_pendingMessages.isEmpty()) {
        const Message message = m_pendingMessages.takeFirst();
        showMessageBox(message.title, message.text,
                       message.critical ? MessageIcon::Critical : MessageIcon::None, m_panel);
    }
}

void PlayerApp::loadPanel()
{
    if (m_panelLoaded)
        return;
    m_panelLoaded = true;
    window(PlayerWindow::Panel);
    m_session.loadPanel(m_commandLineFiles);
}

// The old registry entries, and what the desktop's file managers read.
void PlayerApp::registerFileTypes()
{
    registerExtensions(QCoreApplication::applicationDirPath());
    // Not written where the player is not installed or the desktop's file
    // is not plain: the old entries stand either way, as they always did.
    static_cast<void>(setDesktopDefaults());
}

QWidget *PlayerApp::window(PlayerWindow which)
{
    switch (which) {
    case PlayerWindow::Panel:
        if (!m_panel)
            m_panel = new ControlPanel(m_session);
        return m_panel;
    case PlayerWindow::Video:
        if (!m_video)
            m_video = new VideoWindow(m_session, m_media.view());
        return m_video;
    case PlayerWindow::ZoomStrip:
        if (!m_zoom)
            m_zoom =
                new ZoomStrip(m_session, static_cast<ControlPanel *>(window(PlayerWindow::Panel))->height());
        return m_zoom;
    case PlayerWindow::Subtitles:
        if (!m_subtitles)
            m_subtitles = new SubtitleWindow(m_session);
        return m_subtitles;
    case PlayerWindow::About:
        if (!m_about)
            m_about = new AboutWindow(m_session);
        return m_about;
    case PlayerWindow::Options:
        if (!m_options)
            m_options = new OptionsDialog(m_session, m_settings);
        return m_options;
    case PlayerWindow::Count:
        break;
    }
    return nullptr;
}

void PlayerApp::showWindow(PlayerWindow which, bool shown)
{
    QWidget *target = window(which);
    target->setVisible(shown);
    if (shown && which == PlayerWindow::Options)
        target->raise();
}

// Quit closes these windows, each running its own close handling, and then
// the run ends.
void PlayerApp::closeWindows()
{
    for (QWidget *w : std::initializer_list<QWidget *>{m_about, m_video, m_splash, m_options, m_zoom})
        if (w)
            w->close();
}

} // namespace qr
