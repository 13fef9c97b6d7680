#include "subtitles/SubtitleReader.h"
#include "subtitles/subtitles.h"

#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <limits>

namespace {

// Drives the step tick by tick over a subtitle file, as the clock does.
class SubtitleStepTest : public ::testing::Test {
protected:
    void openSubs(const QByteArray &bytes)
    {
        const QString path = dir.filePath(QStringLiteral("subs.txt"));
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
        f.close();
        ASSERT_TRUE(reader.open(path));
    }

    QString tickAt(double seconds, int fps = 25)
    {
        qr::SubtitleStep([seconds] { return seconds; }, fps, current, reader, &label);
        return label.text();
    }

    QTemporaryDir dir;
    qr::SubtitleReader reader;
    qr::SubtitleEntry current;
    QLabel label;
};

TEST_F(SubtitleStepTest, ShowsTheTextInsideItsFrameRange)
{
    openSubs("{250}{310}Hello\r\n{400}{500}Later\r\n");
    struct Tick {
        double seconds;
        const char *label;
        int currentStart;
    };
    const Tick ticks[] = {
        {9.9, "", 250},      // frame 247: the line is read, not yet shown
        {10.0, "Hello", 250}, // frame 250
        {12.43, "Hello", 250}, // frame 310, the last one
        {12.5, "", 400},     // frame 312: the next line is read, outside its range
        {16.0, "Later", 400},
        {20.0, "Later", 400},  // frame 500, the last one
        {20.08, "", 0},      // past the end of the file: an empty entry
        {30.0, "", 0},
    };
    for (const Tick &t : ticks) {
        EXPECT_EQ(tickAt(t.seconds), QString::fromUtf8(t.label)) << "at " << t.seconds;
        EXPECT_EQ(current.start, t.currentStart) << "at " << t.seconds;
    }
}

TEST_F(SubtitleStepTest, BarsBecomeLineBreaksOnePerTick)
{
    openSubs("{250}{310}Good evening.|Welcome back.\r\n{311}{400}a|b|c\r\n");
    EXPECT_EQ(tickAt(10.0), QStringLiteral("Good evening.\nWelcome back."));
    EXPECT_EQ(tickAt(10.5), QStringLiteral("Good evening.\nWelcome back."));
    EXPECT_EQ(tickAt(12.5), QStringLiteral("a\nb|c"));
    EXPECT_EQ(tickAt(13.0), QStringLiteral("a\nb\nc"));
    EXPECT_EQ(current.text, QStringLiteral("a\nb\nc"));
}

TEST_F(SubtitleStepTest, ConsecutiveEntriesChangeWithoutAnEmptyTick)
{
    openSubs("{100}{120}first\r\n{121}{150}second\r\n");
    EXPECT_EQ(tickAt(120.5 / 25), QStringLiteral("first"));
    EXPECT_EQ(tickAt(121.5 / 25), QStringLiteral("second"));
}

TEST_F(SubtitleStepTest, LinesThatArePastAreConsumedOnePerTick)
{
    // A blank line and a malformed one end at frame 0: each costs one tick.
    openSubs("{10}{20}gone\r\n\r\nno braces\r\n{500}{600}target\r\n");
    const double at = 550.5 / 25;
    EXPECT_EQ(tickAt(at), QString());
    EXPECT_EQ(tickAt(at), QString());
    EXPECT_EQ(tickAt(at), QString());
    EXPECT_EQ(tickAt(at), QStringLiteral("target"));
    // Going back does not bring earlier lines back.
    EXPECT_EQ(tickAt(15.5 / 25), QString());
    EXPECT_EQ(current.text, QStringLiteral("target"));
}

TEST_F(SubtitleStepTest, NothingIsReadAtFrameZeroOrWithoutAFrameRate)
{
    openSubs("{0}{50}first\r\n");
    EXPECT_EQ(tickAt(0.0), QString());
    EXPECT_EQ(tickAt(10.0, 0), QString());
    EXPECT_EQ(current.start, 0);
    EXPECT_EQ(current.text, QString()); // still unread
    EXPECT_EQ(tickAt(0.5), QStringLiteral("first"));
}

TEST_F(SubtitleStepTest, ClosedChannelOrNoWindowShowsNothing)
{
    label.setText(QStringLiteral("old"));
    EXPECT_EQ(tickAt(20.0), QString());
    EXPECT_EQ(current.end, 0);

    openSubs("{0}{1000}text\r\n");
    qr::SubtitleStep([] { return 1.0; }, 25, current, reader, nullptr);
    EXPECT_EQ(current.text, QStringLiteral("text"));
    // A position the engine cannot tell (not a number) matches no range.
    EXPECT_EQ(tickAt(std::numeric_limits<double>::quiet_NaN()), QString());
}

} // namespace
