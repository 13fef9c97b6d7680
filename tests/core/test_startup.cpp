#include "core/frmSplash.h"
#include "desktop/Twips.h"
#include "desktop/windowpos.h"
#include "panel/SkinWidgets.h"
#include "panel/remote.h"
#include "tests/support/PlayerFixture.h"
#include "video/video.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTest>

namespace qr::test {
namespace {

class Startup : public PlayerFixture {
protected:
    Player &start(const QStringList &arguments = {})
    {
        makePlayer(arguments).Main();
        return *player;
    }
    QRect screen() const { return QGuiApplication::primaryScreen()->geometry(); }
};

TEST_F(Startup, NoKeyShowsTheSplashThenThePanel)
{
    start();
    ASSERT_NE(player->splash(), nullptr);
    EXPECT_TRUE(player->splash()->isVisible());
    EXPECT_FALSE(player->panelExists() && player->panel().isVisible());
    QTest::mouseClick(player->splash(), Qt::LeftButton);
    remote &panel = player->panel();
    EXPECT_TRUE(panel.isVisible());
    EXPECT_EQ(panel.size(), QSize(274, 113));
    EXPECT_EQ(panel.status->text(), "No media loaded..");
    EXPECT_FALSE(player->state.UseSubtitles);
    EXPECT_FALSE(player->state.OnTopEnabled);
    EXPECT_FALSE(IsOnTop(&panel));
    EXPECT_TRUE(panel.acceptsDroppedFiles());
    EXPECT_FALSE(player->videoWindow().isVisible());
    EXPECT_FALSE(QFile::exists(store.path())) << "nothing is written at start";
}

TEST_F(Startup, SplashPathAppliesTheStartSettings)
{
    setValue(kUseSubs, kYes);
    setValue(kScrollTitle, kYes);
    setValue(kWindowpos, kYes);
    setValue(kQV_RL, "1500");
    setValue(kQV_RT, "3000");
    setValue(kQV_VL, "4500");
    setValue(kQV_VT, "6000");
    start();
    QTest::mouseClick(player->splash(), Qt::LeftButton);
    EXPECT_TRUE(player->state.UseSubtitles);
    EXPECT_TRUE(player->state.ScrollTitleEnabled);
    EXPECT_EQ(player->panel().pos(), QPoint(100, 200));
    EXPECT_EQ(player->videoWindow().pos(), QPoint(300, 400));
}

TEST_F(Startup, WithoutSplash)
{
    setValue(kSplash, kNo);
    start();
    EXPECT_EQ(player->splash(), nullptr);
    EXPECT_TRUE(player->panel().isVisible());
    // Default layout: the panel centred, right above the video window.
    const remote &panel = player->panel();
    const video &videoWin = player->videoWindow();
    EXPECT_EQ(panel.x(), screen().width() / 2 - panel.width() / 2);
    EXPECT_EQ(panel.y() + panel.height(), videoWin.y());
    EXPECT_EQ(videoWin.size(), QSize(720, 480));
}

TEST_F(Startup, SavedPositions)
{
    const int screenTwips = static_cast<int>(TwipsX(screen().width()));
    struct Case {
        const char *what;
        QString rl, rt, vl, vt;
        bool defaultPlace;
        QPoint panel;
    } cases[] = {
        {"good", "1500", "3000", "4500", "6000", false, {100, 200}},
        {"left 0", "0", "3000", "4500", "6000", false, {0, 200}},
        {"left negative", "-300", "3000", "4500", "6000", false, {0, 200}},
        {"left past the screen", QString::number(screenTwips), "3000", "4500", "6000", false, {0, 200}},
        {"missing", "1500", "", "4500", "6000", true, {}},
        {"not a number", "1500", "3000", "abc", "6000", true, {}},
    };
    for (const Case &c : cases) {
        TempStore fresh;
        setValue(kSplash, kNo);
        setValue(kWindowpos, kYes);
        for (const auto &[name, text] : {std::pair{kQV_RL, c.rl}, {kQV_RT, c.rt}, {kQV_VL, c.vl}, {kQV_VT, c.vt}})
            if (!text.isEmpty())
                setValue(name, text);
        start();
        if (c.defaultPlace) {
            EXPECT_EQ(player->panel().y() + player->panel().height(), player->videoWindow().y()) << c.what;
        } else {
            EXPECT_EQ(player->panel().pos(), c.panel) << c.what;
            EXPECT_EQ(player->videoWindow().pos(), QPoint(300, 400)) << c.what;
        }
        player.reset();
    }
}

TEST_F(Startup, OffScreenWindowsComeBack)
{
    setValue(kSplash, kNo);
    setValue(kWindowpos, kYes);
    setValue(kQV_RL, "100");
    setValue(kQV_RT, "-90000");
    setValue(kQV_VL, "900000");
    setValue(kQV_VT, "6000");
    start();
    EXPECT_TRUE(screen().intersects(player->panel().frameGeometry()));
    EXPECT_TRUE(screen().intersects(player->videoWindow().frameGeometry()));
}

TEST_F(Startup, OnTopSetting)
{
    setValue(kSplash, kNo);
    setValue(kOntop, kYes);
    start();
    EXPECT_TRUE(player->state.OnTopEnabled);
    EXPECT_EQ(player->panel().status->text(), "Always on Top Enabled");
    EXPECT_EQ(player->panel().Label1->borderStyle(), 1);
    EXPECT_TRUE(player->videoWindow().isVisible()) << "the video window shows from the start";
    EXPECT_FALSE(IsOnTop(&player->panel())) << "on top only from the first clock tick";
}

TEST_F(Startup, CommandLine)
{
    const QString real = makeFile(QStringLiteral("clip.avi"));
    struct Case {
        const char *what;
        QStringList arguments;
        QString status;
        bool missingBox;
        bool drops;
    } cases[] = {
        {"none", {}, "No media loaded..", false, true},
        {"blanks", {"   "}, "No media loaded..", true, false},
        {"quoted", {"\"" + real + "\""}, "No media loaded..", true, false},
        {"missing", {store.dir() + "/gone.avi"}, "No media loaded..", true, false},
        {"real, padded", {"  " + real + " "}, "clip.avi loaded..", false, false},
    };
    for (const Case &c : cases) {
        boxes.clear();
        setValue(kSplash, kNo);
        start(c.arguments);
        EXPECT_EQ(player->panel().status->text(), c.status) << c.what;
        EXPECT_EQ(!boxes.isEmpty(), c.missingBox) << c.what;
        EXPECT_EQ(player->panel().acceptsDroppedFiles(), c.drops) << c.what;
        player.reset();
        media.file.clear();
    }
}

} // namespace
} // namespace qr::test
