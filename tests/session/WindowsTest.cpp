// Which windows show and which stay on top; the tray; the zoom strip; where
// the windows go at the start and what quit saves.
#include "desktop/Twips.h"
#include "tests/support/SessionFixture.h"

#include <QGuiApplication>
#include <QScreen>
#include <QSignalSpy>

namespace qr::test {
namespace {

using Band = QList<std::pair<PlayerWindow, bool>>;

class Windows : public SessionFixture {
protected:
    void SetUp() override
    {
        SessionFixture::SetUp();
        watch();
        session->loadPanel(std::nullopt);
    }
    void watch()
    {
        QObject::connect(session.get(), &Session::topMostRequested, [this](PlayerWindow window, bool onTop) {
            band << std::pair{window, onTop};
        });
    }
    QRect screen() const { return QGuiApplication::primaryScreen()->geometry(); }
    Band band;
};

// Switched on, or stored on at load: both windows are handed over while the
// switch is still off, so they reach the band at the next tick; switching
// off takes them out at once.
TEST_F(Windows, AlwaysOnTopSwitch)
{
    for (const bool stored : {false, true}) {
        SCOPED_TRACE(stored ? "stored" : "switched");
        setValue(PlayerSettings::Ontop, stored ? "yes" : "no");
        remake();
        watch();
        band.clear();
        session->loadPanel(std::nullopt);
        if (!stored)
            session->toggleAlwaysOnTop();
        EXPECT_TRUE(session->alwaysOnTop());
        EXPECT_EQ(session->statusLine(), "Always on Top Enabled");
        EXPECT_EQ(band, (Band{{PlayerWindow::Video, false}, {PlayerWindow::Panel, false}}));
        EXPECT_TRUE(session->isShown(PlayerWindow::Video)) << "either way the video window shows";
    }
    band.clear();
    session->toggleAlwaysOnTop();
    EXPECT_FALSE(session->alwaysOnTop());
    EXPECT_EQ(session->statusLine(), "Always on Top Disabled");
    EXPECT_EQ(band, (Band{{PlayerWindow::Video, false}, {PlayerWindow::Panel, false}}));
    EXPECT_EQ(session->statusText(), "No media loaded..") << "the status it returns to stays";
}

TEST_F(Windows, FullScreenNeedsAFileAndLeaves)
{
    session->toggleFullScreen();
    EXPECT_TRUE(media.calls.isEmpty());
    media.display = DisplaySize::FullScreen; // left so when its file went
    session->toggleFullScreen();
    EXPECT_EQ(media.calls, QStringList{"setDisplaySize 4"}) << "leaving needs no file";
    media.calls.clear();
    open();
    session->toggleFullScreen();
    EXPECT_EQ(media.calls, (QStringList{"setFullScreenControls 1", "setDisplaySize 3"}));
    EXPECT_EQ(band.mid(band.size() - 2), (Band{{PlayerWindow::Video, false}, {PlayerWindow::Panel, false}}));
    media.calls.clear();
    session->toggleFullScreen();
    EXPECT_EQ(media.calls, QStringList{"setDisplaySize 4"});

    band.clear();
    media.calls.clear();
    Q_EMIT media.displayModeChanged(DisplaySize::FullScreen); // the engine's own double-click
    EXPECT_EQ(band, (Band{{PlayerWindow::Video, false}, {PlayerWindow::Panel, false}}));
    EXPECT_EQ(media.calls, QStringList{"setFullScreenControls 1"});
}

TEST_F(Windows, TrayRoundTripBringsTheZoomStripBack)
{
    for (bool zoomOpen : {true, false}) {
        SCOPED_TRACE(zoomOpen);
        open();
        session->setShown(PlayerWindow::Panel, true);
        if (zoomOpen)
            session->showZoomStrip();
        session->hideToTray();
        EXPECT_TRUE(session->panelInTray());
        EXPECT_FALSE(session->isShown(PlayerWindow::Panel));
        EXPECT_FALSE(session->zoomStripShown());
        session->restoreFromTray();
        EXPECT_FALSE(session->panelInTray());
        EXPECT_TRUE(session->isShown(PlayerWindow::Panel));
        EXPECT_EQ(session->zoomStripShown(), zoomOpen);
        session->hideZoomStrip();
    }
}

TEST_F(Windows, ZoomStripListsTheChoicesAndRemembersTheOneMade)
{
    session->showZoomStrip();
    EXPECT_EQ(session->zoomChoices().size(), 12) << "nothing loaded: no own size";
    open();
    media.openStream(640, 480, 10);
    EXPECT_EQ(session->zoomChoices().size(), 13);
    EXPECT_EQ(session->zoomChoices().at(10), "640x480");
    EXPECT_EQ(session->zoomChoice(), -1);

    createKey(PlayerSettings::Key);
    session->hideZoomStrip();
    EXPECT_EQ(value(PlayerSettings::ZoomChoice), "-1");
    session->showZoomStrip();
    session->setZoomChoice(2);
    session->hideZoomStrip();
    EXPECT_EQ(value(PlayerSettings::ZoomChoice), "2");
    EXPECT_FALSE(session->zoomStripShown());
}

TEST_F(Windows, QuitWritesWhatTheSwitchesAsk)
{
    const struct {
        const char *what;
        QString windowpos, remember;
        bool mute, repeat, zoom;
        int volume;
        QString written; // name=value ...
    } cases[] = {
        {"both off", "no", "no", true, true, false, 35, ""},
        {"positions", "yes", "", false, false, false, 35, "QV_RL=3000 QV_RT=1440 QV_VL=1500 QV_VT=2250"},
        {"mute on", "", "yes", true, false, false, 100,
         "RMP_Mute=yes RMP_Repeat=no RMP_PBView=no RMP_Volume=100"},
        {"zoom third choice", "", "yes", false, true, true, 0,
         "RMP_Mute=no RMP_Repeat=yes RMP_PBView=yes RMP_PBView_ResIdx=2 RMP_Volume=0"},
    };
    const QStringList names =
        QString("QV_RL QV_RT QV_VL QV_VT RMP_Mute RMP_Repeat RMP_PBView RMP_PBView_ResIdx RMP_Volume")
            .split(' ');
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        TempStore fresh;
        setValue(PlayerSettings::Windowpos, c.windowpos);
        setValue(PlayerSettings::RememberPlayer, c.remember);
        remake().loadPanel(std::nullopt);
        open();
        session->setPanelPosition(QPoint(200, 96));
        session->setVideoPosition(QPoint(100, 150));
        if (c.mute)
            session->muteOn();
        if (c.repeat)
            session->repeatOn();
        if (c.zoom) {
            session->showZoomStrip();
            session->setZoomChoice(2);
        }
        session->setVolume(c.volume);
        QSignalSpy finished(session.get(), &Session::finished);
        session->quit();
        EXPECT_EQ(finished.count(), 1);
        QStringList written;
        for (const QString &name : names)
            if (readValue(PlayerSettings::Key, name))
                written << name + "=" + value(name);
        EXPECT_EQ(written.join(' '), c.written);
        EXPECT_TRUE(session->currentFile().isEmpty());
    }
}

// Where the desktop keeps no positions (Wayland): said once, and quit
// leaves the stored ones alone while it still saves the player state.
TEST_F(Windows, PositionsThatCannotBeKeptAreNeitherClaimedNorSaved)
{
    setValue(PlayerSettings::Windowpos, "yes");
    setValue(PlayerSettings::RememberPlayer, "yes");
    setValue(PlayerSettings::PanelLeft, "1500");
    remake().loadPanel(std::nullopt);
    session->positionsCannotBeKept();
    EXPECT_EQ(session->statusLine(), "Window positions cannot be kept on Wayland");
    EXPECT_EQ(session->statusText(), "No media loaded..") << "the line returns to the status";
    session->restoreStatus();
    session->positionsCannotBeKept();
    EXPECT_EQ(session->statusLine(), "No media loaded..") << "said once";
    session->setPanelPosition(QPoint(0, 0));
    session->quit();
    EXPECT_EQ(value(PlayerSettings::PanelLeft), "1500");
    EXPECT_EQ(value(PlayerSettings::VideoTop), "<none>");
    EXPECT_EQ(value(PlayerSettings::RememberedMute), "no");
}

TEST_F(Windows, StartPlacement)
{
    const QString edge = QString::number(static_cast<int>(twipsX(screen().width())));
    const QSize panel(274, 113);
    const struct {
        const char *what;
        QString windowpos, rl, rt, vl, vt;
        bool defaultPlace;
        QPoint panel, video;
    } cases[] = {
        {"stored", "yes", "1500", "3000", "4500", "6000", false, {100, 200}, {300, 400}},
        {"left at the screen's width", "yes", edge, "3000", "4500", "6000", false, {0, 200}, {300, 400}},
        {"top cut to whole twips", "yes", "1500", "3000", "4500", "6007.9", false, {100, 200}, {300, 400}},
        {"switch off", "no", "1500", "3000", "4500", "6000", true, {}, {}},
        {"one missing", "yes", "1500", "", "4500", "6000", true, {}, {}},
        {"not a number", "yes", "1500", "3000", "abc", "6000", true, {}, {}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        TempStore fresh;
        for (const auto &[name, text] : {std::pair{PlayerSettings::Windowpos, c.windowpos},
                                         {PlayerSettings::PanelLeft, c.rl},
                                         {PlayerSettings::PanelTop, c.rt},
                                         {PlayerSettings::VideoLeft, c.vl},
                                         {PlayerSettings::VideoTop, c.vt}})
            if (!text.isEmpty())
                setValue(name, text);
        remake().applyStartSettings(panel);
        const QPoint video = session->videoPosition();
        if (c.defaultPlace) {
            // The panel centred, right above the video window, which is centred a third down.
            EXPECT_EQ(video.x(), screen().x() + (screen().width() - 720) / 2);
            EXPECT_EQ(session->panelPosition(), QPoint(screen().width() / 2 - 137, video.y() - 113));
        } else {
            EXPECT_EQ(session->panelPosition(), c.panel);
            EXPECT_EQ(video, c.video);
        }
    }
}

TEST_F(Windows, ErrorReportReturnsToNoMedia)
{
    for (bool loaded : {true, false}) {
        SCOPED_TRACE(loaded);
        if (loaded)
            open();
        media.openStream(352, 240, 100);
        media.position = 50;
        session->clockTick();
        session->setShown(PlayerWindow::Video, true);
        messages.clear();
        session->reportError("Something failed.", -7, "bad");
        ASSERT_EQ(messages.size(), 1);
        EXPECT_EQ(messages[0].title, "Error");
        EXPECT_EQ(messages[0].text, "Something failed.\r\n\r\nIf this error occurs again, please send the "
                                    "errorcode/description in a mail to support@tarvell.example\r\n\r\n"
                                    "(Error code: #-7/Error description: bad)");
        EXPECT_TRUE(media.file.isEmpty());
        EXPECT_EQ(session->seekValue(), 0);
        EXPECT_EQ(session->statusLine(), "No media loaded..");
        EXPECT_TRUE(session->timeText().isEmpty());
        EXPECT_TRUE(session->mediaInfo().isEmpty());
        EXPECT_FALSE(session->isShown(PlayerWindow::Video));
    }
}

} // namespace
} // namespace qr::test
