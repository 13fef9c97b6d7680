// The transport from a file loaded at 50 s of 100, and the 500 ms clock.
#include "tests/support/SessionFixture.h"

namespace qr::test {
namespace {

class Transport : public SessionFixture {
protected:
    void SetUp() override
    {
        open();
        media.length = 100;
        media.position = 50;
    }
};

TEST_F(Transport, StepsAndTheirGuards)
{
    // from, to; the arrows move by as much anywhere, stopping at either end
    const std::tuple<void (Session::*)(), double, double> rows[] = {
        {&Session::stepBack, 10.0, 10.0},    {&Session::stepBack, 10.1, 5.1},
        {&Session::toStart, 50, 0},          {&Session::stepForward, 90.0, 90.0},
        {&Session::stepForward, 89.9, 94.9}, {&Session::toEnd, 50, 100},
        {&Session::skipBack, 2.0, 0.0},      {&Session::skipBack, 50, 45},
        {&Session::skipForward, 98, 100}};
    for (const auto &[step, from, to] : rows) {
        media.position = from;
        (session.get()->*step)();
        EXPECT_NEAR(media.position, to, 1e-9) << from;
    }
    session->stepForward();
    EXPECT_EQ(lines().status(), "Seeking..");
    session->stepBack();
    EXPECT_EQ(lines().status(), "Seeking");
}

TEST_F(Transport, PauseResumeStopAndTheClock)
{
    session->play();
    EXPECT_TRUE(media.state == PlayState::Playing && shown(PlayerWindow::Video));
    session->pauseOrResume();
    EXPECT_EQ(media.state, PlayState::Paused);
    EXPECT_EQ(lines().status(), "Playback paused..");
    EXPECT_FALSE(session->clockRunning());
    session->pauseOrResume();
    EXPECT_EQ(media.state, PlayState::Playing);
    EXPECT_EQ(lines().status(), "clip.avi Playing..");
    EXPECT_TRUE(session->clockRunning());

    media.openStream(10, 10, 100);
    media.calls.clear();
    session->stop();
    EXPECT_EQ(media.calls, (QStringList{"stop", "setCurrentPosition 0"}));
    EXPECT_EQ(lines().status(), "Playback stopped..");
    EXPECT_TRUE(lines().mediaInfo().isEmpty());
    EXPECT_FALSE(session->clockRunning()) << "stopped, nothing moves";
    session->toggleAlwaysOnTop();
    EXPECT_TRUE(session->clockRunning()) << "but a top-most band is kept";
    session->toggleAlwaysOnTop();
    media.calls.clear();
    session->pauseOrResume();
    EXPECT_TRUE(media.calls.isEmpty()) << "stopped: nothing to pause";
    session->play();
    EXPECT_FALSE(lines().mediaInfo().isEmpty()) << "back with the picture";

    // A jump while paused shows its place once, the clock staying off.
    session->pauseOrResume();
    session->seekTo(42);
    EXPECT_TRUE(lines().timeText().startsWith("0:00:42")) << lines().timeText().toStdString();
    EXPECT_FALSE(session->clockRunning());
}

// The switches keep what the engine was told.
TEST_F(Transport, CommandsNeedAFile)
{
    session->toggleMute();
    media.file.clear();
    media.calls.clear();
    media.state = PlayState::Playing;
    session->play();
    session->pauseOrResume();
    session->stop();
    session->setMuted(false);
    session->setRepeat(true);
    session->toggleFullScreen();
    session->seekTo(20);
    session->seekBarPressed(Qt::LeftButton, 500, 1000);
    EXPECT_TRUE(media.calls.isEmpty());
    EXPECT_FALSE(session->playback().repeat());
    open("second.avi");
    EXPECT_TRUE(media.muted && session->playback().muted()) << "the engine is still muted";
}

TEST_F(Transport, EndOfMediaWithAndWithoutRepeat)
{
    for (const bool repeat : {true, false}) {
        session->setRepeat(repeat);
        session->play();
        media.calls.clear();
        media.reachEnd();
        EXPECT_EQ(media.calls, repeat ? QStringList{"play"} : QStringList{});
        EXPECT_EQ(lines().status(), repeat ? "clip.avi Playing.." : "");
    }
}

TEST_F(Transport, VolumeSteps)
{
    const std::tuple<int, bool, int> rows[] = {{50, true, 55},  {52, true, 55},  {52, false, 50},
                                               {50, false, 45}, {98, true, 100}, {100, true, 100},
                                               {3, false, 0},   {0, false, 0}};
    for (const auto &[from, up, to] : rows) {
        session->setVolume(from);
        up ? session->volumeUp() : session->volumeDown();
        EXPECT_EQ(media.volumeLevel, to) << from << (up ? " up" : " down");
        EXPECT_EQ(lines().status(), QString("Volume %1%").arg(to));
    }
}

// A title of more than 20 characters is left to the title scroll.
TEST_F(Transport, StatusRefresh)
{
    const std::tuple<const char *, PlayState, const char *, const char *> rows[] = {
        {"clip.avi", PlayState::Paused, "Playback paused..", "Playback paused.."},
        {"abcdef.avi", PlayState::Playing, "abcdef.avi Playing..", "abcdef.avi Playing.."},
        {"abcdefg.avi", PlayState::Playing, "unchanged", "abcdefg.avi Playing.."},
        {"clip.avi", PlayState::Stopped, "Playback stopped..", "Playback stopped.."}};
    for (const auto &[file, state, status, statusText] : rows) {
        open(file);
        media.state = state;
        session->showHint("unchanged");
        session->refreshStatus();
        EXPECT_EQ(lines().status(), status);
        EXPECT_EQ(lines().statusText(), statusText);
    }
    session->quit();
    session->refreshStatus();
    EXPECT_EQ(lines().status(), "No media loaded..");
    EXPECT_FALSE(session->playback().optionButtonsShown());
}

// Without a position from the engine both are left alone.
TEST_F(Transport, ClockShowsTheTimeAndTheSeekBar)
{
    media.openStream(0, 0, 125.5);
    EXPECT_EQ(lines().seekMaximum(), 126);
    EXPECT_EQ(lines().timeText(), "00:00:00/00:00:00");
    const std::tuple<double, const char *, qint64> ticks[] = {{61.5, "0:01:02 / 0:02:06", 62},
                                                              {-1, "0:01:02 / 0:02:06", 62},
                                                              {-0.9, "", 0},
                                                              {500, "0:08:20 / 0:02:06", 126}};
    for (const auto &[position, time, seek] : ticks) {
        media.position = position;
        session->clockTick();
        if (*time) {
            EXPECT_EQ(lines().timeText(), time) << position;
        }
        EXPECT_EQ(lines().seekValue(), seek) << position;
    }
}

TEST_F(Transport, ClockScrollsTheTitleOnlyWhenSwitchedOnAndLong)
{
    media.state = PlayState::Playing;
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

// A shown zoom strip too, out of the band while its list has the focus; outside full
// screen the engine's own controls go off.
TEST_F(Transport, ClockKeepsTheTopMostBand)
{
    const Band main{{PlayerWindow::Video, true}, {PlayerWindow::Panel, true}};
    const auto zoom = [&](bool focused) {
        session->showZoomStrip();
        session->setZoomListFocused(focused);
    };
    const auto closedOptions = [&] {
        session->showOptions();
        session->windowClosed(PlayerWindow::Options);
    };
    using Row = std::tuple<const char *, std::function<void()>, Band>;
    for (const auto &[what, arrange, kept] :
         {Row{"on", [] {}, main},
          {"options closed", closedOptions, main},
          {"switched off", [&] { session->toggleAlwaysOnTop(); }, {}},
          {"About open", [&] { session->showAbout(); }, {}},
          {"About closed", [&] { session->showAbout(), session->windowClosed(PlayerWindow::About); }, main},
          {"in the tray", [&] { session->hideToTray(); }, {}},
          {"full screen", [&] { media.display = DisplaySize::FullScreen; }, {}},
          {"zoom strip", [&] { zoom(false); }, main + Band{{PlayerWindow::ZoomStrip, true}}},
          {"its list focused", [&] { zoom(true); }, main + Band{{PlayerWindow::ZoomStrip, false}}}}) {
        SCOPED_TRACE(what);
        restart();
        open();
        session->toggleAlwaysOnTop();
        media.display = DisplaySize::Windowed;
        arrange();
        topMost.clear();
        media.calls.clear();
        session->clockTick();
        EXPECT_EQ(topMost, kept);
        EXPECT_EQ(media.calls.contains("setFullScreenControls 0"), media.display == DisplaySize::Windowed);
    }
    EXPECT_FALSE(writeValue(PlayerSettings::Key, "x", "y")) << "the options' key is made when they open";
}

// Halves to the even percent; a drag only says.
TEST_F(Transport, SeekBarPressesSeekAndDragsPreview)
{
    media.length = 200;
    const double width = 3870;
    const std::tuple<Qt::MouseButtons, double, const char *, double> rows[] = {
        {Qt::LeftButton, 0.0, "Seeking to 0%..", 0.0},
        {Qt::LeftButton, 0.37, "Seeking to 37%..", 74.0},
        {Qt::LeftButton, 0.125, "Seeking to 12%..", 25.0},
        {Qt::LeftButton, 0.135, "Seeking to 14%..", 27.0},
        {Qt::LeftButton | Qt::RightButton, 0.5, "unchanged", 7.0}};
    for (const auto &[buttons, fraction, status, position] : rows) {
        media.position = 7.0;
        session->showHint("unchanged");
        session->seekBarPressed(buttons, fraction * width, width);
        EXPECT_EQ(lines().status(), status) << fraction;
        EXPECT_NEAR(media.position, position, 0.01) << fraction;
    }
    session->seekBarDragged(Qt::LeftButton, 1.12 * width, width);
    session->seekBarDragged(Qt::RightButton, 0.5 * width, width);
    EXPECT_EQ(lines().status(), "Seek to 112%..");
    EXPECT_DOUBLE_EQ(media.position, 7.0) << "dragging only previews";
}

} // namespace
} // namespace qr::test
