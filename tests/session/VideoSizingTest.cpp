// The video window's size and the picture's place in it: when a stream
// opens, for each zoom choice, a custom size and the grip.
#include "tests/support/SessionFixture.h"

#include <QGuiApplication>
#include <QScreen>

namespace qr::test {
namespace {

class VideoSizing : public SessionFixture {
protected:
    void useSubtitles(bool on)
    {
        setValue(PlayerSettings::UseSubs, on ? "yes" : "no");
        remake().applyStartSettings(QSize(274, 113));
        session->loadPanel(std::nullopt);
        open("clip.mpg");
    }
    QRectF picture() const { return session->videoLayout().pictureTwips(); }
    QSize window() const { return session->videoLayout().windowSize(); }
};

// A 352 x 240 picture: 350 x 227 pixels shown below the top edge, in a
// window 15 twips wider and higher; 30 twips more with subtitles.
TEST_F(VideoSizing, StreamOpenedSizesTheWindowToThePicture)
{
    for (bool subtitles : {false, true}) {
        SCOPED_TRACE(subtitles);
        useSubtitles(subtitles);
        const double band = subtitles ? 30 : 0;
        media.openStream(352, 240, 125.5);
        EXPECT_EQ(picture(), QRectF(0, 105, 5250, 3405 + band));
        EXPECT_EQ(window(), QSize(351, qRound((3525 + band) / 15)));
        EXPECT_EQ(session->videoSizeText(), subtitles ? "350x229" : "350x227");
        EXPECT_EQ(session->mediaInfo(), subtitles ? "352 x 240 MPG [350x229]" : "352 x 240 MPG [350x227]");
        EXPECT_EQ(session->timeText(), "00:00:00/00:00:00");
        EXPECT_EQ(session->seekMaximum(), 126);
        EXPECT_TRUE(session->pictureVisible());
    }
}

TEST_F(VideoSizing, SoundOnlyKeepsTheMediaLineAndShowsNoPicture)
{
    useSubtitles(false);
    media.openStream(352, 240, 10);
    media.openStream(0, 0, 10);
    EXPECT_EQ(session->mediaInfo(), "352 x 240 MPG [350x227]");
    EXPECT_FALSE(session->pictureVisible());
    media.openStream(352, 240, 10);
    Q_EMIT media.streamClosed();
    EXPECT_FALSE(session->pictureVisible());
}

// The window for a choice is the picture plus the skin, plus a 70-twip band
// for the subtitles; the media line names the size chosen.
TEST_F(VideoSizing, ZoomChoices)
{
    const struct {
        QString choice;
        QSize window, withSubtitles;
        QString sizeText;
    } cases[] = {
        {"100%", {352, 260}, {352, 265}, "352x240"},    {"50%", {176, 140}, {176, 145}, "176x120"},
        {"200%", {704, 500}, {704, 505}, "704x480"},    {"704x576", {704, 596}, {704, 601}, "704x576"},
        {"352x240", {352, 260}, {352, 265}, "352x240"},
    };
    for (bool subtitles : {false, true}) {
        useSubtitles(subtitles);
        media.openStream(352, 240, 10);
        for (const auto &c : cases) {
            SCOPED_TRACE(c.choice.toStdString() + (subtitles ? " with subtitles" : ""));
            const int index = int(session->zoomChoices().indexOf(c.choice));
            ASSERT_GE(index, 0);
            session->chooseZoom(index);
            EXPECT_EQ(window(), subtitles ? c.withSubtitles : c.window);
            EXPECT_EQ(session->videoSizeText(), c.sizeText);
            EXPECT_TRUE(session->mediaInfo().endsWith("[" + c.sizeText + "]"));
        }
    }
    media.openStream(353, 241, 10);
    session->chooseZoom(0);
    EXPECT_EQ(session->videoSizeText(), "176.5x120.5");
}

TEST_F(VideoSizing, FullScreenChoice)
{
    useSubtitles(false);
    media.openStream(352, 240, 10);
    session->chooseZoom(int(session->zoomChoices().indexOf("full")));
    EXPECT_EQ(media.display, DisplaySize::FullScreen);
    EXPECT_TRUE(media.controls);
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    EXPECT_EQ(session->videoSizeText(), QString("%1x%2").arg(screen.width()).arg(screen.height()));
}

TEST_F(VideoSizing, FullScreenChoiceWithNothingLoadedDoesNothing)
{
    useSubtitles(false);
    session->loadPanel(std::nullopt);
    media.file.clear();
    session->showZoomStrip();
    media.calls.clear();
    const QString before = session->videoSizeText();
    session->chooseZoom(int(session->zoomChoices().indexOf("full")));
    EXPECT_EQ(media.display, DisplaySize::Windowed);
    EXPECT_TRUE(media.calls.isEmpty()) << media.calls.join(", ").toStdString();
    EXPECT_EQ(session->videoSizeText(), before);
}

// The window for a picture larger than the screen's free area fits into it,
// the picture's aspect kept, and the media line tells the size shown; a
// picture that fits keeps its own size.
TEST_F(VideoSizing, PictureLargerThanTheScreenFitsItsFreeArea)
{
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    const struct {
        const char *what;
        QSize picture;
        bool scaled;
    } cases[] = {
        {"4000 x 3000", {4000, 3000}, true},
        {"wide", {area.width() * 3, area.height() / 2}, true},
        {"tall", {area.width() / 2, area.height() * 3}, true},
        {"one pixel too wide", {area.width() + 1, area.height() / 2}, true},
        {"just the area", area.size(), false},
    };
    for (bool subtitles : {false, true}) {
        for (const auto &c : cases) {
            SCOPED_TRACE(std::string(c.what) + (subtitles ? " with subtitles" : ""));
            useSubtitles(subtitles);
            session->setVideoPosition(area.topLeft() + QPoint(area.width() / 2, area.height() / 2));
            media.openStream(c.picture.width(), c.picture.height(), 10);
            const QRect frame(session->videoPosition(), window());
            EXPECT_TRUE(area.contains(frame)) << "the window and its grip lie within the free area";
            const QSize shown = (picture().size() / 15).toSize();
            EXPECT_EQ(session->videoSizeText(), QString("%1x%2").arg(shown.width()).arg(shown.height()));
            EXPECT_TRUE(session->mediaInfo().endsWith("[" + session->videoSizeText() + "]"));
            // The picture's place is its size less the skin's 2 x 13 pixels.
            const double band = subtitles ? 2 : 0;
            const QSizeF fitted(shown.width() + 2.0, shown.height() + 13 - band);
            EXPECT_NEAR(fitted.width() / fitted.height(), double(c.picture.width()) / c.picture.height(),
                        0.01 * fitted.width() / fitted.height());
            EXPECT_EQ(fitted.width() < c.picture.width(), c.scaled);
        }
    }
}

TEST_F(VideoSizing, CustomSizeWithinTheScreenOnly)
{
    useSubtitles(false);
    media.openStream(352, 240, 10);
    const QSize screen = QGuiApplication::primaryScreen()->geometry().size();
    const struct {
        QSize asked;
        bool resized;
    } cases[] = {
        {{400, 300}, true},
        {screen, true},
        {{screen.width() + 1, 300}, false},
        {{400, screen.height() + 1}, false},
        {{0, 300}, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.asked.width());
        session->chooseZoom(int(session->zoomChoices().indexOf("352x240")));
        const QSize before = window();
        session->zoomToCustomSize(c.asked.width(), c.asked.height());
        EXPECT_EQ(window() != before, c.resized);
        if (c.resized) {
            EXPECT_EQ(session->videoSizeText(), QString("%1x%2").arg(c.asked.width()).arg(c.asked.height()));
        }
    }
}

// A window reaching below the screen comes up; one past the right edge stays.
TEST_F(VideoSizing, ResizedWindowStaysAboveTheScreensBottom)
{
    useSubtitles(false);
    media.openStream(352, 240, 10);
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    session->setVideoPosition(QPoint(screen.width() - 10, screen.height() - 100));
    session->chooseZoom(int(session->zoomChoices().indexOf("352x240")));
    EXPECT_EQ(session->videoPosition(), QPoint(screen.width() - 10, screen.height() - 260));
}

TEST_F(VideoSizing, GripResizesWithinItsLimits)
{
    useSubtitles(false);
    media.openStream(352, 240, 10);
    const QSize before = window();
    session->dragVideoGrip(150, 300);
    EXPECT_EQ(window(), before + QSize(10, 20));
    const QSize last = window();
    const struct {
        double x, y;
        bool resizes;
    } limits[] = {
        {-(last.width() * 15.0 - 195), 0, false},     // the window would be as narrow as the grip
        {-(last.width() * 15.0 - 195) + 15, 0, true}, // a pixel wider
        {0, -(last.height() * 15.0 - 300), false},    // as low as the top edge and the grip
    };
    for (const auto &l : limits) {
        const QSize now = window();
        session->dragVideoGrip(l.x, l.y);
        EXPECT_EQ(window() != now, l.resizes) << l.x << " " << l.y;
    }
    session->releaseVideoGrip();
    EXPECT_DOUBLE_EQ(picture().width(), session->videoLayout().widthTwips() - 30);
    EXPECT_DOUBLE_EQ(picture().height(), session->videoLayout().heightTwips() - 195);
}

} // namespace
} // namespace qr::test
