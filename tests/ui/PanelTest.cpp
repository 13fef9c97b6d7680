// The panel as a user meets it.
#include "tests/support/SessionFixture.h"
#include "ui/ControlPanel.h"
#include "ui/SkinWidgets.h"
#include "ui/SubtitleWindow.h"
#include "ui/TrayIcon.h"
#include "ui/VideoWindow.h"

#include <QKeySequence>
#include <QMimeData>
#include <QTest>
#include <QWheelEvent>
#include <QtTest/qtestspontaneevent.h>

namespace qr::test {
namespace {

class Panel : public SessionFixture {
protected:
    void SetUp() override { panel->show(); }
    SkinPicture *picture(const char *name) const { return panel->findChild<SkinPicture *>(name); }
    SkinLabel *line(const char *name) const { return panel->findChild<SkinLabel *>(name); }
    bool lit(const char *name) const { return picture(name)->isVisibleTo(panel.get()); }
    // Two moves, so the widget sees one even where the pointer already was.
    void hover(const char *name)
    {
        QTest::mouseMove(picture(name), QPoint(1, 1));
        QTest::mouseMove(picture(name), QPoint(3, 3));
    }
    // The windows that take the keys and the wheel, and where the wheel turns.
    QList<std::pair<QWidget *, QWidget *>> keyWindows()
    {
        return {{panel.get(), line("status")}, {video.get(), &view}, {subtitles.get(), subtitles.get()}};
    }

    std::unique_ptr<ControlPanel> panel = std::make_unique<ControlPanel>(*session);
    QWidget view;
    std::unique_ptr<VideoWindow> video = std::make_unique<VideoWindow>(*session, &view);
    std::unique_ptr<SubtitleWindow> subtitles = std::make_unique<SubtitleWindow>(*session);
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

// One picture of each pair shows while a file is loaded, the lit one while on.
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

TEST_F(Panel, AClickOnAStepButtonStepsTwice)
{
    open();
    media.length = 100;
    for (const auto &[button, from, to] :
         {std::tuple{"back_over", 30.0, 20.0}, {"forward_over", 70.0, 80.0}}) {
        picture(button)->show();
        media.position = from;
        QTest::mouseClick(picture(button), Qt::LeftButton);
        EXPECT_NEAR(media.position, to, 1e-9) << button;
    }
}

// From playing at 50 s of 100 at 50 % volume; the keys of a command share a row.
TEST_F(Panel, KeysRunTheirCommandsInEveryWindowThatTakesThem)
{
    const std::pair<const char *, QStringList> rows[] = {
        {"Shift+Space,Ctrl+C,Ctrl+P,Media Play,Media Pause,Toggle Media Play/Pause", {"pause"}},
        {"X", {"play"}},
        {"V,Esc,Media Stop", {"stop", "setCurrentPosition 0"}},
        {"Z,R,Left", {"setCurrentPosition 45"}},
        {"B,F,Right", {"setCurrentPosition 55"}},
        {"T,Home", {"setCurrentPosition 0"}},
        {"G,End", {"setCurrentPosition 100"}},
        {"Up,Volume Up", {"setVolume 55"}},
        {"Down,Volume Down", {"setVolume 45"}},
        {"Volume Mute", {"setMute 1"}},
        {"Ctrl+A", {"onTop"}},
        {"Ctrl+L", {"Open Media"}},
        {"Alt+Return,Alt+Num+Enter", {"setFullScreenControls 1", "setDisplaySize 3"}},
        {"Alt+Q,Ctrl+Alt+Q", {"quit"}},
        {"P,A,L,Return,Q", {}},
    };
    QStringList done;
    QObject::connect(session.get(), &Session::finished, [&] { done << "quit"; });
    for (const auto &[window, over] : keyWindows()) {
        for (const auto &[keys, expected] : rows) {
            for (const QString &key : QString(keys).split(',')) {
                SCOPED_TRACE(window->objectName().toStdString() + " " + key.toStdString());
                open();
                media.length = 100;
                media.position = 50;
                media.state = PlayState::Playing;
                media.display = DisplaySize::Windowed;
                session->setMuted(false);
                session->setVolume(50);
                if (windows().alwaysOnTop())
                    session->toggleAlwaysOnTop();
                media.calls.clear();
                desktop.asked.clear();
                done.clear();
                const QKeyCombination combination = QKeySequence(key)[0]; // QTest knows no media keys
                QKeyEvent press(QEvent::KeyPress, combination.key(), combination.keyboardModifiers());
                QCoreApplication::sendEvent(window, &press);
                QStringList effects = media.calls + desktop.asked + done;
                if (windows().alwaysOnTop())
                    effects << "onTop";
                EXPECT_EQ(effects, expected);
            }
        }
    }
}

// Finer wheels add up; the subtitle window has no wheel.
TEST_F(Panel, TheWheelSetsTheVolume)
{
    const auto turn = [](QWidget *over, int delta, bool inverted) {
        QWheelEvent event(QPointF(2, 2), over->mapToGlobal(QPointF(2, 2)), QPoint(), QPoint(0, delta),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, inverted);
        // As from the mouse, so that what the widget under it leaves goes on to its window.
        QSpontaneKeyEvent::setSpontaneous(&event);
        qApp->notify(over, &event);
    };
    const std::tuple<QList<int>, bool, int> rows[] = {
        {{120}, false, 55},      {{60, 60}, false, 55}, {{60}, false, 50},
        {{-60, 120}, false, 55}, {{-240}, false, 40},   {{120}, true, 45},
    };
    for (const auto &[window, over] : keyWindows()) {
        for (const auto &[deltas, inverted, volume] : rows) {
            session->setVolume(50);
            for (int delta : deltas)
                turn(over, delta, inverted);
            EXPECT_EQ(session->playback().volume(), window == subtitles.get() ? 50 : volume)
                << window->objectName().toStdString() << " " << deltas.first()
                << (inverted ? " inverted" : "");
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
