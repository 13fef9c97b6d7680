// The transport from a file loaded at 50 s of 100: play, pause, stop, the
// steps and their guards, mute, repeat and the end of the media.
#include "tests/support/SessionFixture.h"

namespace qr::test {
namespace {

class Transport : public LoadedSession {
protected:
    void SetUp() override
    {
        LoadedSession::SetUp();
        open();
        media.length = 100;
        media.position = 50;
    }
};

TEST_F(Transport, StepGuards)
{
    const struct {
        const char *what;
        bool forward;
        double position;
        double expected;
    } cases[] = {
        {"back at 10.0 stays", false, 10.0, 10.0},
        {"back at 10.1 moves", false, 10.1, 5.1},
        {"forward with 10 s left stays", true, 90.0, 90.0},
        {"forward with 10.1 s left moves", true, 89.9, 94.9},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        media.position = c.position;
        c.forward ? session->stepForward() : session->stepBack();
        EXPECT_NEAR(media.position, c.expected, 1e-9);
        EXPECT_TRUE(session->statusRefreshPending());
        EXPECT_EQ(session->statusLine(), c.forward ? "Seeking.." : "Seeking");
    }
}

TEST_F(Transport, PauseResumeStopAndTheClock)
{
    media.state = PlayState::Playing;
    session->pauseOrResume();
    EXPECT_EQ(media.state, PlayState::Paused);
    EXPECT_EQ(session->statusLine(), "Playback paused..");
    EXPECT_FALSE(session->clockRunning());

    session->pauseOrResume();
    EXPECT_EQ(media.state, PlayState::Playing);
    EXPECT_EQ(session->statusLine(), "clip.avi Playing..");
    EXPECT_TRUE(session->clockRunning());

    media.width = media.height = 10;
    session->fitVideoToWindow(0, 0);
    ASSERT_FALSE(session->mediaInfo().isEmpty());
    session->stop();
    EXPECT_EQ(media.calls.mid(media.calls.size() - 2), (QStringList{"stop", "setCurrentPosition 0"}));
    EXPECT_EQ(session->statusLine(), "Playback stopped..");
    EXPECT_TRUE(session->mediaInfo().isEmpty());
    EXPECT_TRUE(session->clockRunning()) << "stop leaves the clock running";

    media.calls.clear();
    session->pauseOrResume(); // stopped: nothing
    EXPECT_TRUE(media.calls.isEmpty());
}

TEST_F(Transport, CommandsNeedAFile)
{
    media.file.clear();
    media.state = PlayState::Playing;
    session->play();
    session->pauseOrResume();
    session->stop();
    session->muteOn();
    session->repeatOn();
    session->toggleFullScreen();
    EXPECT_TRUE(media.calls.isEmpty());
    EXPECT_FALSE(session->repeatEnabled());
    EXPECT_FALSE(session->muted());
}

TEST_F(Transport, EndOfMediaWithAndWithoutRepeat)
{
    session->repeatOn();
    EXPECT_TRUE(session->repeatEnabled());
    session->setStatus("clip.avi Playing..");
    Q_EMIT media.endOfMedia();
    EXPECT_EQ(media.calls, QStringList{"play"});
    EXPECT_EQ(session->statusLine(), "clip.avi Playing..");

    session->repeatOff();
    media.calls.clear();
    Q_EMIT media.endOfMedia();
    EXPECT_TRUE(media.calls.isEmpty());
    EXPECT_TRUE(session->statusLine().isEmpty());
}

// The switch shows what the engine was told, also after nothing was loaded
// for a while.
TEST_F(Transport, MuteFollowsTheEngine)
{
    session->muteOn();
    EXPECT_TRUE(media.muted && session->muted());
    media.file.clear();
    session->refreshStatus(); // the current file is still set: the switches stay
    EXPECT_TRUE(session->optionButtonsShown());
    session->muteOff();
    EXPECT_TRUE(media.muted) << "without a file the switch does nothing";
    open("second.avi");
    EXPECT_TRUE(session->muted()) << "the engine is still muted";
    session->muteOff();
    EXPECT_FALSE(media.muted || session->muted());
}

TEST_F(Transport, StatusRefresh)
{
    const struct {
        const char *file;
        PlayState state;
        QString shown;      // what the line shows
        QString statusText; // what it returns to
    } cases[] = {
        {"clip.avi", PlayState::Paused, "Playback paused..", "Playback paused.."},
        {"abcdef.avi", PlayState::Playing, "abcdef.avi Playing..", "abcdef.avi Playing.."}, // 20 characters
        {"abcdefg.avi", PlayState::Playing, "unchanged", "abcdefg.avi Playing.."}, // 21: left to the scroll
        {"clip.avi", PlayState::Stopped, "Playback stopped..", "Playback stopped.."},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.file);
        open(c.file);
        media.state = c.state;
        session->stepBack();
        session->showStatus("unchanged");
        session->refreshStatus();
        EXPECT_FALSE(session->statusRefreshPending());
        EXPECT_EQ(session->statusLine(), c.shown);
        EXPECT_EQ(session->statusText(), c.statusText);
    }
}

} // namespace
} // namespace qr::test
