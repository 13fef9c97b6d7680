// The remembered volume through quit and open. (The steps, bounds and mute
// are the key and wheel table's, in the panel's tests.)
#include "tests/support/SessionFixture.h"

namespace qr::test {
namespace {

using Volume = LoadedSession;

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
