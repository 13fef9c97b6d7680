#include "core/Player.h"

#include "core/frmAbout.h"
#include "core/frmSplash.h"
#include "core/media/MediaControl.h"
#include "core/playbackcontrols.h"
#include "desktop/Twips.h"
#include "desktop/tray.h"
#include "desktop/windowpos.h"
#include "panel/SkinWidgets.h"
#include "panel/remote.h"
#include "settings/SettingsKeys.h"
#include "settings/fileext.h"
#include "settings/frmOptions.h"
#include "settings/registry.h"
#include "subtitles/SubtitleReader.h"
#include "subtitles/frmSub.h"
#include "subtitles/subtitles.h"
#include "video/frmZoom.h"
#include "video/video.h"

#include <QGuiApplication>
#include <QScreen>

namespace qr {

namespace {

QRect primaryScreen()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry() : QRect(0, 0, 1024, 768);
}

// A stored window coordinate; nothing when it is missing or not a number.
std::optional<double> storedTwips(const QString &name)
{
    const std::optional<QString> text = ReadValue(SettingsKey, name);
    if (!text)
        return std::nullopt;
    bool ok = false;
    const double value = text->trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

// A window that would lie wholly off every screen (a monitor was removed
// since) comes back onto the primary one.
void keepOnScreen(QWidget *window)
{
    const QRect frame(window->pos(), window->size());
    for (const QScreen *screen : QGuiApplication::screens())
        if (screen->geometry().intersects(frame))
            return;
    const QRect primary = primaryScreen();
    window->move(primary.x() + std::max(0, (primary.width() - window->width()) / 2),
                 primary.y() + std::max(0, (primary.height() - window->height()) / 3));
}
} // namespace

Player::Player(MediaControl &mediaControl, QStringList args, QObject *parent)
    : QObject(parent), media(mediaControl), arguments(std::move(args))
{
    // The engine's notifications belong to the video window, which is
    // created when the first one arrives if start-up has not loaded it yet.
    connect(&media, &MediaControl::StreamOpened, this, [this] { videoWindow().StreamOpened(); });
    connect(&media, &MediaControl::EndOfMedia, this, [this] { videoWindow().EndOfMedia(); });
    connect(&media, &MediaControl::PictureMouseDown, this,
            [this](int button, int shift, double x, double y) { videoWindow().PictureMouseDown(button, shift, x, y); });
    connect(&media, &MediaControl::DurationChange, this, [this] { videoWindow().DurationChange(); });
    connect(&media, &MediaControl::DisplayModeChange, this, [this] { videoWindow().DisplayModeChange(); });
    connect(&media, &MediaControl::StreamClosed, this, [this] { videoWindow().StreamClosed(); });
    connect(&media, &MediaControl::EngineError, this,
            [this](int code, const QString &description) { videoWindow().EngineError(code, description); });
    SetAfterDragHook([this] {
        if (zoomVisible())
            DockZoomToPanel(*this);
    });
}

Player::~Player()
{
    SetAfterDragHook(nullptr);
    delete m_splash;
    delete m_about;
    delete m_options;
    delete m_sub;
    delete m_zoom;
    // The video window holds the engine's view; the engine outlives the player.
    if (m_video)
        media.view()->setParent(nullptr);
    delete m_video;
    delete m_panel;
    delete m_tray;
    delete m_channel;
    delete m_currentSubtitle;
}

remote &Player::panel()
{
    if (!m_panel)
        m_panel = new remote(*this);
    return *m_panel;
}

video &Player::videoWindow()
{
    if (!m_video) {
        m_video = new video(*this);
        m_video->Form_Load();
        const QRect screen = primaryScreen();
        m_video->move(screen.x() + (screen.width() - m_video->width()) / 2,
                      screen.y() + std::max(panel().height() + 8, (screen.height() - m_video->height()) / 3));
    }
    return *m_video;
}

frmZoom &Player::zoom()
{
    if (!m_zoom)
        m_zoom = new frmZoom(*this);
    return *m_zoom;
}

frmSub &Player::subtitleWindow()
{
    if (!m_sub) {
        m_sub = new frmSub;
        connect(m_sub, &frmSub::KeyDown, this, [this](int key, int shift) { panel().Form_KeyDown(key, shift); });
    }
    return *m_sub;
}

frmOptions &Player::options()
{
    if (!m_options) {
        m_options = new frmOptions(state);
        connect(m_options, &QObject::destroyed, this, [this] { m_options = nullptr; });
    }
    return *m_options;
}

frmAbout &Player::about()
{
    if (!m_about) {
        m_about = new frmAbout;
        connect(m_about, &QObject::destroyed, this, [this] { m_about = nullptr; });
    }
    return *m_about;
}

Tray &Player::tray()
{
    if (!m_tray) {
        m_tray = new Tray(this);
        connect(m_tray, &Tray::mouseMessage, this, [this](int code) {
            if (code != 0)
                panel().RestoreFromTray();
        });
    }
    return *m_tray;
}

SubtitleReader &Player::subtitleChannel()
{
    if (!m_channel)
        m_channel = new SubtitleReader;
    return *m_channel;
}

SubtitleEntry &Player::CurrentSubtitle()
{
    if (!m_currentSubtitle)
        m_currentSubtitle = new SubtitleEntry;
    return *m_currentSubtitle;
}

int Player::SubtitleFrameRate() const
{
    const double fps = media.frameRate();
    return fps > 0 ? static_cast<int>(std::nearbyint(fps)) : 25;
}

bool Player::zoomVisible() const { return m_zoom && m_zoom->isVisible(); }
bool Player::subtitleWindowVisible() const { return m_sub && m_sub->isVisible(); }

void Player::SetStatus(const QString &text)
{
    state.StatusText = text;
    panel().status->setText(text);
}

void Player::ShowStatus(const QString &text) { panel().status->setText(text); }

void Player::Main()
{
    if (RegValueIs(SettingsKey, kRegistext, kYes))
        RegisterExtensions();
    if (RegValueIs(SettingsKey, kSplash, kNo)) {
        StartMainWindows();
        return;
    }
    m_splash = new frmSplash;
    connect(m_splash, &frmSplash::closedToPanel, this, &Player::splashClosed);
    m_splash->show();
}

void Player::StartMainWindows()
{
    panel().Form_Load();
    videoWindow();
    panel().show();
    loadStartSettingsAndPlace();
}

void Player::splashClosed()
{
    panel().show();
    // The splash path applies the same start settings and placement as
    // the path without splash, once.
    loadStartSettingsAndPlace();
}

void Player::loadStartSettingsAndPlace()
{
    if (m_startSettingsApplied)
        return;
    m_startSettingsApplied = true;
    video &videoWin = videoWindow();
    remote &panelWin = panel();
    state.UseSubtitles = RegValueIs(SettingsKey, kUseSubs, kYes);
    state.ScrollTitleEnabled = RegValueIs(SettingsKey, kScrollTitle, kYes);

    bool placed = false;
    if (RegValueIs(SettingsKey, kWindowpos, kYes)) {
        const auto rl = storedTwips(kQV_RL), rt = storedTwips(kQV_RT);
        const auto vl = storedTwips(kQV_VL), vt = storedTwips(kQV_VT);
        if (rl && rt && vl && vt) {
            const double screenWidth = TwipsX(primaryScreen().width());
            const double left = (*rl > 0 && *rl < screenWidth) ? *rl : 0;
            panelWin.move(PixelsX(left), PixelsY(*rt));
            videoWin.move(PixelsX(*vl), PixelsY(std::trunc(*vt)));
            placed = true;
        }
    }
    if (!placed) {
        const QRect screen = primaryScreen();
        panelWin.move(screen.x() + screen.width() / 2 - panelWin.width() / 2, videoWin.y() - panelWin.height());
    }
    keepOnScreen(&panelWin);
    keepOnScreen(&videoWin);
}

void Player::CloseWindowsAndExit()
{
    for (QWidget *w : std::initializer_list<QWidget *>{m_about, m_video, m_splash, m_options, m_zoom})
        if (w)
            w->close();
    Q_EMIT exitRequested(0);
}

} // namespace qr
