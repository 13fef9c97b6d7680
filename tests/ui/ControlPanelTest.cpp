// The panel as a user meets it: lights, hints, switches, the step buttons,
// the keys, drops and the tray.
#include "ui/ControlPanel.h"
#include "desktop/FileDialogs.h"
#include "tests/support/SessionFixture.h"
#include "ui/SkinWidgets.h"
#include "ui/SubtitleWindow.h"
#include "ui/TrayIcon.h"
#include "ui/VideoWindow.h"

#include <QMimeData>
#include <QSignalSpy>
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
    QKeyEvent release(QEvent::KeyRelease, key, modifiers);
    QCoreApplication::sendEvent(window, &release);
}

class Panel : public SessionFixture {
protected:
    void SetUp() override
    {
        SessionFixture::SetUp();
        panel = std::make_unique<ControlPanel>(*session);
        session->loadPanel(std::nullopt);
        panel->show();
    }
    void TearDown() override
    {
        panel.reset();
        TrayIcon::overrideAvailable(std::nullopt);
        setOpenDialogHandler({});
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

    std::unique_ptr<ControlPanel> panel;
};

TEST_F(Panel, NothingLoadedLightsOnlyTheOpenButton)
{
    hover("background");
    for (const char *button : {"back", "play", "pause", "stop", "forward"})
        hover(button);
    for (const char *light : {"back_over", "play_over", "pause_over", "stop_over", "forward_over"})
        EXPECT_FALSE(lit(light)) << light;
    EXPECT_EQ(line("status")->text(), "No media loaded..");
    hover("load");
    EXPECT_TRUE(lit("load_over"));
    hover("load_over");
    EXPECT_EQ(line("status")->text(), "Open media for playback..");
}

TEST_F(Panel, MovingBetweenNeighbours)
{
    EXPECT_TRUE(lit("forward_over")) << "lit from the start";
    open();
    hover("background");
    EXPECT_FALSE(lit("forward_over")) << "the skin puts every light out";
    hover("pause");
    hover("pause_over");
    hover("back");
    hover("back_over");                              // hides play_over only
    QTest::mouseMove(picture("play"), QPoint(5, 5)); // onto play: its light comes on above it
    EXPECT_TRUE(lit("play_over"));
    EXPECT_TRUE(lit("pause_over"));
    QTest::mouseMove(picture("play"), QPoint(6, 6)); // the next move is over the light
    EXPECT_FALSE(lit("pause_over"));
    EXPECT_FALSE(lit("back_over"));
    EXPECT_EQ(line("status")->text(), "Play media..");
}

TEST_F(Panel, HintsReturnToTheStatusUnlessTheTitleScrolls)
{
    open();
    session->setStatus("clip.avi Playing..");
    for (bool scrolling : {false, true}) {
        session->setScrollTitleEnabled(scrolling);
        hover("optionsSpot");
        EXPECT_EQ(line("status")->text(), "Configure player settings..");
        hover("time");
        EXPECT_EQ(line("status")->text(), scrolling ? "Configure player settings.." : "clip.avi Playing..");
    }
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
    QTest::mouseClick(picture("muted"), Qt::LeftButton);
    QTest::mouseClick(picture("pbview"), Qt::LeftButton);
    EXPECT_TRUE(media.muted);
    EXPECT_TRUE(lit("muted_over") && !lit("muted"));
    EXPECT_TRUE(lit("pbview_over") && !lit("pbview"));
    EXPECT_TRUE(lit("repeat") && !lit("repeat_over"));
    QTest::mouseClick(picture("muted_over"), Qt::LeftButton);
    EXPECT_FALSE(media.muted);
    EXPECT_TRUE(lit("muted"));

    EXPECT_FALSE(line("onTopSpot")->framed());
    QTest::mouseClick(line("onTopSpot"), Qt::LeftButton);
    EXPECT_TRUE(session->alwaysOnTop());
    EXPECT_TRUE(line("onTopSpot")->framed());
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
        {"back_over", 10.1, 5.1}, // the second step's guard fails
        {"back_over", 20.0, 10.0},
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
// three windows that share it: the engine's calls and what the session
// shows afterwards.
TEST_F(Panel, KeysRunTheirCommandsInEveryWindowThatTakesThem)
{
    QWidget view;
    media.viewWidget = &view;
    VideoWindow video(*session, &view);
    SubtitleWindow subtitles(*session);
    video.show();
    subtitles.show();
    QStringList dialogs;
    setOpenDialogHandler([&](const QString &title, FileKind) {
        dialogs << title;
        return QString();
    });
    QSignalSpy finished(session.get(), &Session::finished);
    const struct {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        QStringList calls;
        bool onTop = false;
        int quits = 0;
        bool dialog = false;
    } rows[] = {
        {Qt::Key_Space, {}, {"pause"}},
        {Qt::Key_Space, Qt::ShiftModifier, {"pause"}},
        {Qt::Key_X, {}, {"play"}},
        {Qt::Key_C, Qt::ControlModifier, {"pause"}},
        {Qt::Key_V, {}, {"stop", "setCurrentPosition 0"}},
        {Qt::Key_Escape, {}, {"stop", "setCurrentPosition 0"}},
        {Qt::Key_Z, {}, {"setCurrentPosition 45"}},
        {Qt::Key_R, {}, {"setCurrentPosition 45"}},
        {Qt::Key_B, {}, {"setCurrentPosition 55"}},
        {Qt::Key_F, {}, {"setCurrentPosition 55"}},
        {Qt::Key_T, Qt::ControlModifier, {"setCurrentPosition 0"}},
        {Qt::Key_G, {}, {"setCurrentPosition 100"}},
        {Qt::Key_Left, {}, {"setCurrentPosition 45"}},
        {Qt::Key_Right, {}, {"setCurrentPosition 55"}},
        {Qt::Key_Home, {}, {"setCurrentPosition 0"}},
        {Qt::Key_End, {}, {"setCurrentPosition 100"}},
        {Qt::Key_MediaPlay, {}, {"pause"}},
        {Qt::Key_MediaPause, {}, {"pause"}},
        {Qt::Key_MediaTogglePlayPause, {}, {"pause"}},
        {Qt::Key_MediaStop, {}, {"stop", "setCurrentPosition 0"}},
        {Qt::Key_P, Qt::ControlModifier, {"pause"}},
        {Qt::Key_P, {}, {}},
        {Qt::Key_A, {}, {}},
        {Qt::Key_A, Qt::ControlModifier, {}, true},
        {Qt::Key_L, {}, {}},
        {Qt::Key_L, Qt::ControlModifier, {}, false, 0, true},
        {Qt::Key_Return, {}, {}},
        {Qt::Key_Return, Qt::AltModifier, {"setFullScreenControls 1", "setDisplaySize 3"}},
        {Qt::Key_Enter,
         Qt::AltModifier | Qt::KeypadModifier,
         {"setFullScreenControls 1", "setDisplaySize 3"}},
        {Qt::Key_Q, {}, {}},
        {Qt::Key_Q, Qt::AltModifier, {}, false, 1},
        {Qt::Key_Q, Qt::ControlModifier | Qt::AltModifier, {}, false, 1},
    };
    for (QWidget *window : {static_cast<QWidget *>(panel.get()), static_cast<QWidget *>(&video),
                            static_cast<QWidget *>(&subtitles)}) {
        for (const auto &row : rows) {
            const std::unique_ptr<char[]> keyName(QTest::toString(row.key));
            SCOPED_TRACE(window->objectName().toStdString() + " " + keyName.get());
            open();
            media.length = 100;
            media.position = 50;
            media.state = PlayState::Playing;
            media.display = DisplaySize::Windowed;
            if (session->alwaysOnTop())
                session->toggleAlwaysOnTop();
            media.calls.clear();
            dialogs.clear();
            finished.clear();
            pressKey(window, row.key, row.modifiers);
            EXPECT_EQ(media.calls, row.calls);
            EXPECT_EQ(session->alwaysOnTop(), row.onTop);
            EXPECT_EQ(finished.count(), row.quits);
            EXPECT_EQ(dialogs, row.dialog ? QStringList{"Open Media"} : QStringList{});
        }
    }
}

// The volume keys in the three windows, the wheel over the panel and the
// video window, at the bounds and muted: the volume reached, the hint, and
// the mute as it was (or switched by the mute key).
TEST_F(Panel, VolumeKeysAndTheWheel)
{
    QWidget view;
    media.viewWidget = &view;
    VideoWindow video(*session, &view);
    SubtitleWindow subtitles(*session);
    video.show();
    subtitles.show();
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
        int from;
        bool muted;
        int expected;
        bool mutedAfter;
        bool inverted = false;
        bool hint = true; // "Volume ..%" shows
    } rows[] = {
        {"Up", Qt::Key_Up, {}, 95, false, 100, false},
        {"Up at full", Qt::Key_Up, {}, 100, false, 100, false},
        {"Down", Qt::Key_Down, {}, 5, false, 0, false},
        {"Down at none", Qt::Key_Down, {}, 0, false, 0, false},
        {"Up muted", Qt::Key_Up, {}, 50, true, 55, true},
        {"Up between steps", Qt::Key_Up, {}, 42, false, 45, false},
        {"Down between steps", Qt::Key_Down, {}, 42, false, 40, false},
        {"raise key at full", Qt::Key_VolumeUp, {}, 100, false, 100, false},
        {"lower key", Qt::Key_VolumeDown, {}, 50, true, 45, true},
        {"mute key off", Qt::Key_VolumeMute, {}, 50, true, 50, false, false, false},
        {"mute key on", Qt::Key_VolumeMute, {}, 50, false, 50, true, false, false},
        {"wheel up", Qt::Key_unknown, {120}, 95, false, 100, false},
        {"wheel down muted", Qt::Key_unknown, {-120}, 50, true, 45, true},
        {"two half notches", Qt::Key_unknown, {60, 60}, 50, false, 55, false},
        {"half a notch", Qt::Key_unknown, {60}, 50, false, 50, false, false, false},
        {"turned back after half a notch", Qt::Key_unknown, {-60, 120}, 50, false, 55, false},
        {"two notches at once", Qt::Key_unknown, {240}, 50, false, 60, false},
        {"natural scrolling", Qt::Key_unknown, {120}, 50, false, 45, false, true},
    };
    for (const auto &[window, over] : {std::pair<QWidget *, QWidget *>{panel.get(), line("status")},
                                       {&video, &view},
                                       {&subtitles, &subtitles}}) {
        for (const auto &row : rows) {
            const bool wheel = row.key == Qt::Key_unknown;
            SCOPED_TRACE(window->objectName().toStdString() + " " + row.what);
            open();
            session->setVolume(row.from);
            row.muted ? session->muteOn() : session->muteOff();
            session->showStatus(QString());
            if (wheel) {
                for (int delta : row.wheel)
                    turn(over, delta, row.inverted);
            } else {
                pressKey(window, row.key);
            }
            const bool ignored = wheel && window == &subtitles; // no wheel there
            const int expected = ignored ? row.from : row.expected;
            EXPECT_EQ(session->volume(), expected);
            EXPECT_EQ(media.volumeLevel, expected);
            EXPECT_EQ(media.muted, ignored ? row.muted : row.mutedAfter);
            EXPECT_EQ(line("status")->text(),
                      ignored || !row.hint ? QString() : "Volume " + QString::number(expected) + "%");
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

    panel.reset();
    remake();
    ControlPanel started(*session);
    session->loadPanel(first);
    EXPECT_FALSE(started.acceptDrops());
}

TEST_F(Panel, ToTheTrayAndBack)
{
    TrayIcon::overrideAvailable(false);
    QTest::mouseClick(line("traySpot"), Qt::LeftButton);
    EXPECT_FALSE(session->panelInTray());
    EXPECT_EQ(line("status")->text(), "No system tray available");

    TrayIcon::overrideAvailable(true);
    QTest::mouseClick(line("traySpot"), Qt::LeftButton);
    EXPECT_TRUE(session->panelInTray());
    auto *tray = panel->findChild<TrayIcon *>();
    ASSERT_NE(tray, nullptr);
    EXPECT_TRUE(tray->present());
    EXPECT_EQ(tray->tip(), "Quilvane Ryn");
    Q_EMIT tray->restoreRequested();
    EXPECT_FALSE(session->panelInTray());
    EXPECT_FALSE(tray->present());
}

TEST_F(Panel, ClosingThePanelEndsTheRunWithoutSaving)
{
    setValue(PlayerSettings::Windowpos, "yes");
    QSignalSpy finished(session.get(), &Session::finished);
    panel->close();
    EXPECT_EQ(finished.count(), 1);
    EXPECT_EQ(value(PlayerSettings::PanelLeft), "<none>");
}

} // namespace
} // namespace qr::test
