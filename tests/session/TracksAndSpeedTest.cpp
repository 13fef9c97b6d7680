// What the menu offers beyond the skin.
#include "session/TrackNames.h"
#include "tests/support/SessionFixture.h"

#include <QDir>

namespace qr::test {
namespace {

using Kind = MediaTrack::Kind;

class Menu : public SessionFixture {
protected:
    void SetUp() override
    {
        media.trackList = {{Kind::Audio, 1, "eng", "", "ac3", 6},
                           {Kind::Audio, 2, "ger", "Commentary", "aac", 2},
                           {Kind::Subtitle, 3, "eng", "", "subrip"},
                           {Kind::Subtitle, 4, "", "", "hdmv_pgs_subtitle", 0, true}};
        media.chosenAudio = 1;
        open("film.mkv");
        media.openStream(640, 360, 100);
    }
};

TEST(TrackNames, LanguageTitleCodecAndChannels)
{
    const std::pair<MediaTrack, const char *> cases[] = {
        {{Kind::Audio, 2, "eng", "", "ac3", 6}, "2: English (AC-3 5.1)"},
        {{Kind::Audio, 3, "ger", "Commentary", "aac", 2}, "3: German, Commentary (AAC stereo)"},
        {{Kind::Audio, 4, "", "", "pcm_s16le", 1}, "4: Track 4 (PCM mono)"},
        {{Kind::Audio, 5, "xx-unknown", "", "weird", 3}, "5: xx-unknown (WEIRD 3 channels)"},
        {{Kind::Subtitle, 6, "fre", "", "subrip", 2}, "6: French (SubRip)"},
        {{Kind::Subtitle, 7, "", "", "hdmv_pgs_subtitle"}, "7: Track 7 (PGS)"},
    };
    for (const auto &[track, label] : cases)
        EXPECT_EQ(trackLabel(track), label);
}

// The engine's own choice is followed without a subtitle file; a picture track is the engine's to draw.
TEST_F(Menu, SubtitleTracksAndFiles)
{
    media.chosenSubtitle = 3;
    open("film.mkv");
    media.openStream(640, 360, 100); // chosen before the stream opened, as the engine does
    EXPECT_EQ(session->subtitles().trackId(), 3);
    EXPECT_TRUE(shown(PlayerWindow::Subtitles));
    session->windowClosed(PlayerWindow::Subtitles);
    ASSERT_FALSE(shown(PlayerWindow::Subtitles));
    session->subtitlesFromTrack(3);
    EXPECT_EQ(media.chosenSubtitle, 3);
    EXPECT_TRUE(shown(PlayerWindow::Subtitles));
    media.subtitleText = "<i>Hello</i>\nthere";
    media.state = PlayState::Playing;
    session->clockTick();
    EXPECT_EQ(session->subtitles().text(), "Hello\nthere");
    EXPECT_EQ(session->subtitleChoiceLabel(), "3: English (SubRip)");

    session->subtitlesFromTrack(4);
    EXPECT_EQ(session->subtitles().text(), "");
    EXPECT_FALSE(shown(PlayerWindow::Subtitles)) << "drawn on the picture";

    session->subtitlesOff();
    EXPECT_EQ(media.chosenSubtitle, 0);
    media.chosenSubtitle = 3; // the engine picking a track of its own now is not followed
    Q_EMIT media.tracksChanged();
    EXPECT_EQ(session->subtitleChoiceLabel(), "Off");

    desktop.files = {{makeFile("film.srt", "1\n00:00:01,000 --> 00:00:03,000\nfrom a file\n")}};
    session->loadSubtitleFile();
    EXPECT_EQ(desktop.asked.last(), "Open Subtitles Resource");
    EXPECT_EQ(media.chosenSubtitle, 0);
    media.position = 2;
    session->clockTick();
    EXPECT_EQ(session->subtitles().text(), "from a file");
    EXPECT_TRUE(shown(PlayerWindow::Subtitles));
    session->chooseAudioTrack(2);
    EXPECT_EQ(media.chosenAudio, 2);
}

TEST_F(Menu, SpeedStepsAndLimits)
{
    const std::tuple<double, void (Session::*)(), double> steps[] = {
        {1.0, &Session::speedUp, 1.25},  {1.1, &Session::speedUp, 1.25}, {2.0, &Session::speedUp, 2.0},
        {1.0, &Session::slowDown, 0.75}, {1.1, &Session::slowDown, 1.0}, {0.5, &Session::slowDown, 0.5},
        {0.3, &Session::slowDown, 0.5}};
    for (const auto &[from, change, to] : steps) {
        media.speedFactor = from;
        (session.get()->*change)();
        EXPECT_DOUBLE_EQ(media.speedFactor, to) << from;
    }
    for (const auto &[asked, set] : {std::pair{1.25, 1.25}, {0.1, 0.25}, {9.0, 4.0}}) {
        session->setSpeed(asked);
        EXPECT_DOUBLE_EQ(media.speedFactor, set) << asked;
    }
    EXPECT_EQ(lines().status(), "Speed 4x");
    media.file.clear();
    session->setSpeed(1.0);
    EXPECT_DOUBLE_EQ(media.speedFactor, 4.0) << "nothing loaded";
}

// A new file, played at once whatever autostart says, starts with its own aspect.
TEST_F(Menu, AspectRatioResizesTheWindow)
{
    session->chooseAspect(2);
    EXPECT_EQ(media.calls.last(), "setAspectRatio " + QString::number(16.0 / 9));
    media.width = 640;
    media.height = 480;
    Q_EMIT media.pictureSizeChanged();
    EXPECT_EQ(lines().mediaInfo(), "640 x 480 MKV [638x467]");
    EXPECT_EQ(session->video().aspectChoice(), 2);
    session->openAndPlay(makeFile("next.mkv"));
    EXPECT_EQ(session->video().aspectChoice(), 0);
    EXPECT_EQ(media.state, PlayState::Playing);
}

TEST_F(Menu, ScreenshotsAreNamedAfterTheFileAndThePosition)
{
    desktop.pictures = store.dir();
    media.position = 754.4;
    for (const char *name : {"film - 0.12.34.png", "film - 0.12.34 (2).png"}) {
        session->takeScreenshot();
        const QString path = store.dir() + "/" + name;
        EXPECT_TRUE(QFile::exists(path)) << name;
        EXPECT_EQ(lines().status(), "Screenshot saved to " + path);
    }
    media.openStream(0, 0, 100);
    session->takeScreenshot();
    EXPECT_EQ(QDir(store.dir()).entryList({"film - *"}).size(), 2) << "no picture, no screenshot";
}

TEST_F(Menu, FeedbackOnlyInFullScreen)
{
    media.position = 50;
    for (const DisplaySize display : {DisplaySize::Windowed, DisplaySize::FullScreen}) {
        media.display = display;
        media.calls.clear();
        session->volumeDown();
        session->stepForward();
        session->speedUp();
        Q_EMIT media.picturePointerMoved();
        const QStringList full{"showOnScreen Volume 90%", "showOnScreen 0:01:00 / 0:01:40",
                               "showOnScreen Speed 1.5x", "showOnScreen 0:01:00 / 0:01:40"};
        EXPECT_EQ(media.calls.filter("showOnScreen"),
                  display == DisplaySize::FullScreen ? full : QStringList());
    }
}

} // namespace
} // namespace qr::test
