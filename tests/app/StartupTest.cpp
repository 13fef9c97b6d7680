// The start as the player runs it: the splash or the windows at once, their
// places, and the end of the run.
#include "app/PlayerApp.h"
#include "tests/support/SessionFixture.h"
#include "ui/ControlPanel.h"
#include "ui/SplashWindow.h"
#include "ui/VideoWindow.h"
#include "ui/ZoomStrip.h"

#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace qr::test {
namespace {

class Startup : public SessionFixture {
protected:
    void TearDown() override { app.reset(); }
    // The player as main starts it: its engine is made later, by the app.
    PlayerApp &start(const QStringList &files = {})
    {
        // The video window borrows the view and gives it back when it goes;
        // the view belongs to the engine, here the test.
        app.reset();
        media.running = false;
        media.calls.clear();
        view = std::make_unique<QWidget>();
        media.viewWidget = view.get();
        app = std::make_unique<PlayerApp>(media, desktop, files);
        QObject::connect(&app->session(), &Session::messageRequested,
                         [this](const Message &message) { messages << message; });
        app->start();
        return *app;
    }
    // Until the engine has been started.
    bool engineStarts()
    {
        return QTest::qWaitFor([this] { return media.running; });
    }
    std::unique_ptr<QWidget> view;
    std::unique_ptr<PlayerApp> app;
};

// The player's windows in the order they were shown, and whether the engine
// ran when the first of them was painted.
struct WindowWatch : QObject {
    explicit WindowWatch(const FakeMediaControl &engine) : media(engine) { qApp->installEventFilter(this); }
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *widget = qobject_cast<QWidget *>(watched);
        if (!widget || !widget->isWindow())
            return false;
        if (event->type() == QEvent::Show)
            shown << widget->objectName();
        if (event->type() == QEvent::Paint && !painted) {
            painted = widget;
            engineRan = media.running;
        }
        return false;
    }
    const FakeMediaControl &media;
    QStringList shown;
    QWidget *painted = nullptr;
    bool engineRan = false;
};

TEST_F(Startup, TheEngineStartsOnlyAfterTheFirstWindowIsPainted)
{
    for (const bool splash : {true, false}) {
        SCOPED_TRACE(splash ? "splash" : "no splash");
        setValue(PlayerSettings::Splash, splash ? "yes" : "no");
        app.reset();
        WindowWatch paint(media);
        start();
        QWidget *first = splash ? static_cast<QWidget *>(app->splash()) : app->panel();
        ASSERT_NE(first, nullptr);
        EXPECT_TRUE(first->isVisible());
        EXPECT_FALSE(media.running) << "started before the window was shown";
        ASSERT_TRUE(engineStarts());
        EXPECT_EQ(paint.painted, first);
        EXPECT_FALSE(paint.engineRan) << "started before the first paint";
        EXPECT_EQ(media.calls, QStringList{"start"});
    }
}

// The command line's file opens once the engine is there; the windows show
// in the order they always have, the video window (autostarted) first.
TEST_F(Startup, AutostartedCommandLineFileWaitsForTheEngineNotForTheWindows)
{
    setValue(PlayerSettings::Splash, "no");
    setValue(PlayerSettings::Autostart, "yes");
    const QString clip = makeFile("clip.avi");
    WindowWatch watch(media);
    start({clip});
    EXPECT_EQ(watch.shown, (QStringList{"VideoWindow", "ControlPanel"}));
    EXPECT_TRUE(media.calls.isEmpty());
    ASSERT_TRUE(engineStarts());
    EXPECT_EQ(media.calls, (QStringList{"start", "setFileName " + clip, "play"}));
    EXPECT_EQ(app->session().lines().status(), "clip.avi ");
    EXPECT_EQ(watch.shown, (QStringList{"VideoWindow", "ControlPanel"}));
}

TEST_F(Startup, AWindowNeverPaintedStillGetsTheEngine)
{
    setValue(PlayerSettings::Splash, "no");
    start();
    app->panel()->hide(); // before the event loop could paint it
    EXPECT_TRUE(engineStarts());
}

TEST_F(Startup, AnEngineThatCannotStartIsReportedAndTheRunEndsWithOne)
{
    setValue(PlayerSettings::Splash, "no");
    media.refuseStart = true;
    start({makeFile("clip.avi")});
    QSignalSpy finished(app.get(), &PlayerApp::finished);
    QString shown;
    QTimer answer; // the box is modal: read and close it from inside its loop
    QObject::connect(&answer, &QTimer::timeout, [&] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            shown = box->windowTitle() + ": " + box->text();
            box->accept();
        }
    });
    answer.start(20);
    ASSERT_TRUE(finished.wait());
    EXPECT_EQ(shown, "Fatal error: The playback engine could not be started.\r\n\r\nno engine here");
    EXPECT_EQ(finished.first().first().toInt(), 1);
    EXPECT_FALSE(app->panel()->isVisible());
    EXPECT_FALSE(app->videoWindow()->isVisible());
    EXPECT_EQ(media.calls.filter("setFileName"), QStringList())
        << "no file is handed to an engine that is not there";
}

TEST_F(Startup, NoKeyShowsTheSplashThenThePanel)
{
    start();
    ASSERT_NE(app->splash(), nullptr);
    EXPECT_TRUE(app->splash()->isVisible());
    EXPECT_EQ(app->panel(), nullptr);
    ASSERT_TRUE(engineStarts()) << "while the splash shows";
    QTest::mouseClick(app->splash(), Qt::LeftButton);
    ASSERT_NE(app->panel(), nullptr);
    EXPECT_TRUE(app->panel()->isVisible());
    EXPECT_EQ(app->panel()->size(), QSize(274, 113));
    ASSERT_NE(app->videoWindow(), nullptr);
    EXPECT_FALSE(app->videoWindow()->isVisible());
    EXPECT_EQ(app->panel()->y() + 113, app->videoWindow()->y()) << "placed once the splash is gone";
    EXPECT_FALSE(QFile::exists(store.path())) << "nothing is written at start";
}

TEST_F(Startup, WithoutSplashTheWindowsComeAtOnceInTheirStoredPlaces)
{
    setValue(PlayerSettings::Splash, "no");
    setValue(PlayerSettings::Windowpos, "yes");
    setValue(PlayerSettings::PanelLeft, "1500");
    setValue(PlayerSettings::PanelTop, "3000");
    setValue(PlayerSettings::VideoLeft, "4500");
    setValue(PlayerSettings::VideoTop, "6000");
    start();
    EXPECT_EQ(app->splash(), nullptr);
    ASSERT_NE(app->panel(), nullptr);
    EXPECT_TRUE(app->panel()->isVisible());
    EXPECT_EQ(app->panel()->pos(), QPoint(100, 200));
    EXPECT_EQ(app->videoWindow()->pos(), QPoint(300, 400));
    EXPECT_EQ(app->videoWindow()->size(), QSize(720, 480));
}

TEST_F(Startup, CommandLineFileOpensWithTheSubtitlesBesideIt)
{
    setValue(PlayerSettings::Splash, "no");
    setValue(PlayerSettings::UseSubs, "yes");
    makeFile("clip.sub", "{0}{100}beside\r\n");
    const QString clip = makeFile("clip.avi");
    start({clip});
    EXPECT_EQ(app->session().lines().status(), "Loading file..") << "until the engine is there";
    ASSERT_TRUE(engineStarts());
    EXPECT_EQ(media.calls, (QStringList{"start", "setFileName " + clip}));
    EXPECT_EQ(app->session().lines().status(), "clip.avi loaded..");
    EXPECT_TRUE(messages.isEmpty());
    media.state = PlayState::Playing;
    media.position = 1;
    app->session().clockTick();
    EXPECT_EQ(app->session().subtitles().text(), "beside");
}

// With "Registext" on, the start also makes the installed desktop entry the
// default for the player's file types. (Where it cannot, the desktop defaults
// test has it change nothing.)
TEST_F(Startup, RegistextMakesThePlayerTheDesktopsDefault)
{
    const QString entry = "example.tarvell.QuilvaneRyn.desktop";
    QFile::copy(qEnvironmentVariable("QR_SOURCE_DIR") + "/dist/" + entry, makeFile("entry"));
    for (const bool on : {true, false}) {
        SCOPED_TRACE(on);
        QTemporaryDir xdg;
        QDir(xdg.path()).mkpath("data/applications");
        QDir(xdg.path()).mkpath("config");
        QFile::copy(store.dir() + "/entry", xdg.filePath("data/applications/" + entry));
        qputenv("XDG_DATA_HOME", xdg.filePath("data").toUtf8());
        qputenv("XDG_CONFIG_HOME", xdg.filePath("config").toUtf8());
        setValue(PlayerSettings::Splash, "no");
        setValue(PlayerSettings::Registext, on ? "yes" : "no");
        app.reset();
        start();
        EXPECT_TRUE(app->panel()->isVisible());
        QFile list(xdg.filePath("config/mimeapps.list"));
        EXPECT_EQ(list.open(QIODevice::ReadOnly) &&
                      list.readAll().contains("video/x-msvideo=" + entry.toUtf8()),
                  on);
    }
}

TEST_F(Startup, WindowsFollowTheSession)
{
    setValue(PlayerSettings::Splash, "no");
    start();
    ASSERT_TRUE(engineStarts());
    Session &s = app->session();
    s.openFile(makeFile("clip.avi"));
    s.showZoomStrip();
    ASSERT_NE(app->zoomStrip(), nullptr);
    EXPECT_TRUE(app->zoomStrip()->isVisible());
    EXPECT_EQ(app->zoomStrip()->pos(), app->panel()->pos() - QPoint(app->zoomStrip()->width(), 0));

    s.hideToTray();
    EXPECT_FALSE(app->panel()->isVisible());
    EXPECT_FALSE(app->zoomStrip()->isVisible());
    s.restoreFromTray();
    EXPECT_TRUE(app->panel()->isVisible());
    EXPECT_TRUE(app->zoomStrip()->isVisible());

    s.play();
    EXPECT_TRUE(app->videoWindow()->isVisible());
    QSignalSpy finished(app.get(), &PlayerApp::finished);
    s.quit();
    EXPECT_EQ(finished.count(), 1);
    EXPECT_FALSE(app->videoWindow()->isVisible());
    EXPECT_FALSE(app->zoomStrip()->isVisible());
}

// A quit from outside the windows (a signal) while the splash still shows
// ends the run without putting this run's defaults over the stored values.
TEST_F(Startup, QuitFromOutsideSavesOnlyOnceTheWindowsArePlaced)
{
    const struct {
        const char *what;
        QString splash;
        QString mute, panelLeft; // afterwards
    } cases[] = {
        {"splash showing", "yes", "yes", "1500"},
        {"windows placed", "no", "no", "<placed>"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        TempStore fresh;
        for (const auto &[name, text] : {std::pair{PlayerSettings::Splash, c.splash},
                                         {PlayerSettings::Windowpos, QStringLiteral("yes")},
                                         {PlayerSettings::RememberPlayer, QStringLiteral("yes")},
                                         {PlayerSettings::RememberedMute, QStringLiteral("yes")},
                                         {PlayerSettings::PanelLeft, QStringLiteral("1500")}})
            setValue(name, text);
        start();
        QSignalSpy finished(app.get(), &PlayerApp::finished);
        app->quit();
        ASSERT_EQ(finished.count(), 1);
        EXPECT_EQ(finished.first().first().toInt(), 0);
        EXPECT_TRUE(app->splash() == nullptr || !app->splash()->isVisible());
        EXPECT_EQ(value(PlayerSettings::RememberedMute), c.mute);
        const QString placed = app->panel() ? QString::number(app->panel()->x() * 15) : QString();
        EXPECT_EQ(value(PlayerSettings::PanelLeft), c.panelLeft == "<placed>" ? placed : c.panelLeft);
    }
}

} // namespace
} // namespace qr::test
