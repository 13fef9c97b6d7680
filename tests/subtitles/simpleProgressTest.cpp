#include "panel/seekbar/simpleProgress.h"
#include "desktop/Twips.h"
#include "panel/seekbar/SeekMath.h"

#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

constexpr quint32 LightGrey = 0xE0E0E0;
constexpr quint32 Grey = 0x808080;
const int kFull = qr::PixelsX(3870);

// The panel's instance: 3870 x 80 twips, grey on light grey.
class SeekBarTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        bar.resize(kFull, qr::PixelsY(80));
        bar.setBackColor(LightGrey);
        bar.setBarColor(Grey);
        bar.show();
    }

    // Filled pixels along the middle row, as the user sees them.
    int filledPixels()
    {
        const QImage shot = bar.grab().toImage();
        int n = 0;
        for (int x = 0; x < shot.width(); ++x)
            n += QColor(shot.pixel(x, shot.height() / 2)) == QColor(128, 128, 128);
        return n;
    }

    qr::simpleProgress bar;
};

TEST_F(SeekBarTest, ValueIsClampedAndDrawn)
{
    const struct {
        qint64 max, write, stored;
        int pixels;
    } cases[] = {
        {100, -5, 0, 0},
        {100, 50, 50, kFull / 2},
        {100, 150, 100, kFull},
        {3, 1, 1, kFull / 3},
        {36000, 18000, 18000, kFull / 2},
        {36000, 40000, 36000, kFull}, // a 10-hour file in whole seconds
    };
    for (const auto &c : cases) {
        bar.setMax(c.max);
        bar.setValue(c.write);
        EXPECT_EQ(bar.Value(), c.stored) << c.max << " " << c.write;
        EXPECT_EQ(filledPixels(), c.pixels) << c.max << " " << c.write;
    }
}

TEST_F(SeekBarTest, BarWidthRoundsHalvesToEven)
{
    // 3870 twips: a quarter is 967.5, three quarters 2902.5.
    bar.setMax(4);
    bar.setValue(1);
    EXPECT_EQ(bar.Picture1->drawnBarTwips(), 968);
    bar.setValue(3);
    EXPECT_EQ(bar.Picture1->drawnBarTwips(), 2902);
}

TEST_F(SeekBarTest, MaxShowsOnlyAtTheNextRedraw)
{
    bar.setValue(50);
    bar.setMax(200);
    EXPECT_EQ(filledPixels(), kFull / 2);
    bar.setValue(50);
    EXPECT_EQ(filledPixels(), kFull / 4 + 1);
    bar.setMax(10);
    EXPECT_EQ(bar.Value(), 50) << "a smaller max does not re-clamp the stored value";

    // max 0: a redraw gives up silently and the old picture stays.
    bar.setMax(0);
    bar.setBarColor(0x0000FF);
    EXPECT_EQ(filledPixels(), kFull / 4 + 1);
    bar.setValue(50); // clamped to 0: background only
    EXPECT_EQ(bar.Value(), 0);
    EXPECT_EQ(filledPixels(), 0);
}

TEST_F(SeekBarTest, ColoursAndSavedProperties)
{
    bar.setBackColor(0x0000FF);
    EXPECT_EQ(QColor(bar.grab().toImage().pixel(1, 1)), QColor(Qt::red));
    EXPECT_EQ(qr::OleColorToQColor(qr::simpleProgress::DefaultBackColor),
              QApplication::palette().color(QPalette::Button));

    EXPECT_TRUE(qr::simpleProgress().WriteProperties().isEmpty());
    // The panel's design-time values; a border outside 0..1 loads as 0.
    bar.ReadProperties({{"BackColor", LightGrey}, {"BarColor", Grey}, {"Value", 22}, {"border", 7}});
    EXPECT_EQ(bar.border(), 0);
    EXPECT_EQ(filledPixels(), 0); // the new background clears; the value shows at the next redraw
    bar.setBarColor(Grey);
    EXPECT_EQ(filledPixels(), kFull * 22 / 100 + 1);
    EXPECT_EQ(bar.WriteProperties().keys(), (QStringList{"BackColor", "BarColor", "Value"}));

    // Stored colours may come in the signed form; junk falls back to defaults.
    bar.ReadProperties({{"BackColor", qint64(-2147483633)}, {"max", "junk"}, {"border", 1}});
    EXPECT_EQ(bar.Picture1->borderStyle(), 0); // applied only when border is next written
    EXPECT_TRUE(bar.WriteProperties() == (QVariantMap{{"border", 1}}));
}

TEST_F(SeekBarTest, MouseIsReportedInTwips)
{
    QSignalSpy down(&bar, &qr::simpleProgress::MouseDown);
    QSignalSpy move(&bar, &qr::simpleProgress::MouseMove);
    const double tx = qr::TwipsPerPixelX(), ty = qr::TwipsPerPixelY();
    QTest::mouseClick(bar.Picture1, Qt::LeftButton, Qt::ShiftModifier, QPoint(10, 2));
    QTest::mouseClick(bar.Picture1, Qt::RightButton, Qt::ControlModifier, QPoint(1, 0));
    ASSERT_EQ(down.count(), 2);
    EXPECT_EQ(down.at(0), (QVariantList{1, 1, 10 * tx, 2 * ty}));
    EXPECT_EQ(down.at(1), (QVariantList{2, 2, 1 * tx, 0.0}));

    // A drag past the right end with left and middle held.
    QMouseEvent drag(QEvent::MouseMove, QPointF(300, 1), bar.Picture1->mapToGlobal(QPointF(300, 1)),
                     Qt::NoButton, Qt::LeftButton | Qt::MiddleButton, Qt::AltModifier);
    QApplication::sendEvent(bar.Picture1, &drag);
    ASSERT_GE(move.count(), 1);
    EXPECT_EQ(move.last(), (QVariantList{5, 4, 300 * tx, 1 * ty}));
}

TEST(SeekMathTest, StatusTextAndTarget)
{
    const struct {
        double x, width;
        bool down;
        const char *text;
    } cases[] = {
        {1431.9, 3870, true, "Seeking to 37%.."},
        {125, 1000, true, "Seeking to 12%.."}, // 12.5: halves to even
        {135, 1000, false, "Seek to 14%.."},   // 13.5
        {4335, 3870, false, "Seek to 112%.."}, // dragged past the right end
        {-200, 3870, false, "Seek to -5%.."},  // and past the left
        {100, 0, true, "Seeking to 0%.."},     // a bar without width seeks to the start
    };
    for (const auto &c : cases)
        EXPECT_EQ(qr::SeekStatusText(c.x, c.width, c.down), QString::fromUtf8(c.text)) << c.x;
    EXPECT_DOUBLE_EQ(qr::SeekTargetSeconds(0, 3870, 600), 0.0);
    EXPECT_DOUBLE_EQ(qr::SeekTargetSeconds(1935, 3870, 36000), 18000.0);
}

} // namespace
