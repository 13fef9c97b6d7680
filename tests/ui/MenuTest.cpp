// The menu's items: which can act and which are checked, and that each runs its command.
#include "tests/support/SessionFixture.h"
#include "ui/PlayerMenu.h"

namespace qr::test {
namespace {

using Kind = MediaTrack::Kind;

class Menu : public SessionFixture {
protected:
    // An item by its text, in the menu or a submenu.
    QAction *find(const QString &text)
    {
        menu = std::make_unique<PlayerMenu>(*session);
        menu->rebuild();
        for (QAction *action : menu->findChildren<QAction *>())
            if (action->text() == text)
                return action;
        ADD_FAILURE() << "no item " << text.toStdString();
        static QAction none;
        return &none;
    }
    std::unique_ptr<PlayerMenu> menu;
};

TEST_F(Menu, ItemsFollowTheSessionsState)
{
    const QStringList needAFile = {"Play", "Stop",      "Speed",     "Aspect ratio",
                                   "Zoom", "Subtitles", "Screenshot"};
    for (const QString &item : needAFile)
        EXPECT_FALSE(find(item)->isEnabled()) << item.toStdString() << " with nothing loaded";
    EXPECT_TRUE(find("Open file...")->isEnabled());
    EXPECT_FALSE(find("Audio track")->isEnabled()) << "no tracks";

    media.trackList = {{Kind::Audio, 1, "eng", "", "ac3", 6}, {Kind::Audio, 2, "ger", "", "aac", 2}};
    media.chosenAudio = 2;
    open("film.mkv");
    media.openStream(640, 360, 100);
    for (const QString &item : needAFile)
        EXPECT_TRUE(find(item)->isEnabled()) << item.toStdString() << " with a file";
    const std::pair<const char *, bool> checks[] = {{"1: English (AC-3 5.1)", false},
                                                    {"2: German (AAC stereo)", true},
                                                    {"1x", true},
                                                    {"1.5x", false},
                                                    {"Always on top", false}};
    for (const auto &[item, on] : checks)
        EXPECT_EQ(find(item)->isChecked(), on) << item;

    find("1.5x")->trigger();
    find("Always on top")->trigger();
    EXPECT_TRUE(find("1.5x")->isChecked()) << "the engine's speed read back";
    EXPECT_TRUE(find("Always on top")->isChecked());
    find("1: English (AC-3 5.1)")->trigger();
    EXPECT_EQ(media.chosenAudio, 1);
    find("Play")->trigger();
    EXPECT_EQ(media.state, PlayState::Playing);
    EXPECT_TRUE(find("Pause")->isEnabled());
}

} // namespace
} // namespace qr::test
