// Which subtitle text the session shows, tick by tick.
#include "tests/support/SessionFixture.h"

namespace qr::test {
namespace {

class Subtitles : public SessionFixture {
protected:
    void SetUp() override
    {
        setValues({{PlayerSettings::UseSubs, "yes"}, {PlayerSettings::Autostart, "yes"}});
        restart();
        media.fps = 25;
    }
    void openWith(const QByteArray &text, const QString &name = "clip.sub")
    {
        desktop.files = {{makeFile("clip.avi")}, {makeFile(name, text)}};
        session->openFromDialog();
    }
    QString at(double seconds)
    {
        media.position = seconds;
        session->clockTick();
        return session->subtitles().text();
    }
};

TEST_F(Subtitles, RightTextOnTheNextTickWhereverPlaybackGoes)
{
    openWith("{250}{310}first\r\n{40000}{40100}late\r\n");
    EXPECT_TRUE(shown(PlayerWindow::Subtitles));
    for (const auto &[seconds, text] :
         {std::pair{10.0, "first"}, {1600.0, "late"}, {10.0, "first"}, {0.0, ""}, {12.4, "first"}})
        EXPECT_EQ(at(seconds), text) << seconds;

    session->stop();
    EXPECT_EQ(session->subtitles().text(), "first") << "stopped, the text stays";
    session->play();
    EXPECT_EQ(at(10.0), "first") << "stop and play";
    Q_EMIT media.endOfMedia(); // repeat off: the file is let go, its text stays
    EXPECT_EQ(at(1600.0), "first");
    session->setRepeat(true);
    session->play();
    Q_EMIT media.endOfMedia(); // a repeat restart
    EXPECT_EQ(at(1600.0), "late");

    openWith("{0}{100}second file\r\n", "other.sub");
    EXPECT_EQ(at(2.0), "second file");
    session->windowClosed(PlayerWindow::Subtitles);
    EXPECT_EQ(session->subtitles().text(), "");
    session->clockTick();
    EXPECT_TRUE(shown(PlayerWindow::Subtitles)) << "in use, the window comes back";

    media.fps = 29.97;
    openWith("{1000}{1010}cue\r\n");
    EXPECT_EQ(at(1000.5 / 29.97), "cue") << "at the media's frame rate";
}

TEST_F(Subtitles, FilesThatAreNotSubtitles)
{
    openWith("{0}{100}gone\r\n", "vanished.sub");
    QFile::remove(store.dir() + "/vanished.sub");
    session->play(); // reads the file anew: it is gone
    EXPECT_EQ(at(1.0), "");
    EXPECT_TRUE(messages.isEmpty());

    const QString huge = makeFile("huge.sub");
    QFile(huge).resize(SubtitleFile::MaxFileBytes + 1);
    desktop.files = {{makeFile("clip.avi")}, {huge}};
    session->openFromDialog();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0].title, "File access error");
    EXPECT_EQ(messages[0].text, "The file " + huge + " is either corrupt or damaged.");
    EXPECT_FALSE(media.file.isEmpty()) << "the media still plays";
}

// Without one, the subtitle file is missing as it always was; not in use, none is looked for.
TEST_F(Subtitles, AFileBesideTheMediaIsUsed)
{
    const QString clip = makeFile("film.mpg");
    makeFile("film.SRT", "1\r\n00:00:01,000 --> 00:00:02,000\r\n<i>beside</i>\r\n");
    session->openDroppedFiles({clip});
    EXPECT_EQ(at(1.5), "beside");
    remake().loadPanel({clip});
    EXPECT_EQ(at(1.5), "beside") << "from the command line";

    session->openDroppedFiles({makeFile("alone.mpg")});
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0].text, "Subs File \"\" doesnt exist!");
    setValue(PlayerSettings::UseSubs, "no");
    restart().openFile(clip);
    EXPECT_FALSE(shown(PlayerWindow::Subtitles)) << "not in use";
}

} // namespace
} // namespace qr::test
