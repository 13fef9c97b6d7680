#include "panel/SkinWidgets.h"
#include "panel/remote.h"
#include "tests/support/PlayerFixture.h"

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

TEST_F(Transport, KeysStepOnce)
{
    media.position = 50;
    panel->Form_KeyDown('Z', 0);
    EXPECT_DOUBLE_EQ(media.position, 45);
    panel->Form_KeyDown('B', 0);
    EXPECT_DOUBLE_EQ(media.position, 50);
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

} // namespace
} // namespace qr::test
