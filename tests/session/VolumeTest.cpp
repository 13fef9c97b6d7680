// The volume: steps and bounds, the hint, mute left alone, the remembered
// value through quit and open.
#include "tests/support/SessionFixture.h"

namespace qr::test {
namespace {

class Volume : public SessionFixture {
protected:
    void SetUp() override
    {
        SessionFixture::SetUp();
        session->loadPanel(std::nullopt);
    }
    // The volume set as a start, the engine's calls forgotten.
    void startAt(int percent)
    {
        session->setVolume(percent);
        media.calls.clear();
    }
};

TEST_F(Volume, StepsStayWithinBoundsShowAHintAndKeepMute)
{
    const struct {
        const char *what;
        int from;
        bool up;
        int expected;
    } cases[] = {
        {"up to full", 95, true, 100},       {"up at full", 100, true, 100},
        {"down to none", 5, false, 0},       {"down at none", 0, false, 0},
        {"up between steps", 42, true, 45},  {"down between steps", 42, false, 40},
        {"down from a step", 40, false, 35},
    };
    open();
    session->muteOn();
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        startAt(c.from);
        c.up ? session->volumeUp() : session->volumeDown();
        EXPECT_EQ(session->volume(), c.expected);
        EXPECT_EQ(media.volumeLevel, c.expected);
        const QStringList calls =
            c.expected == c.from ? QStringList{} : QStringList{"setVolume " + QString::number(c.expected)};
        EXPECT_EQ(media.calls, calls) << "the engine hears of changes only, never of mute";
        EXPECT_EQ(session->statusLine(), "Volume " + QString::number(c.expected) + "%");
        EXPECT_TRUE(session->muted() && media.muted);
    }
    session->restoreStatus();
    EXPECT_EQ(session->statusLine(), session->statusText()) << "the hint returns to the status";
}

TEST_F(Volume, SetVolumeClampsAndNeedsNoFile)
{
    for (const auto &[asked, expected] : {std::pair{-1, 0}, {0, 0}, {100, 100}, {101, 100}}) {
        session->setVolume(asked);
        EXPECT_EQ(media.volumeLevel, expected) << asked;
    }
    EXPECT_FALSE(session->fileLoaded());
}

// A remembered value applies at an open while "RememberPlayer" is on, until a
// volume is chosen in the run; what is missing or malformed is full volume.
TEST_F(Volume, RememberedVolumeAtOpen)
{
    const struct {
        const char *what;
        QString remember;
        std::optional<QString> stored;
        int expected;
    } cases[] = {
        {"remembered", "yes", "65", 65},      {"none", "yes", "0", 0},
        {"full", "yes", "100", 100},          {"blanks around it", "yes", " 40 ", 40},
        {"absent", "yes", std::nullopt, 100}, {"empty", "yes", "", 100},
        {"not a number", "yes", "loud", 100}, {"below", "yes", "-1", 100},
        {"above", "yes", "101", 100},         {"not whole", "yes", "65.5", 100},
        {"not remembered", "no", "65", 100},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        TempStore fresh;
        setValue(PlayerSettings::RememberPlayer, c.remember);
        if (c.stored)
            setValue(PlayerSettings::RememberedVolume, *c.stored);
        media.volumeLevel = 100;
        remake().loadPanel(std::nullopt);
        open();
        EXPECT_EQ(session->volume(), c.expected);
        EXPECT_EQ(media.volumeLevel, c.expected);
    }
}

TEST_F(Volume, RoundTripThroughQuitAndOpen)
{
    setValue(PlayerSettings::RememberPlayer, "yes");
    setValue(PlayerSettings::RememberedVolume, "65");
    open();
    ASSERT_EQ(session->volume(), 65);
    session->setVolume(30);
    open("second.avi");
    EXPECT_EQ(session->volume(), 30) << "a volume chosen in the run outlasts the next file";
    session->quit();
    EXPECT_EQ(value(PlayerSettings::RememberedVolume), "30");

    remake().loadPanel(std::nullopt);
    media.volumeLevel = 100; // a new run's engine
    open();
    EXPECT_EQ(session->volume(), 30);
    EXPECT_EQ(media.volumeLevel, 30);

    setValue(PlayerSettings::RememberPlayer, "no");
    session->setVolume(80);
    session->quit();
    EXPECT_EQ(value(PlayerSettings::RememberedVolume), "30") << "kept only when asked";
}

} // namespace
} // namespace qr::test
