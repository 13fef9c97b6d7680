// Dragging a borderless window where the window system cannot move it (the
// offscreen platform, like a bare X server): the window follows the pointer
// from the press to that button's release, whichever button it is.
#include "desktop/WindowHelpers.h"
#include "tests/support/QtPrinters.h"

#include <QCursor>
#include <QTest>
#include <QWidget>
#include <QWindow>
#include <gtest/gtest.h>

namespace qr::test {
namespace {

TEST(WindowDrag, TheWindowFollowsThePointerUntilTheButtonIsReleased)
{
    const struct {
        const char *what;
        Qt::MouseButton button;
        QPoint moved; // while held
        QPoint expected;
    } cases[] = {
        {"left", Qt::LeftButton, {30, 20}, {130, 120}},
        {"right", Qt::RightButton, {-40, 15}, {60, 115}},
        {"a click stays a click", Qt::LeftButton, {0, 0}, {100, 100}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        QWidget window(nullptr, Qt::Window | Qt::FramelessWindowHint);
        window.setGeometry(100, 100, 200, 150);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        // Events go to the native window, as the window system's do, with
        // the buttons held.
        QWindow *handle = window.windowHandle();
        const QPoint grab(50, 40);
        const QPoint pressedAt = window.mapToGlobal(grab);
        QCursor::setPos(pressedAt);
        QTest::mousePress(handle, c.button, {}, grab);
        dragWindow(&window, c.button);
        // Two steps, the window moving under the pointer between them.
        QTest::mouseMove(handle, window.mapFromGlobal(pressedAt + c.moved / 2));
        QTest::mouseMove(handle, window.mapFromGlobal(pressedAt + c.moved));
        EXPECT_EQ(window.pos(), c.expected);
        QTest::mouseRelease(handle, c.button, {}, window.mapFromGlobal(pressedAt + c.moved));
        QTest::mouseMove(handle, QPoint(120, 90));
        EXPECT_EQ(window.pos(), c.expected) << "released: the window stays";
    }
}

} // namespace
} // namespace qr::test
