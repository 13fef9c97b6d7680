// The session's pure helpers: clock text, the title scroll, window placement.
#include "session/ClockText.h"
#include "session/WindowPlacement.h"
#include "tests/support/QtPrinters.h"

#include <gtest/gtest.h>

#include <limits>

namespace qr::test {
namespace {

TEST(ClockText, FieldsAreZeroFilledBelowTenAndHalvesGoToEven)
{
    const std::pair<std::int64_t, const char *> rows[] = {
        {0, "0:00:00"},   {9, "0:00:09"},    {10, "0:00:10"},   {59, "0:00:59"},    {60, "0:01:00"},
        {549, "0:09:09"}, {3599, "0:59:59"}, {3725, "1:02:05"}, {36000, "10:00:00"}};
    for (const auto &[seconds, text] : rows)
        EXPECT_EQ(convertTime(seconds), text) << seconds;
    EXPECT_EQ(convertTime(wholeSeconds(125.5)), "0:02:06");
    EXPECT_EQ(convertTime(wholeSeconds(124.5)), "0:02:04");
}

TEST(ClockText, TitleScrollSlidesThenBlankThenRestarts)
{
    const QString title = QStringLiteral("abcdefghijklmnopqrstuvwxy Playing..");
    int pos = 0;
    for (int start = 1; start <= title.size(); ++start)
        EXPECT_EQ(scrollTitle(title, pos), title.mid(start - 1, 20)) << start;
    EXPECT_EQ(scrollTitle(title, pos), QString()) << "one blank tick";
    EXPECT_EQ(scrollTitle(title, pos), title.left(20));
}

// A desktop from 0 to 1280 on its axis, a window 100 long, 15 twips a pixel.
TEST(WindowPlacement, CoordinateInReachOfTheDesktop)
{
    constexpr double Nan = std::numeric_limits<double>::quiet_NaN(),
                     Inf = std::numeric_limits<double>::infinity();
    const std::optional<int> no;
    const std::pair<double, std::optional<int>> rows[] = {{1507.5, 100},     {-99 * 15, -99}, {-100 * 15, no},
                                                          {1279 * 15, 1279}, {1280 * 15, no}, {4e10, no},
                                                          {-1e300, no},      {Nan, no},       {Inf, no}};
    for (const auto &[twips, pixels] : rows)
        EXPECT_EQ(coordinateInReach(twips, 15, 0, 1280, 100), pixels) << twips;
    EXPECT_EQ(coordinateInReach(-1000 * 15, 15, -1280, 2560, 100), -1000) << "a desktop left of zero";
}

TEST(WindowPlacement, KeepWithinAndTheVirtualDesktop)
{
    const QRect area(0, 30, 1280, 994);
    EXPECT_EQ(keepWithin(QRect(100, 100, 400, 300), area), QPoint(100, 100)) << "inside: unmoved";
    EXPECT_EQ(keepWithin(QRect(1000, 800, 400, 300), area), QPoint(880, 724)) << "past right and bottom";
    EXPECT_EQ(keepWithin(QRect(-50, 0, 400, 300), area), QPoint(0, 30)) << "past left and top";
    EXPECT_EQ(keepWithin(QRect(500, 500, 2000, 2000), area), QPoint(0, 30)) << "larger: top-left on it";
    const QRect primary(0, 0, 1280, 1024);
    EXPECT_EQ(virtualDesktop({QRect(-1024, 200, 1024, 768), primary}, primary), QRect(-1024, 0, 2304, 1024));
    EXPECT_EQ(virtualDesktop({}, primary), primary);
}

// The panel is 274 x 113, the video window 720 x 480 at 280, 181.
TEST(WindowPlacement, StoredPositionsAreJudgedAgainstTheWholeDesktop)
{
    const QRect primary(0, 0, 1280, 1024), video(280, 181, 720, 480);
    const QList<QRect> sideBySide{primary, QRect(1280, 0, 1280, 1024)};
    const QList<QRect> leftOfPrimary{QRect(-1280, 0, 1280, 1024), primary},
        lShaped{primary, QRect(1280, 0, 1280, 512)};
    const QPoint defaultPanel(640 - 137, 181 - 113);
    const struct {
        const char *what;
        QList<QRect> screens;
        PlayerSettings::Positions stored;
        QPoint panel, video;
    } cases[] = {
        {"on the second screen", sideBySide, {1600 * 15, 1500, 1400 * 15, 4500}, {1600, 100}, {1400, 300}},
        {"panel left past the desktop: 0", sideBySide, {2560 * 15, 1500, 4500, 6000}, {0, 100}, {300, 400}},
        {"panel left at its left: 0", leftOfPrimary, {-1280 * 15, 1500, 4500, 6000}, {0, 100}, {300, 400}},
        {"a pixel inside", leftOfPrimary, {-1279 * 15, 1500, 4500, 6000}, {-1279, 100}, {300, 400}},
        {"in the L's gap", lShaped, {1500 * 15, 700 * 15, 4500, 6000}, {503, 303}, {300, 400}},
        {"panel top 4e10", sideBySide, {1500, 4e10, 4500, 6000}, defaultPanel, video.topLeft()},
        {"video below the desktop", sideBySide, {1500, 1500, 4500, 1024 * 15}, defaultPanel, video.topLeft()},
        {"video a pixel on it", sideBySide, {1500, 1500, 4500, 1023 * 15}, {100, 100}, {300, 1023}},
        {"one missing", sideBySide, {1500, std::nullopt, 4500, 6000}, defaultPanel, video.topLeft()},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const Placement place = placeAtStart(c.stored, primary, c.screens, QSize(274, 113), video);
        EXPECT_EQ(place.panel, c.panel);
        EXPECT_EQ(place.video, c.video);
    }
    EXPECT_EQ(placeAtStart(std::nullopt, primary, {primary}, QSize(274, 113), video).panel, defaultPanel);
}

} // namespace
} // namespace qr::test
