// The video window shows the session's layout, resizes by its grip, reports
// where it is and stops playback when closed.
#include "ui/VideoWindow.h"
#include "skins/Skin.h"
#include "tests/support/SessionFixture.h"
#include "ui/SkinWidgets.h"

#include <QMouseEvent>
#include <QTest>

namespace qr::test {
namespace {

class VideoWindowTest : public SessionFixture {
protected:
    void SetUp() override
    {
        SessionFixture::SetUp();
        media.viewWidget = &view;
        window = std::make_unique<VideoWindow>(*session, &view);
        window->show();
        open("clip.mpg");
    }
    void TearDown() override { window.reset(); }
    void moveOverGrip(QPoint at, Qt::MouseButtons buttons)
    {
        SkinPicture *grip = window->findChild<SkinPicture *>("sizer");
        QMouseEvent move(QEvent::MouseMove, at, grip->mapToGlobal(QPointF(at)), Qt::NoButton, buttons, {});
        QCoreApplication::sendEvent(grip, &move);
    }

    QWidget view;
    std::unique_ptr<VideoWindow> window;
};

TEST_F(VideoWindowTest, ShowsTheLayoutAndThePicture)
{
    EXPECT_EQ(window->size(), QSize(720, 480)) << "as loaded";
    EXPECT_FALSE(view.isVisibleTo(window.get()));
    media.openStream(352, 240, 10);
    EXPECT_EQ(window->size(), QSize(351, 235));
    EXPECT_EQ(view.geometry(), QRect(0, 7, 350, 227));
    EXPECT_TRUE(view.isVisibleTo(window.get()));
    const auto *grip = window->findChild<SkinPicture *>("sizer");
    EXPECT_EQ(grip->geometry().bottomRight(), window->rect().bottomRight()) << "the grip keeps its corner";
    Q_EMIT media.streamClosed();
    EXPECT_FALSE(view.isVisibleTo(window.get()));
}

TEST_F(VideoWindowTest, GripResizesOnlyWithTheLeftButtonAfterAPress)
{
    media.openStream(352, 240, 10);
    const QSize before = window->size();
    moveOverGrip(QPoint(10, 20), Qt::LeftButton);
    EXPECT_EQ(window->size(), before) << "no press on the grip yet";
    QTest::mousePress(window->findChild<SkinPicture *>("sizer"), Qt::RightButton, {}, QPoint(1, 1));
    moveOverGrip(QPoint(10, 20), Qt::LeftButton);
    EXPECT_EQ(window->size(), before + QSize(10, 20));
    moveOverGrip(QPoint(10, 20), Qt::LeftButton | Qt::MiddleButton);
    EXPECT_EQ(window->size(), before + QSize(10, 20)) << "the left button alone";
    QTest::mouseRelease(window->findChild<SkinPicture *>("sizer"), Qt::LeftButton, {}, QPoint(1, 1));
    EXPECT_EQ(view.geometry(), QRect(0, 7, window->width() - 2, window->height() - 13)) << "fitted";
}

// Each skin picture keeps its drawing: a top edge stretched by a wider window
// must be drawn again at its new width.
TEST_F(VideoWindowTest, TheTopEdgeIsDrawnAtEachWidthTheWindowTakes)
{
    auto *edge = window->findChild<SkinPicture *>("topedge1");
    ASSERT_NE(edge, nullptr);
    for (const QSize picture : {QSize(352, 240), QSize(640, 480), QSize(352, 240)}) {
        SCOPED_TRACE(picture.width());
        media.openStream(picture.width(), picture.height(), 10);
        const QImage shown = edge->grab().toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
        const QImage skin = skinPixmap("topedge1", edge->size(), edge->devicePixelRatioF())
                                .toImage()
                                .convertToFormat(QImage::Format_ARGB32_Premultiplied);
        EXPECT_EQ(shown, skin);
    }
}

TEST_F(VideoWindowTest, ReportsWhereItIsAndStopsWhenClosed)
{
    window->move(123, 45);
    EXPECT_EQ(session->videoPosition(), QPoint(123, 45));
    session->setVideoPosition(QPoint(60, 70));
    EXPECT_EQ(window->pos(), QPoint(60, 70));
    session->setShown(PlayerWindow::Video, true);
    media.calls.clear();
    window->close();
    EXPECT_EQ(media.calls, QStringList{"stop"});
    EXPECT_FALSE(session->isShown(PlayerWindow::Video));
}

} // namespace
} // namespace qr::test
