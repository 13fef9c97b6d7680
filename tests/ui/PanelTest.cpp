// The panel as a user meets it: lights, hints, switches, the step buttons,
// the keys and the wheel of every window that takes them, drops and the tray.
#include "tests/support/SessionFixture.h"
#include "ui/ControlPanel.h"
#include "ui/SkinWidgets.h"
#include "ui/SubtitleWindow.h"
#include "ui/TrayIcon.h"
#include "ui/VideoWindow.h"

#include <QMimeData>
#include <QTest>
#include <QWheelEvent>
#include <QtTest/qtestspontaneevent.h>

namespace qr::test {
namespace {

// QTest's key clicks know no media keys.
void pressKey(QWidget *window, Qt::Key key, Qt::KeyboardModifiers modifiers = {})
{
    QKeyEvent press(QEvent::KeyPress, key, modifiers);
    QCoreApplication::sendEvent(window, &press);
}

class Panel : public SessionFixture {
protected:
    void SetUp() override
    {
        SessionFixture::SetUp();
        panel = std::make_unique<ControlPanel>(*session);
        session->loadPanel({});
        panel->show();
        media.viewWidget = &view;
        video = std::make_unique<VideoWindow>(*session, &view);
        subtitles = std::make_unique<SubtitleWindow>(*session);
    }
    SkinPicture *picture(const char *name) const { return panel->findChild<SkinPicture *>(name); }
    SkinLabel *line(const char *name) const { return panel->findChild<SkinLabel *>(name); }
    bool lit(const char *name) const { return picture(name)->isVisibleTo(panel.get()); }
    // Two moves, so the widget sees one even where the pointer already was.
    void hover(const char *name)
    {
        QTest::mouseMove(picture(name), QPoint(1, 1));
        QTest::mouseMove(picture(name), QPoint(3, 3));
    }
    QList<QWidget *> keyWindows() const { return {panel.get(), video.get(), subtitles.get()}; }

    std::unique_ptr<ControlPanel> panel;
    QWidget view;
    std::unique_ptr<VideoWindow> video;
    std::unique_ptr<SubtitleWindow> subtitles;
};

TEST_F(Panel, LightsAndHintsFollowThePointer)
{
    hover("background");
    for (const char *button : {"back", "play", "pause", "stop", "forward"})
        hover(button);
    for (const char *light : {"back_over", "play_over", "pause_over", "stop_over", "forward_over"})
        EXPECT_FALSE(lit(light)) << light << ": nothing loaded";
    EXPECT_EQ(line("status")->text(), "No media loaded..");
    hover("load");
    hover("load_over");
    EXPECT_EQ(line("status")->text(), "Open media for playback..");

    open();
    session->play();
    hover("pause");
    hover("pause_over");
    hover("back");
    hover("back_over");                              // hides play_over only
    QTest::mouseMove(picture("play"), QPoint(5, 5)); // onto play: its light comes on above it
    EXPECT_TRUE(lit("play_over") && lit("pause_over"));
    QTest::mouseMove(picture("play"), QPoint(6, 6)); // the next move is over the light
    EXPECT_FALSE(lit("pause_over") || lit("back_over"));
    EXPECT_EQ(line("status")->text(), "Play media..");
    hover("optionsSpot");
    EXPECT_EQ(line("status")->text(), "Configure player settings..");
    hover("time");
    EXPECT_EQ(line("status")->text(), "clip.avi Playing..") << "back to the status";
    EXPECT_FALSE(lit("play_over")) << "the skin puts every light out";
}

TEST_F(Panel, HotSpotsShowAFrameWhilePressed)
{
    for (const char *name : {"optionsSpot", "traySpot", "quitSpot"}) {
        SkinLabel *spot = line(name);
        QTest::mousePress(spot, Qt::LeftButton, {}, QPoint(2, 2));
        EXPECT_TRUE(spot->framed()) << name;
        QTest::mouseRelease(spot, Qt::LeftButton, {}, QPoint(40, 40)); // released beside it: no click
        EXPECT_FALSE(spot->framed()) << name;
    }
}

// One picture of each pair shows while a file is loaded, the lit one while
// the switch is on; always on top frames its hot spot.
TEST_F(Panel, SwitchesShowTheirState)
{
    for (const char *name : {"muted", "muted_over", "repeat", "repeat_over", "pbview", "pbview_over"})
        EXPECT_FALSE(lit(name)) << name << ": nothing loaded";
    open();
    EXPECT_TRUE(lit("muted") && lit("repeat") && lit("pbview"));
    for (const char *name : {"muted", "pbview", "repeat", "repeat_over"})
        QTest::mouseClick(picture(name), Qt::LeftButton);
    EXPECT_TRUE(media.muted);
    EXPECT_TRUE(lit("muted_over") && !lit("muted"));
    EXPECT_TRUE(lit("pbview_over") && !lit("pbview"));
    EXPECT_TRUE(lit("repeat") && !lit("repeat_over"));
    QTest::mouseClick(picture("muted_over"), Qt::LeftButton);
    QTest::mouseClick(picture("pbview_over"), Qt::LeftButton);
    EXPECT_FALSE(media.muted);
    EXPECT_TRUE(lit("muted") && lit("pbview"));

    QTest::mouseClick(line("onTopSpot"), Qt::LeftButton);
    EXPECT_TRUE(windows().alwaysOnTop() && line("onTopSpot")->framed());
}

// A click is a press and a click, and each steps.
TEST_F(Panel, AClickOnAStepButtonStepsTwice)
{
    open();
    media.length = 100;
    const struct {
        const char *button;
        double position, expected;
    } cases[] = {
        {"back_over", 10.1, 5.1},     // the second step's guard fails
        {"forward_over", 88.0, 93.0}, // 12 s left: the second step's guard fails
        {"forward_over", 70.0, 80.0},
    };
    for (const auto &c : cases) {
        picture(c.button)->show();
        media.position = c.position;
        QTest::mouseClick(picture(c.button), Qt::LeftButton);
        EXPECT_NEAR(media.position, c.expected, 1e-9) << c.button << " from " << c.position;
    }
}

// Each row of the key table from playing at 50 s of 100, in each of the
// three windows that share it.
TEST_F(Panel, KeysRunTheirCommandsInEveryWindowThatTakesThem)
{
    int quits = 0;
    QObject::connect(session.get(), &Session::finished, [&] { ++quits; });
    const QStringList stop{"stop", "setCurrentPosition 0"};
    const QStringList fullScreen{"setFullScreenControls 1", "setDisplaySize 3"};
    const struct {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        QStringList calls;
        bool onTop = false, quits = false, dialog = false;
    } rows[] = {
        {Qt::Key_Space, Qt::ShiftModifier, {"pause"}},
        {Qt::Key_X, {}, {"play"}},
        {Qt::Key_C, Qt::ControlModifier, {"pause"}},
        {Qt::Key_V, {}, stop},
        {Qt::Key_Escape, {}, stop},
        {Qt::Key_Z, {}, {"setCurrentPosition 45"}},
        {Qt::Key_R, {}, {"setCurrentPosition 45"}},
        {Qt::Key_B, {}, {"setCurrentPosition 55"}},
        {Qt::Key_F, {}, {"setCurrentPosition 55"}},
        {Qt::Key_T, {}, {"setCurrentPosition 0"}},
        {Qt::Key_G, {}, {"setCurrentPosition 100"}},
        {Qt::Key_Left, {}, {"setCurrentPosition 45"}},
        {Qt::Key_Right, {}, {"setCurrentPosition 55"}},
        {Qt::Key_Home, {}, {"setCurrentPosition 0"}},
        {Qt::Key_End, {}, {"setCurrentPosition 100"}},
        {Qt::Key_MediaPlay, {}, {"pause"}},
        {Qt::Key_MediaPause, {}, {"pause"}},
        {Qt::Key_MediaTogglePlayPause, {}, {"pause"}},
        {Qt::Key_MediaStop, {}, stop},
        {Qt::Key_VolumeMute, {}, {"setMute 1"}},
        {Qt::Key_P, Qt::ControlModifier, {"pause"}},
        {Qt::Key_P, {}, {}},
        {Qt::Key_A, {}, {}},
        {Qt::Key_A, Qt::ControlModifier, {}, true},
        {Qt::Key_L, {}, {}},
        {Qt::Key_L, Qt::ControlModifier, {}, false, false, true},
        {Qt::Key_Return, {}, {}},
        {Qt::Key_Return, Qt::AltModifier, fullScreen},
        {Qt::Key_Enter, Qt::AltModifier | Qt::KeypadModifier, fullScreen},
        {Qt::Key_Q, {}, {}},
        {Qt::Key_Q, Qt::AltModifier, {}, false, true},
        {Qt::Key_Q, Qt::ControlModifier | Qt::AltModifier, {}, false, true},
    };
    for (QWidget *window : keyWindows()) {
        for (const auto &row : rows) {
            const std::unique_ptr<char[]> keyName(QTest::toString(row.key));
            SCOPED_TRACE(window->objectName().toStdString() + " " + keyName.get());
            open();
            media.length = 100;
            media.position = 50;
            media.state = PlayState::Playing;
            media.display = DisplaySize::Windowed;
            media.muted = false;
            session->setMuted(false);
            if (windows().alwaysOnTop())
                session->toggleAlwaysOnTop();
            media.calls.clear();
            desktop.asked.clear();
            quits = 0;
            pressKey(window, row.key, row.modifiers);
            EXPECT_EQ(media.calls, row.calls);
            EXPECT_EQ(windows().alwaysOnTop(), row.onTop);
            EXPECT_EQ(quits, row.quits ? 1 : 0);
            EXPECT_EQ(desktop.asked, row.dialog ? QStringList{"Open Media"} : QStringList{});
        }
    }
}

// The volume keys and the wheel: a step per notch, finer wheels adding up,
// the wheel turned away from the user raising it whatever way the desktop
// scrolls; the subtitle window has no wheel.
TEST_F(Panel, VolumeKeysAndTheWheel)
{
    const auto turn = [](QWidget *over, int delta, bool inverted) {
        QWheelEvent event(QPointF(2, 2), over->mapToGlobal(QPointF(2, 2)), QPoint(), QPoint(0, delta),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, inverted);
        // As from the mouse, so that what the widget under it leaves goes on to its window.
        QSpontaneKeyEvent::setSpontaneous(&event);
        qApp->notify(over, &event);
    };
    const struct {
        const char *what;
        Qt::Key key; // Qt::Key_unknown: the wheel
        QList<int> wheel;
        int expected;
        bool inverted = false;
    } rows[] = {
        {"Up", Qt::Key_Up, {}, 55},
        {"Down", Qt::Key_Down, {}, 45},
        {"raise key", Qt::Key_VolumeUp, {}, 55},
        {"lower key", Qt::Key_VolumeDown, {}, 45},
        {"wheel up", Qt::Key_unknown, {120}, 55},
        {"two half notches", Qt::Key_unknown, {60, 60}, 55},
        {"half a notch", Qt::Key_unknown, {60}, 50},
        {"turned back after half a notch", Qt::Key_unknown, {-60, 120}, 55},
        {"two notches at once", Qt::Key_unknown, {-240}, 40},
        {"natural scrolling", Qt::Key_unknown, {120}, 45, true},
    };
    for (const auto &[window, over] : {std::pair<QWidget *, QWidget *>{panel.get(), line("status")},
                                       {video.get(), &view},
                                       {subtitles.get(), subtitles.get()}}) {
        for (const auto &row : rows) {
            SCOPED_TRACE(window->objectName().toStdString() + " " + row.what);
            session->setVolume(50);
            if (row.key == Qt::Key_unknown) {
                for (int delta : row.wheel)
                    turn(over, delta, row.inverted);
            } else {
                pressKey(window, row.key);
            }
            const bool noWheel = row.key == Qt::Key_unknown && window == subtitles.get();
            EXPECT_EQ(session->playback().volume(), noWheel ? 50 : row.expected);
        }
    }
}

TEST_F(Panel, DropsOpenTheFirstFileUnlessACommandLineFileWasGiven)
{
    EXPECT_TRUE(panel->acceptDrops());
    const QString first = makeFile("first.avi");
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(first), QUrl::fromLocalFile(makeFile("second.avi"))});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, {});
    QCoreApplication::sendEvent(panel.get(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, {});
    QCoreApplication::sendEvent(panel.get(), &drop);
    EXPECT_EQ(media.file, first);

    subtitles.reset();
    video.reset();
    panel.reset();
    remake();
    ControlPanel started(*session);
    session->loadPanel({first});
    EXPECT_FALSE(started.acceptDrops());
}

TEST_F(Panel, ToTheTrayAndBackAndClosing)
{
    QTest::mouseClick(line("traySpot"), Qt::LeftButton);
    auto *tray = panel->findChild<TrayIcon *>();
    ASSERT_TRUE(windows().panelInTray() && tray->present());
    EXPECT_EQ(tray->tip(), "Quilvane Ryn");
    Q_EMIT tray->restoreRequested();
    EXPECT_FALSE(windows().panelInTray() || tray->present());

    setValue(PlayerSettings::Windowpos, "yes");
    int finished = 0;
    QObject::connect(session.get(), &Session::finished, [&] { ++finished; });
    panel->close();
    EXPECT_EQ(finished, 1);
    EXPECT_EQ(value(PlayerSettings::PanelLeft), "<none>") << "closing saves nothing";
}

} // namespace
} // namespace qr::test
