// The video window's size and the picture's place in it.
#include "tests/support/SessionFixture.h"

namespace qr::test {
namespace {

class Sizing : public SessionFixture {
protected:
    void start(bool subtitles = false, QSize size = {352, 240})
    {
        setValue(PlayerSettings::UseSubs, PlayerSettings::yesNo(subtitles));
        restart().placeMainWindows(QSize(274, 113));
        if (subtitles)
            makeFile("clip.sub");
        open("clip.mpg");
        media.openStream(size.width(), size.height(), 10);
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

// 350 x 227 pixels shown below the top edge; 30 twips more with subtitles.
TEST_F(Sizing, StreamOpenedSizesTheWindowToThePicture)
{
    for (bool subtitles : {false, true}) {
        SCOPED_TRACE(subtitles);
        start(subtitles);
        const double band = subtitles ? 30 : 0;
        EXPECT_EQ(picture(), QRectF(0, 105, 5250, 3405 + band));
        EXPECT_EQ(window(), QSize(351, qRound((3525 + band) / 15)));
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

// The picture plus the skin, plus a 70-twip band for the subtitles.
TEST_F(Sizing, ZoomChoices)
{
    using Row = std::tuple<const char *, QSize, const char *>; // choice, window, shown
    for (bool subtitles : {false, true}) {
        start(subtitles, {320, 200});
        for (const auto &[label, size, shown] : {Row{"100%", {320, 220}, "320x200"},
                                                 {"50%", {160, 120}, "160x100"},
                                                 {"200%", {640, 420}, "640x400"},
                                                 {"704x576", {704, 596}, "704x576"},
                                                 {"320x200", {320, 220}, "320x200"}}) {
            SCOPED_TRACE(label + std::string(subtitles ? " with subtitles" : ""));
            session->chooseZoom(choice(label));
            EXPECT_EQ(window(), size + QSize(0, subtitles ? 5 : 0));
            EXPECT_EQ(shownSize(), shown);
            EXPECT_TRUE(lines().mediaInfo().endsWith(QString("[%1]").arg(shown)));
            EXPECT_DOUBLE_EQ(picture().width(), session->video().layout().widthTwips() - 30);
        }
    }
    const QSize before = window();
    session->chooseZoom(choice("----------"));
    EXPECT_EQ(window(), before) << "a separator does nothing";
    media.openStream(353, 241, 10);
    session->chooseZoom(choice("50%"));
    EXPECT_EQ(shownSize(), "176.5x120.5");

    media.calls.clear();
    session->chooseZoom(choice("full"));
    EXPECT_EQ(media.calls, (QStringList{"setDisplaySize 3", "setFullScreenControls 1"}));
    EXPECT_EQ(shownSize(), "1280x1024");
    media.file.clear();
    media.calls.clear();
    session->chooseZoom(choice("full"));
    EXPECT_TRUE(media.calls.isEmpty()) << "full screen needs a file";
    session->showZoomStrip();
    EXPECT_EQ(session->video().zoomChoices().size(), 12) << "no size of the picture's own without a file";
}

// The picture's aspect kept; a picture that fits keeps its own size.
TEST_F(Sizing, PictureLargerThanTheScreenFitsItsFreeArea)
{
    desktop.panelHeight = 30;
    const QRect area(0, 30, 1280, 994);
    for (const QSize own : {QSize(3840, 497), QSize(640, 2982), QSize(1281, 497), area.size()}) {
        SCOPED_TRACE(own.width());
        start();
        session->videoMoved(QPoint(640, 500));
        media.openStream(own.width(), own.height(), 10);
        EXPECT_TRUE(area.contains(QRect(windows().videoPosition(), window())));
        const QSize shown = (picture().size() / 15).toSize();
        EXPECT_EQ(shownSize(), QString("%1x%2").arg(shown.width()).arg(shown.height()));
        // The picture's place is its size less the skin's 2 x 13 pixels.
        const QSizeF fitted(shown.width() + 2.0, shown.height() + 13);
        const double aspect = fitted.width() / fitted.height();
        EXPECT_NEAR(aspect, double(own.width()) / own.height(), 0.01 * aspect);
        EXPECT_EQ(fitted.width() < own.width(), own != area.size());
    }
}

TEST_F(Sizing, CustomSizeIsAskedForAndMustFitTheScreen)
{
    start();
    using Answer = std::optional<QString>;
    using Row = std::tuple<Answer, Answer, QSize>; // an empty size: unchanged
    for (const auto &[width, height, size] : {Row{"400", "300", {400, 320}},
                                              {" 1280 ", "1024", {1280, 1044}},
                                              {"1281", "300", {}},
                                              {"400", "1025", {}},
                                              {"0", "300", {}},
                                              {"wide", "300", {}},
                                              {std::nullopt, "300", {}},
                                              {"400", std::nullopt, {}}}) {
        SCOPED_TRACE(width.value_or("cancel").toStdString() + " " + height.value_or("cancel").toStdString());
        session->chooseZoom(choice("352x240"));
        const QSize before = window();
        desktop.texts = {width, height};
        session->chooseZoom(choice("Custom..."));
        EXPECT_EQ(window(), size.isEmpty() ? before : size);
    }
    EXPECT_EQ(shownSize(), "352x240");
    EXPECT_EQ(desktop.asked.mid(0, 2), (QStringList{"Horizontal Zoom", "Vertical Zoom"}));
}

// A window reaching below the screen comes up; one past the right edge stays.
TEST_F(Sizing, ResizedWindowStaysAboveTheScreensBottom)
{
    start();
    session->videoMoved(QPoint(1270, 924));
    session->chooseZoom(choice("352x240"));
    EXPECT_EQ(windows().videoPosition(), QPoint(1270, 764));
}

TEST_F(Sizing, GripResizesWithinItsLimits)
{
    start();
    const QSize before = window();
    session->dragVideoGrip({150, 300});
    EXPECT_EQ(window(), before + QSize(10, 20));
    const QSizeF last = window() * 15.0;
    using Drag = std::pair<QPointF, bool>; // and whether it resizes
    for (const auto &[by, resizes] : {Drag{{195 - last.width(), 0}, false},
                                      {{210 - last.width(), 0}, true},
                                      {{0, 300 - last.height()}, false}}) {
        const QSize now = window();
        session->dragVideoGrip(by);
        EXPECT_EQ(window() != now, resizes) << by.x() << " " << by.y();
    }
    session->releaseVideoGrip();
    EXPECT_DOUBLE_EQ(picture().width(), session->video().layout().widthTwips() - 30);
    EXPECT_DOUBLE_EQ(picture().height(), session->video().layout().heightTwips() - 195);
}

} // namespace
} // namespace qr::test
