// The subtitle file. (Any bytes at all are the fuzz target's.)
#include "session/SubtitleFile.h"
#include "tests/support/QtPrinters.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace qr::test {
namespace {

using LoadResult = SubtitleFile::LoadResult;

SubtitleFile loaded(const QByteArray &bytes)
{
    SubtitleFile file;
    EXPECT_EQ(file.loadBytes(bytes), LoadResult::Loaded);
    return file;
}

// The middle of a frame, so that only the frame arithmetic decides.
double atFrame(double frame) { return (frame + 0.5) / 25; }

// Each field falls back to 0 on its own; the text follows the second "}".
TEST(ParseSubtitleLine, SplitsFramesAndTextAndFallsBackFieldByField)
{
    constexpr qint32 Min = std::numeric_limits<qint32>::min(), Max = std::numeric_limits<qint32>::max();
    // line, start, end, text
    const std::tuple<const char *, qint32, qint32, const char *> rows[] = {
        {"{250}{310}a|b", 250, 310, "a|b"},
        {"{ -5 }{\t+7 }a", -5, 7, "a"},
        {"{1}{2}a}{b", 1, 2, "a}{b"},
        {"{1e3}{2E+1}x", 1000, 20, "x"},
        {"no braces", 0, 0, "no braces"},
        {" {250}{310}lead", 0, 310, "lead"},
        {"{abc}{310}x", 0, 310, "x"},
        {"{250}{1e}x", 250, 0, "x"},
        {"{1.2.3}{2x}x", 0, 0, "x"},
        {"{12}abc", 12, 0, "{12}abc"},
        {"{12", 0, 0, "{12"},
        {"{1}{2", 1, 0, "{1}{2"},
        {"{-2147483648}{3.5}x", Min, 4, "x"},
        {"{2.5}{2147483647}x", 2, Max, "x"},
        {"{-2147483649}{2147483648}x", 0, 0, "x"},
        {"{2147483647.5}{-2147483648.5}x", 0, Min, "x"}};
    for (const auto &[line, start, end, text] : rows) {
        const SubtitleEntry e = parseSubtitleLine(QString::fromUtf8(line));
        EXPECT_EQ(std::tuple(e.start, e.end, e.text), std::tuple(start, end, QString::fromUtf8(text)))
            << line;
    }
}

TEST(SubtitleFile, ShowsEveryEntryWhoseFramesHoldThePositionInAnyQueryOrder)
{
    const SubtitleFile file = loaded("{250}{310}Hello\n{311}{320}a|b||c\n{400}{500}one\n{450}{460}two\n"
                                     "{420}{455}three\n{40000}{40010}late\n{2000000}{2000001}very late\n");
    for (const auto &[frame, shown] : {std::pair{249, ""},
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
                                       {250, "Hello"}})
        EXPECT_EQ(file.textAt(atFrame(frame), 25), QString::fromUtf8(shown)) << "frame " << frame;
    for (const double rate : {0.0, -25.0, std::nan("")})
        EXPECT_EQ(file.textAt(10.2, rate), QString()) << rate;
    EXPECT_EQ(file.textAt(std::nan(""), 25), QString());
    EXPECT_EQ(file.textAt(1e300, 25), QString());
}

// Of 1 to 240; the media's rate otherwise, and 25 without one.
TEST(SubtitleFile, AFirstLineOfFrameOneOrZeroDeclaresTheRate)
{
    using Row = std::tuple<const char *, std::optional<double>, const char *>; // the line shows at frame 1
    for (const auto &[header, rate, atFrameOne] : {Row{"{1}{1}23.976", 23.976, ""},
                                                   {"{0}{0} 25 ", 25, ""},
                                                   {"{1}{1}1", 1, ""},
                                                   {"{1}{1}240", 240, ""},
                                                   {"{1}{1}0.99", std::nullopt, "0.99"},
                                                   {"{1}{1}241", std::nullopt, "241"},
                                                   {"{1}{1}Hello", std::nullopt, "Hello"},
                                                   {"{2}{2}25", std::nullopt, ""},
                                                   {"\n\n{1}{1}30", 30, ""},
                                                   {"{5}{9}x\n{1}{1}30", std::nullopt, "30"}}) {
        const SubtitleFile file = loaded(QByteArray(header) + "\n{100}{200}body\n");
        EXPECT_EQ(file.declaredFrameRate(), rate) << header;
        EXPECT_EQ(file.textAt(atFrame(1), 25), QString::fromUtf8(atFrameOne)) << header;
        EXPECT_EQ(file.frameRateFor(50), rate.value_or(50)) << header;
    }
    for (const double media : {0.0, -1.0, std::nan("")})
        EXPECT_EQ(loaded("{1}{2}x\n").frameRateFor(media), 25);
}

// Two hours, a cue every 5 s.
TEST(SubtitleFile, AFilmLengthFileStaysOnItsCuesToTheEnd)
{
    const double rate = 23.976;
    QByteArray bytes = "{1}{1}23.976\n";
    QList<qint32> starts;
    for (int second = 2; second < 2 * 3600; second += 5) {
        starts << qint32(std::lround(second * rate));
        bytes += QStringLiteral("{%1}{%2}cue %1\n").arg(starts.last()).arg(starts.last() + 72).toUtf8();
    }
    const SubtitleFile file = loaded(bytes);
    ASSERT_EQ(file.entryCount(), starts.size());
    for (const qint32 start : starts)
        for (const auto &[frame, shown] :
             {std::pair{start - 1, false}, {start, true}, {start + 72, true}, {start + 73, false}})
            EXPECT_EQ(file.textAt(frame / rate, file.frameRateFor(25)),
                      shown ? QString("cue %1").arg(start) : "")
                << frame;
}

TEST(SubtitleFile, LineEndingsBlankAndMalformedLinesGiveTheSameEntries)
{
    for (const QByteArray &bytes :
         {QByteArray("{25}{50}one\n{75}{100}two\n{125}{150}three"),
          QByteArray("{25}{50}one\r{75}{100}two\r{125}{150}three\r"),
          QByteArray("{25}{50}one\r\n{75}{100}two\r\n{125}{150}three\r\n"),
          QByteArray(
              "\r\n{25}{50}one\n\n\r\rno braces\r\n{12}\n{75}{100}two\r\n{}{}\r{125}{150}three\n\n")}) {
        const SubtitleFile file = loaded(bytes);
        EXPECT_EQ(file.entryCount(), 3) << bytes.toStdString();
        for (const auto &[frame, shown] : {std::pair{30, "one"}, {80, "two"}, {130, "three"}, {110, ""}})
            EXPECT_EQ(file.textAt(atFrame(frame), 25), shown) << bytes.toStdString() << frame;
    }
}

// The end time is where the next cue may begin.
TEST(SubtitleFile, SubRipIsTimedInMillisecondsWithoutItsTags)
{
    for (const QByteArray &bytes :
         {QByteArray(
              "1\n00:00:01,000 --> 00:00:02,500\n<i>Hello</i> <B>there</B>\n<font color=\"red\">red</FONT> "
              "<u>u</u>\n\n2\n00:00:02,500 --> 00:00:04,000\nnext|line\n"),
          QByteArray("\r\n00:00:01.000 --> 00:00:02.500\r\nHello there\r\nred u\r\n\r\n\r\n\r\n"
                     "00:00:02.500 --> 00:00:04.000 X1:10 X2:20\r\nnext|line\r\n"),
          QByteArray("1\r00:00:01,000 --> 00:00:02,500\rHello there\rred u\r2\r00:00:02,5 --> "
                     "00:00:04,0\rnext|line")}) {
        const SubtitleFile file = loaded(bytes);
        EXPECT_TRUE(file.isSubRip() && !file.declaredFrameRate()) << bytes.toStdString();
        const char *first = "Hello there\nred u", *second = "next|line";
        for (const auto &[seconds, shown] :
             {std::pair{0.999, ""}, {1.0, first}, {2.499, first}, {2.5, second}, {3.999, second}, {4.0, ""}})
            EXPECT_EQ(file.textAt(seconds, 7), shown) << bytes.toStdString() << seconds;
    }
    EXPECT_FALSE(loaded("{1}{2}00:00:01,000 --> 00:00:02,500\n").isSubRip());
}

// Files as they come: SubRip after a title line or a bad first cue, styling
// codes of either format, and a frame-numbered entry without an end.
TEST(SubtitleFile, FilesFromTheWild)
{
    const char *titled =
        "My film\n\n1\n00:00:01,0005 --> 00:00:02,000\nbad\n\n2\n00:00:03,000 --> 00:00:04,000\ngood\n";
    const char *open = "{25}{}open\n{100}{150}next\n";
    const std::tuple<const char *, double, const char *> rows[] = {
        {titled, 1.5, ""},
        {titled, 3.5, "good"},
        {"1\n00:00:01,000 --> 00:00:02,000\n{\\an8}Top <blink>x</blink> a < b > c\n", 1.5, "Top x a < b > c"},
        {"{25}{50}{y:i}{c:$0000FF}Hello|/world\n", atFrame(30), "Hello\nworld"},
        {"{25}{50}/{f:Arial}{s:20}{P:1}Slanted\n", atFrame(30), "Slanted"},
        {open, atFrame(24), ""},
        {open, atFrame(99), "open"},
        {open, atFrame(100), "next"},
    };
    for (const auto &[bytes, seconds, shown] : rows)
        EXPECT_EQ(loaded(bytes).textAt(seconds, 25), shown) << bytes << " at " << seconds;
}

TEST(SubtitleFile, TextIsUtf8WhenValidOtherwiseWindows1252)
{
    for (const auto &[bytes, shown] :
         {std::pair{QByteArray("\xEF\xBB\xBF{1}{50}caf\xC3\xA9"), QStringLiteral("café")},
          {"{1}{50}caf\xC3\xA9", QStringLiteral("café")},
          {"{1}{50}caf\xE9 \x93quoted\x94 \x80", QStringLiteral("café \u201Cquoted\u201D \u20AC")},
          {"{1}{20}\xC3\xA9\n{10}{50}\xE9", QStringLiteral("é\né")}})
        EXPECT_EQ(loaded(bytes).textAt(atFrame(15), 25), shown) << bytes.toStdString();
}

// A line is cut after MaxLineBytes bytes and the rest of it skipped.
TEST(SubtitleFile, BadFilesGiveNoSubtitlesAndNoFailure)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("clip.sub");
    const auto write = [&](const QByteArray &bytes, qint64 size) {
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) && f.resize(size));
    };
    SubtitleFile file;
    write("{1}{50}there", 12);
    ASSERT_EQ(file.load(path), LoadResult::Loaded);
    ASSERT_TRUE(QFile::remove(path));
    EXPECT_EQ(file.textAt(1, 25), "there");
    EXPECT_EQ(file.load(path), LoadResult::Unreadable);
    EXPECT_FALSE(file.isLoaded());
    EXPECT_EQ(file.textAt(1, 25), "");
    EXPECT_EQ(file.load(dir.path()), LoadResult::Unreadable);
    for (const qint64 size : {SubtitleFile::MaxFileBytes, SubtitleFile::MaxFileBytes + 1}) {
        write("{1}{50}big\n", size);
        const bool over = size > SubtitleFile::MaxFileBytes;
        EXPECT_EQ(file.load(path), over ? LoadResult::TooLarge : LoadResult::Loaded) << size;
        EXPECT_EQ(file.textAt(1, 25), over ? "" : "big") << size;
    }
    const qsizetype most = SubtitleFile::MaxLineBytes;
    for (const qsizetype length : {most, most + 1}) {
        const SubtitleFile cut = loaded("{1}{50}" + QByteArray(length - 8, 'x') + "E\n{60}{70}next\n");
        EXPECT_EQ(cut.textAt(1, 25), QString(most - 8, 'x') + (length == most ? "E" : "x")) << length;
        EXPECT_EQ(cut.textAt(atFrame(65), 25), "next");
    }
}

// The first of .sub, .txt, .srt in any case, with exactly the media's name.
TEST(SubtitleFile, FindsTheSubtitleFileBesideTheMedia)
{
    using Row = std::tuple<const char *, const char *, const char *>; // present, media, found
    for (const auto &[present, media, found] : {Row{"clip.srt clip.txt clip.sub", "clip.avi", "clip.sub"},
                                                {"clip.srt clip.txt", "clip.avi", "clip.txt"},
                                                {"clip.srt other.sub", "clip.avi", "clip.srt"},
                                                {"clip.SUB", "clip.avi", "clip.SUB"},
                                                {"Clip.sub clip.avi.sub clip.subs clip.sub/", "clip.avi", ""},
                                                {"a.b.Txt", "a.b.mkv", "a.b.Txt"},
                                                {"", "clip.avi", ""}}) {
        QTemporaryDir dir;
        for (const QString &name : QString(present).split(' ', Qt::SkipEmptyParts))
            EXPECT_TRUE(name.endsWith('/') ? QDir(dir.path()).mkdir(name)
                                           : QFile(dir.filePath(name)).open(QIODevice::WriteOnly));
        EXPECT_EQ(SubtitleFile::findBeside(dir.filePath(media)), *found ? dir.filePath(found) : "") << media;
    }
    EXPECT_EQ(SubtitleFile::findBeside(""), "");
}

} // namespace
} // namespace qr::test
