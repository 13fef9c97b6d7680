#include "desktop/Twips.h"
#include "desktop/windowpos.h"
#include "panel/SkinWidgets.h"
#include "panel/clock.h"
#include "panel/remote.h"
#include "panel/seekbar/simpleProgress.h"
#include "tests/support/PlayerFixture.h"
#include "video/frmZoom.h"

namespace qr::test {
namespace {

TEST(ConvertTime, Formats)
{
    const std::pair<std::int64_t, const char *> cases[] = {
        {0, "0:00:00"},         {65, "0:01:05"},        {3725, "1:02:05"},
        {32767, "9:06:07"},     {36000, "10:00:00"},    {WholeSeconds(125.5), "0:02:06"},
        {WholeSeconds(124.5), "0:02:04"},
    };
    for (const auto &[seconds, text] : cases)
        EXPECT_EQ(ConvertTime(seconds), text) << seconds;
}

TEST(TitleScroll, SlidesThenBlankThenRestarts)
{
    const QString title = QStringLiteral("abcdefghijklmnopqrstuvwxy") + QStringLiteral(" Playing..");
    ASSERT_EQ(title.size(), 35);
    int pos = 0;
    for (int start = 1; start <= 35; ++start)
        EXPECT_EQ(ScrollTitle(title, pos), title.mid(start - 1, 20)) << start; // the last is "." alone
    EXPECT_EQ(ScrollTitle(title, pos), QString()) << "one blank tick";
    EXPECT_EQ(ScrollTitle(title, pos), title.left(20));
}

class Clock : public PlayerFixture {
protected:
    void SetUp() override
    {
        PlayerFixture::SetUp();
        makePanel();
        loadFile();
        media.state = Playing;
    }
};

TEST_F(Clock, TimeLineAndSeekBar)
{
    panel->progress->setMax(200);
    media.position = 0;
    media.length = 125.5;
    panel->tmrKeepTime_Timer();
    EXPECT_EQ(panel->time->text(), "0:00:00 / 0:02:06");

    media.position = 61.5;
    panel->tmrKeepTime_Timer();
    EXPECT_EQ(panel->time->text(), "0:01:02 / 0:02:06");
    EXPECT_EQ(panel->progress->Value(), 62);

    media.position = -1; // the engine has no position: leave both alone
    panel->tmrKeepTime_Timer();
    EXPECT_EQ(panel->time->text(), "0:01:02 / 0:02:06");
    EXPECT_EQ(panel->progress->Value(), 62);
}

TEST_F(Clock, TitleScrollOnlyWhenEnabledAndLong)
{
    media.file = QStringLiteral("/m/abcdefghijklmnopqrstuvwxy.avi");
    panel->status->setText(QStringLiteral("before"));
    panel->tmrKeepTime_Timer();
    EXPECT_EQ(panel->status->text(), "before") << "scrolling off";

    player->state.ScrollTitleEnabled = true;
    panel->tmrKeepTime_Timer();
    EXPECT_EQ(panel->status->text(), "abcdefghijklmnopqrst");
    EXPECT_EQ(player->state.StatusText, "abcdefghijklmnopqrstuvwxy.avi Playing..");

    media.file = QStringLiteral("/m/clip.avi"); // 18 characters: not written
    panel->status->setText(QStringLiteral("short"));
    panel->tmrKeepTime_Timer();
    EXPECT_EQ(panel->status->text(), "short");
}

TEST_F(Clock, OnTopUpkeepConditions)
{
    struct Case {
        const char *what;
        bool onTop, dialogOpen, inTray;
        int display;
        bool expectOnTop;
        bool expectControlsOff;
    } cases[] = {
        {"on", true, false, false, Windowed, true, true},
        {"switch off", false, false, false, Windowed, false, true},
        {"dialog open", true, true, false, Windowed, false, true},
        {"in tray", true, false, true, Windowed, false, true},
        {"full screen", true, false, false, FullScreen, false, false},
    };
    for (const Case &c : cases) {
        AlwaysOnTop(panel, false);
        player->state.OnTopEnabled = c.onTop;
        player->state.DialogOpen = c.dialogOpen;
        player->state.PanelInTray = c.inTray;
        media.display = c.display;
        media.calls.clear();
        panel->tmrKeepTime_Timer();
        EXPECT_EQ(IsOnTop(panel), c.expectOnTop) << c.what;
        EXPECT_EQ(media.calls.contains("setFullScreenControls 0"), c.expectControlsOff) << c.what;
    }
}

TEST_F(Clock, ZoomLeavesTheBandWhileItsListHasFocus)
{
    player->state.OnTopEnabled = true;
    player->zoom().show();
    player->state.ZoomListFocused = true;
    panel->tmrKeepTime_Timer();
    EXPECT_FALSE(IsOnTop(&player->zoom()));
    player->state.ZoomListFocused = false;
    panel->tmrKeepTime_Timer();
    EXPECT_TRUE(IsOnTop(&player->zoom()));
}

TEST_F(Clock, SeekBarClicks)
{
    media.length = 200;
    const double width = TwipsX(panel->progress->width());
    struct Case {
        int button;
        double fraction;
        QString status;
        double position;
    } cases[] = {
        {1, 0.0, "Seeking to 0%..", 0.0},
        {1, 0.37, "Seeking to 37%..", 74.0},
        {1, 0.125, "Seeking to 12%..", 25.0},
        {1, 0.135, "Seeking to 14%..", 27.0},
        {2, 0.5, "unchanged", 7.0},
    };
    for (const Case &c : cases) {
        media.position = 7.0;
        panel->status->setText(QStringLiteral("unchanged"));
        panel->progress_MouseDown(c.button, 0, c.fraction * width, 0);
        EXPECT_EQ(panel->status->text(), c.status) << c.fraction;
        EXPECT_NEAR(media.position, c.position, 0.01) << c.fraction;
    }
    media.position = 7.0;
    panel->progress_MouseMove(1, 0, 1.12 * width, 0);
    EXPECT_EQ(panel->status->text(), "Seek to 112%..");
    EXPECT_DOUBLE_EQ(media.position, 7.0) << "dragging only previews";
}

} // namespace
} // namespace qr::test
