// The one road by which files reach the engine: the open dialogs, the
// checks and their messages, autostart, the status texts, the remembered
// player state, drops, the command line and files asked for before the
// engine runs.
#include "tests/support/SessionFixture.h"

namespace qr::test {
namespace {

class Opening : public SessionFixture {
protected:
    void SetUp() override { restart(); }
};

TEST_F(Opening, TheOpenDialogsAndTheirCancels)
{
    const QString clip = makeFile("clip.avi");
    const QString subs = makeFile("clip.sub", "{0}{9}x\r\n");
    const struct {
        const char *what;
        bool subtitles, loaded;
        QList<QStringList> answers;
        QStringList asked;
        QString status, opened;
        bool box;
    } cases[] = {
        {"media chosen", false, false, {{clip}}, {"Open Media"}, "clip.avi loaded..", clip, false},
        {"cancelled", false, false, {}, {"Open Media"}, "No media loaded..", "", false},
        {"cancelled, a file loaded", false, true, {}, {"Open Media"}, "Load file..", "loaded", false},
        {"with subtitles",
         true,
         false,
         {{clip}, {subs}},
         {"Open Media", "Open Subtitles Resource"},
         "clip.avi loaded..",
         clip,
         false},
        {"subtitles cancelled",
         true,
         false,
         {{clip}},
         {"Open Media", "Open Subtitles Resource"},
         "No media loaded..",
         "",
         true},
        {"subtitles cancelled, a file loaded",
         true,
         true,
         {{clip}},
         {"Open Media", "Open Subtitles Resource"},
         "Load Subtitles..",
         "loaded",
         false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        setValue(PlayerSettings::UseSubs, PlayerSettings::yesNo(c.subtitles));
        restart();
        media.file = c.loaded ? "loaded" : "";
        messages.clear();
        desktop.asked.clear();
        desktop.files = c.answers;
        session->openFromDialog();
        EXPECT_EQ(desktop.asked, c.asked);
        EXPECT_EQ(lines().status(), c.status);
        EXPECT_EQ(media.file, c.opened);
        ASSERT_EQ(messages.size(), c.box ? 1 : 0);
        if (c.box) {
            EXPECT_EQ(messages[0].title, "Subtitles not loaded.");
            EXPECT_EQ(messages[0].text,
                      "No Subtitles file selected.  Deselect Subtitles use in the options panel.");
        }
    }
}

TEST_F(Opening, MissingFilesGetTheirMessageAndReachNothing)
{
    const QString gone = store.dir() + "/gone.avi";
    const struct {
        const char *what;
        bool subtitles;
        QString media, subs, text;
    } cases[] = {
        {"media missing", false, gone, "", "File \"%1\" doesnt exist!"},
        {"a folder", false, store.dir(), "", "Folder \"%1\" holds no media files!"},
        {"subtitles missing", true, "", store.dir() + "/gone.sub", "Subs File \"%1\" doesnt exist!"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        setValue(PlayerSettings::UseSubs, PlayerSettings::yesNo(c.subtitles));
        restart();
        messages.clear();
        media.calls.clear();
        desktop.files = {{c.media.isEmpty() ? makeFile("clip.avi") : c.media}, {c.subs}};
        session->openFromDialog();
        ASSERT_EQ(messages.size(), 1);
        EXPECT_EQ(messages[0].title, "Fatal error");
        EXPECT_TRUE(messages[0].critical);
        EXPECT_EQ(messages[0].text, c.text.arg(c.subtitles ? c.subs : c.media));
        EXPECT_EQ(lines().status(), "No media loaded..");
        EXPECT_TRUE(media.calls.isEmpty()) << "nothing reaches the engine";
    }
}

// The file goes into the engine before play is called, and the clock runs
// only when the file plays.
TEST_F(Opening, AutostartAndStatusTexts)
{
    const struct {
        const char *name;
        bool autostart;
        QString status;
    } cases[] = {
        {"clip.avi", true, "clip.avi "},
        {"clip.avi", false, "clip.avi loaded.."},
        {"abcdefghijklmnopqrstuvwx.avi", false, "abcdefghijklmnopqrstuvwx... loaded.."},
        {"abcdefghijklmnopqrstu.avi", true, "abcdefghijklmnopqrstu.av... "},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        setValue(PlayerSettings::Autostart, PlayerSettings::yesNo(c.autostart));
        session->windowClosed(PlayerWindow::Video);
        media.state = PlayState::Playing;
        session->pauseOrResume(); // with a file loaded, pausing stops the clock
        media.calls.clear();
        const QString path = makeFile(c.name);
        session->openFile(path);
        EXPECT_EQ(lines().status(), c.status);
        EXPECT_EQ(session->playback().currentFile(), path);
        const QStringList expected{"setFileName " + path, "play"};
        EXPECT_EQ(media.calls, expected.mid(0, c.autostart ? 2 : 1));
        EXPECT_EQ(shown(PlayerWindow::Video), c.autostart);
        EXPECT_EQ(session->clockRunning(), c.autostart);
    }
}

// Remembered mute, repeat and zoom strip apply on every open while
// "RememberPlayer" is on; the switches show again either way, as the engine
// has them.
TEST_F(Opening, RememberedPlayerState)
{
    const struct {
        const char *what;
        QString remember, mute, repeat, zoom;
        bool muteOn, repeatOn, zoomOn;
    } cases[] = {
        {"not remembered", "", "yes", "yes", "yes", false, false, false},
        {"all on", "yes", "yes", "yes", "yes", true, true, true},
        {"mute only", "yes", "yes", "no", "no", true, false, false},
        {"repeat only", "yes", "no", "yes", "", false, true, false},
        {"zoom only", "yesterday", "No", "", "yes", false, false, true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        setValue(PlayerSettings::RememberPlayer, c.remember);
        setValue(PlayerSettings::RememberedMute, c.mute);
        setValue(PlayerSettings::RememberedRepeat, c.repeat);
        setValue(PlayerSettings::RememberedZoomStrip, c.zoom);
        restart();
        media.file.clear();
        media.muted = false;
        EXPECT_FALSE(session->playback().optionButtonsShown()) << "hidden with nothing loaded";
        for (int run = 0; run < 2; ++run) {
            open();
            EXPECT_EQ(session->playback().muted(), c.muteOn) << run;
            EXPECT_EQ(media.muted, c.muteOn) << run;
            EXPECT_EQ(session->playback().repeat(), c.repeatOn) << run;
            EXPECT_EQ(shown(PlayerWindow::ZoomStrip), c.zoomOn) << run;
            EXPECT_TRUE(session->playback().optionButtonsShown());
        }
    }
}

// A remembered value applies at an open while "RememberPlayer" is on, until
// a volume is chosen in the run; what is missing or malformed is full.
TEST_F(Opening, RememberedVolume)
{
    const struct {
        QString remember;
        std::optional<QString> stored;
        int expected;
    } cases[] = {
        {"yes", "65", 65},          {"yes", "0", 0},      {"yes", " 40 ", 40},
        {"yes", std::nullopt, 100}, {"yes", "loud", 100}, {"yes", "-1", 100},
        {"yes", "101", 100},        {"yes", "65.5", 100}, {"no", "65", 100},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.stored.value_or("absent").toStdString() + " " + c.remember.toStdString());
        TempStore fresh;
        setValue(PlayerSettings::RememberPlayer, c.remember);
        if (c.stored)
            setValue(PlayerSettings::RememberedVolume, *c.stored);
        media.volumeLevel = 100;
        restart();
        open();
        EXPECT_EQ(session->playback().volume(), c.expected);
        EXPECT_EQ(media.volumeLevel, c.expected);
    }
    setValue(PlayerSettings::RememberPlayer, "yes");
    session->setVolume(30);
    open("second.avi");
    EXPECT_EQ(session->playback().volume(), 30) << "a volume chosen in the run outlasts the next file";
}

TEST_F(Opening, EngineRefusalIsReportedAndLeavesNoMedia)
{
    media.refuseFiles = true;
    const QString path = makeFile("clip.avi");
    session->openFile(path);
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0].title, "Error");
    EXPECT_EQ(messages[0].text,
              "An error occured while attempting to play file \"" + path +
                  "\".\r\n\r\nIf this error occurs again, please send the errorcode/description "
                  "in a mail to support@tarvell.example\r\n\r\n(Error code: #-5/Error "
                  "description: cannot open)");
    EXPECT_EQ(lines().status(), "No media loaded..");
    EXPECT_FALSE(shown(PlayerWindow::Video));
}

TEST_F(Opening, DropsOpenTheFirstPathOnlyTrimmed)
{
    const QString first = makeFile("first.avi");
    session->openDroppedFiles({" " + first + " ", makeFile("second.avi")});
    EXPECT_EQ(media.file, first);
    EXPECT_EQ(session->playback().currentFile(), first);
    session->openDroppedFiles({});
    EXPECT_EQ(media.file, first);
}

// The first window shows before the engine runs; a file asked for meanwhile
// is checked at once and waits for it, and only the last one opens.
TEST_F(Opening, FilesWaitForTheEngine)
{
    media.running = false;
    setValue(PlayerSettings::Autostart, "yes");
    const QString chosen = makeFile("chosen.avi");
    session->volumeDown();
    session->openDroppedFiles({store.dir() + "/gone.avi"});
    EXPECT_EQ(messages.size(), 1) << "a missing file is reported without waiting";
    EXPECT_FALSE(shown(PlayerWindow::Video));
    session->openDroppedFiles({makeFile("dropped.avi")});
    session->openFile(chosen);
    EXPECT_TRUE(media.calls.isEmpty());
    EXPECT_EQ(lines().status(), "Loading file..");
    EXPECT_TRUE(shown(PlayerWindow::Video)) << "shown as it would be with the engine there";
    media.start();
    EXPECT_EQ(media.calls, (QStringList{"start", "setVolume 95", "setFileName " + chosen, "play"}));
    media.calls.clear();
    media.start();
    EXPECT_TRUE(media.calls.isEmpty()) << "a second start opens nothing again";
}

TEST_F(Opening, CommandLineFileOrDrops)
{
    const struct {
        const char *what;
        QStringList files;
        QString status;
        bool box, drops;
    } cases[] = {
        {"none", {}, "No media loaded..", false, true},
        {"empty", {""}, "No media loaded..", true, false},
        {"real", {makeFile("clip.avi")}, "clip.avi loaded..", false, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        messages.clear();
        remake().loadPanel(c.files);
        EXPECT_EQ(lines().status(), c.status);
        EXPECT_EQ(!messages.isEmpty(), c.box);
        EXPECT_EQ(windows().acceptsDroppedFiles(), c.drops);
    }
}

} // namespace
} // namespace qr::test
