#include "subtitles/frmSub.h"
#include "desktop/Twips.h"

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
    EXPECT_EQ(w.size(), QSize(qr::PixelsX(7530), qr::PixelsY(1560)));
    // White plain text on black: a subtitle line is never read as markup.
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
    const struct {
        Qt::Key key;
        Qt::KeyboardModifiers mods;
        int code, shift;
    } cases[] = {
        {Qt::Key_Space, Qt::NoModifier, 32, 0},   {Qt::Key_X, Qt::NoModifier, 88, 0},
        {Qt::Key_Return, Qt::AltModifier, 13, 4}, {Qt::Key_Enter, Qt::AltModifier, 13, 4},
        {Qt::Key_Q, Qt::ControlModifier, 81, 2},  {Qt::Key_A, Qt::ControlModifier | Qt::ShiftModifier, 65, 3},
    };
    for (const auto &c : cases) {
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
    QPointer<qr::frmSub> w = new qr::frmSub;
    w->show();
    w->subtitles->setText(QStringLiteral("text"));
    QTest::mouseClick(w->subtitles, Qt::LeftButton); // presses on the label drag the window
    EXPECT_TRUE(w->close());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_TRUE(w) << "closing only hides";
    EXPECT_FALSE(w->isVisible());
    w->show();
    EXPECT_EQ(w->subtitles->text(), QString());
    delete w;
}

} // namespace
