// Which windows show and which stay on top; full screen; the tray; what quit saves.
#include "settings/RegistryStore.h"
#include "tests/support/SessionFixture.h"

#include <QProcess>

namespace qr::test {
namespace {

using Windows = SessionFixture;
const Band MainWindowsOut{{PlayerWindow::Video, false}, {PlayerWindow::Panel, false}};

// Handed over while the switch is still off, so they reach the band at the next tick.
TEST_F(Windows, AlwaysOnTopSwitch)
{
    for (const bool stored : {false, true}) {
        SCOPED_TRACE(stored ? "stored" : "switched");
        setValue(PlayerSettings::Ontop, PlayerSettings::yesNo(stored));
        restart();
        if (!stored)
            session->toggleAlwaysOnTop();
        EXPECT_TRUE(windows().alwaysOnTop());
        EXPECT_EQ(lines().status(), "Always on Top Enabled");
        EXPECT_EQ(topMost, MainWindowsOut);
        EXPECT_TRUE(shown(PlayerWindow::Video)) << "either way the video window shows";
    }
    topMost.clear();
    session->toggleAlwaysOnTop();
    EXPECT_FALSE(windows().alwaysOnTop());
    EXPECT_EQ(lines().status(), "Always on Top Disabled");
    EXPECT_EQ(topMost, MainWindowsOut);
    EXPECT_EQ(lines().statusText(), "No media loaded..") << "the status it returns to stays";
}

TEST_F(Windows, FullScreenNeedsAFileAndLeaves)
{
    media.display = DisplaySize::FullScreen; // left so when its file went
    session->toggleFullScreen();
    EXPECT_EQ(media.calls, QStringList{"setDisplaySize 4"}) << "leaving needs no file";
    open();
    session->toggleFullScreen();
    EXPECT_EQ(media.calls, (QStringList{"setFullScreenControls 1", "setDisplaySize 3"}));
    EXPECT_EQ(topMost, MainWindowsOut);

    topMost.clear();
    media.calls.clear();
    Q_EMIT media.displayModeChanged(DisplaySize::FullScreen); // the engine's own double-click
    EXPECT_EQ(topMost, MainWindowsOut);
    EXPECT_EQ(media.calls, QStringList{"setFullScreenControls 1"});
}

TEST_F(Windows, TrayRoundTripBringsTheZoomStripBack)
{
    open();
    session->placeMainWindows(QSize(274, 113));
    for (bool zoomOpen : {true, false}) {
        SCOPED_TRACE(zoomOpen);
        if (zoomOpen)
            session->showZoomStrip();
        session->hideToTray();
        EXPECT_TRUE(windows().panelInTray());
        EXPECT_FALSE(shown(PlayerWindow::Panel) || shown(PlayerWindow::ZoomStrip));
        session->raisePanel();
        EXPECT_FALSE(windows().panelInTray());
        EXPECT_TRUE(shown(PlayerWindow::Panel));
        EXPECT_EQ(shown(PlayerWindow::ZoomStrip), zoomOpen);
        session->hideZoomStrip();
    }
    desktop.tray = false;
    session->hideToTray();
    EXPECT_TRUE(shown(PlayerWindow::Panel)) << "a panel with no icon to come back by would be lost";
    EXPECT_EQ(lines().status(), "No system tray available");
}

TEST_F(Windows, QuitWritesWhatTheSwitchesAsk)
{
    const struct {
        QString windowpos, remember;
        bool mute, repeat, zoom;
        QString written;
    } cases[] = {
        {"no", "no", true, true, false, ""},
        {"yes", "", false, false, false, "QV_RL=3000 QV_RT=1440 QV_VL=1500 QV_VT=2250"},
        {"", "yes", true, false, false, "RMP_Mute=yes RMP_Repeat=no RMP_PBView=no RMP_Volume=35"},
        {"", "yes", false, true, true,
         "RMP_Mute=no RMP_Repeat=yes RMP_PBView=yes RMP_PBView_ResIdx=2 RMP_Volume=35"},
    };
    const QStringList names =
        QString("QV_RL QV_RT QV_VL QV_VT RMP_Mute RMP_Repeat RMP_PBView RMP_PBView_ResIdx RMP_Volume")
            .split(' ');
    for (const auto &c : cases) {
        SCOPED_TRACE(c.written.toStdString());
        TempStore fresh;
        setValues({{PlayerSettings::Windowpos, c.windowpos}, {PlayerSettings::RememberPlayer, c.remember}});
        restart();
        open();
        session->panelMoved(QPoint(200, 96));
        session->videoMoved(QPoint(100, 150));
        session->setMuted(c.mute);
        session->setRepeat(c.repeat);
        if (c.zoom) {
            session->showZoomStrip();
            session->setZoomChoice(2);
        }
        session->setVolume(35);
        int finished = 0;
        QObject::connect(session.get(), &Session::finished, [&] { ++finished; });
        session->quit();
        EXPECT_EQ(finished, 1);
        QStringList written;
        for (const QString &name : names)
            if (readValue(PlayerSettings::Key, name))
                written << name + "=" + value(name);
        EXPECT_EQ(written.join(' '), c.written);
    }
}

// Where the desktop keeps no positions (Wayland), quit still saves the player state.
TEST_F(Windows, PositionsThatCannotBeKeptAreNeitherClaimedNorSaved)
{
    setValues({{PlayerSettings::Windowpos, "yes"},
               {PlayerSettings::RememberPlayer, "yes"},
               {PlayerSettings::PanelLeft, "1500"}});
    desktop.keepsPositions = false;
    restart();
    EXPECT_EQ(lines().status(), "Window positions cannot be kept on Wayland");
    EXPECT_EQ(lines().statusText(), "No media loaded..") << "the line returns to the status";
    session->panelMoved(QPoint(0, 0));
    session->quit();
    EXPECT_EQ(value(PlayerSettings::PanelLeft), "1500");
    EXPECT_EQ(value(PlayerSettings::VideoTop), "<none>");
    EXPECT_EQ(value(PlayerSettings::RememberedMute), "no");
}

// One transaction, tried twice, each try waiting only the lock wait.
TEST_F(Windows, QuitWithTheStoreHeldByAnotherProgram)
{
    constexpr int LockWaitMs = 1000;
    RegistryStore::SetBusyTimeout(LockWaitMs);
    const QString all = "QV_RT, QV_RL, QV_VT, QV_VL, RMP_Mute, RMP_Repeat, RMP_PBView, RMP_Volume";
    const struct {
        const char *what;
        QString keep;
        QStringList hold, reports;
        QString panelLeft;
    } cases[] = {
        {"held throughout", "yes", {"hold"}, {"quilvane-ryn: the store is busy; not saved: " + all}, "15"},
        // let go after the first try gave up, before the second does
        {"let go during the second try", "yes", {"hold", QString::number(LockWaitMs * 3 / 2)}, {}, "3000"},
        {"nothing to keep", "no", {"hold"}, {}, "15"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        TempStore fresh;
        setValues({{PlayerSettings::Windowpos, c.keep},
                   {PlayerSettings::RememberPlayer, c.keep},
                   {PlayerSettings::PanelLeft, "15"}});
        restart();
        session->panelMoved(QPoint(200, 96));
        QProcess holder;
        holder.start(qEnvironmentVariable("QR_STORE_WRITER"), c.hold);
        ASSERT_TRUE(holder.waitForReadyRead(60000)) << holder.readAllStandardError().toStdString();
        ASSERT_EQ(holder.readAllStandardOutput(), "locked\n");
        session->quit();
        holder.closeWriteChannel();
        EXPECT_TRUE(holder.waitForFinished(60000));
        EXPECT_EQ(failedSaves, c.reports);
        EXPECT_EQ(value(PlayerSettings::PanelLeft), c.panelLeft);
    }
    RegistryStore::SetBusyTimeout(RegistryStore::kToolBusyTimeoutMs);
}

} // namespace
} // namespace qr::test
