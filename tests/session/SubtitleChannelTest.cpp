#include "session/SubtitleChannel.h"

#include <QFile>
#include <QTemporaryDir>

#include <limits>

#include <gtest/gtest.h>

namespace {

TEST(ParseSubtitleLine, SplitsFramesAndTextAndFallsBackFieldByField)
{
    const struct {
        const char *line;
        int start, end;
        const char *text;
    } cases[] = {
        {"{250}{310}Good evening.|Welcome back.", 250, 310, "Good evening.|Welcome back."},
        {"{-5}{+7}a", -5, 7, "a"},
        {"{ 12 }{\t34 }x", 12, 34, "x"},
        {"{1}{2}a}{b", 1, 2, "a}{b"},
        // failures: a field that does not parse reads 0; without both fields the line is all text
        {"", 0, 0, ""},
        {"no braces at all", 0, 0, "no braces at all"},
        {" {250}{310}lead", 0, 310, "lead"},
        {"x{250}{310}lead", 0, 310, "lead"},
        {"{abc}{310}x", 0, 310, "x"},
        {"{250}{1x}x", 250, 0, "x"},
        {"{}{}x", 0, 0, "x"},
        {"{1}{40000}x", 1, 0, "x"},
        {"{-32769}{32768}x", 0, 0, "x"},
        {"{-32768}{32767}x", -32768, 32767, "x"},
        {"{12}abc", 12, 0, "{12}abc"},
        {"{12", 0, 0, "{12"},
        {"{1}{2", 1, 0, "{1}{2"},
        // fractions round halves to even; 32767.5 rounds out of range
        {"{2.5}{3.5}x", 2, 4, "x"},
        {"{-0.5}{10.49}x", 0, 10, "x"},
        {"{32767.5}{-32768.5}x", 0, -32768, "x"},
        {"{1.2.3}{+-1}x", 0, 0, "x"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.line);
        const qr::SubtitleEntry e = qr::parseSubtitleLine(QString::fromUtf8(c.line));
        EXPECT_EQ(e.start, c.start);
        EXPECT_EQ(e.end, c.end);
        EXPECT_EQ(e.text, QString::fromUtf8(c.text));
    }
}

class Subtitles : public ::testing::Test {
protected:
    QString write(const QByteArray &bytes)
    {
        const QString path = dir.filePath(QStringLiteral("subs%1.txt").arg(++count));
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return path;
    }
    void open(const QByteArray &bytes) { ASSERT_TRUE(reader.open(write(bytes))); }

    // What `reads` reads give, trailing empty reads dropped.
    QStringList readAll(const QByteArray &bytes, int reads = 10)
    {
        open(bytes);
        QStringList lines;
        for (int i = 0; i < reads; ++i)
            lines << reader.readLine();
        while (!lines.isEmpty() && lines.last().isEmpty())
            lines.removeLast();
        return lines;
    }

    // One tick of the clock at the given position.
    QString tickAt(double seconds, int fps = 25)
    {
        return reader.step([seconds] { return seconds; }, fps);
    }

    QTemporaryDir dir;
    int count = 0;
    qr::SubtitleChannel reader;
};

TEST_F(Subtitles, LineEndingsAndCharacterSets)
{
    const std::pair<QByteArray, QStringList> cases[] = {
        {"{1}{2}a\r\n{3}{4}b\r\n", {"{1}{2}a", "{3}{4}b"}},
        {"{1}{2}a\r{3}{4}b\r", {"{1}{2}a", "{3}{4}b"}},
        {"{1}{2}a\r\n{3}{4}b", {"{1}{2}a", "{3}{4}b"}},
        {"{1}{2}a\n{3}{4}b\n", {"{1}{2}a\n{3}{4}b\n"}}, // a lone line feed stays inside the line
        {"a\r\n\r\nb\r\n", {"a", "", "b"}},             // a blank line costs a read of its own
        {"a\r\r\nb", {"a", "", "b"}},                   // CR CR LF: the LF belongs to the second ending
        {"", {}},
        // UTF-8 with and without a byte-order mark; Windows-1252 when not UTF-8
        {"\xEF\xBB\xBF{1}{2}caf\xC3\xA9\r\n", {QStringLiteral("{1}{2}café")}},
        {"{1}{2}caf\xC3\xA9", {QStringLiteral("{1}{2}café")}},
        {"{1}{2}caf\xE9 \x93quoted\x94 \x80", {QStringLiteral("{1}{2}café \u201Cquoted\u201D \u20AC")}},
    };
    for (const auto &[bytes, lines] : cases)
        EXPECT_EQ(readAll(bytes), lines) << bytes.toStdString();
}

TEST_F(Subtitles, LinesAcrossBufferBoundariesAndOverlongLines)
{
    QByteArray bytes;
    QStringList expected;
    for (int i = 0; i < 20000; ++i) {
        const QByteArray line = "{" + QByteArray::number(i) + "}{" + QByteArray::number(i + 1) + "}text";
        bytes += line + "\r\n";
        expected << QString::fromLatin1(line);
    }
    EXPECT_EQ(readAll(bytes, 20002), expected);

    const QStringList cut =
        readAll(QByteArray(qr::SubtitleChannel::MaxLineBytes + 1000, 'x') + "\r\n{1}{2}next\r\n");
    ASSERT_EQ(cut.size(), 2);
    EXPECT_EQ(cut[0].size(), qr::SubtitleChannel::MaxLineBytes);
    EXPECT_EQ(cut[1], QStringLiteral("{1}{2}next"));
}

TEST_F(Subtitles, ReopenRestartsAndFailuresLeaveTheChannelClosed)
{
    EXPECT_EQ(reader.readLine(), QString());
    const QString file = write("one\r\ntwo\r\n");
    for (int i = 0; i < 2; ++i) {
        ASSERT_TRUE(reader.open(file));
        EXPECT_EQ(reader.readLine(), QStringLiteral("one"));
    }
    EXPECT_FALSE(reader.open(dir.filePath(QStringLiteral("missing.txt"))));
    EXPECT_EQ(reader.readLine(), QString());
    ASSERT_TRUE(reader.open(file));
    EXPECT_FALSE(reader.open(dir.path())); // a folder
    EXPECT_EQ(reader.readLine(), QString());
    ASSERT_TRUE(reader.open(file));
    reader.close();
    EXPECT_FALSE(reader.isOpen());
    EXPECT_EQ(reader.readLine(), QString());
}

TEST_F(Subtitles, ShowsTheTextInsideItsFrameRange)
{
    open("{250}{310}Hello\r\n{311}{320}Next\r\n{400}{500}Later\r\n");
    const struct {
        double seconds;
        const char *label;
        int currentStart;
    } ticks[] = {
        {9.9, "", 250},        // frame 247: the line is read, not yet shown
        {10.0, "Hello", 250},  // frame 250
        {12.43, "Hello", 250}, // frame 310, the last one
        {12.45, "Next", 311},  // the next entry follows without an empty tick
        {12.85, "", 400},      // frame 321: the next line is read, outside its range
        {20.0, "Later", 400},  // frame 500, the last one
        {20.08, "", 0},        // past the end of the file: an empty entry
    };
    for (const auto &t : ticks) {
        EXPECT_EQ(tickAt(t.seconds), QString::fromUtf8(t.label)) << "at " << t.seconds;
    }
}

TEST_F(Subtitles, BarsBecomeLineBreaksOnePerTick)
{
    open("{250}{310}Good evening.|Welcome back.\r\n{311}{400}a|b|c\r\n");
    EXPECT_EQ(tickAt(10.0), QStringLiteral("Good evening.\nWelcome back."));
    EXPECT_EQ(tickAt(12.5), QStringLiteral("a\nb|c"));
    EXPECT_EQ(tickAt(13.0), QStringLiteral("a\nb\nc"));
}

TEST_F(Subtitles, LinesThatArePastAreConsumedOnePerTick)
{
    // A blank line and a malformed one end at frame 0: each costs one tick.
    open("{10}{20}gone\r\n\r\nno braces\r\n{500}{600}target\r\n");
    const double at = 550.5 / 25;
    for (const char *shown : {"", "", "", "target"})
        EXPECT_EQ(tickAt(at), QString::fromUtf8(shown));
    EXPECT_EQ(tickAt(15.5 / 25), QString()) << "going back does not bring earlier lines back";
    EXPECT_EQ(tickAt(550.5 / 25), QStringLiteral("target"));
}

TEST_F(Subtitles, NothingIsShownWithoutAChannelAFrameOrAPosition)
{
    EXPECT_EQ(tickAt(20.0), QString()); // closed channel

    open("{0}{50}first\r\n");
    EXPECT_EQ(tickAt(0.0), QString());
    EXPECT_EQ(tickAt(10.0, 0), QString());
    EXPECT_EQ(tickAt(0.5), QStringLiteral("first"));
    // A position the engine cannot tell (not a number) matches no range.
    EXPECT_EQ(tickAt(std::numeric_limits<double>::quiet_NaN()), QString());
    EXPECT_EQ(tickAt(0.5), QStringLiteral("first"));
}

} // namespace
