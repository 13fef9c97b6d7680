#include "panel/SkinWidgets.h"
#include "panel/remote.h"
#include "desktop/windowpos.h"
#include "tests/support/PlayerFixture.h"

#include <QSignalSpy>

namespace qr::test {
namespace {

class Keys : public PlayerFixture {
protected:
    void SetUp() override
    {
        PlayerFixture::SetUp();
        makePanel();
        loadFile();
        media.length = 100;
        media.position = 50;
        media.state = Playing;
        media.calls.clear();
    }
};

constexpr int Shift = 1, Ctrl = 2, Alt = 4;

// Each row: key, modifiers, and the engine calls it makes from playing at 50 s.
TEST_F(Keys, TheKeyTable)
{
    struct Row {
        int key;
        int shift;
        QStringList calls;
    } rows[] = {
        {32, 0, {"pause"}},
        {32, Shift, {"pause"}},
        {32, Ctrl, {"pause"}},
        {'X', 0, {"play"}},
        {'X', Ctrl, {"play"}},
        {'C', 0, {"pause"}},
        {'C', Ctrl, {"pause"}},
        {'V', 0, {"stop", "setCurrentPosition 0"}},
        {27, 0, {"stop", "setCurrentPosition 0"}},
        {'Z', 0, {"setCurrentPosition 45"}},
        {'R', 0, {"setCurrentPosition 45"}},
        {'B', 0, {"setCurrentPosition 55"}},
        {'F', 0, {"setCurrentPosition 55"}},
        {'T', 0, {"setCurrentPosition 0"}},
        {'T', Ctrl, {"setCurrentPosition 0"}},
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

TEST_F(Keys, AltEnterLeavesFullScreenAndNeedsAFile)
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

TEST_F(Keys, QuitKeys)
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

TEST_F(Keys, AlwaysOnTopTakesEffectAtTheNextTick)
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

TEST_F(Keys, CtrlLOpensTheDialog)
{
    panel->Form_KeyDown('L', Ctrl);
    EXPECT_EQ(dialogTitles, QStringList{"Open Media"});
}

} // namespace
} // namespace qr::test
