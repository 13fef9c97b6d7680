// The real engine behind the media control, on clips made by
// make-test-media.sh, through whichever render path QUILVANE_RYN_RENDER names.
#include "engine/MpvMediaControl.h"

#include <QDir>
#include <QImage>
#include <QKeyEvent>
#include <QScreen>
#include <QSet>
#include <QSignalSpy>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

#include <memory>

using qr::DisplaySize;
using qr::MpvMediaControl;
using qr::PlayState;

namespace {

constexpr int Patience = 15000; // ms; generous, the suite also runs under sanitizers

QString media(const QString &name) { return QDir(qEnvironmentVariable("QR_TEST_MEDIA")).filePath(name); }

// Gives a fault (a position that keeps moving, a state that changes back) the time to show.
void settle() { QTest::qWait(300); }

// Enough opaque colours on a grid: a picture, not an empty, single-colour or see-through surface.
bool showsPicture(const QImage &image)
{
    QSet<QRgb> colours;
    for (int i = 0; i < 256 && !image.isNull(); ++i) {
        const QRgb pixel = image.pixel(i % 16 * image.width() / 16, i / 16 * image.height() / 16);
        if (qAlpha(pixel) != 255)
            return false;
        colours.insert(pixel);
    }
    return colours.size() >= 6;
}

// What the X server shows of a widget.
QImage onScreen(QWidget *widget)
{
    const QPoint at = widget->mapTo(widget->window(), QPoint(0, 0));
    return widget->screen()
        ->grabWindow(widget->window()->winId(), at.x(), at.y(), widget->width(), widget->height())
        .toImage();
}

// A control whose view sits in a window of its own, as the video window will hold it.
class Engine : public ::testing::Test {
protected:
    // Records the keys that reach the window's own handler.
    struct HostWindow : QWidget {
        QList<int> keys;
        void keyPressEvent(QKeyEvent *event) override { keys.append(event->key()); }
    };

    void SetUp() override
    {
        ASSERT_TRUE(QFileInfo::exists(media("clip.mpg"))) << "no test media in " << qPrintable(media(""));
        host.resize(400, 300);
        control->view()->setParent(&host);
        control->view()->setGeometry(10, 10, 320, 240);
        ASSERT_NO_THROW(control->start());
    }
    void showHost()
    {
        host.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&host));
    }
    void open(const QString &name)
    {
        const auto before = opened.count();
        control->setFileName(media(name));
        ASSERT_TRUE(QTest::qWaitFor([&] { return opened.count() > before; }, Patience))
            << qPrintable(name) << " did not open";
    }
    // Neither the state nor the position may move, now or a while later.
    void holds(PlayState state, double position, const char *when)
    {
        EXPECT_EQ(control->playState(), state) << when;
        EXPECT_EQ(control->currentPosition(), position) << when;
        settle();
        EXPECT_EQ(control->playState(), state) << when << ", later";
        EXPECT_EQ(control->currentPosition(), position) << when << ", later";
    }

    HostWindow host;
    std::unique_ptr<MpvMediaControl> control = std::make_unique<MpvMediaControl>(QColor(31, 27, 37));
    MpvMediaControl *const c = control.get();
    QSignalSpy opened{c, &MpvMediaControl::streamOpened}, closed{c, &MpvMediaControl::streamClosed},
        ended{c, &MpvMediaControl::endOfMedia}, errors{c, &MpvMediaControl::engineError},
        durations{c, &MpvMediaControl::durationChanged}, modes{c, &MpvMediaControl::displayModeChanged},
        mouse{c, &MpvMediaControl::pictureMousePressed}, states{c, &MpvMediaControl::playStateChanged};
};

struct Clip {
    const char *file;
    int width, height;
    double fps; // 0: no picture, no rate
};
std::ostream &operator<<(std::ostream &out, const Clip &clip) { return out << clip.file; }

class PlayableClip : public Engine, public ::testing::WithParamInterface<Clip> {};

// One walk through everything the player does with a file (each clip is two seconds long).
TEST_P(PlayableClip, OpensPlaysSeeksStopsEndsAndCloses)
{
    const Clip clip = GetParam();
    showHost();
    control->setFileName(media(clip.file));
    EXPECT_EQ(control->fileName(), media(clip.file));
    EXPECT_EQ(control->playState(), PlayState::Stopped);
    ASSERT_TRUE(opened.wait(Patience));
    EXPECT_NEAR(control->duration(), 2.0, 0.1);
    EXPECT_EQ(control->pictureWidth(), clip.width);
    EXPECT_EQ(control->pictureHeight(), clip.height);
    EXPECT_NEAR(control->frameRate(), clip.fps, 0.001);
    EXPECT_GE(durations.count(), 1);
    holds(PlayState::Stopped, 0.0, "opened");

    control->play();
    EXPECT_EQ(control->playState(), PlayState::Playing);
    QTRY_VERIFY_WITH_TIMEOUT(control->currentPosition() > 0.2, Patience);
    if (clip.width > 0) {
        QTRY_VERIFY_WITH_TIMEOUT(showsPicture(onScreen(control->view())), Patience);
        if (control->renderPathName() == QLatin1String("sw")) { // OpenGL draws in a native window
            EXPECT_TRUE(showsPicture(control->view()->grab().toImage()));
        }
    }

    control->pause();
    EXPECT_EQ(control->playState(), PlayState::Paused);
    settle();
    holds(PlayState::Paused, control->currentPosition(), "paused");

    control->setCurrentPosition(1.0);
    EXPECT_EQ(control->currentPosition(), 1.0) << "a put position reads back at once";
    control->setCurrentPosition(control->currentPosition() - 0.5);
    EXPECT_EQ(control->currentPosition(), 0.5);
    control->play();
    QTRY_VERIFY_WITH_TIMEOUT(control->currentPosition() > 0.55, Patience);
    EXPECT_LT(control->currentPosition(), 1.0) << "the seek did not land near 0.5";

    control->stop();
    holds(PlayState::Stopped, 0.0, "stopped");
    EXPECT_EQ(control->fileName(), media(clip.file));

    control->setMute(true);
    QTRY_VERIFY_WITH_TIMEOUT(control->isMuted(), Patience);
    control->setMute(false);
    QTRY_VERIFY_WITH_TIMEOUT(!control->isMuted(), Patience);
    control->setVolume(40);
    QTRY_COMPARE_WITH_TIMEOUT(control->volume(), 40, Patience);
    control->setVolume(100);
    QTRY_COMPARE_WITH_TIMEOUT(control->volume(), 100, Patience);

    control->setCurrentPosition(control->duration() - 0.4);
    control->play();
    ASSERT_TRUE(ended.wait(Patience));
    holds(PlayState::Stopped, 0.0, "ended");
    EXPECT_EQ(ended.count(), 1);

    control->play(); // from the beginning again
    QTRY_VERIFY_WITH_TIMEOUT(control->currentPosition() > 0.0, Patience);
    EXPECT_LT(control->currentPosition(), 1.0);

    control->setFileName(QString());
    control->setFileName(QString());
    EXPECT_EQ(closed.count(), 1) << "closing twice closes once";
    EXPECT_EQ(control->fileName(), QString());
    EXPECT_EQ(control->pictureWidth(), 0);
    control->play();
    EXPECT_EQ(control->playState(), PlayState::Stopped) << "nothing to play";
    QList<PlayState> announced;
    for (const QList<QVariant> &state : states)
        announced << state[0].value<PlayState>();
    using enum PlayState;
    EXPECT_EQ(announced, (QList{Playing, Paused, Playing, Stopped, Playing, Stopped, Playing, Stopped}))
        << "each change, once";
    EXPECT_EQ(errors.count(), 0) << qPrintable(errors.value(0).value(1).toString());
}

INSTANTIATE_TEST_SUITE_P(Clips, PlayableClip,
                         ::testing::Values(Clip{"clip.mpg", 352, 240, 25}, Clip{"clip.dat", 352, 240, 25},
                                           Clip{"clip.avi", 640, 480, 25},
                                           Clip{"film.mp4", 1280, 720, 23.976},
                                           Clip{"clip.asf", 320, 240, 25}, Clip{"clip.mp3", 0, 0, 0},
                                           Clip{"anamorphic.mpg", 1024, 576, 25}));

class UnplayableFile : public Engine, public ::testing::WithParamInterface<const char *> {};

TEST_P(UnplayableFile, FailsAndLeavesNothingLoaded)
{
    try {
        control->setFileName(media(GetParam()));
        QTRY_VERIFY_WITH_TIMEOUT(errors.count() > 0, Patience);
    } catch (const qr::MediaError &) {
    }
    EXPECT_EQ(control->fileName(), QString());
    EXPECT_EQ(closed.count(), 1);
    EXPECT_EQ(opened.count(), 0);
    EXPECT_EQ(control->pictureWidth(), 0);
    EXPECT_EQ(control->duration(), 0.0);

    open("clip.mpg"); // the engine is still good for the next file
    EXPECT_EQ(control->pictureWidth(), 352);
}

INSTANTIATE_TEST_SUITE_P(Files, UnplayableFile, ::testing::Values("garbage.avi", "no-such-file.avi"));

// The video window starts hidden: files must still open and play through, a
// truncated one as far as it goes, and show their first picture once shown.
TEST_F(Engine, TruncatedClipPlaysWhatItHasWhileTheViewIsHidden)
{
    open("truncated.avi");
    EXPECT_EQ(control->pictureWidth(), 640);
    control->play();
    ASSERT_TRUE(ended.wait(Patience));
    EXPECT_EQ(control->fileName(), media("truncated.avi"));
    holds(PlayState::Stopped, 0.0, "ended");
    EXPECT_EQ(errors.count(), 0);

    showHost();
    QTRY_VERIFY_WITH_TIMEOUT(showsPicture(onScreen(control->view())), Patience);
}

// Nothing the first file reported may stick to the second. The window holding
// the view may also delete it before the control.
TEST_F(Engine, ASecondFileReportsItsOwnSizeAndStateAndPlaysAfterTheViewIsGone)
{
    showHost();
    open("film.mp4");
    control->play();
    QTRY_VERIFY_WITH_TIMEOUT(control->currentPosition() > 0.3, Patience);
    open("anamorphic.mpg");
    EXPECT_EQ(control->pictureWidth(), 1024);
    EXPECT_EQ(control->pictureHeight(), 576);
    holds(PlayState::Stopped, 0.0, "second file");
    control->play();
    delete control->view();
    EXPECT_EQ(control->view(), nullptr);
    open("clip.mp3");
    EXPECT_EQ(control->pictureWidth(), 0);
    EXPECT_EQ(control->pictureHeight(), 0);
    EXPECT_EQ(closed.count(), 0);
    control->play();
    QTRY_VERIFY_WITH_TIMEOUT(control->currentPosition() > 0.1, Patience);
    control.reset();
}

TEST_F(Engine, FullScreenFillsTheWindowAndEscLeavesIt)
{
    showHost();
    open("clip.mpg");
    control->play();
    const QRect windowed = control->view()->geometry();

    control->setDisplaySize(DisplaySize::FullScreen);
    EXPECT_EQ(control->displaySize(), DisplaySize::FullScreen);
    QTRY_VERIFY_WITH_TIMEOUT(host.isFullScreen(), Patience);
    QTRY_COMPARE_WITH_TIMEOUT(control->view()->geometry(), host.rect(), Patience);
    EXPECT_EQ(modes.count(), 0) << "only the double-click announces full screen";

    QTest::keyClick(&host, Qt::Key_Escape);
    EXPECT_EQ(control->displaySize(), DisplaySize::Windowed);
    EXPECT_FALSE(host.keys.contains(Qt::Key_Escape)) << "Esc in full screen belongs to the control";
    EXPECT_EQ(control->playState(), PlayState::Playing);
    QTRY_VERIFY_WITH_TIMEOUT(!host.isFullScreen(), Patience);
    EXPECT_EQ(control->view()->geometry(), windowed);
    QTest::keyClick(&host, Qt::Key_Escape);
    EXPECT_TRUE(host.keys.contains(Qt::Key_Escape)) << "windowed, Esc is the window's again";

    QTest::mouseDClick(control->view(), Qt::LeftButton, {}, QPoint(20, 20));
    EXPECT_EQ(control->displaySize(), DisplaySize::FullScreen);
    ASSERT_EQ(modes.count(), 1);
    EXPECT_EQ(modes.at(0).at(0).value<DisplaySize>(), DisplaySize::FullScreen);
    QTest::mouseDClick(control->view(), Qt::LeftButton, {}, QPoint(20, 20));
    EXPECT_EQ(control->displaySize(), DisplaySize::Windowed);
    EXPECT_EQ(modes.count(), 1);

    // Another file keeps full screen; closing ends it.
    control->setDisplaySize(DisplaySize::FullScreen);
    open("film.mp4");
    EXPECT_EQ(control->displaySize(), DisplaySize::FullScreen);
    control->setFileName(QString());
    EXPECT_EQ(control->displaySize(), DisplaySize::Windowed);
    QTRY_VERIFY_WITH_TIMEOUT(!host.isFullScreen(), Patience);
    EXPECT_EQ(control->view()->geometry(), windowed);
}

// Each new frame repaints the picture only; the bars beside it keep the
// background they were painted with.
TEST_F(Engine, BarsBesideAPlayingPictureKeepTheBackground)
{
    showHost();
    control->view()->resize(320, 280); // a 352 x 240 picture: 31 pixels of bar above and below
    open("clip.mpg");
    control->play();
    QTest::qWait(600);
    const QImage shown = onScreen(control->view());
    EXPECT_EQ(QColor(shown.pixel(160, 5)), QColor(31, 27, 37));
    EXPECT_EQ(QColor(shown.pixel(160, 274)), QColor(31, 27, 37));
    EXPECT_TRUE(showsPicture(shown.copy(0, 31, 320, 218)));
}

// The control is made before the player's first window; the engine (and
// libmpv itself) only by start.
TEST(EngineStart, NothingIsLoadedBeforeStartAndFilesWaitForIt)
{
    MpvMediaControl unstarted(QColor(31, 27, 37));
    QSignalSpy started(&unstarted, &MpvMediaControl::started);
    EXPECT_FALSE(unstarted.isStarted());
    EXPECT_EQ(unstarted.fileName(), QString());
    EXPECT_EQ(unstarted.renderPathName(), QString()) << "no picture path before the engine";
    EXPECT_THROW(unstarted.setFileName(media("clip.mpg")), qr::MediaError);
    EXPECT_EQ(unstarted.fileName(), QString());
    unstarted.setFileName(QString()); // closing nothing never throws
    unstarted.setMute(true);
    unstarted.play();
    EXPECT_EQ(unstarted.playState(), PlayState::Stopped);

    ASSERT_NO_THROW(unstarted.start());
    EXPECT_TRUE(unstarted.isStarted());
    EXPECT_EQ(started.count(), 1);
    EXPECT_NE(unstarted.renderPathName(), QString()) << "the picture path is chosen with the engine";
    unstarted.start();
    EXPECT_EQ(started.count(), 1) << "a second start does nothing";
    QSignalSpy opened(&unstarted, &MpvMediaControl::streamOpened);
    unstarted.setFileName(media("clip.mpg"));
    EXPECT_TRUE(opened.wait(Patience));
}

TEST_F(Engine, MousePressesOnThePictureArrive)
{
    showHost();
    open("clip.mpg");
    QTest::mouseClick(control->view(), Qt::RightButton, Qt::ShiftModifier | Qt::AltModifier, QPoint(10, 20));
    QTest::mouseClick(control->view(), Qt::MiddleButton, Qt::ControlModifier, QPoint(3, 4));
    ASSERT_EQ(mouse.count(), 2);
    EXPECT_EQ(mouse.at(0).at(0).value<Qt::MouseButton>(), Qt::RightButton);
    EXPECT_EQ(mouse.at(0).at(1).value<Qt::KeyboardModifiers>(), Qt::ShiftModifier | Qt::AltModifier);
    EXPECT_EQ(mouse.at(0).at(2).toPointF(), QPointF(10, 20));
    EXPECT_EQ(mouse.at(1).at(0).value<Qt::MouseButton>(), Qt::MiddleButton);

    // The engine's controller takes the mouse in full screen only.
    control->setFullScreenControls(true);
    EXPECT_FALSE(control->view()->hasMouseTracking());
    control->setDisplaySize(DisplaySize::FullScreen);
    EXPECT_TRUE(control->view()->hasMouseTracking());
    QTest::mouseClick(control->view(), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(mouse.count(), 2);
    control->setDisplaySize(DisplaySize::Windowed);
    EXPECT_FALSE(control->view()->hasMouseTracking());
}

} // namespace
