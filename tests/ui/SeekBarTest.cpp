#include "ui/SeekBar.h"
#include "desktop/Twips.h"

#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace qr::test {
namespace {

// The panel's bar: 3870 x 80 twips, grey on light grey.
class SeekBarTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        bar.resize(pixelsX(3870), pixelsY(80));
        bar.show();
    }
    // Filled pixels along the middle row, as the user sees them.
    int filled()
    {
        const QImage shot = bar.grab().toImage();
        int n = 0;
        for (int x = 0; x < shot.width(); ++x)
            n += QColor(shot.pixel(x, shot.height() / 2)) == QColor(128, 128, 128);
        return n;
    }
    SeekBar bar;
};

TEST_F(SeekBarTest, FillsValueOverMaximum)
{
    const int full = bar.width();
    const struct {
        qint64 value, maximum;
        int pixels;
    } cases[] = {
        {0, 100, 0},      {1, 100, 3},      {50, 100, full / 2},
        {100, 100, full}, {1, 3, full / 3}, {18000, 36000, full / 2}, // a 10-hour file in whole seconds
    };
    for (const auto &c : cases) {
        bar.setPosition(c.value, c.maximum);
        EXPECT_EQ(filled(), c.pixels) << c.value << " of " << c.maximum;
    }
    // 3870 twips: a quarter is 967.5, three quarters 2902.5.
    bar.setPosition(1, 4);
    EXPECT_EQ(bar.filledTwips(), 968);
    bar.setPosition(3, 4);
    EXPECT_EQ(bar.filledTwips(), 2902);
    bar.setPosition(5, 0);
    EXPECT_EQ(bar.filledTwips(), 2902) << "a maximum of 0 leaves the bar as it was";
}

TEST_F(SeekBarTest, ReportsTheMouseInTwips)
{
    QSignalSpy pressed(&bar, &SeekBar::pressed);
    QSignalSpy moved(&bar, &SeekBar::moved);
    QTest::mouseClick(&bar, Qt::LeftButton, Qt::ShiftModifier, QPoint(10, 2));
    ASSERT_EQ(pressed.count(), 1);
    EXPECT_EQ(pressed.at(0).at(0).value<Qt::MouseButtons>(), Qt::LeftButton);
    EXPECT_DOUBLE_EQ(pressed.at(0).at(1).toDouble(), twipsX(10));
    QMouseEvent drag(QEvent::MouseMove, QPointF(300, 1), bar.mapToGlobal(QPointF(300, 1)), Qt::NoButton,
                     Qt::LeftButton | Qt::MiddleButton, {});
    QCoreApplication::sendEvent(&bar, &drag);
    ASSERT_GE(moved.count(), 1);
    EXPECT_EQ(moved.last().at(0).value<Qt::MouseButtons>(), Qt::LeftButton | Qt::MiddleButton);
    EXPECT_DOUBLE_EQ(moved.last().at(1).toDouble(), twipsX(300)) << "past the right end";
}

} // namespace
} // namespace qr::test
