// The composition root as main starts it.
#include "app/PlayerApp.h"
#include "settings/RegistryStore.h"
#include "tests/support/SessionFixture.h"
#include "ui/ControlPanel.h"
#include "ui/SplashWindow.h"
#include "ui/VideoWindow.h"

#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <sqlite3.h>

namespace qr::test {
namespace {

// The player's windows in the order they were shown, and whether the engine
// ran when the first of them was painted.
struct WindowWatch : QObject {
    explicit WindowWatch(const FakeMediaControl &engine) : media(engine) { qApp->installEventFilter(this); }
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *widget = qobject_cast<QWidget *>(watched);
        if (widget && widget->isWindow() && event->type() == QEvent::Show)
            shown << widget->objectName();
        if (widget && widget->isWindow() && event->type() == QEvent::Paint && !painted) {
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

class Startup : public SessionFixture {
protected:
    PlayerApp &start(const QStringList &files = {})
    {
        make(files);
        app->start();
        return *app;
    }
    void make(const QStringList &files = {})
    {
        app.reset();
        media.running = false;
        media.calls.clear();
        watch = std::make_unique<WindowWatch>(media);
        view = std::make_unique<QWidget>(); // the engine's, lent to the video window
        media.viewWidget = view.get();
        app = std::make_unique<PlayerApp>(media, desktop, files);
    }
    bool engineStarts()
    {
        return QTest::qWaitFor([this] { return media.running; }, 10000);
    }

    std::unique_ptr<WindowWatch> watch;
    std::unique_ptr<QWidget> view;
    std::unique_ptr<PlayerApp> app;
};

TEST_F(Startup, TheEngineStartsOnlyAfterTheFirstWindowIsPainted)
{
    for (const bool splash : {true, false}) {
        SCOPED_TRACE(splash ? "splash" : "no splash");
        setValue(PlayerSettings::Splash, PlayerSettings::yesNo(splash));
        start();
        QWidget *first = splash ? static_cast<QWidget *>(app->splash()) : app->panel();
        ASSERT_TRUE(first && first->isVisible());
        EXPECT_FALSE(media.running) << "started before the window was shown";
        ASSERT_TRUE(engineStarts());
        EXPECT_EQ(watch->painted, first);
        EXPECT_FALSE(watch->engineRan) << "started before the first paint";
        EXPECT_EQ(media.calls, QStringList{"start"});
        if (!splash)
            continue;
        EXPECT_EQ(app->panel(), nullptr) << "not while the splash shows";
        QTest::mouseClick(app->splash(), Qt::LeftButton);
        ASSERT_TRUE(app->panel() && app->panel()->isVisible() && !app->videoWindow()->isVisible());
        EXPECT_EQ(app->panel()->y() + 113, app->videoWindow()->y()) << "placed once the splash is gone";
    }
    start();
    app->panel()->hide(); // before the event loop could paint it
    EXPECT_TRUE(engineStarts()) << "a window never painted still gets the engine";
}

// The windows show in their usual order, the video window (autostarted) first.
TEST_F(Startup, AutostartedCommandLineFileWaitsForTheEngineNotForTheWindows)
{
    setValues({{PlayerSettings::Splash, "no"}, {PlayerSettings::Autostart, "yes"}});
    const QString clip = makeFile("clip.avi");
    start({clip});
    EXPECT_EQ(watch->shown, (QStringList{"VideoWindow", "ControlPanel"}));
    EXPECT_TRUE(media.calls.isEmpty());
    ASSERT_TRUE(engineStarts());
    EXPECT_EQ(media.calls, (QStringList{"start", "setFileName " + clip, "play"}));
    EXPECT_EQ(watch->shown, (QStringList{"VideoWindow", "ControlPanel"}));
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
    ASSERT_TRUE(finished.wait(60000));
    EXPECT_EQ(shown, "Fatal error: The playback engine could not be started.\r\n\r\nno engine here");
    EXPECT_EQ(finished.first().first().toInt(), 1);
    EXPECT_FALSE(app->panel()->isVisible() || app->videoWindow()->isVisible());
    EXPECT_EQ(media.calls.filter("setFileName"), QStringList()) << "no file for an engine that is not there";
}

// Registext makes the installed desktop entry the default for the player's file types.
TEST_F(Startup, RegistextMakesThePlayerTheDesktopsDefault)
{
    const QString entry = "example.tarvell.QuilvaneRyn.desktop";
    for (const bool on : {true, false}) {
        SCOPED_TRACE(on);
        QTemporaryDir xdg;
        ASSERT_TRUE(QDir(xdg.path()).mkpath("data/applications") && QDir(xdg.path()).mkpath("config"));
        QFile::copy(qEnvironmentVariable("QR_SOURCE_DIR") + "/dist/" + entry,
                    xdg.filePath("data/applications/" + entry));
        qputenv("XDG_DATA_HOME", xdg.filePath("data").toUtf8());
        qputenv("XDG_CONFIG_HOME", xdg.filePath("config").toUtf8());
        setValues({{PlayerSettings::Splash, "no"}, {PlayerSettings::Registext, PlayerSettings::yesNo(on)}});
        start();
        QFile list(xdg.filePath("config/mimeapps.list"));
        EXPECT_EQ(list.open(QIODevice::ReadOnly) &&
                      list.readAll().contains("video/x-msvideo=" + entry.toUtf8()),
                  on);
    }
}

// A store another program keeps from being read: the defaults after one brief wait, and why; quit saves.
TEST_F(Startup, AStoreNobodyCanReadStartsWithTheDefaultsAndSaysSo)
{
    setValues({{PlayerSettings::Splash, "no"},
               {PlayerSettings::Windowpos, "yes"},
               {PlayerSettings::PanelLeft, "1500"}});
    sqlite3 *holder = nullptr;
    ASSERT_EQ(sqlite3_open(qPrintable(store.path()), &holder), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(holder, "PRAGMA locking_mode=EXCLUSIVE; BEGIN EXCLUSIVE; DELETE FROM vals WHERE 0",
                           nullptr, nullptr, nullptr),
              SQLITE_OK);
    const int wait = RegistryStore::BusyTimeout();
    RegistryStore::SetBusyTimeout(RegistryStore::kPlayerBusyTimeoutMs);
    start();
    ASSERT_NE(app->splash(), nullptr) << "the stored Splash=no was read";
    QTest::mouseClick(app->splash(), Qt::LeftButton);
    ASSERT_NE(app->panel(), nullptr);
    EXPECT_EQ(app->session().lines().status(), PlayerApp::StoreBusyHint);
    sqlite3_close(holder);
    app->quit();
    EXPECT_EQ(value(PlayerSettings::PanelLeft), QString::number(app->panel()->x() * 15))
        << "quit saves as ever";
    RegistryStore::SetBusyTimeout(wait);
}

// A signal before the windows exist or while the splash shows ends the run without putting this run's
// defaults over the stored values. Only the first quit saves.
TEST_F(Startup, QuitFromOutsideSavesOnlyOnceTheWindowsArePlaced)
{
    enum First { Signal, SignalBeforeStart, CtrlQ };
    const struct {
        const char *what;
        bool splash;
        First first;
        bool placed;
    } cases[] = {
        {"before the windows exist", false, SignalBeforeStart, false},
        {"splash showing", true, Signal, false},
        {"windows placed", false, Signal, true},
        {"Ctrl+Q first", false, CtrlQ, true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        TempStore fresh;
        setValues({{PlayerSettings::Splash, PlayerSettings::yesNo(c.splash)},
                   {PlayerSettings::Windowpos, "yes"},
                   {PlayerSettings::RememberPlayer, "yes"},
                   {PlayerSettings::RememberedMute, "yes"},
                   {PlayerSettings::PanelLeft, "1500"}});
        make();
        QSignalSpy finished(app.get(), &PlayerApp::finished), saved(&app->session(), &Session::finished);
        if (c.first == SignalBeforeStart) // main takes a waiting signal before it starts the player
            app->quit();
        app->start();
        if (c.first == CtrlQ)
            app->session().quit();
        app->quit();
        app->quit();
        ASSERT_EQ(finished.count(), 1);
        EXPECT_EQ(saved.count(), c.placed ? 1 : 0);
        EXPECT_EQ(app->panel() != nullptr, c.placed);
        EXPECT_EQ(finished.first().first().toInt(), 0);
        EXPECT_TRUE(app->splash() == nullptr || !app->splash()->isVisible());
        EXPECT_EQ(value(PlayerSettings::RememberedMute), c.placed ? "no" : "yes");
        EXPECT_EQ(value(PlayerSettings::PanelLeft),
                  c.placed ? QString::number(app->panel()->x() * 15) : "1500");
    }
}

} // namespace
} // namespace qr::test
