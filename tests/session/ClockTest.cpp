// The 500 ms clock: the time line and seek bar, the top-most band and the
// scrolling title; and the seek bar's presses.
#include "tests/support/SessionFixture.h"

namespace qr::test {
namespace {

class Clock : public SessionFixture {
protected:
    void SetUp() override
    {
        restart();
        open();
        media.state = PlayState::Playing;
    }
};

TEST_F(Clock, TimeLineAndSeekBar)
{
    media.openStream(0, 0, 125.5);
    EXPECT_EQ(lines().seekMaximum(), 126);
    EXPECT_EQ(lines().timeText(), "00:00:00/00:00:00");
    const struct {
        double position;
        QString time;
        qint64 seek;
    } ticks[] = {
        {61.5, "0:01:02 / 0:02:06", 62},
        {-1, "0:01:02 / 0:02:06", 62}, // the engine has no position: both left alone
        {-0.9, "", 0},                 // kept within the bar
        {500, "0:08:20 / 0:02:06", 126},
    };
    for (const auto &t : ticks) {
        media.position = t.position;
        session->clockTick();
        if (!t.time.isEmpty()) {
            EXPECT_EQ(lines().timeText(), t.time) << t.position;
        }
        EXPECT_EQ(lines().seekValue(), t.seek) << t.position;
    }
}

TEST_F(Clock, TitleScrollOnlyWhenSwitchedOnAndLong)
{
    media.file = store.dir() + "/abcdefghijklmnopqrstuvwxy.avi";
    session->showHint("before");
    session->clockTick();
    EXPECT_EQ(lines().status(), "before") << "scrolling off";

    setValue(PlayerSettings::ScrollTitle, "yes");
    session->placeMainWindows(QSize(274, 113));
    session->clockTick();
    EXPECT_EQ(lines().status(), "abcdefghijklmnopqrst");
    EXPECT_EQ(lines().statusText(), "abcdefghijklmnopqrstuvwxy.avi Playing..");
    session->returnToStatusText();
    EXPECT_EQ(lines().status(), "abcdefghijklmnopqrst") << "a scrolling title is left to the clock";

    media.file = store.dir() + "/abcdefghij"; // 20 characters with " Playing..": not written
    session->showHint("short");
    session->clockTick();
    EXPECT_EQ(lines().status(), "short");
}

TEST_F(Clock, TopMostUpkeep)
{
    const struct {
        const char *what;
        bool onTop, dialog, inTray;
        DisplaySize display;
        bool kept, controlsOff;
    } cases[] = {
        {"on", true, false, false, DisplaySize::Windowed, true, true},
        {"switch off", false, false, false, DisplaySize::Windowed, false, true},
        {"dialog open", true, true, false, DisplaySize::Windowed, false, true},
        {"in tray", true, false, true, DisplaySize::Windowed, false, true},
        {"full screen", true, false, false, DisplaySize::FullScreen, false, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        restart();
        open();
        if (c.onTop)
            session->toggleAlwaysOnTop();
        if (c.dialog)
            session->showAbout();
        if (c.inTray)
            session->hideToTray();
        media.display = c.display;
        topMost.clear();
        session->clockTick();
        const Band kept{{PlayerWindow::Video, true}, {PlayerWindow::Panel, true}};
        EXPECT_EQ(topMost, c.kept ? kept : Band());
        EXPECT_EQ(media.calls.contains("setFullScreenControls 0"), c.controlsOff);
    }
}

TEST_F(Clock, ZoomStripLeavesTheBandWhileItsListHasTheFocus)
{
    session->toggleAlwaysOnTop();
    const auto zoomBand = [this] {
        QList<bool> onTop;
        for (const auto &[window, on] : topMost)
            if (window == PlayerWindow::ZoomStrip)
                onTop << on;
        return onTop;
    };
    session->clockTick();
    EXPECT_TRUE(zoomBand().isEmpty()) << "a hidden strip is left alone";
    session->showZoomStrip();
    session->setZoomListFocused(true);
    session->clockTick();
    session->setZoomListFocused(false);
    session->clockTick();
    EXPECT_EQ(zoomBand(), (QList<bool>{false, true}));
}

TEST_F(Clock, SeekBarPressesSeekAndDragsPreview)
{
    media.length = 200;
    const double width = 3870;
    const struct {
        Qt::MouseButtons buttons;
        double fraction;
        QString status;
        double position;
    } cases[] = {
        {Qt::LeftButton, 0.0, "Seeking to 0%..", 0.0},
        {Qt::LeftButton, 0.37, "Seeking to 37%..", 74.0},
        {Qt::LeftButton, 0.125, "Seeking to 12%..", 25.0},
        {Qt::LeftButton, 0.135, "Seeking to 14%..", 27.0},
        {Qt::RightButton, 0.5, "unchanged", 7.0},
        {Qt::LeftButton | Qt::RightButton, 0.5, "unchanged", 7.0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.fraction);
        media.position = 7.0;
        session->showHint("unchanged");
        session->seekBarPressed(c.buttons, c.fraction * width, width);
        EXPECT_EQ(lines().status(), c.status);
        EXPECT_NEAR(media.position, c.position, 0.01);
    }
    session->seekBarDragged(Qt::LeftButton, 1.12 * width, width);
    EXPECT_EQ(lines().status(), "Seek to 112%..");
    session->seekBarDragged(Qt::RightButton, 0.5 * width, width);
    EXPECT_EQ(lines().status(), "Seek to 112%..");
    EXPECT_DOUBLE_EQ(media.position, 7.0) << "dragging only previews";

    media.file.clear();
    session->seekBarPressed(Qt::LeftButton, width / 2, width);
    EXPECT_DOUBLE_EQ(media.position, 7.0) << "nothing loaded";
}

} // namespace
} // namespace qr::test
