// The real engine on clips made by make-test-media.sh, through the render path QUILVANE_RYN_RENDER
// names. Every wait is for the engine's own report, with a bound generous enough for a loaded machine.
#include "engine/MpvMediaControl.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QKeyEvent>
#include <QScreen>
#include <QSet>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

using qr::DisplaySize;
using qr::MpvMediaControl;
using enum qr::PlayState;
using Kind = qr::MediaTrack::Kind;

namespace {

constexpr int Patience = 15000; // ms; the suite also runs under sanitizers
constexpr double Near = 0.25;   // s: a frame, or the audio buffer that paused sound reads back
const QColor Background(31, 27, 37);

// Not QTRY_*: its failure only returns from the test, unseen by GoogleTest.
#define ASSERT_SOON(condition) ASSERT_TRUE(QTest::qWaitFor([&] { return condition; }, Patience)) << #condition

QString media(const QString &name) { return QDir(qEnvironmentVariable("QR_TEST_MEDIA")).filePath(name); }

// Enough opaque colours on a grid: a picture, not an empty, single-colour or see-through surface.
bool showsPicture(const QImage &image)
{
    QSet<QRgb> colours;
    for (int i = 0; i < 256 && !image.isNull(); ++i)
        colours.insert(image.pixel(i % 16 * image.width() / 16, i / 16 * image.height() / 16));
    return colours.size() >= 6 &&
           std::ranges::all_of(colours, [](QRgb pixel) { return qAlpha(pixel) == 255; });
}

QImage onScreen(QWidget *widget) // as the X server shows it
{
    const QRect at(widget->mapTo(widget->window(), QPoint(0, 0)), widget->size());
    return widget->screen()
        ->grabWindow(widget->window()->winId(), at.x(), at.y(), at.width(), at.height())
        .toImage();
}

// A control whose view sits in a window of its own, as the video window holds it.
class Engine : public ::testing::Test {
protected:
    void start(bool shown)
    {
        view->setParent(&host);
        view->setGeometry(10, 10, 320, 240);
        ASSERT_NO_THROW(control.start());
        host.setVisible(shown);
        ASSERT_TRUE(!shown || QTest::qWaitForWindowExposed(&host));
    }
    void open(const char *name)
    {
        opened.clear();
        control.setFileName(media(name));
        ASSERT_SOON(!opened.isEmpty()) << " for " << qPrintable(media(name));
    }
    // Where the seek made by `act` (or by the end it leads to) landed; -1 for nowhere.
    template <typename Act> double landing(Act act)
    {
        landed.clear();
        act();
        return QTest::qWaitFor([&] { return !landed.isEmpty(); }, Patience) ? landed[0][0].toDouble() : -1.0;
    }

    struct : QWidget { // records the keys that reach the window's own handler
        QList<int> keys;
        void keyPressEvent(QKeyEvent *event) override { keys.append(event->key()); }
    } host;
    MpvMediaControl control{Background};
    MpvMediaControl *const c = &control;
    QWidget *const view = control.view();
    QSignalSpy opened{c, &MpvMediaControl::streamOpened}, closed{c, &MpvMediaControl::streamClosed},
        ended{c, &MpvMediaControl::endOfMedia}, errors{c, &MpvMediaControl::engineError},
        landed{c, &MpvMediaControl::seekLanded}, modes{c, &MpvMediaControl::displayModeChanged},
        mouse{c, &MpvMediaControl::pictureMousePressed}, states{c, &MpvMediaControl::playStateChanged},
        started{c, &MpvMediaControl::started}, pointer{c, &MpvMediaControl::picturePointerMoved},
        retracked{c, &MpvMediaControl::tracksChanged}, texts{c, &MpvMediaControl::trackSubtitleTextChanged},
        speeds{c, &MpvMediaControl::speedChanged}, resized{c, &MpvMediaControl::pictureSizeChanged},
        shots{c, &MpvMediaControl::screenshotSaved};
};

// File, picture width and height, frames per second (0: no picture, no rate).
constexpr std::tuple<const char *, int, int, double> Clips[] = {
    {"clip.mpg", 352, 240, 25}, {"clip.avi", 640, 480, 25}, {"film.mp4", 1280, 720, 23.976},
    {"clip.asf", 320, 240, 25}, {"clip.mp3", 0, 0, 0},      {"anamorphic.mpg", 1024, 576, 25}};

// Each 2 s clip opened while the one before plays, keeping nothing of it; last, the view goes first.
TEST_F(Engine, EachClipOpensShowsItsPictureSeeksAndEnds)
{
    start(true);
    for (const auto &[file, width, height, fps] : Clips) {
        SCOPED_TRACE(file);
        const bool first = states.isEmpty();
        states.clear();
        ended.clear();
        open(file);
        EXPECT_NEAR(control.duration(), 2.0, 0.1);
        EXPECT_EQ(QSize(control.pictureWidth(), control.pictureHeight()), QSize(width, height));
        EXPECT_NEAR(control.frameRate(), fps, 0.001);
        EXPECT_EQ(control.currentPosition(), 0.0);
        EXPECT_EQ(control.mediaTitle(), QString()) << "no title tag: not the file name either";
        control.setCurrentPosition(1.0);
        EXPECT_EQ(control.currentPosition(), 1.0) << "a put position reads back at once";
        EXPECT_NEAR(landing([&] { control.setCurrentPosition(0.5); }), 0.5, Near) << "only the last lands";
        if (width > 0) { // the picture there fills the view's width or height, bars the rest
            QRect picture({}, QSize(width, height).scaled(view->size(), Qt::KeepAspectRatio));
            picture.moveCenter(view->rect().center());
            ASSERT_SOON(showsPicture(onScreen(view).copy(picture.adjusted(2, 2, -2, -2))));
            EXPECT_TRUE(picture.top() == 0 || QColor(onScreen(view).pixel(160, 1)) == Background);
            EXPECT_TRUE(control.renderPathName() == QLatin1String("gl") || // drawn in a window of its own
                        showsPicture(view->grab().toImage().copy(picture)));
        }
        control.play();
        control.pause();
        EXPECT_NEAR(landing([&] { control.setCurrentPosition(1.7); }), 1.7, Near);
        EXPECT_NEAR(landing([&] { control.play(); }), 0.0, Near) << "the end rewinds";
        EXPECT_EQ(ended.count(), 1);
        EXPECT_EQ(control.currentPosition(), 0.0);
        control.play();
        ASSERT_SOON(control.currentPosition() > 0.0);
        EXPECT_NEAR(landing([&] { control.stop(); }), 0.0, Near) << "stop rewinds";
        EXPECT_EQ(control.currentPosition(), 0.0);
        control.play();
        QList<qr::PlayState> announced;
        for (const QList<QVariant> &state : states)
            announced << state[0].value<qr::PlayState>();
        EXPECT_EQ(announced,
                  QList({Stopped, Playing, Paused, Playing, Stopped, Playing, Stopped, Playing}).mid(first))
            << "each change once; opening stops the file before";
    }
    delete view;
    open("clip.mp3");
    EXPECT_NEAR(landing([&] { control.setCurrentPosition(1.0); }), 1.0, Near) << "without a view";
    control.setFileName(QString());
    control.setFileName(QString());
    EXPECT_EQ(closed.count(), 1) << "closing twice closes once";
    control.play();
    EXPECT_EQ(control.playState(), Stopped) << "nothing to play";
    EXPECT_EQ(errors.count(), 0) << qPrintable(errors.value(0).value(1).toString());
}

// No engine, nor libmpv, before start: the control is made before the player's first window. Files that
// fail leave nothing loaded; a truncated one plays what it has while the view is hidden (the video
// window starts so), and shows its picture once it is shown.
TEST_F(Engine, StartsOnceAndDamagedFilesFailOrPlayWhatTheyHave)
{
    EXPECT_EQ(control.renderPathName(), QString()) << "no picture path before the engine";
    EXPECT_THROW(control.setFileName(media("clip.mpg")), qr::MediaError);
    control.setFileName(QString()); // closing nothing never throws
    control.setMute(true);
    control.play();
    EXPECT_EQ(control.playState(), Stopped);
    start(false);
    control.start();
    EXPECT_EQ(started.count(), 1) << "a second start does nothing";
    EXPECT_NE(control.renderPathName(), QString()) << "the picture path is chosen with the engine";
    for (const auto &[mute, percent] : {std::pair{true, 40}, {false, 100}}) { // the engine's, file or not
        control.setMute(mute);
        control.setVolume(percent);
        ASSERT_SOON(control.isMuted() == mute && control.volume() == percent);
    }

    for (const char *file : {"garbage.avi", "no-such-file.avi"}) {
        SCOPED_TRACE(file);
        closed.clear();
        control.setFileName(media(file));
        ASSERT_SOON(!closed.isEmpty());
        EXPECT_EQ(control.fileName(), QString());
    }
    EXPECT_EQ(errors.count(), 2);
    open("truncated.avi");
    EXPECT_EQ(control.pictureWidth(), 640);
    control.play();
    ASSERT_SOON(!ended.isEmpty());
    EXPECT_EQ(errors.count(), 2) << "the end of a truncated file is no error";
    host.show();
    ASSERT_SOON(showsPicture(onScreen(view)));
}

// Full screen by the member, left by Esc, and by a double-click on the picture, left by another. There the
// bars are black, and the pointer moving over the picture is reported while the controls are on.
TEST_F(Engine, FullScreenFillsTheWindowInBlackAndReportsThePointer)
{
    start(true);
    open("clip.mpg");
    const QRect windowed = view->geometry();
    QTest::mouseClick(view, Qt::RightButton, Qt::ShiftModifier | Qt::AltModifier, QPoint(10, 20));
    EXPECT_EQ(mouse.value(0),
              (QVariantList{QVariant::fromValue(Qt::RightButton),
                            QVariant::fromValue(Qt::ShiftModifier | Qt::AltModifier), QPointF(10, 20)}));
    control.setFullScreenControls(true);
    const auto doubleClick = [&] { QTest::mouseDClick(view, Qt::LeftButton, {}, QPoint(20, 20)); };
    const auto pointerReported = [&](bool controls) { // a drag: delivered with or without tracking
        control.setFullScreenControls(controls);
        pointer.clear();
        QMouseEvent move(QEvent::MouseMove, QPointF(30, 30), view->mapToGlobal(QPointF(30, 30)), Qt::NoButton,
                         Qt::LeftButton, {});
        QApplication::sendEvent(view, &move);
        return pointer.count() == 1 && view->hasMouseTracking() == controls;
    };

    for (const bool byMember : {true, false}) {
        SCOPED_TRACE(byMember ? "member" : "double-click");
        byMember ? control.setDisplaySize(DisplaySize::FullScreen) : doubleClick();
        EXPECT_EQ(modes.count(), byMember ? 0 : 1) << "only the double-click announces full screen";
        ASSERT_SOON(host.isFullScreen() && view->geometry() == host.rect());
        ASSERT_SOON(QColor(onScreen(view).pixel(view->width() / 2, 1)) == Qt::black);
        EXPECT_TRUE(pointerReported(true));
        EXPECT_FALSE(pointerReported(false));
        control.setFullScreenControls(true);
        mouse.clear();
        QTest::mouseClick(view, Qt::LeftButton, {}, QPoint(5, 5));
        EXPECT_EQ(mouse.count(), 1) << "a press in full screen is the player's";
        byMember ? QTest::keyClick(&host, Qt::Key_Escape) : doubleClick();
        EXPECT_FALSE(host.keys.contains(Qt::Key_Escape)) << "Esc in full screen belongs to the control";
        ASSERT_SOON(!host.isFullScreen());
        EXPECT_EQ(view->geometry(), windowed);
        ASSERT_SOON(QColor(onScreen(view).pixel(160, 1)) == Background);
        EXPECT_FALSE(pointerReported(true)) << "windowed";
    }
    EXPECT_EQ(modes.count(), 1);
    QTest::keyClick(&host, Qt::Key_Escape);
    EXPECT_TRUE(host.keys.contains(Qt::Key_Escape)) << "windowed, Esc is the window's again";
    control.setDisplaySize(DisplaySize::FullScreen);
    open("film.mp4");
    EXPECT_EQ(control.displaySize(), DisplaySize::FullScreen) << "another file keeps full screen";
    control.setFileName(QString());
    EXPECT_EQ(control.displaySize(), DisplaySize::Windowed) << "closing ends it";
}

// QUILVANE_RYN_TRACE: one line per event a user waits on, in order, with the decoding asked: the path's
// choice (safe hardware decoding for OpenGL) or QUILVANE_RYN_HWDEC's; with no device the engine decodes.
TEST(EngineTrace, WritesEachEventAndTheDecodingAsked)
{
    const std::string pathChoice = qgetenv("QUILVANE_RYN_RENDER") == "gl" ? "auto-safe" : "no";
    for (const auto &[asked, expected] : {std::pair{"", pathChoice}, {"auto-copy-safe", "auto-copy-safe"}}) {
        SCOPED_TRACE(asked);
        QTemporaryDir dir;
        qputenv("QUILVANE_RYN_TRACE", dir.filePath("trace").toLocal8Bit());
        qputenv("QUILVANE_RYN_HWDEC", asked);
        MpvMediaControl control{Background};
        QSignalSpy opened{&control, &MpvMediaControl::streamOpened},
            landed{&control, &MpvMediaControl::seekLanded};
        control.start();
        control.setFileName(media("film.mp4"));
        ASSERT_SOON(!opened.isEmpty());
        control.setCurrentPosition(1.0);
        ASSERT_SOON(!landed.isEmpty());
        control.setFileName(QString());

        QFile trace(dir.filePath("trace"));
        ASSERT_TRUE(trace.open(QIODevice::ReadOnly));
        std::vector<std::string> events; // without the time, which only grows
        double before = 0.0;
        for (const QByteArray &line : trace.readAll().trimmed().split('\n')) {
            const qsizetype space = line.indexOf(' ');
            EXPECT_GE(line.left(space).toDouble(), before) << line.toStdString();
            before = line.left(space).toDouble();
            events.push_back(line.mid(space + 1).toStdString());
        }
        ASSERT_EQ(events.size(), 5u);
        EXPECT_EQ(events[0], "open " + media("film.mp4").toStdString());
        EXPECT_EQ(events[1], "opened 1280x720 hwdec=" + expected + " decoder=no");
        EXPECT_EQ(events[2], "seek 1.000");
        EXPECT_EQ(events[3].substr(0, 7), "landed ");
        EXPECT_EQ(events[4].substr(0, 11), "dropped vo=");
    }
    qunsetenv("QUILVANE_RYN_TRACE");
    qunsetenv("QUILVANE_RYN_HWDEC");
}

// tracks.mkv's tracks. The chosen subtitle track's text comes to the player and never onto the picture;
// choices, speed and aspect reach the engine and come back as its reports.
TEST_F(Engine, TracksSubtitleTextSpeedAspectAndScreenshots)
{
    start(true);
    open("tracks.mkv");
    EXPECT_EQ(control.tracks(), (QList<qr::MediaTrack>{{Kind::Audio, 1, "eng", "Main", "ac3", 2},
                                                       {Kind::Audio, 2, "ger", "Commentary", "vorbis", 1},
                                                       {Kind::Subtitle, 1, "eng", "Full", "subrip"},
                                                       {Kind::Subtitle, 2, "ger", "Forced", "subrip"}}));
    EXPECT_EQ(control.mediaTitle(), "Test Title");
    EXPECT_EQ(control.currentTrack(Kind::Audio), 1);
    ASSERT_SOON(control.trackSubtitleText() == "Top line\nBottom line") << "the default track's, lines kept";
    ASSERT_SOON(showsPicture(onScreen(view)));
    const QImage picture = onScreen(view);
    control.selectTrack(Kind::Subtitle, 0);
    EXPECT_NEAR(landing([&] { control.stop(); }), 0.0, Near);
    ASSERT_SOON(onScreen(view) == picture) << "the same picture with subtitles off: the text was not on it";
    // Subtitle track, place, the text there; each row's text differs from the one before.
    const std::tuple<int, double, const char *> Cues[] = {
        {1, 1.5, "Later"}, {1, 1.0, ""}, {2, 1.5, "Unten"}, {0, 1.5, ""}};
    for (const auto &[track, seconds, text] : Cues) {
        control.selectTrack(Kind::Subtitle, track);
        ASSERT_SOON(control.currentTrack(Kind::Subtitle) == track);
        EXPECT_NEAR(landing([&] { control.setCurrentPosition(seconds); }), seconds, Near);
        ASSERT_SOON(control.trackSubtitleText() == text) << track << " at " << seconds;
        EXPECT_EQ(texts.last()[0], text);
    }
    control.selectTrack(Kind::Audio, 2);
    ASSERT_SOON(control.currentTrack(Kind::Audio) == 2);
    EXPECT_GE(retracked.count(), 5) << "each choice";

    for (const double factor : {1.5, 1.0}) {
        control.setSpeed(factor);
        ASSERT_SOON(control.speed() == factor);
        EXPECT_EQ(speeds.last()[0], factor);
    }
    const QTemporaryDir dir;
    for (const auto &[name, saved] :
         {std::pair{"shot.png", true}, {"shot", true}, {"none/shot.png", false}}) {
        shots.clear();
        control.saveScreenshot(dir.filePath(name));
        ASSERT_SOON(!shots.isEmpty());
        EXPECT_EQ(shots[0], (QVariantList{dir.filePath(name), saved}));
        EXPECT_EQ(QImage(dir.filePath(name), "png").size(), saved ? QSize(320, 240) : QSize(0, 0)) << name;
    }
    EXPECT_EQ(resized.count(), 0) << "the first size is the opening's";
    for (const auto &[ratio, size] :
         {std::pair{2.0, QSize(480, 240)}, {1.0, QSize(320, 320)}, {0.0, QSize(320, 240)}}) {
        resized.clear();
        control.setAspectRatio(ratio);
        ASSERT_SOON(!resized.isEmpty());
        EXPECT_EQ(QSize(control.pictureWidth(), control.pictureHeight()), size) << ratio;
    }
}

} // namespace
