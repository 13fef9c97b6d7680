// The transport buttons and the keys that drive them, from a file loaded at 50 s of 100.
#include "desktop/windowpos.h"
#include "panel/SkinWidgets.h"
#include "panel/remote.h"
#include "tests/support/PlayerFixture.h"

#include <QSignalSpy>
#include <QTest>

namespace qr::test {
namespace {

class Transport : public PlayerFixture {
protected:
    void SetUp() override
    {
        PlayerFixture::SetUp();
        makePanel();
        loadFile();
        media.length = 100;
        media.position = 50;
        media.calls.clear();
    }
    // One ordinary click: a press and then a click on the lit button.
    void click(SkinPicture *button) { QTest::mouseClick(button, Qt::LeftButton); }
};

TEST_F(Transport, StepGuardsAndTwoStepsPerClick)
{
    struct Case {
        const char *what;
        bool forward;
        double position;
        double expected;
    } cases[] = {
        {"back at 10.0 stays", false, 10.0, 10.0},
        {"back at 10.1: second guard fails", false, 10.1, 5.1},
        {"back at 20.0 moves twice", false, 20.0, 10.0},
        {"forward with 12 s left moves once", true, 88.0, 93.0},
        {"forward with 30 s left moves twice", true, 70.0, 80.0},
    };
    for (const Case &c : cases) {
        media.position = c.position;
        click(c.forward ? panel->forward_over : panel->back_over);
        EXPECT_NEAR(media.position, c.expected, 1e-9) << c.what;
        EXPECT_TRUE(panel->Timer2.isActive()) << c.what;
        EXPECT_EQ(panel->status->text(), c.forward ? "Seeking.." : "Seeking") << c.what;
    }
}

TEST_F(Transport, PauseResumeStopAndTheClock)
{
    media.state = Playing;
    panel->pause_Click();
    EXPECT_EQ(media.state, Paused);
    EXPECT_EQ(panel->status->text(), "Playback paused..");
    EXPECT_FALSE(panel->tmrKeepTime.isActive());

    panel->pause_Click();
    EXPECT_EQ(media.state, Playing);
    EXPECT_EQ(panel->status->text(), "clip.avi Playing..");
    EXPECT_TRUE(panel->tmrKeepTime.isActive());

    media.position = 42;
    panel->playbackInfo->setText(QStringLiteral("info"));
    panel->stop_Click();
    EXPECT_EQ(media.state, Stopped);
    EXPECT_DOUBLE_EQ(media.position, 0.0);
    EXPECT_EQ(panel->status->text(), "Playback stopped..");
    EXPECT_TRUE(panel->playbackInfo->text().isEmpty());
    EXPECT_TRUE(panel->tmrKeepTime.isActive()) << "stop leaves the clock running";

    media.calls.clear();
    panel->pause_Click(); // stopped: nothing
    EXPECT_TRUE(media.calls.isEmpty());
}

TEST_F(Transport, CommandsNeedAFile)
{
    media.file.clear();
    media.state = Playing;
    panel->play_over_Click();
    panel->pause_Click();
    panel->stop_Click();
    panel->muted_Click();
    panel->repeat_Click();
    EXPECT_TRUE(media.calls.isEmpty());
    EXPECT_FALSE(player->state.RepeatEnabled);
}

TEST_F(Transport, PlayFailureReportsCorruptFile)
{
    media.throwing << QStringLiteral("play");
    panel->play_over_Click();
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_EQ(boxes[0].title, "File access error");
    EXPECT_EQ(boxes[0].text, "The file /media/clip.avi is either corrupt or damaged.");
    EXPECT_TRUE(player->state.CurrentMediaFile.isEmpty());
    EXPECT_EQ(panel->status->text(), "No media loaded..");
}

TEST_F(Transport, EndOfMediaWithAndWithoutRepeat)
{
    panel->repeat_Click();
    EXPECT_TRUE(player->state.RepeatEnabled);
    EXPECT_TRUE(panel->repeat_over->isVisibleTo(panel->background));
    player->SetStatus(QStringLiteral("clip.avi Playing.."));
    Q_EMIT media.EndOfMedia(0);
    EXPECT_TRUE(media.calls.contains("play"));
    EXPECT_EQ(panel->status->text(), "clip.avi Playing..");

    panel->repeat_over_Click();
    EXPECT_FALSE(player->state.RepeatEnabled);
    media.calls.clear();
    Q_EMIT media.EndOfMedia(0);
    EXPECT_FALSE(media.calls.contains("play"));
    EXPECT_TRUE(panel->status->text().isEmpty());
}

TEST_F(Transport, MuteOnAndOff)
{
    panel->muted_Click();
    EXPECT_TRUE(media.muted);
    EXPECT_TRUE(panel->muted_over->isVisibleTo(panel->background));
    panel->muted_over_Click();
    EXPECT_FALSE(media.muted);
    EXPECT_FALSE(panel->muted_over->isVisibleTo(panel->background));
    EXPECT_TRUE(panel->muted->isVisibleTo(panel->background));
}

TEST_F(Transport, StatusRefresh)
{
    struct Case {
        const char *file;
        int state;
        QString status;     // what the label shows
        QString statusText; // what StatusText holds
    } cases[] = {
        {"", Stopped, "No media loaded..", "No media loaded.."},
        {"/m/clip.avi", Paused, "Playback paused..", "Playback paused.."},
        {"/m/clip.avi", Playing, "clip.avi Playing..", "clip.avi Playing.."},
        {"/m/abcdefghijklmnopqrstuvwxy.avi", Playing, "unchanged", "abcdefghijklmnopqrstuvwxy.avi Playing.."},
        {"/m/clip.avi", Stopped, "Playback stopped..", "Playback stopped.."},
    };
    for (const Case &c : cases) {
        player->state.CurrentMediaFile = QString::fromUtf8(c.file);
        media.state = c.state;
        panel->status->setText(QStringLiteral("unchanged"));
        panel->Timer2.start();
        panel->Timer2_Timer();
        EXPECT_FALSE(panel->Timer2.isActive());
        EXPECT_EQ(panel->status->text(), c.status) << c.file;
        EXPECT_EQ(player->state.StatusText, c.statusText) << c.file;
    }
}

constexpr int Shift = 1, Ctrl = 2, Alt = 4;

// Each row: key, modifiers, and the engine calls it makes from playing at 50 s.
TEST_F(Transport, TheKeyTable)
{
    struct Row {
        int key;
        int shift;
        QStringList calls;
    } rows[] = {
        {32, 0, {"pause"}},
        {32, Shift, {"pause"}},
        {'X', 0, {"play"}},
        {'C', 0, {"pause"}},
        {'V', 0, {"stop", "setCurrentPosition 0"}},
        {27, 0, {"stop", "setCurrentPosition 0"}},
        {'Z', 0, {"setCurrentPosition 45"}},
        {'R', 0, {"setCurrentPosition 45"}},
        {'B', 0, {"setCurrentPosition 55"}},
        {'F', 0, {"setCurrentPosition 55"}},
        {'T', 0, {"setCurrentPosition 0"}},
        {'G', 0, {"setCurrentPosition 100"}},
        {'P', Ctrl, {"pause"}},
        {'P', 0, {}},
        {'A', 0, {}},
        {'L', 0, {}},
        {13, 0, {}},
        {13, Alt, {"setFullScreenControls 1", "setDisplaySize 3"}},
    };
    for (const Row &row : rows) {
        media.position = 50;
        media.state = Playing;
        media.display = Windowed;
        media.calls.clear();
        panel->Form_KeyDown(row.key, row.shift);
        EXPECT_EQ(media.calls, row.calls) << "key " << row.key << " shift " << row.shift;
    }
}

TEST_F(Transport, AltEnterLeavesFullScreenAndNeedsAFile)
{
    media.display = FullScreen;
    panel->Form_KeyDown(13, Alt);
    EXPECT_EQ(media.calls, QStringList{"setDisplaySize 4"});
    media.file.clear();
    media.display = Windowed;
    media.calls.clear();
    panel->Form_KeyDown(13, Alt);
    EXPECT_TRUE(media.calls.isEmpty());
}

TEST_F(Transport, QuitKeys)
{
    for (int shift : {Alt, Ctrl, Alt | Ctrl}) {
        QSignalSpy exits(player.get(), &Player::exitRequested);
        panel->Form_KeyDown('Q', shift);
        EXPECT_EQ(exits.count(), 1) << shift;
    }
    QSignalSpy exits(player.get(), &Player::exitRequested);
    panel->Form_KeyDown('Q', 0);
    EXPECT_EQ(exits.count(), 0);
}

TEST_F(Transport, AlwaysOnTopTakesEffectAtTheNextTick)
{
    panel->Form_KeyDown('A', Ctrl);
    EXPECT_TRUE(player->state.OnTopEnabled);
    EXPECT_EQ(panel->status->text(), "Always on Top Enabled");
    EXPECT_EQ(panel->Label1->borderStyle(), 1);
    EXPECT_FALSE(IsOnTop(panel));
    panel->tmrKeepTime_Timer();
    EXPECT_TRUE(IsOnTop(panel));

    panel->Label1_Click();
    EXPECT_FALSE(player->state.OnTopEnabled);
    EXPECT_EQ(panel->status->text(), "Always on Top Disabled");
    EXPECT_EQ(panel->Label1->borderStyle(), 0);
    EXPECT_FALSE(IsOnTop(panel)) << "switching off takes effect at once";
}

TEST_F(Transport, CtrlLOpensTheDialog)
{
    panel->Form_KeyDown('L', Ctrl);
    EXPECT_EQ(dialogTitles, QStringList{"Open Media"});
}

} // namespace
} // namespace qr::test
