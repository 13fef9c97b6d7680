#include "subtitles/SubtitleReader.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class SubtitleReaderTest : public ::testing::Test {
protected:
    QString write(const QByteArray &bytes)
    {
        const QString path = dir.filePath(QStringLiteral("subs%1.txt").arg(++count));
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return path;
    }

    QStringList readAll(const QByteArray &bytes)
    {
        qr::SubtitleReader reader;
        EXPECT_TRUE(reader.open(write(bytes)));
        QStringList lines;
        for (int i = 0; i < 10; ++i)
            lines << reader.readLine();
        while (!lines.isEmpty() && lines.last().isEmpty())
            lines.removeLast();
        return lines;
    }

    QTemporaryDir dir;
    int count = 0;
};

TEST_F(SubtitleReaderTest, LineEndings)
{
    struct Case {
        QByteArray bytes;
        QStringList lines;
    };
    const Case cases[] = {
        {"{1}{2}a\r\n{3}{4}b\r\n", {"{1}{2}a", "{3}{4}b"}},
        {"{1}{2}a\r{3}{4}b\r", {"{1}{2}a", "{3}{4}b"}},
        {"{1}{2}a\r\n{3}{4}b", {"{1}{2}a", "{3}{4}b"}},
        // a lone line feed stays inside the line
        {"{1}{2}a\n{3}{4}b\n", {"{1}{2}a\n{3}{4}b\n"}},
        // a blank line costs a read of its own
        {"a\r\n\r\nb\r\n", {"a", "", "b"}},
        // CR CR LF: the line feed belongs to the second ending only
        {"a\r\r\nb", {"a", "", "b"}},
        {"", {}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(readAll(c.bytes), c.lines) << c.bytes.toStdString();
}

TEST_F(SubtitleReaderTest, CharacterSets)
{
    // UTF-8 with and without a byte-order mark; Windows-1252 when not UTF-8.
    EXPECT_EQ(readAll("\xEF\xBB\xBF{1}{2}caf\xC3\xA9\r\n"), QStringList{QStringLiteral("{1}{2}café")});
    EXPECT_EQ(readAll("{1}{2}caf\xC3\xA9"), QStringList{QStringLiteral("{1}{2}café")});
    EXPECT_EQ(readAll("{1}{2}caf\xE9 \x93quoted\x94 \x80"),
              QStringList{QStringLiteral("{1}{2}café \u201Cquoted\u201D \u20AC")});
}

TEST_F(SubtitleReaderTest, LinesAcrossBufferBoundaries)
{
    // Endings straddling the reader's buffer chunks must still split right.
    QByteArray bytes;
    QStringList expected;
    for (int i = 0; i < 20000; ++i) {
        const QByteArray line = "{" + QByteArray::number(i) + "}{" + QByteArray::number(i + 1) + "}text";
        bytes += line + "\r\n";
        expected << QString::fromLatin1(line);
    }
    qr::SubtitleReader reader;
    ASSERT_TRUE(reader.open(write(bytes)));
    QStringList got;
    for (QString line = reader.readLine(); !line.isEmpty(); line = reader.readLine())
        got << line;
    EXPECT_EQ(got, expected);
}

TEST_F(SubtitleReaderTest, OverlongLineIsCutAndTheNextLineStillReads)
{
    const QByteArray huge(qr::SubtitleReader::MaxLineBytes + 1000, 'x');
    qr::SubtitleReader reader;
    ASSERT_TRUE(reader.open(write(huge + "\r\n{1}{2}next\r\n")));
    EXPECT_EQ(reader.readLine().size(), qr::SubtitleReader::MaxLineBytes);
    EXPECT_EQ(reader.readLine(), QStringLiteral("{1}{2}next"));
}

TEST_F(SubtitleReaderTest, OpenCloseAndFailures)
{
    qr::SubtitleReader reader;
    EXPECT_FALSE(reader.isOpen());
    EXPECT_EQ(reader.readLine(), QString());

    EXPECT_FALSE(reader.open(dir.path())); // a folder
    EXPECT_EQ(reader.readLine(), QString());

    // Reopening starts from the first line again.
    const QString first = write("one\r\ntwo\r\n");
    ASSERT_TRUE(reader.open(first));
    EXPECT_EQ(reader.readLine(), QStringLiteral("one"));
    ASSERT_TRUE(reader.open(first));
    EXPECT_EQ(reader.readLine(), QStringLiteral("one"));

    // A failed open leaves the channel closed, not on the old file.
    ASSERT_TRUE(reader.open(first));
    EXPECT_FALSE(reader.open(dir.filePath(QStringLiteral("missing.txt"))));
    EXPECT_EQ(reader.readLine(), QString());

    reader.close();
    EXPECT_FALSE(reader.isOpen());
    EXPECT_EQ(reader.readLine(), QString());
}

} // namespace
