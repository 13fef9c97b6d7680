#include "subtitles/subtitles.h"

#include <gtest/gtest.h>

using qr::ParseSubtitleLine;

namespace {

struct ParseCase {
    const char *line;
    int start;
    int end;
    const char *text;
};

class ParseSubtitleLineTest : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParseSubtitleLineTest, SplitsFramesAndText)
{
    const ParseCase &c = GetParam();
    const qr::SubtitleEntry e = ParseSubtitleLine(QString::fromUtf8(c.line));
    EXPECT_EQ(e.start, c.start);
    EXPECT_EQ(e.end, c.end);
    EXPECT_EQ(e.text, QString::fromUtf8(c.text));
}

INSTANTIATE_TEST_SUITE_P(
    Lines, ParseSubtitleLineTest,
    ::testing::Values(
        // well-formed
        ParseCase{"{250}{310}Good evening.|Welcome back.", 250, 310, "Good evening.|Welcome back."},
        ParseCase{"{0}{0}", 0, 0, ""},
        ParseCase{"{-5}{+7}a", -5, 7, "a"},
        ParseCase{"{ 12 }{\t34 }x", 12, 34, "x"},
        ParseCase{"{1}{2}a}{b", 1, 2, "a}{b"},
        // failure table
        ParseCase{"", 0, 0, ""},
        ParseCase{"no braces at all", 0, 0, "no braces at all"},
        ParseCase{" {250}{310}lead", 0, 310, "lead"},
        ParseCase{"x{250}{310}lead", 0, 310, "lead"},
        ParseCase{"{abc}{310}x", 0, 310, "x"},
        ParseCase{"{250}{1x}x", 250, 0, "x"},
        ParseCase{"{}{}x", 0, 0, "x"},
        ParseCase{"{1}{40000}x", 1, 0, "x"},
        ParseCase{"{-32769}{32768}x", 0, 0, "x"},
        ParseCase{"{-32768}{32767}x", -32768, 32767, "x"},
        ParseCase{"{12}abc", 12, 0, "{12}abc"},
        ParseCase{"{12", 0, 0, "{12"},
        ParseCase{"{1}{2", 1, 0, "{1}{2"},
        // fractions round halves to even; 32767.5 rounds out of range
        ParseCase{"{2.5}{3.5}x", 2, 4, "x"},
        ParseCase{"{-0.5}{10.49}x", 0, 10, "x"},
        ParseCase{"{32767.5}{-32768.5}x", 0, -32768, "x"},
        ParseCase{"{1.2.3}{+-1}x", 0, 0, "x"}));

} // namespace
