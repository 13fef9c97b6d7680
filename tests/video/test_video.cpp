#include "desktop/Twips.h"
#include "panel/SkinWidgets.h"
#include "panel/remote.h"
#include "panel/seekbar/simpleProgress.h"
#include "tests/support/PlayerFixture.h"
#include "video/frmZoom.h"
#include "video/sizing.h"
#include "video/video.h"

#include <QComboBox>

namespace qr::test {
namespace {

class VideoWindow : public PlayerFixture {
protected:
    video *win = nullptr;
    void SetUp() override
    {
        PlayerFixture::SetUp();
        makePanel();
        win = &player->videoWindow();
        media.file = QStringLiteral("/m/clip.mpg");
    }
    QRectF box() const { return win->videoboxTwips(); }
};

TEST_F(VideoWindow, StreamOpenedSizesToThePicture)
{
    for (bool subtitles : {false, true}) {
        player->state.UseSubtitles = subtitles;
        const double extra = subtitles ? 30 : 0;
        openStream(352, 240, 125.5);
        EXPECT_EQ(box(), QRectF(0, 105, 5250, 3405 + extra)) << subtitles;
        EXPECT_DOUBLE_EQ(win->widthTwips(), 5265);
        EXPECT_EQ(win->height(), PixelsY(3525 + extra));
        EXPECT_EQ(player->panel().progress->max(), 126);
        EXPECT_EQ(player->panel().progress->Value(), 0);
        EXPECT_EQ(player->panel().time->text(), "00:00:00/00:00:00");
        EXPECT_TRUE(win->videobox->isVisibleTo(win));
    }
    player->state.UseSubtitles = false;
    openStream(352, 240, 10);
    EXPECT_EQ(player->state.VideoSizeText, "350x227");
    EXPECT_EQ(player->panel().playbackInfo->text(), "352 x 240 MPG [350x227]");
    EXPECT_EQ(player->zoom().cboZoomOpt->count(), 13);
    EXPECT_EQ(player->zoom().cboZoomOpt->itemText(10), "352x240");
}

TEST_F(VideoWindow, SoundOnlyKeepsNoLineAndNoPicture)
{
    player->panel().playbackInfo->setText(QStringLiteral("old"));
    openStream(0, 0, 10);
    EXPECT_EQ(player->panel().playbackInfo->text(), "old");
    EXPECT_FALSE(win->videobox->isVisibleTo(win));
}

TEST_F(VideoWindow, NotificationsFromTheEngine)
{
    openStream(352, 240, 10);
    media.length = 3725.4;
    Q_EMIT media.DurationChange(10, 3725.4);
    EXPECT_EQ(player->panel().progress->max(), 3725);
    Q_EMIT media.StreamClosed();
    EXPECT_FALSE(win->videobox->isVisibleTo(win));
    media.calls.clear();
    Q_EMIT media.DisplayModeChange(Windowed, FullScreen);
    EXPECT_EQ(media.calls, QStringList{"setFullScreenControls 1"});
}

TEST_F(VideoWindow, GripResize)
{
    openStream(352, 240, 10);
    const QSize before = win->size();
    win->sizer_MouseMove(1, 150, 150);
    EXPECT_EQ(win->size(), before) << "no press on the grip yet";
    win->sizer_MouseDown();
    win->sizer_MouseMove(1, 150, 300);
    EXPECT_EQ(win->size(), before + QSize(10, 20));
    win->sizer_MouseMove(2, 150, 150);
    EXPECT_EQ(win->size(), before + QSize(10, 20)) << "only the left button resizes";
    // Too far to the top-left: the size stays.
    const QSize last = win->size();
    win->sizer_MouseMove(1, -win->widthTwips(), -30);
    EXPECT_EQ(win->size(), last);
    win->sizer_MouseUp(1);
    EXPECT_DOUBLE_EQ(box().width(), win->widthTwips() - 30);
    EXPECT_DOUBLE_EQ(box().height(), win->heightTwips() - 195);
}

TEST_F(VideoWindow, ZoomChoices)
{
    EXPECT_EQ(ZoomChoices(false, 0, 0).size(), 12);
    EXPECT_EQ(ZoomChoices(true, 640, 480).at(10), "640x480");

    openStream(352, 240, 10);
    frmZoom &zoom = player->zoom();
    FillZoomList(*player);
    struct Case {
        QString choice;
        QSize window;
        QString sizeText;
    } cases[] = {
        {"100%", {352, 260}, "352x240"},
        {"50%", {176, 140}, "176x120"},
        {"200%", {704, 500}, "704x480"},
        {"704x576", {704, 596}, "704x576"},
        {"352x240", {352, 260}, "352x240"},
    };
    for (const Case &c : cases) {
        zoom.cboZoomOpt->setCurrentText(c.choice);
        zoom.cboZoomOpt_Click();
        EXPECT_EQ(win->size(), c.window) << c.choice.toStdString();
        EXPECT_EQ(player->state.VideoSizeText, c.sizeText) << c.choice.toStdString();
        EXPECT_TRUE(player->panel().playbackInfo->text().endsWith("[" + c.sizeText + "]"));
    }
}

TEST_F(VideoWindow, CustomZoom)
{
    openStream(352, 240, 10);
    frmZoom &zoom = player->zoom();
    FillZoomList(*player);
    struct Case {
        QStringList answers;
        bool resized;
    } cases[] = {
        {{"400", "300"}, true}, {{"704", "0"}, false}, {{"", ""}, false},
        {{"abc", "300"}, false}, {{"99999", "300"}, false},
    };
    for (const Case &c : cases) {
        win->resize(200, 200);
        QStringList answers = c.answers;
        zoom.setPrompt([&](const QString &, const QString &, const QString &) { return answers.takeFirst(); });
        zoom.cboZoomOpt->setCurrentText(QStringLiteral("Custom..."));
        zoom.cboZoomOpt_Click();
        EXPECT_EQ(win->size() != QSize(200, 200), c.resized) << c.answers.join(',').toStdString();
    }
}

} // namespace
} // namespace qr::test
