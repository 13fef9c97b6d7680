// The one road by which files reach the engine: the open dialogs, the
// checks and their messages, autostart, the status texts, the remembered
// player state, the engine's failures, the command line and files asked
// for before the engine runs.
#include "tests/support/SessionFixture.h"

#include <QDir>

#include <sys/stat.h>

namespace qr::test {
namespace {

using Opening = SessionFixture;

// What the dialogs are answered: what opens, the status line and the box.
TEST_F(Opening, TheOpenDialogsTheirCancelsAndMissingFiles)
{
    const QString clip = makeFile("clip.avi"), subs = makeFile("clip.sub", "{0}{9}x\r\n");
    const QString gone = store.dir() + "/gone", empty = store.dir() + "/empty",
                  pipe = store.dir() + "/pipe.avi";
    ASSERT_TRUE(QDir(store.dir()).mkdir("empty"));
    ASSERT_EQ(::mkfifo(qPrintable(pipe), 0600), 0);
    const QStringList dialogs{"Open Media", "Open Subtitles Resource"};
    const QString none = "No media loaded..", missing = "Fatal error: %1 \"" + gone + "\" doesnt exist!";
    const QString noSubtitles =
        "Subtitles not loaded.: No Subtitles file selected.  Deselect Subtitles use in the options panel.";
    const struct {
        const char *what;
        bool subtitles, loaded;
        QList<QStringList> answers;
        QString status, box;
    } cases[] = {
        {"media chosen", false, false, {{clip}}, "clip.avi loaded..", ""},
        {"cancelled", false, false, {}, none, ""},
        {"cancelled, a file loaded", false, true, {}, "Load file..", ""},
        {"with subtitles", true, false, {{clip}, {subs}}, "clip.avi loaded..", ""},
        {"subtitles cancelled", true, false, {{clip}}, none, noSubtitles},
        {"subtitles cancelled, a file loaded", true, true, {{clip}}, "Load Subtitles..", ""},
        {"media missing", false, false, {{gone}}, none, missing.arg("File")},
        {"subtitles missing", true, false, {{clip}, {gone}}, none, missing.arg("Subs File")},
        {"a pipe",
         false,
         false,
         {{pipe}},
         none,
         "Fatal error: File \"" + pipe + "\" is not a file that can be played!"},
        {"a folder without media",
         false,
         false,
         {{empty}},
         none,
         "Fatal error: Folder \"" + empty + "\" holds no media files!"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        setValue(PlayerSettings::UseSubs, PlayerSettings::yesNo(c.subtitles));
        restart();
        media.file = c.loaded ? "loaded" : "";
        media.calls.clear();
        desktop.asked.clear();
        desktop.files = c.answers;
        session->openFromDialog();
        EXPECT_EQ(desktop.asked, dialogs.mid(0, c.subtitles && !c.answers.isEmpty() ? 2 : 1));
        EXPECT_EQ(lines().status(), c.status);
        const bool opens = c.status == "clip.avi loaded..";
        EXPECT_EQ(media.file, opens ? clip : c.loaded ? "loaded" : "");
        EXPECT_EQ(media.calls.isEmpty(), !opens) << "nothing else reaches the engine";
        EXPECT_EQ(messages.isEmpty() ? "" : messages[0].title + ": " + messages[0].text, c.box);
        EXPECT_TRUE(!c.box.startsWith("Fatal") || messages[0].critical);
    }
}

// The file goes into the engine before play is called, and the clock runs
// only when the file plays; a long name is cut short.
TEST_F(Opening, AutostartAndStatusTexts)
{
    for (const auto &[name, autostart, status] :
         {std::tuple{"clip.avi", true, "clip.avi "},
          {"abcdefghijklmnopqrstuvwx.avi", false, "abcdefghijklmnopqrstuvwx... loaded.."}}) {
        SCOPED_TRACE(name);
        setValue(PlayerSettings::Autostart, PlayerSettings::yesNo(autostart));
        open("before.avi");
        media.state = PlayState::Playing;
        session->pauseOrResume(); // stops the clock
        session->windowClosed(PlayerWindow::Video);
        media.calls.clear();
        const QString path = makeFile(name);
        session->openFile(path);
        EXPECT_EQ(lines().status(), status);
        EXPECT_EQ(session->playback().currentFile(), path);
        EXPECT_EQ(media.calls, QStringList({"setFileName " + path, "play"}).mid(0, autostart ? 2 : 1));
        EXPECT_EQ(shown(PlayerWindow::Video), autostart);
        EXPECT_EQ(session->clockRunning(), autostart);
    }
}

// Remembered mute, repeat and zoom strip apply at an open while
// "RememberPlayer" is on, each by its own value.
TEST_F(Opening, RememberedPlayerState)
{
    const struct {
        QString remember, mute, repeat, zoom;
        bool muteOn, repeatOn, zoomOn;
    } cases[] = {
        {"no", "yes", "yes", "yes", false, false, false},
        {"yes", "yes", "no", "yes", true, false, true},
        {"yes", "no", "yes", "no", false, true, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE((c.remember + c.mute + c.repeat + c.zoom).toStdString());
        setValues({{PlayerSettings::RememberPlayer, c.remember},
                   {PlayerSettings::RememberedMute, c.mute},
                   {PlayerSettings::RememberedRepeat, c.repeat},
                   {PlayerSettings::RememberedZoomStrip, c.zoom}});
        restart();
        media.muted = false;
        open();
        EXPECT_EQ(session->playback().muted(), c.muteOn);
        EXPECT_EQ(media.muted, c.muteOn);
        EXPECT_EQ(session->playback().repeat(), c.repeatOn);
        EXPECT_EQ(shown(PlayerWindow::ZoomStrip), c.zoomOn);
    }
}

// A remembered volume applies at an open while "RememberPlayer" is on,
// until a volume is chosen in the run; what is missing or malformed is full.
TEST_F(Opening, RememberedVolume)
{
    const std::tuple<const char *, std::optional<QString>, int> rows[] = {
        {"yes", "65", 65},    {"yes", "0", 0},      {"yes", "-1", 100},         {"yes", "101", 100},
        {"yes", "65.5", 100}, {"yes", "loud", 100}, {"yes", std::nullopt, 100}, {"no", "65", 100}};
    for (const auto &[remember, stored, expected] : rows) {
        SCOPED_TRACE(stored.value_or("absent").toStdString() + " " + remember);
        TempStore fresh;
        setValue(PlayerSettings::RememberPlayer, remember);
        if (stored)
            setValue(PlayerSettings::RememberedVolume, *stored);
        media.volumeLevel = 100;
        restart();
        open();
        EXPECT_EQ(session->playback().volume(), expected);
        EXPECT_EQ(media.volumeLevel, expected);
    }
    setValues({{PlayerSettings::RememberPlayer, "yes"}, {PlayerSettings::RememberedVolume, "65"}});
    session->setVolume(30);
    open("second.avi");
    EXPECT_EQ(session->playback().volume(), 30) << "a volume chosen in the run outlasts the next file";
}

// Refused at once or failing later, the file ends in the state without
// media and the "Error" box with the engine's code and words.
TEST_F(Opening, EngineFailuresReturnToNoMedia)
{
    for (const bool refused : {true, false}) {
        SCOPED_TRACE(refused ? "refused" : "failed while playing");
        restart();
        media.refuseFiles = refused;
        const QString path = makeFile("clip.avi");
        session->openFile(path);
        if (!refused) {
            media.openStream(352, 240, 100);
            media.position = 50;
            session->play();
            session->clockTick();
            ASSERT_TRUE(shown(PlayerWindow::Video));
            Q_EMIT media.engineError(-5, "cannot open");
        }
        ASSERT_EQ(messages.size(), 1);
        EXPECT_EQ(messages[0].title, "Error");
        EXPECT_EQ(messages[0].text,
                  "An error occured while attempting to play file \"" + path +
                      "\".\r\n\r\nIf this error occurs again, please send the errorcode/description "
                      "in a mail to support@tarvell.example\r\n\r\n(Error code: #-5/Error "
                      "description: cannot open)");
        EXPECT_TRUE(media.file.isEmpty());
        EXPECT_EQ(lines().status(), "No media loaded..");
        EXPECT_EQ(lines().seekValue(), 0);
        EXPECT_TRUE(lines().timeText().isEmpty() && lines().mediaInfo().isEmpty());
        EXPECT_FALSE(shown(PlayerWindow::Video));
    }
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

} // namespace
} // namespace qr::test
