// The transport from a file loaded at 50 s of 100: play, pause, stop, the
// steps and their guards, the volume steps, mute, repeat, the end of the
// media and the status refresh.
#include "tests/support/SessionFixture.h"

namespace qr::test {
namespace {

class Transport : public SessionFixture {
protected:
    void SetUp() override
    {
        restart();
        open();
        media.length = 100;
        media.position = 50;
    }
};

TEST_F(Transport, StepsAndTheirGuards)
{
    const struct {
        const char *what;
        void (Session::*step)();
        double position, expected;
    } cases[] = {
        {"back at 10.0 stays", &Session::stepBack, 10.0, 10.0},
        {"back at 10.1 moves", &Session::stepBack, 10.1, 5.1},
        {"forward with 10 s left stays", &Session::stepForward, 90.0, 90.0},
        {"forward with 10.1 s left moves", &Session::stepForward, 89.9, 94.9},
        {"to the start", &Session::toStart, 50, 0},
        {"to the end", &Session::toEnd, 50, 100},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        media.position = c.position;
        (session.get()->*c.step)();
        EXPECT_NEAR(media.position, c.expected, 1e-9);
    }
    session->stepForward();
    EXPECT_EQ(lines().status(), "Seeking..");
    session->stepBack();
    EXPECT_EQ(lines().status(), "Seeking");
}

TEST_F(Transport, PauseResumeStopAndTheClock)
{
    session->play();
    EXPECT_EQ(media.state, PlayState::Playing);
    EXPECT_TRUE(shown(PlayerWindow::Video));
    session->pauseOrResume();
    EXPECT_EQ(media.state, PlayState::Paused);
    EXPECT_EQ(lines().status(), "Playback paused..");
    EXPECT_FALSE(session->clockRunning());

    session->pauseOrResume();
    EXPECT_EQ(media.state, PlayState::Playing);
    EXPECT_EQ(lines().status(), "clip.avi Playing..");
    EXPECT_TRUE(session->clockRunning());

    media.openStream(10, 10, 100);
    ASSERT_FALSE(lines().mediaInfo().isEmpty());
    media.calls.clear();
    session->stop();
    EXPECT_EQ(media.calls, (QStringList{"stop", "setCurrentPosition 0"}));
    EXPECT_EQ(lines().status(), "Playback stopped..");
    EXPECT_TRUE(lines().mediaInfo().isEmpty());
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
    session->setMuted(true);
    session->setRepeat(true);
    session->toggleFullScreen();
    session->seekTo(20);
    EXPECT_TRUE(media.calls.isEmpty());
    EXPECT_FALSE(session->playback().repeat());
    EXPECT_FALSE(session->playback().muted());
}

TEST_F(Transport, EndOfMediaWithAndWithoutRepeat)
{
    session->setRepeat(true);
    session->play();
    media.calls.clear();
    Q_EMIT media.endOfMedia();
    EXPECT_EQ(media.calls, QStringList{"play"});
    EXPECT_EQ(lines().status(), "clip.avi Playing..");

    session->setRepeat(false);
    media.calls.clear();
    Q_EMIT media.endOfMedia();
    EXPECT_TRUE(media.calls.isEmpty());
    EXPECT_TRUE(lines().status().isEmpty());
}

// The switch shows what the engine was told, also after nothing was loaded
// for a while.
TEST_F(Transport, MuteFollowsTheEngine)
{
    session->toggleMute();
    EXPECT_TRUE(media.muted && session->playback().muted());
    media.file.clear();
    session->refreshStatus(); // the current file is still set: the switches stay
    EXPECT_TRUE(session->playback().optionButtonsShown());
    session->toggleMute();
    EXPECT_TRUE(media.muted) << "without a file the switch does nothing";
    open("second.avi");
    EXPECT_TRUE(session->playback().muted()) << "the engine is still muted";
    session->setMuted(false);
    EXPECT_FALSE(media.muted || session->playback().muted());
}

// Steps land on multiples of 5 from anywhere between them, within 0..100,
// with or without a file; each shows its hint.
TEST_F(Transport, VolumeSteps)
{
    const struct {
        int from;
        bool up;
        int to;
    } cases[] = {{50, true, 55},  {52, true, 55},   {52, false, 50}, {50, false, 45},
                 {98, true, 100}, {100, true, 100}, {3, false, 0},   {0, false, 0}};
    for (const auto &c : cases) {
        session->setVolume(c.from);
        c.up ? session->volumeUp() : session->volumeDown();
        EXPECT_EQ(session->playback().volume(), c.to) << c.from << (c.up ? " up" : " down");
        EXPECT_EQ(media.volumeLevel, c.to);
        EXPECT_EQ(lines().status(), QString("Volume %1%").arg(c.to));
    }
    session->setVolume(140);
    EXPECT_EQ(media.volumeLevel, 100);
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
        session->showHint("unchanged");
        session->refreshStatus();
        EXPECT_EQ(lines().status(), c.shown);
        EXPECT_EQ(lines().statusText(), c.statusText);
    }
    session->quit();
    session->refreshStatus();
    EXPECT_EQ(lines().status(), "No media loaded..");
    EXPECT_FALSE(session->playback().optionButtonsShown());
}

} // namespace
} // namespace qr::test
