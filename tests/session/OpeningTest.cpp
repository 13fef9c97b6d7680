// The one road by which files reach the engine.
#include "tests/support/SessionFixture.h"

#include <QDir>

#include <sys/stat.h>

namespace qr::test {
namespace {

using Opening = SessionFixture;

TEST_F(Opening, TheOpenDialogsTheirCancelsAndMissingFiles)
{
    const QString clip = makeFile("clip.avi"), subs = makeFile("clip.sub", "{0}{9}x\r\n");
    const QString gone = store.dir() + "/gone", empty = store.dir() + "/empty",
                  pipe = store.dir() + "/pipe.avi";
    ASSERT_TRUE(QDir(store.dir()).mkdir("empty"));
    ASSERT_EQ(::mkfifo(qPrintable(pipe), 0600), 0);
    const QStringList dialogs{"Open Media", "Open Subtitles Resource"};
    const QString none = "No media loaded..", missing = "Fatal error: %1 \"" + gone + "\" doesnt exist!";
    const QString noFiles = "Fatal error: Folder \"" + empty + "\" holds no media files!";
    const QString notPlayable = "Fatal error: File \"" + pipe + "\" is not a file that can be played!";
    const QString noSubtitles =
        "Subtitles not loaded.: No Subtitles file selected.  Deselect Subtitles use in the options panel.";
    const struct {
        const char *what;
        bool subtitles, loaded;
        QList<QStringList> answers;
        QString status, box;
    } cases[] = {{"media chosen", false, false, {{clip}}, "clip.avi loaded..", ""},
                 {"cancelled", false, false, {}, none, ""},
                 {"cancelled, a file loaded", false, true, {}, "Load file..", ""},
                 {"with subtitles", true, false, {{clip}, {subs}}, "clip.avi loaded..", ""},
                 {"subtitles cancelled", true, false, {{clip}}, none, noSubtitles},
                 {"subtitles cancelled, a file loaded", true, true, {{clip}}, "Load Subtitles..", ""},
                 {"media missing", false, false, {{gone}}, none, missing.arg("File")},
                 {"subtitles missing", true, false, {{clip}, {gone}}, none, missing.arg("Subs File")},
                 {"a pipe", false, false, {{pipe}}, none, notPlayable},
                 {"a folder without media", false, false, {{empty}}, none, noFiles}};
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

// The file goes into the engine before play; the clock runs only when it plays.
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

// Each remembered value applies at an open while "RememberPlayer" is on; a volume missing or
// malformed is full, and one chosen in the run outlasts the next file.
TEST_F(Opening, RememberedPlayerState)
{
    // remember, the stored mute, repeat and zoom strip, the stored volume; what is on, the volume
    using Row = std::tuple<const char *, QString, std::optional<QString>, QString, int>;
    for (const auto &[remember, stored, volume, on, percent] : {Row{"no", "yes yes yes", "65", "", 100},
                                                                {"yes", "yes no yes", "65", "mute zoom", 65},
                                                                {"yes", "no yes no", "0", "repeat", 0},
                                                                {"yes", "no no no", "-1", "", 100},
                                                                {"yes", "no no no", "101", "", 100},
                                                                {"yes", "no no no", "65.5", "", 100},
                                                                {"yes", "no no no", "loud", "", 100},
                                                                {"yes", "no no no", std::nullopt, "", 100}}) {
        SCOPED_TRACE((remember + (" " + stored) + " " + volume.value_or("absent")).toStdString());
        TempStore fresh;
        const QStringList s = stored.split(' ');
        setValues({{PlayerSettings::RememberPlayer, remember},
                   {PlayerSettings::RememberedMute, s[0]},
                   {PlayerSettings::RememberedRepeat, s[1]},
                   {PlayerSettings::RememberedZoomStrip, s[2]}});
        if (volume)
            setValue(PlayerSettings::RememberedVolume, *volume);
        media.volumeLevel = 100;
        restart();
        media.muted = false;
        open();
        EXPECT_EQ(session->playback().muted(), on.contains("mute"));
        EXPECT_EQ(media.muted, on.contains("mute"));
        EXPECT_EQ(session->playback().repeat(), on.contains("repeat"));
        EXPECT_EQ(shown(PlayerWindow::ZoomStrip), on.contains("zoom"));
        EXPECT_EQ(session->playback().volume(), percent);
        EXPECT_EQ(media.volumeLevel, percent);
    }
    setValues({{PlayerSettings::RememberPlayer, "yes"}, {PlayerSettings::RememberedVolume, "65"}});
    session->setVolume(30);
    open("second.avi");
    EXPECT_EQ(session->playback().volume(), 30);
}

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

// A file asked for meanwhile is checked at once; only the last one opens.
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
