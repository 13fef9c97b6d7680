#include "subtitles/subtitles.h"

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
        const qr::SubtitleEntry e = qr::ParseSubtitleLine(QString::fromUtf8(c.line));
        EXPECT_EQ(e.start, c.start);
        EXPECT_EQ(e.end, c.end);
        EXPECT_EQ(e.text, QString::fromUtf8(c.text));
    }
}

} // namespace
