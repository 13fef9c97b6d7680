// Where the windows go at the start on desktops of one and of several
// screens, and stored coordinates no window could be reached at.
#include "session/WindowPlacement.h"
#include "tests/support/QtPrinters.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace qr::test {
namespace {

constexpr double Nan = std::numeric_limits<double>::quiet_NaN();
constexpr double Inf = std::numeric_limits<double>::infinity();

TEST(WindowPlacement, CoordinateInReachOfTheDesktop)
{
    // A desktop from 0 to 1280 on its axis, a window 100 long, 15 twips a pixel.
    const struct {
        const char *what;
        double twips;
        std::optional<int> pixels;
    } cases[] = {
        {"on the desktop", 1500, 100},
        {"rounded to the nearest pixel", 1507.5, 100},
        {"one pixel still showing on the left", -99 * 15, -99},
        {"wholly left of it", -100 * 15, std::nullopt},
        {"one pixel still showing on the right", 1279 * 15, 1279},
        {"wholly right of it", 1280 * 15, std::nullopt},
        {"4e10", 4e10, std::nullopt},
        {"-4e10", -4e10, std::nullopt},
        {"1e300", 1e300, std::nullopt},
        {"-1e300", -1e300, std::nullopt},
        {"nan", Nan, std::nullopt},
        {"inf", Inf, std::nullopt},
        {"-inf", -Inf, std::nullopt},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(coordinateInReach(c.twips, 15, 0, 1280, 100), c.pixels);
    }
    EXPECT_EQ(coordinateInReach(-1000 * 15, 15, -1280, 2560, 100), -1000) << "a desktop left of zero";
}

TEST(WindowPlacement, VirtualDesktopIsTheUnionOfTheScreens)
{
    const QRect primary(0, 0, 1280, 1024);
    EXPECT_EQ(virtualDesktop({primary, QRect(1280, 0, 1920, 1080)}, primary), QRect(0, 0, 3200, 1080));
    EXPECT_EQ(virtualDesktop({QRect(-1024, 200, 1024, 768), primary}, primary), QRect(-1024, 0, 2304, 1024));
    EXPECT_EQ(virtualDesktop({}, primary), primary);
}

TEST(WindowPlacement, KeepWithinMovesTheFrameOntoTheArea)
{
    const QRect area(0, 30, 1280, 994);
    EXPECT_EQ(keepWithin(QRect(100, 100, 400, 300), area), QPoint(100, 100)) << "inside: unmoved";
    EXPECT_EQ(keepWithin(QRect(1000, 800, 400, 300), area), QPoint(880, 724)) << "past right and bottom";
    EXPECT_EQ(keepWithin(QRect(-50, 0, 400, 300), area), QPoint(0, 30)) << "past left and top";
    EXPECT_EQ(keepWithin(QRect(500, 500, 2000, 2000), area), QPoint(0, 30)) << "larger: top-left on it";
}

// Two screens side by side unless a case says otherwise; the panel is
// 274 x 113, the video window 720 x 480 at 280, 181.
TEST(WindowPlacement, StoredPositionsAreJudgedAgainstTheWholeDesktop)
{
    const QRect primary(0, 0, 1280, 1024);
    const QList<QRect> sideBySide{primary, QRect(1280, 0, 1280, 1024)};
    const QList<QRect> leftOfPrimary{QRect(-1280, 0, 1280, 1024), primary};
    const QList<QRect> lShaped{primary, QRect(1280, 0, 1280, 512)};
    const QSize panel(274, 113);
    const QRect video(280, 181, 720, 480);
    const QPoint defaultPanel(640 - 137, 181 - 113);

    using Stored = PlayerSettings::Positions;
    const struct {
        const char *what;
        QList<QRect> screens;
        Stored stored;
        QPoint panel, video;
    } cases[] = {
        {"on the second screen", sideBySide, {1600 * 15, 1500, 1400 * 15, 4500}, {1600, 100}, {1400, 300}},
        {"panel left past the desktop: 0", sideBySide, {2560 * 15, 1500, 4500, 6000}, {0, 100}, {300, 400}},
        {"panel left at its left: 0", leftOfPrimary, {-1280 * 15, 1500, 4500, 6000}, {0, 100}, {300, 400}},
        {"a pixel inside", leftOfPrimary, {-1279 * 15, 1500, 4500, 6000}, {-1279, 100}, {300, 400}},
        {"screen left of it", leftOfPrimary, {-1000 * 15, 1500, -900 * 15, 6000}, {-1000, 100}, {-900, 400}},
        {"in the L's gap", lShaped, {1500 * 15, 700 * 15, 4500, 6000}, {503, 303}, {300, 400}},
        {"panel top 4e10: default", sideBySide, {1500, 4e10, 4500, 6000}, defaultPanel, video.topLeft()},
        {"video left nan: default", sideBySide, {1500, 1500, Nan, 6000}, defaultPanel, video.topLeft()},
        {"video below the desktop", sideBySide, {1500, 1500, 4500, 1024 * 15}, defaultPanel, video.topLeft()},
        {"video a pixel on the desktop", sideBySide, {1500, 1500, 4500, 1023 * 15}, {100, 100}, {300, 1023}},
        {"one missing: default", sideBySide, {1500, std::nullopt, 4500, 6000}, defaultPanel, video.topLeft()},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const Placement place = placeAtStart(c.stored, primary, c.screens, panel, video);
        EXPECT_EQ(place.panel, c.panel);
        EXPECT_EQ(place.video, c.video);
    }
}

} // namespace
} // namespace qr::test
