#include "core/playback.h"
#include "panel/SkinWidgets.h"
#include "panel/remote.h"
#include "subtitles/frmSub.h"
#include "tests/support/PlayerFixture.h"
#include "video/frmZoom.h"
#include "video/video.h"

#include <QLabel>

namespace qr::test {
namespace {

class Opening : public PlayerFixture {
protected:
    void SetUp() override
    {
        PlayerFixture::SetUp();
        makePanel();
    }
    bool lit(QWidget *w) { return w->isVisibleTo(panel->background); }
};

TEST_F(Opening, MissingFiles)
{
    struct Case {
        const char *what;
        bool subtitles;
        bool mediaExists;
        QString text;
    } cases[] = {
        {"media missing", false, false, "File \"%1\" doesnt exist!"},
        {"subtitles missing", true, true, "Subs File \"%1\" doesnt exist!"},
    };
    for (const Case &c : cases) {
        boxes.clear();
        media.calls.clear();
        player->state.UseSubtitles = c.subtitles;
        const QString path = c.mediaExists ? makeFile(QStringLiteral("clip.avi")) : store.dir() + "/gone.avi";
        const QString subs = store.dir() + "/gone.sub";
        OpenMediaFile(*player, path, subs);
        ASSERT_EQ(boxes.size(), 1) << c.what;
        EXPECT_EQ(boxes[0].title, "Fatal error");
        EXPECT_EQ(boxes[0].icon, MessageBoxRequest::Critical);
        EXPECT_EQ(boxes[0].text, c.text.arg(c.subtitles ? subs : path)) << c.what;
        EXPECT_EQ(panel->status->text(), "No media loaded..");
        EXPECT_TRUE(media.calls.isEmpty()) << "nothing reaches the engine";
    }
}

TEST_F(Opening, AutostartAndStatusTexts)
{
    struct Case {
        const char *name;
        bool autostart;
        QString status;
    } cases[] = {
        {"clip.avi", false, "clip.avi loaded.."},
        {"clip.avi", true, "clip.avi "},
        {"abcdefghijklmnopqrstu.avi", false, "abcdefghijklmnopqrstu.av... loaded.."},
        {"abcdefghijklmnopqrstu.avi", true, "abcdefghijklmnopqrstu.av... "},
    };
    for (const Case &c : cases) {
        setValue(kAutostart, c.autostart ? kYes : kNo);
        player->videoWindow().hide();
        panel->tmrKeepTime.stop();
        media.calls.clear();
        const QString path = makeFile(QString::fromUtf8(c.name));
        OpenMediaFile(*player, path, QString());
        EXPECT_EQ(media.file, path);
        EXPECT_EQ(panel->status->text(), c.status) << c.name;
        EXPECT_EQ(media.calls.contains("play"), c.autostart) << c.name;
        EXPECT_EQ(player->videoWindow().isVisible(), c.autostart) << c.name;
        EXPECT_EQ(panel->tmrKeepTime.isActive(), c.autostart) << c.name;
    }
}

TEST_F(Opening, RememberedPlayerState)
{
    struct Case {
        const char *what;
        QString remember, mute, repeat, view;
        bool muteOn, repeatOn, zoomOn;
    } cases[] = {
        {"not remembered", "", "yes", "yes", "yes", false, false, false},
        {"all on", "yes", "yes", "yes", "yes", true, true, true},
        {"mute only", "yes", "yes", "no", "no", true, false, false},
        {"repeat only", "yes", "no", "yes", "no", false, true, false},
        {"zoom only", "yesterday", "No", "", "yes", false, false, true},
    };
    for (const Case &c : cases) {
        setValue(kRememberPlayer, c.remember);
        setValue(kRMP_Mute, c.mute);
        setValue(kRMP_Repeat, c.repeat);
        setValue(kRMP_PBView, c.view);
        panel->muted_over->hide();
        panel->repeat_over->hide();
        player->zoom().hide();
        player->state.RepeatEnabled = false;
        OpenMediaFile(*player, makeFile(QStringLiteral("clip.avi")), QString());
        EXPECT_EQ(lit(panel->muted_over), c.muteOn) << c.what;
        EXPECT_EQ(lit(panel->repeat_over), c.repeatOn) << c.what;
        EXPECT_EQ(player->state.RepeatEnabled, c.repeatOn) << c.what;
        EXPECT_EQ(player->zoom().isVisible(), c.zoomOn) << c.what;
        EXPECT_TRUE(lit(panel->muted) && lit(panel->repeat)) << c.what;
    }
}

TEST_F(Opening, EngineFailureIsReported)
{
    media.throwing << QStringLiteral("setFileName");
    const QString path = makeFile(QStringLiteral("clip.avi"));
    player->state.CurrentMediaFile = path;
    OpenMediaFile(*player, path, QString());
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_EQ(boxes[0].title, "Error");
    EXPECT_TRUE(boxes[0].text.startsWith("An error occured while attempting to play file \"" + path + "\"."));
    EXPECT_EQ(panel->status->text(), "No media loaded..");
    EXPECT_FALSE(player->videoWindow().isVisible());
}

TEST_F(Opening, LoadCommand)
{
    const QString path = makeFile(QStringLiteral("clip.avi"));
    struct Case {
        const char *what;
        bool subtitles;
        QStringList answers;
        bool loadedBefore;
        QString status;
        bool boxShown;
        bool opened;
    } cases[] = {
        {"cancelled, nothing loaded", false, {""}, false, "No media loaded..", false, false},
        {"cancelled while playing", false, {""}, true, "Load file..", false, false},
        {"chosen", false, {path}, false, "clip.avi loaded..", false, true},
        {"subtitles cancelled, nothing loaded", true, {path, ""}, false, "No media loaded..", true, false},
        {"subtitles cancelled while playing", true, {path, ""}, true, "Load Subtitles..", false, false},
    };
    for (const Case &c : cases) {
        boxes.clear();
        media.file = c.loadedBefore ? QStringLiteral("/old.avi") : QString();
        player->state.UseSubtitles = c.subtitles;
        dialogAnswers = c.answers;
        panel->load_Click();
        EXPECT_EQ(panel->status->text(), c.status) << c.what;
        EXPECT_EQ(!boxes.isEmpty(), c.boxShown) << c.what;
        if (c.boxShown) {
            EXPECT_EQ(boxes[0].title, "Subtitles not loaded.");
            EXPECT_EQ(boxes[0].text, "No Subtitles file selected.  Deselect Subtitles use in the options panel.");
        }
        EXPECT_EQ(media.file == path, c.opened) << c.what;
    }
}

TEST_F(Opening, SubtitleChannelAndWindow)
{
    player->state.UseSubtitles = true;
    const QString path = makeFile(QStringLiteral("clip.avi"));
    const QString subs = makeFile(QStringLiteral("clip.sub"));
    OpenMediaFile(*player, path, subs);
    EXPECT_EQ(player->videoWindow().subsfile->text(), subs);
    EXPECT_TRUE(player->subtitleWindow().isVisible());
    player->state.UseSubtitles = false;
    OpenMediaFile(*player, path, QString());
    EXPECT_FALSE(player->subtitleWindow().isVisible());
}

} // namespace
} // namespace qr::test
