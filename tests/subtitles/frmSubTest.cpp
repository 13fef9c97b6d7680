#include "desktop/Twips.h"
#include "subtitles/frmSub.h"

#include <QLabel>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

TEST(frmSubTest, LooksAsDesigned)
{
    qr::frmSub w;
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Subtitles"));
    EXPECT_TRUE(w.windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_FALSE(w.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_EQ(w.size(), QSize(qr::PixelsX(7530), qr::PixelsY(1560)));
    ASSERT_NE(w.findChild<QLabel *>(QStringLiteral("subtitles")), nullptr);
    EXPECT_EQ(w.subtitles->geometry(), QRect(0, 0, qr::PixelsX(7320), qr::PixelsY(1545)));
    EXPECT_EQ(w.subtitles->font().pointSize(), 12);
    EXPECT_EQ(w.subtitles->font().families().value(0), QStringLiteral("Comic Sans MS"));

    // White text on black, and an ampersand is text, not a mnemonic.
    w.subtitles->setText(QStringLiteral("Tom & Jerry"));
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    const QImage shot = w.grab().toImage();
    EXPECT_EQ(QColor(shot.pixel(shot.width() - 2, shot.height() - 2)), QColor(Qt::black));
    EXPECT_EQ(w.subtitles->palette().color(QPalette::WindowText), QColor(Qt::white));
    EXPECT_EQ(w.subtitles->textFormat(), Qt::PlainText);
}

TEST(frmSubTest, KeysReachThePanelAsVirtualKeyCodes)
{
    qr::frmSub w;
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    QSignalSpy spy(&w, &qr::frmSub::KeyDown);
    struct Case {
        Qt::Key key;
        Qt::KeyboardModifiers mods;
        int code;
        int shift;
    };
    const Case cases[] = {
        {Qt::Key_Space, Qt::NoModifier, 32, 0},
        {Qt::Key_X, Qt::NoModifier, 88, 0},
        {Qt::Key_Escape, Qt::NoModifier, 27, 0},
        {Qt::Key_Return, Qt::AltModifier, 13, 4},
        {Qt::Key_Enter, Qt::AltModifier, 13, 4},
        {Qt::Key_Q, Qt::ControlModifier, 81, 2},
        {Qt::Key_A, Qt::ControlModifier | Qt::ShiftModifier, 65, 3},
    };
    for (const Case &c : cases) {
        spy.clear();
        QTest::keyClick(&w, c.key, c.mods);
        // The modifier keys' own presses come first.
        ASSERT_GE(spy.count(), 1) << c.code;
        EXPECT_EQ(spy.last().at(0).toInt(), c.code);
        EXPECT_EQ(spy.last().at(1).toInt(), c.shift);
    }
}

TEST(frmSubTest, ClosedByTheUserItShowsAgainEmpty)
{
    auto *w = new qr::frmSub;
    QPointer<qr::frmSub> alive(w);
    w->show();
    w->subtitles->setText(QStringLiteral("text"));
    // Presses on the label go to the window (which starts a drag).
    QTest::mouseClick(w->subtitles, Qt::LeftButton);
    EXPECT_TRUE(w->close());
    QCoreApplication::processEvents();
    ASSERT_TRUE(alive);
    EXPECT_FALSE(w->isVisible());
    w->show();
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(w->subtitles->text(), QString());
    delete w;
}

} // namespace
