// The one road by which files reach the engine: checks, messages, status
// texts, autostart, the remembered player state and the subtitle file.
#include "tests/support/SessionFixture.h"

namespace qr::test {
namespace {

using Opening = LoadedSession;

TEST_F(Opening, MissingFilesGetTheirMessageAndReachNothing)
{
    const struct {
        const char *what;
        bool subtitles;
        bool mediaExists;
        QString text;
    } cases[] = {
        {"media missing", false, false, "File \"%1\" doesnt exist!"},
        {"a folder", false, false, "File \"%1\" doesnt exist!"},
        {"subtitles missing", true, true, "Subs File \"%1\" doesnt exist!"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        setValue(PlayerSettings::UseSubs, c.subtitles ? "yes" : "no");
        remake().loadPanel(std::nullopt);
        messages.clear();
        media.calls.clear();
        const QString path = c.mediaExists                   ? makeFile("clip.avi")
                             : QString(c.what) == "a folder" ? store.dir()
                                                             : store.dir() + "/gone.avi";
        const QString subs = store.dir() + "/gone.sub";
        session->openChosenFile(path, subs);
        ASSERT_EQ(messages.size(), 1);
        EXPECT_EQ(messages[0].title, "Fatal error");
        EXPECT_TRUE(messages[0].critical);
        EXPECT_EQ(messages[0].text, c.text.arg(c.subtitles ? subs : path));
        EXPECT_EQ(session->statusLine(), "No media loaded..");
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
        setValue(PlayerSettings::Autostart, c.autostart ? "yes" : "no");
        session->pauseOrResume(); // the clock stops while paused
        session->setShown(PlayerWindow::Video, false);
        media.calls.clear();
        const QString path = makeFile(c.name);
        session->openChosenFile(path, QString());
        EXPECT_EQ(session->statusLine(), c.status);
        EXPECT_EQ(session->currentFile(), path);
        const QStringList expected =
            c.autostart ? QStringList{"setFileName " + path, "play"} : QStringList{"setFileName " + path};
        EXPECT_EQ(media.calls, expected);
        EXPECT_EQ(session->isShown(PlayerWindow::Video), c.autostart);
        EXPECT_EQ(session->clockRunning(), c.autostart);
        media.state = PlayState::Playing;
    }
}

// Remembered mute, repeat and zoom strip apply on every open while
// "RememberPlayer" is on, the first one of a run included; the switches
// show again either way, and always as the engine has them.
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
        for (bool firstOpen : {true, false}) {
            if (firstOpen) {
                remake().loadPanel(std::nullopt);
                media.file.clear();
                media.muted = false;
            }
            EXPECT_FALSE(session->optionButtonsShown() && firstOpen) << "hidden with nothing loaded";
            open();
            EXPECT_EQ(session->muted(), c.muteOn) << firstOpen;
            EXPECT_EQ(media.muted, c.muteOn) << "the engine agrees; first open: " << firstOpen;
            EXPECT_EQ(session->repeatEnabled(), c.repeatOn) << firstOpen;
            EXPECT_EQ(session->zoomStripShown(), c.zoomOn) << firstOpen;
            EXPECT_TRUE(session->optionButtonsShown());
        }
    }
}

TEST_F(Opening, EngineRefusalIsReportedAndLeavesNoMedia)
{
    media.refuseFiles = true;
    session->setShown(PlayerWindow::Video, true);
    const QString path = makeFile("clip.avi");
    session->openChosenFile(path, QString());
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0].title, "Error");
    EXPECT_TRUE(
        messages[0].text.startsWith("An error occured while attempting to play file \"" + path + "\"."));
    EXPECT_TRUE(messages[0].text.contains("(Error code: #-5/Error description: cannot open)"));
    EXPECT_EQ(session->statusLine(), "No media loaded..");
    EXPECT_FALSE(session->isShown(PlayerWindow::Video));
}

TEST_F(Opening, DropsOpenTheFirstPathOnly)
{
    const QString first = makeFile("first.avi");
    const QString second = makeFile("second.avi");
    session->openDroppedFiles({" " + first + " ", second});
    EXPECT_EQ(media.file, first);
    EXPECT_EQ(session->currentFile(), first);

    const QString longName = makeFile(QString(240, QLatin1Char('x')) + ".avi");
    session->openDroppedFiles({longName});
    EXPECT_EQ(media.file, longName) << "long paths are not cut";
    EXPECT_TRUE(messages.isEmpty());
}

// The first window shows before the engine runs; a file asked for meanwhile
// (the command line's, a drop) is checked at once and waits for it, and only
// the last one opens.
TEST_F(Opening, FilesWaitForTheEngine)
{
    media.running = false;
    setValue(PlayerSettings::Autostart, "yes");
    const QString dropped = makeFile("dropped.avi");
    const QString chosen = makeFile("chosen.avi");
    session->volumeDown();
    session->openDroppedFiles({store.dir() + "/gone.avi"});
    EXPECT_EQ(messages.size(), 1) << "a missing file is reported without waiting";
    EXPECT_FALSE(session->isShown(PlayerWindow::Video));
    session->openDroppedFiles({dropped});
    session->openChosenFile(chosen, QString());
    EXPECT_TRUE(media.calls.isEmpty());
    EXPECT_EQ(session->statusLine(), "Loading file..");
    EXPECT_FALSE(session->fileLoaded());
    EXPECT_TRUE(session->isShown(PlayerWindow::Video)) << "shown as it would be with the engine there";
    media.start();
    EXPECT_EQ(media.calls, (QStringList{"start", "setVolume 95", "setFileName " + chosen, "play"}));
    EXPECT_EQ(session->statusLine(), "chosen.avi ");
    media.calls.clear();
    media.start();
    EXPECT_TRUE(media.calls.isEmpty()) << "a second start opens nothing again";
    EXPECT_EQ(messages.size(), 1);
}

TEST_F(Opening, CommandLineFileOrDrops)
{
    const QString real = makeFile("clip.avi");
    const struct {
        const char *what;
        std::optional<QString> file;
        QString status;
        bool missingBox;
        bool drops;
    } cases[] = {
        {"none", std::nullopt, "No media loaded..", false, true},
        {"empty", QString(), "No media loaded..", true, false},
        {"missing", store.dir() + "/gone.avi", "No media loaded..", true, false},
        {"real", real, "clip.avi loaded..", false, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        messages.clear();
        media.file.clear();
        remake().loadPanel(c.file);
        EXPECT_EQ(session->statusLine(), c.status);
        EXPECT_EQ(!messages.isEmpty(), c.missingBox);
        EXPECT_EQ(session->acceptsDroppedFiles(), c.drops);
    }
}

TEST_F(Opening, SubtitlesOpenWithTheFileAndShowTheirWindow)
{
    setValue(PlayerSettings::UseSubs, "yes");
    remake().loadPanel(std::nullopt);
    setValue(PlayerSettings::Autostart, "yes");
    const QString path = makeFile("clip.avi");
    const QString subs = makeFile("clip.sub", "{0}{100}Hello\r\n");
    session->openChosenFile(path, subs);
    EXPECT_TRUE(session->isShown(PlayerWindow::Subtitles));

    setValue(PlayerSettings::UseSubs, "no");
    remake().loadPanel(std::nullopt);
    session->setShown(PlayerWindow::Subtitles, true);
    session->openChosenFile(path, QString());
    EXPECT_FALSE(session->isShown(PlayerWindow::Subtitles));
}

} // namespace
} // namespace qr::test
