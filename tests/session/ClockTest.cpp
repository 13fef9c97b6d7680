// The 500 ms clock: the time line and seek bar, the top-most band, the
// scrolling title; and the seek bar's presses.
#include "session/ClockText.h"
#include "tests/support/SessionFixture.h"

namespace qr::test {
namespace {

TEST(ClockText, FieldsAreZeroFilledBelowTen)
{
    const std::pair<std::int64_t, const char *> cases[] = {
        {0, "0:00:00"},
        {9, "0:00:09"},
        {10, "0:00:10"},
        {59, "0:00:59"},
        {60, "0:01:00"},
        {549, "0:09:09"},
        {610, "0:10:10"},
        {3599, "0:59:59"},
        {3725, "1:02:05"},
        {32767, "9:06:07"},
        {36000, "10:00:00"},
        {wholeSeconds(125.5), "0:02:06"},
        {wholeSeconds(124.5), "0:02:04"},
    };
    for (const auto &[seconds, text] : cases)
        EXPECT_EQ(convertTime(seconds), text) << seconds;
}

TEST(ClockText, TitleScrollSlidesThenBlankThenRestarts)
{
    const QString title = QStringLiteral("abcdefghijklmnopqrstuvwxy Playing..");
    ASSERT_EQ(title.size(), 35);
    int pos = 0;
    for (int start = 1; start <= 35; ++start)
        EXPECT_EQ(scrollTitle(title, pos), title.mid(start - 1, 20)) << start; // the last is "." alone
    EXPECT_EQ(scrollTitle(title, pos), QString()) << "one blank tick";
    EXPECT_EQ(scrollTitle(title, pos), title.left(20));
}

class Clock : public LoadedSession {
protected:
    void SetUp() override
    {
        LoadedSession::SetUp();
        open();
        media.state = PlayState::Playing;
    }
};

TEST_F(Clock, TimeLineAndSeekBar)
{
    media.openStream(0, 0, 125.5);
    EXPECT_EQ(session->seekMaximum(), 126);
    media.position = 61.5;
    session->clockTick();
    EXPECT_EQ(session->timeText(), "0:01:02 / 0:02:06");
    EXPECT_EQ(session->seekValue(), 62);

    media.position = -1; // the engine has no position: both are left alone
    session->clockTick();
    EXPECT_EQ(session->timeText(), "0:01:02 / 0:02:06");
    EXPECT_EQ(session->seekValue(), 62);

    media.position = -0.9;
    session->clockTick();
    EXPECT_EQ(session->seekValue(), 0) << "kept within the bar";

    media.position = 500;
    session->clockTick();
    EXPECT_EQ(session->seekValue(), 126) << "kept within the bar";
}

TEST_F(Clock, TitleScrollOnlyWhenEnabledAndLong)
{
    media.file = store.dir() + "/abcdefghijklmnopqrstuvwxy.avi";
    session->showStatus("before");
    session->clockTick();
    EXPECT_EQ(session->statusLine(), "before") << "scrolling off";

    session->setScrollTitleEnabled(true);
    session->clockTick();
    EXPECT_EQ(session->statusLine(), "abcdefghijklmnopqrst");
    EXPECT_EQ(session->statusText(), "abcdefghijklmnopqrstuvwxy.avi Playing..");

    media.file = store.dir() + "/abcdefghij"; // 20 characters with " Playing..": not written
    session->showStatus("short");
    session->clockTick();
    EXPECT_EQ(session->statusLine(), "short");
}

TEST_F(Clock, TopMostUpkeep)
{
    QList<std::pair<PlayerWindow, bool>> band;
    const struct {
        const char *what;
        bool onTop, dialogOpen, inTray;
        DisplaySize display;
        bool bandKept;
        bool controlsOff;
    } cases[] = {
        {"on", true, false, false, DisplaySize::Windowed, true, true},
        {"switch off", false, false, false, DisplaySize::Windowed, false, true},
        {"dialog open", true, true, false, DisplaySize::Windowed, false, true},
        {"in tray", true, false, true, DisplaySize::Windowed, false, true},
        {"full screen", true, false, false, DisplaySize::FullScreen, false, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        remake().loadPanel(std::nullopt);
        QObject::connect(session.get(), &Session::topMostRequested, [&](PlayerWindow window, bool onTop) {
            band << std::pair{window, onTop};
        });
        open();
        if (c.onTop)
            session->toggleAlwaysOnTop();
        session->setDialogOpen(c.dialogOpen);
        if (c.inTray)
            session->hideToTray();
        media.display = c.display;
        media.calls.clear();
        band.clear();
        session->clockTick();
        const QList<std::pair<PlayerWindow, bool>> kept{{PlayerWindow::Video, true},
                                                        {PlayerWindow::Panel, true}};
        EXPECT_EQ(band == kept, c.bandKept);
        EXPECT_EQ(band.isEmpty(), !c.bandKept);
        EXPECT_EQ(media.calls.contains("setFullScreenControls 0"), c.controlsOff);
    }
}

TEST_F(Clock, ZoomStripLeavesTheBandWhileItsListHasTheFocus)
{
    QList<bool> zoomBand;
    QObject::connect(session.get(), &Session::topMostRequested, [&](PlayerWindow window, bool onTop) {
        if (window == PlayerWindow::ZoomStrip)
            zoomBand << onTop;
    });
    session->toggleAlwaysOnTop();
    session->clockTick();
    EXPECT_TRUE(zoomBand.isEmpty()) << "a hidden strip is left alone";
    session->showZoomStrip();
    session->setZoomListFocused(true);
    session->clockTick();
    session->setZoomListFocused(false);
    session->clockTick();
    EXPECT_EQ(zoomBand, (QList<bool>{false, true}));
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
        session->showStatus("unchanged");
        session->seekBarPressed(c.buttons, c.fraction * width, width);
        EXPECT_EQ(session->statusLine(), c.status);
        EXPECT_NEAR(media.position, c.position, 0.01);
    }
    session->seekBarDragged(Qt::LeftButton, 1.12 * width, width);
    EXPECT_EQ(session->statusLine(), "Seek to 112%..");
    session->seekBarDragged(Qt::LeftButton, -0.05 * width, width);
    EXPECT_EQ(session->statusLine(), "Seek to -5%..");
    EXPECT_DOUBLE_EQ(media.position, 7.0) << "dragging only previews";

    media.file.clear();
    session->seekBarPressed(Qt::LeftButton, width / 2, width);
    EXPECT_DOUBLE_EQ(media.position, 7.0) << "nothing loaded";
}

} // namespace
} // namespace qr::test
