// The panel as a user meets it: lighting buttons and hints, the tray, drops
// and quitting with the saved state.
#include "desktop/tray.h"
#include "panel/SkinWidgets.h"
#include "panel/remote.h"
#include "panel/seekbar/simpleProgress.h"
#include "tests/support/PlayerFixture.h"
#include "video/frmZoom.h"
#include "video/video.h"

#include <QComboBox>
#include <QSettings>
#include <QSignalSpy>
#include <QTest>

namespace qr::test {
namespace {

class Panel : public PlayerFixture {
protected:
    void SetUp() override
    {
        PlayerFixture::SetUp();
        makePanel().show();
    }
    void TearDown() override
    {
        Tray::overrideAvailable(std::nullopt);
        PlayerFixture::TearDown();
    }
    // Two moves, so the widget sees one even where the pointer already was.
    void hover(QWidget *w)
    {
        QTest::mouseMove(w, QPoint(1, 1));
        QTest::mouseMove(w, QPoint(3, 3));
    }
    bool lit(QWidget *w) { return w->isVisibleTo(panel->background); }
};

TEST_F(Panel, NothingLoadedLightsOnlyTheOpenButton)
{
    panel->background->setFocus();
    hover(panel->background);
    for (SkinPicture *button : {panel->back, panel->play, panel->pause, panel->stop_button, panel->forward})
        hover(button);
    for (SkinPicture *litButton : {panel->back_over, panel->play_over, panel->pause_over, panel->stop_over,
                                   panel->forward_over})
        EXPECT_FALSE(lit(litButton));
    EXPECT_EQ(panel->status->text(), "No media loaded..");
    hover(panel->load);
    EXPECT_TRUE(lit(panel->load_over));
    hover(panel->load_over);
    EXPECT_EQ(panel->status->text(), "Open media for playback..");
}

TEST_F(Panel, MovingBetweenNeighbours)
{
    loadFile();
    EXPECT_TRUE(lit(panel->forward_over)) << "lit from the start";
    hover(panel->background);
    EXPECT_FALSE(lit(panel->forward_over)) << "the skin puts every light out";
    hover(panel->pause);
    hover(panel->pause_over);
    hover(panel->back);
    hover(panel->back_over); // hides play_over only
    QTest::mouseMove(panel->play, QPoint(5, 5)); // onto play: its light comes on above it
    EXPECT_TRUE(lit(panel->play_over));
    EXPECT_TRUE(lit(panel->pause_over));
    QTest::mouseMove(panel->play, QPoint(6, 6)); // the next move is over the light
    EXPECT_FALSE(lit(panel->pause_over));
    EXPECT_FALSE(lit(panel->back_over));
    EXPECT_EQ(panel->status->text(), "Play media..");
}

TEST_F(Panel, HintsAndTheirRestore)
{
    loadFile();
    player->state.StatusText = QStringLiteral("clip.avi Playing..");
    for (bool scrolling : {false, true}) {
        player->state.ScrollTitleEnabled = scrolling;
        hover(panel->cmdOptions);
        EXPECT_EQ(panel->status->text(), "Configure player settings..");
        hover(panel->background);
        EXPECT_EQ(panel->status->text(), scrolling ? "Configure player settings.." : "clip.avi Playing..");
    }
}

TEST_F(Panel, HotSpotPressFeedback)
{
    for (SkinLabel *spot : {panel->cmdOptions, panel->Label5}) {
        QTest::mousePress(spot, Qt::LeftButton, {}, QPoint(2, 2));
        EXPECT_EQ(spot->borderStyle(), 1);
        QTest::mouseRelease(spot, Qt::LeftButton, {}, QPoint(40, 40));
        EXPECT_EQ(spot->borderStyle(), 0);
    }
}

TEST_F(Panel, TrayRoundTrip)
{
    Tray::overrideAvailable(true);
    for (bool zoomOpen : {true, false}) {
        loadFile();
        if (zoomOpen)
            panel->pbview_Click();
        panel->Label5_Click();
        EXPECT_TRUE(player->state.PanelInTray);
        EXPECT_EQ(player->state.ZoomWasVisible, zoomOpen);
        EXPECT_FALSE(panel->isVisible());
        EXPECT_FALSE(player->zoom().isVisible());
        EXPECT_TRUE(player->tray().present());
        EXPECT_EQ(player->tray().tip(), "Quilvane Ryn");

        Q_EMIT player->tray().mouseMessage(0); // a single click does nothing
        EXPECT_FALSE(panel->isVisible());
        Q_EMIT player->tray().mouseMessage(TrayMouseMessage(QSystemTrayIcon::Context));
        EXPECT_TRUE(panel->isVisible());
        EXPECT_EQ(player->zoom().isVisible(), zoomOpen);
        EXPECT_FALSE(player->state.PanelInTray);
        EXPECT_FALSE(player->tray().present());
        player->zoom().hide();
    }
}

TEST_F(Panel, NoTrayKeepsThePanel)
{
    Tray::overrideAvailable(false);
    panel->Label5_Click();
    EXPECT_TRUE(panel->isVisible());
    EXPECT_FALSE(player->state.PanelInTray);
    EXPECT_EQ(panel->status->text(), "No system tray available");
}

TEST_F(Panel, ZoomStripDocksAndRemembersItsChoice)
{
    loadFile();
    panel->pbview_Click();
    frmZoom &zoom = player->zoom();
    EXPECT_TRUE(zoom.isVisible());
    EXPECT_EQ(zoom.x() + zoom.width(), panel->x());
    EXPECT_EQ(zoom.height(), panel->height());
    EXPECT_TRUE(lit(panel->pbview_over));
    panel->move(panel->pos() + QPoint(30, 40));
    EXPECT_EQ(zoom.pos(), QPoint(panel->x() - zoom.width(), panel->y())) << "follows the panel";

    CreateKey(SettingsKey);
    panel->pbview_over_Click();
    EXPECT_EQ(value(kRMP_PBView_ResIdx), "-1");
    EXPECT_FALSE(zoom.isVisible());
    EXPECT_TRUE(lit(panel->pbview));
}

TEST_F(Panel, Drops)
{
    const QString first = makeFile(QStringLiteral("first.avi"));
    const QString second = makeFile(QStringLiteral("second.avi"));
    EXPECT_TRUE(panel->acceptsDroppedFiles());
    panel->OpenDroppedPaths({first, second});
    EXPECT_EQ(media.file, first);
    EXPECT_EQ(player->state.CurrentMediaFile, first);

    const QString longName = store.dir() + QLatin1Char('/') + QString(240, QLatin1Char('x')) + QStringLiteral(".avi");
    QFile(first).copy(longName);
    panel->OpenDroppedPaths({longName});
    EXPECT_EQ(media.file, longName) << "long paths are not cut";

    boxes.clear();
    panel->OpenDroppedPaths({store.dir()});
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_EQ(boxes[0].text, "File \"" + store.dir() + "\" doesnt exist!");
}

TEST_F(Panel, QuitWritesWhatTheSwitchesAsk)
{
    struct Case {
        const char *what;
        QString windowpos, remember;
        bool mute, repeat, zoom;
        QStringList written; // name=value
    } cases[] = {
        {"both off", "no", "no", true, true, false, {}},
        {"positions", "yes", "", false, false, false, {"QV_RL=3000", "QV_RT=1440", "QV_VL=1500", "QV_VT=2250"}},
        {"mute on", "", "yes", true, false, false, {"RMP_Mute=yes", "RMP_Repeat=no", "RMP_PBView=no"}},
        {"zoom third choice", "", "yes", false, true, true,
         {"RMP_Mute=no", "RMP_Repeat=yes", "RMP_PBView=yes", "RMP_PBView_ResIdx=2"}},
    };
    const QStringList names{"QV_RL", "QV_RT", "QV_VL", "QV_VT", "RMP_Mute", "RMP_Repeat", "RMP_PBView",
                            "RMP_PBView_ResIdx"};
    for (const Case &c : cases) {
        TempStore fresh;
        setValue(kWindowpos, c.windowpos);
        setValue(kRememberPlayer, c.remember);
        makePanel();
        loadFile();
        panel->move(200, 96);
        player->videoWindow().move(100, 150);
        if (c.mute)
            panel->muted_Click();
        if (c.repeat)
            panel->repeat_Click();
        if (c.zoom) {
            panel->pbview_Click();
            player->zoom().cboZoomOpt->setCurrentIndex(2);
        }
        QSignalSpy exits(player.get(), &Player::exitRequested);
        panel->quit_Click();
        EXPECT_EQ(exits.count(), 1) << c.what;
        QStringList written;
        for (const QString &name : names)
            if (ReadValue(SettingsKey, name) != QStringLiteral("Error"))
                written << name + "=" + value(name);
        EXPECT_EQ(written, c.written) << c.what;
        EXPECT_TRUE(player->state.CurrentMediaFile.isEmpty());
        player.reset();
    }
}

TEST_F(Panel, ClosingThePanelRecordsItsPlaceAndEndsTheRun)
{
    for (bool minimised : {false, true}) {
        TempStore fresh;
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, fresh.dir());
        makePlayer();
        panel = &player->panel();
        panel->show();
        panel->move(200, 96);
        if (minimised)
            panel->showMinimized();
        QSignalSpy exits(player.get(), &Player::exitRequested);
        panel->close();
        EXPECT_EQ(exits.count(), 1);
        QSettings saved(QSettings::IniFormat, QSettings::UserScope, "quilvane-ryn", "Quilvane Ryn");
        EXPECT_EQ(saved.value("Settings/remoteLeft").toString(), minimised ? "" : "3000") << minimised;
        EXPECT_EQ(saved.value("Settings/remoteTop").toString(), minimised ? "" : "1440") << minimised;
        player.reset();
    }
}

} // namespace
} // namespace qr::test
