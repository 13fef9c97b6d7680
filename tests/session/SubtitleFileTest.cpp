#include "session/SubtitleFile.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

using qr::SubtitleFile;
using LoadResult = SubtitleFile::LoadResult;

SubtitleFile loaded(const QByteArray &bytes)
{
    SubtitleFile file;
    EXPECT_EQ(file.loadBytes(bytes), LoadResult::Loaded);
    return file;
}

// The middle of a frame, so that only the frame arithmetic decides.
double atFrame(double frame, double rate = 25) { return (frame + 0.5) / rate; }

TEST(ParseSubtitleLine, SplitsFramesAndTextAndFallsBackFieldByField)
{
    const struct {
        const char *line;
        qint32 start, end;
        const char *text;
    } cases[] = {
        {"{250}{310}Good evening.|Welcome back.", 250, 310, "Good evening.|Welcome back."},
        {"{-5}{+7}a", -5, 7, "a"},
        {"{ 12 }{\t34 }x", 12, 34, "x"},
        {"{1}{2}a}{b", 1, 2, "a}{b"},
        {"{1e3}{2E+1}x", 1000, 20, "x"},
        {"", 0, 0, ""},
        {"no braces at all", 0, 0, "no braces at all"},
        {" {250}{310}lead", 0, 310, "lead"},
        {"{abc}{310}x", 0, 310, "x"},
        {"{250}{1x}x", 250, 0, "x"},
        {"{12}abc", 12, 0, "{12}abc"},
        {"{12", 0, 0, "{12"},
        {"{1}{2", 1, 0, "{1}{2"},
        {"{-2147483648}{2147483647}x", std::numeric_limits<qint32>::min(), 2147483647, "x"},
        {"{-2147483649}{2147483648}x", 0, 0, "x"},
        {"{2.5}{3.5}x", 2, 4, "x"},
        {"{2147483647.5}{-2147483648.5}x", 0, std::numeric_limits<qint32>::min(), "x"},
        {"{1.2.3}{1e}x", 0, 0, "x"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.line);
        const qr::SubtitleEntry e = qr::parseSubtitleLine(QString::fromUtf8(c.line));
        EXPECT_EQ(e.start, c.start);
        EXPECT_EQ(e.end, c.end);
        EXPECT_EQ(e.text, QString::fromUtf8(c.text));
    }
}

TEST(SubtitleFile, ShowsEveryEntryWhoseFramesHoldThePositionInAnyQueryOrder)
{
    const SubtitleFile file = loaded("{250}{310}Hello\n"
                                     "{311}{320}a|b||c\n"
                                     "{400}{500}one\n{450}{460}two\n{420}{455}three\n"
                                     "{40000}{40010}late\n{2000000}{2000001}very late\n");
    const struct {
        double frame;
        const char *shown;
    } queries[] = {{249, ""},
                   {250, "Hello"},
                   {310, "Hello"},
                   {2000001, "very late"},
                   {2000002, ""},
                   {321, ""},
                   {40000, "late"},
                   {39999, ""},
                   {455, "one\ntwo\nthree"},
                   {456, "one\ntwo"},
                   {419, "one"},
                   {311, "a\nb\n\nc"},
                   {40010, "late"},
                   {0, ""},
                   {250, "Hello"}};
    for (const auto &q : queries)
        EXPECT_EQ(file.textAt(atFrame(q.frame), 25), QString::fromUtf8(q.shown)) << "frame " << q.frame;

    for (const double rate : {0.0, -25.0, std::nan("")})
        EXPECT_EQ(file.textAt(10.2, rate), QString()) << rate;
    EXPECT_EQ(file.textAt(std::nan(""), 25), QString());
    EXPECT_EQ(file.textAt(1e300, 25), QString());
}

TEST(SubtitleFile, AFirstLineOfFrameOneOrZeroDeclaresTheRate)
{
    const struct {
        const char *header;
        std::optional<double> rate;
        const char *atFrameOne; // what the header line itself shows, if anything
    } cases[] = {
        {"{1}{1}23.976", 23.976, ""},
        {"{0}{0} 25 ", 25, ""},
        {"{1}{1}1", 1, ""},
        {"{1}{1}240", 240, ""},
        {"{1}{1}0", std::nullopt, "0"},
        {"{1}{1}241", std::nullopt, "241"},
        {"{1}{1}0.99", std::nullopt, "0.99"},
        {"{1}{1}Hello", std::nullopt, "Hello"},
        {"{2}{2}25", std::nullopt, ""},
        {"\n\n{1}{1}30", 30, ""},
        {"{5}{9}x\n{1}{1}30", std::nullopt, "30"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.header);
        const SubtitleFile file = loaded(QByteArray(c.header) + "\n{100}{200}body\n");
        EXPECT_EQ(file.declaredFrameRate(), c.rate);
        EXPECT_EQ(file.textAt(atFrame(1), 25), QString::fromUtf8(c.atFrameOne));
        EXPECT_EQ(file.frameRateFor(50), c.rate.value_or(50));
    }
    const SubtitleFile plain = loaded("{1}{2}x\n");
    for (const double media : {0.0, -1.0, std::nan("")})
        EXPECT_EQ(plain.frameRateFor(media), 25);
}

TEST(SubtitleFile, AFilmLengthFileStaysOnItsCuesToTheEnd)
{
    const double rate = 23.976;
    QByteArray bytes = "{1}{1}23.976\n";
    struct Cue {
        qint32 start, end;
        QString text;
    };
    QList<Cue> cues;
    for (int second = 2; second < 2 * 3600; second += 5) {
        const auto start = qint32(std::lround(second * rate));
        cues.append({start, start + qint32(std::lround(3 * rate)), QStringLiteral("cue %1").arg(second)});
        bytes +=
            QStringLiteral("{%1}{%2}%3\n").arg(start).arg(cues.last().end).arg(cues.last().text).toUtf8();
    }
    const SubtitleFile file = loaded(bytes);
    ASSERT_EQ(file.entryCount(), cues.size());
    const double inUse = file.frameRateFor(25);
    for (const auto &[start, end, text] : cues) {
        EXPECT_EQ(file.textAt(start / rate, inUse), text) << start;
        EXPECT_EQ(file.textAt(end / rate, inUse), text) << end;
        EXPECT_EQ(file.textAt((start - 1) / rate, inUse), QString()) << start;
        EXPECT_EQ(file.textAt((end + 1) / rate, inUse), QString()) << end;
    }
}

TEST(SubtitleFile, LineEndingsBlankAndMalformedLinesGiveTheSameEntries)
{
    const QByteArray files[] = {
        "{25}{50}one\n{75}{100}two\n{125}{150}three",
        "{25}{50}one\r{75}{100}two\r{125}{150}three\r",
        "{25}{50}one\r\n{75}{100}two\r\n{125}{150}three\r\n",
        "\r\n{25}{50}one\n\n\r\rno braces\r\n{12}\n{75}{100}two\r\n{}{}\r{125}{150}three\n\n",
    };
    for (const QByteArray &bytes : files) {
        SCOPED_TRACE(bytes.toStdString());
        const SubtitleFile file = loaded(bytes);
        EXPECT_EQ(file.entryCount(), 3);
        for (const auto &[frame, shown] : {std::pair{30, "one"}, {80, "two"}, {130, "three"}, {110, ""}})
            EXPECT_EQ(file.textAt(atFrame(frame), 25), QString::fromUtf8(shown)) << frame;
    }
}

TEST(SubtitleFile, SubRipIsTimedInMillisecondsWithoutItsTags)
{
    const QByteArray files[] = {
        "1\n00:00:01,000 --> 00:00:02,500\n<i>Hello</i> <B>there</B>\n<font color=\"red\">red</FONT> "
        "<u>u</u>\n\n"
        "2\n00:00:02,500 --> 00:00:04,000\nnext|line\n",
        "\r\n00:00:01.000 --> 00:00:02.500\r\nHello there\r\nred u\r\n\r\n\r\n\r\n"
        "00:00:02.500 --> 00:00:04.000 X1:10 X2:20\r\nnext|line\r\n",
        "1\r00:00:01,000 --> 00:00:02,500\rHello there\rred u\r2\r00:00:02,5 --> 00:00:04,0\rnext|line",
    };
    for (const QByteArray &bytes : files) {
        SCOPED_TRACE(bytes.toStdString());
        const SubtitleFile file = loaded(bytes);
        EXPECT_TRUE(file.isSubRip());
        EXPECT_EQ(file.declaredFrameRate(), std::nullopt);
        const char *first = "Hello there\nred u", *second = "next|line";
        for (const auto &[seconds, shown] :
             {std::pair{0.999, ""}, {1.0, first}, {2.499, first}, {2.5, second}, {3.999, second}, {4.0, ""}})
            EXPECT_EQ(file.textAt(seconds, 7), QString::fromUtf8(shown)) << seconds;
    }
    EXPECT_FALSE(loaded("{1}{2}00:00:01,000 --> 00:00:02,500\n").isSubRip());
}

TEST(SubtitleFile, TextIsUtf8WhenValidOtherwiseWindows1252)
{
    const std::pair<QByteArray, QString> cases[] = {
        {"\xEF\xBB\xBF{1}{50}caf\xC3\xA9", QStringLiteral("café")},
        {"{1}{50}caf\xC3\xA9", QStringLiteral("café")},
        {"{1}{50}caf\xE9 \x93quoted\x94 \x80", QStringLiteral("café \u201Cquoted\u201D \u20AC")},
        {"{1}{20}\xC3\xA9\n{10}{50}\xE9", QStringLiteral("é\né")},
    };
    for (const auto &[bytes, shown] : cases)
        EXPECT_EQ(loaded(bytes).textAt(atFrame(15), 25), shown) << bytes.toStdString();
}

TEST(SubtitleFile, BadFilesGiveNoSubtitlesAndNoFailure)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("clip.sub"));
    const auto write = [&](const QByteArray &bytes) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    };
    SubtitleFile file;
    write("{1}{50}there");
    ASSERT_EQ(file.load(path), LoadResult::Loaded);
    ASSERT_TRUE(QFile::remove(path));
    EXPECT_EQ(file.textAt(1, 25), QStringLiteral("there")) << "read once, in load";
    EXPECT_EQ(file.load(path), LoadResult::Unreadable);
    EXPECT_FALSE(file.isLoaded());
    EXPECT_EQ(file.textAt(1, 25), QString());
    EXPECT_EQ(file.load(dir.path()), LoadResult::Unreadable);

    QByteArray junk(1 << 20, '\0');
    QRandomGenerator random(7);
    for (char &byte : junk)
        byte = char(random.bounded(256));
    write(junk);
    EXPECT_EQ(file.load(path), LoadResult::Loaded);

    const qint64 over = SubtitleFile::MaxFileBytes + 1;
    for (const qint64 size : {SubtitleFile::MaxFileBytes, over}) {
        write("{1}{50}big\n");
        QFile(path).resize(size);
        EXPECT_EQ(file.load(path), size == over ? LoadResult::TooLarge : LoadResult::Loaded) << size;
        EXPECT_EQ(file.textAt(1, 25), size == over ? QString() : QStringLiteral("big"));
    }

    // A line is cut after MaxLineBytes bytes; the rest of it is skipped.
    const qsizetype most = SubtitleFile::MaxLineBytes;
    for (const qsizetype length : {most, most + 1}) {
        const SubtitleFile cut = loaded("{1}{50}" + QByteArray(length - 8, 'x') + "E\n{60}{70}next\n");
        const QString text = cut.textAt(1, 25);
        EXPECT_EQ(text.size(), most - 7) << length;
        EXPECT_EQ(text.endsWith(u'E'), length == most) << length;
        EXPECT_EQ(cut.textAt(atFrame(65), 25), QStringLiteral("next"));
    }
}

TEST(SubtitleFile, FindsTheSubtitleFileBesideTheMedia)
{
    const struct {
        QStringList present;
        const char *media;
        const char *found;
    } cases[] = {
        {{"clip.srt", "clip.txt", "clip.sub"}, "clip.avi", "clip.sub"},
        {{"clip.srt", "clip.txt"}, "clip.avi", "clip.txt"},
        {{"clip.srt", "other.sub"}, "clip.avi", "clip.srt"},
        {{"clip.SUB"}, "clip.avi", "clip.SUB"},
        {{"Clip.sub", "clip.avi.sub", "clip.subs", "clip.sub/"}, "clip.avi", ""},
        {{"a.b.Txt"}, "a.b.mkv", "a.b.Txt"},
        {{}, "clip.avi", ""},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.media);
        QTemporaryDir dir;
        for (const QString &name : c.present) {
            if (name.endsWith(u'/'))
                ASSERT_TRUE(QDir(dir.path()).mkdir(name));
            else
                ASSERT_TRUE(QFile(dir.filePath(name)).open(QIODevice::WriteOnly));
        }
        const QString found = SubtitleFile::findBeside(dir.filePath(QString::fromUtf8(c.media)));
        EXPECT_EQ(found, *c.found ? dir.filePath(QString::fromUtf8(c.found)) : QString());
    }
    EXPECT_EQ(SubtitleFile::findBeside(QString()), QString());
}

} // namespace
