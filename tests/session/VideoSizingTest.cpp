// The video window's size and the picture's place in it: when a stream
// opens, for each zoom choice, a custom size and the grip.
#include "tests/support/SessionFixture.h"

namespace qr::test {
namespace {

class Sizing : public SessionFixture {
protected:
    void start(bool subtitles)
    {
        setValue(PlayerSettings::UseSubs, PlayerSettings::yesNo(subtitles));
        remake().placeMainWindows(QSize(274, 113));
        session->loadPanel({});
        if (subtitles)
            makeFile("clip.sub");
        open("clip.mpg");
    }
    int choice(const QString &label) const
    {
        const QList<ZoomChoice> &choices = session->video().zoomChoices();
        for (int i = 0; i < choices.size(); ++i)
            if (choices[i].label == label)
                return i;
        ADD_FAILURE() << "no zoom choice " << label.toStdString();
        return -1;
    }
    QRectF picture() const { return session->video().layout().pictureTwips(); }
    QSize window() const { return session->video().layout().windowSize(); }
    QString shownSize() const { return session->video().shownSize(); }
};

// A 352 x 240 picture: 350 x 227 pixels shown below the top edge, in a
// window 15 twips wider and higher; 30 twips more with subtitles.
TEST_F(Sizing, StreamOpenedSizesTheWindowToThePicture)
{
    for (bool subtitles : {false, true}) {
        SCOPED_TRACE(subtitles);
        start(subtitles);
        const double subtitleBand = subtitles ? 30 : 0;
        media.openStream(352, 240, 125.5);
        EXPECT_EQ(picture(), QRectF(0, 105, 5250, 3405 + subtitleBand));
        EXPECT_EQ(window(), QSize(351, qRound((3525 + subtitleBand) / 15)));
        EXPECT_EQ(lines().mediaInfo(), subtitles ? "352 x 240 MPG [350x229]" : "352 x 240 MPG [350x227]");
        EXPECT_TRUE(session->video().pictureVisible());
    }
    media.openStream(0, 0, 10);
    EXPECT_EQ(lines().mediaInfo(), "352 x 240 MPG [350x229]") << "sound only leaves the line alone";
    EXPECT_FALSE(session->video().pictureVisible());
    media.openStream(352, 240, 10);
    Q_EMIT media.streamClosed();
    EXPECT_FALSE(session->video().pictureVisible());
}

// The window for a choice is the picture plus the skin, plus a 70-twip band
// for the subtitles; the media line names the size chosen.
TEST_F(Sizing, ZoomChoices)
{
    const struct {
        QString choice;
        QSize window, withSubtitles;
        QString shown;
    } cases[] = {
        {"100%", {320, 220}, {320, 225}, "320x200"},    {"50%", {160, 120}, {160, 125}, "160x100"},
        {"200%", {640, 420}, {640, 425}, "640x400"},    {"704x576", {704, 596}, {704, 601}, "704x576"},
        {"352x288", {352, 308}, {352, 313}, "352x288"}, {"320x200", {320, 220}, {320, 225}, "320x200"},
    };
    for (bool subtitles : {false, true}) {
        start(subtitles);
        media.openStream(320, 200, 10);
        for (const auto &c : cases) {
            SCOPED_TRACE(c.choice.toStdString() + (subtitles ? " with subtitles" : ""));
            session->chooseZoom(choice(c.choice));
            EXPECT_EQ(window(), subtitles ? c.withSubtitles : c.window);
            EXPECT_EQ(shownSize(), c.shown);
            EXPECT_TRUE(lines().mediaInfo().endsWith("[" + c.shown + "]"));
            EXPECT_DOUBLE_EQ(picture().width(), session->video().layout().widthTwips() - 30);
        }
    }
    const QSize before = window();
    session->chooseZoom(choice("----------"));
    EXPECT_EQ(window(), before) << "a separator does nothing";
    media.openStream(353, 241, 10);
    session->chooseZoom(choice("50%"));
    EXPECT_EQ(shownSize(), "176.5x120.5");
}

TEST_F(Sizing, FullScreenChoiceNeedsAFile)
{
    start(false);
    media.openStream(352, 240, 10);
    session->chooseZoom(choice("full"));
    EXPECT_EQ(media.display, DisplaySize::FullScreen);
    EXPECT_TRUE(media.controls);
    EXPECT_EQ(shownSize(), "1280x1024");

    media.display = DisplaySize::Windowed;
    media.file.clear();
    session->showZoomStrip();
    media.calls.clear();
    session->chooseZoom(choice("full"));
    EXPECT_TRUE(media.calls.isEmpty());
    EXPECT_EQ(shownSize(), "1280x1024");
}

// The window for a picture larger than the screen's free area fits into it,
// the picture's aspect kept; a picture that fits keeps its own size.
TEST_F(Sizing, PictureLargerThanTheScreenFitsItsFreeArea)
{
    desktop.panelHeight = 30;
    const QRect area(0, 30, 1280, 994);
    const struct {
        QSize picture;
        bool scaled;
    } cases[] = {{{4000, 3000}, true},
                 {{3840, 497}, true},
                 {{640, 2982}, true},
                 {{1281, 497}, true},
                 {area.size(), false}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.picture.width());
        start(false);
        session->videoMoved(QPoint(640, 500));
        media.openStream(c.picture.width(), c.picture.height(), 10);
        EXPECT_TRUE(area.contains(QRect(windows().videoPosition(), window())));
        const QSize shown = (picture().size() / 15).toSize();
        EXPECT_EQ(shownSize(), QString("%1x%2").arg(shown.width()).arg(shown.height()));
        // The picture's place is its size less the skin's 2 x 13 pixels.
        const QSizeF fitted(shown.width() + 2.0, shown.height() + 13);
        EXPECT_NEAR(fitted.width() / fitted.height(), double(c.picture.width()) / c.picture.height(),
                    0.01 * fitted.width() / fitted.height());
        EXPECT_EQ(fitted.width() < c.picture.width(), c.scaled);
    }
}

TEST_F(Sizing, CustomSizeIsAskedForAndMustFitTheScreen)
{
    start(false);
    media.openStream(352, 240, 10);
    const struct {
        std::optional<QString> width, height;
        QSize window; // {} for unchanged
    } cases[] = {
        {"400", "300", {400, 320}}, {" 1280 ", "1024", {1280, 1044}},
        {"1281", "300", {}},        {"400", "1025", {}},
        {"0", "300", {}},           {"wide", "300", {}},
        {std::nullopt, "300", {}},  {"400", std::nullopt, {}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.width.value_or("cancel").toStdString() + " " +
                     c.height.value_or("cancel").toStdString());
        session->chooseZoom(choice("352x240"));
        const QSize before = window();
        desktop.texts = {c.width, c.height};
        session->chooseZoom(choice("Custom..."));
        EXPECT_EQ(window(), c.window.isEmpty() ? before : c.window);
        desktop.texts.clear();
    }
    EXPECT_EQ(shownSize(), "352x240");
    EXPECT_EQ(desktop.asked.mid(0, 2), (QStringList{"Horizontal Zoom", "Vertical Zoom"}));
}

// A window reaching below the screen comes up; one past the right edge stays.
TEST_F(Sizing, ResizedWindowStaysAboveTheScreensBottom)
{
    start(false);
    media.openStream(352, 240, 10);
    session->videoMoved(QPoint(1270, 924));
    session->chooseZoom(choice("352x240"));
    EXPECT_EQ(windows().videoPosition(), QPoint(1270, 764));
}

TEST_F(Sizing, GripResizesWithinItsLimits)
{
    start(false);
    media.openStream(352, 240, 10);
    const QSize before = window();
    session->dragVideoGrip({150, 300});
    EXPECT_EQ(window(), before + QSize(10, 20));
    const QSize last = window();
    const struct {
        QPointF by;
        bool resizes;
    } limits[] = {
        {{-(last.width() * 15.0 - 195), 0}, false},     // as narrow as the grip
        {{-(last.width() * 15.0 - 195) + 15, 0}, true}, // a pixel wider
        {{0, -(last.height() * 15.0 - 300)}, false},    // as low as the top edge and the grip
    };
    for (const auto &l : limits) {
        const QSize now = window();
        session->dragVideoGrip(l.by);
        EXPECT_EQ(window() != now, l.resizes) << l.by.x() << " " << l.by.y();
    }
    session->releaseVideoGrip();
    EXPECT_DOUBLE_EQ(picture().width(), session->video().layout().widthTwips() - 30);
    EXPECT_DOUBLE_EQ(picture().height(), session->video().layout().heightTwips() - 195);
}

} // namespace
} // namespace qr::test
