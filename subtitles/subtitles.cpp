#include "subtitles/subtitles.h"

#include "subtitles/SubtitleReader.h"

#include <QLabel>
#include <QRegularExpression>

#include <cmath>

namespace qr {

namespace {

// 1-based search from `from` as the format is described; 0 = not found.
// A search from position 0 cannot be carried out: the caller skips it.
int findFrom(const QString &line, int from, QChar ch)
{
    const qsizetype at = line.indexOf(ch, from - 1);
    return at < 0 ? 0 : static_cast<int>(at) + 1;
}

// The characters from 1-based `from`, `length` long; false for a negative
// length, which skips the step.
bool middle(const QString &line, int from, int length, QString &out)
{
    if (from < 1 || length < 0)
        return false;
    out = line.mid(from - 1, length);
    return true;
}

} // namespace

bool ParseFrameNumber(const QString &text, int &frame)
{
    static const QRegularExpression number(
        QStringLiteral("^[ \\t]*([+-]?(?:[0-9]+\\.?[0-9]*|\\.[0-9]+)(?:[eE][+-]?[0-9]+)?)[ \\t]*$"));
    const QRegularExpressionMatch m = number.match(text);
    if (!m.hasMatch())
        return false;
    bool ok = false;
    const double value = m.captured(1).toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return false;
    const double rounded = std::nearbyint(value);
    if (rounded < -32768.0 || rounded > 32767.0)
        return false;
    frame = static_cast<int>(rounded);
    return true;
}

SubtitleEntry ParseSubtitleLine(const QString &line)
{
    SubtitleEntry entry;
    int a = 0, b = 0, c = 0, d = 0;
    QString startText, endText;

    a = findFrom(line, 1, u'{');
    if (a > 0)
        b = findFrom(line, a, u'}');
    middle(line, a + 1, b - 2, startText);
    if (b > 0)
        c = findFrom(line, b, u'{');
    if (c > 0)
        d = findFrom(line, c, u'}');
    middle(line, c + 1, d - c - 1, endText);

    ParseFrameNumber(startText, entry.start);
    ParseFrameNumber(endText, entry.end);
    entry.text = line.right(line.size() - d);
    return entry;
}

SubtitleEntry ReadNextSubtitle(SubtitleReader &reader) { return ParseSubtitleLine(reader.readLine()); }

void SubtitleStep(const PositionSource &position, int frameRate, SubtitleEntry &current,
                  SubtitleReader &reader, QLabel *label)
{
    // Kept in double: a position that is not a number then matches no range.
    const auto frame = [&] { return std::floor(position() * frameRate); };

    if (frame() > current.end)
        current = ReadNextSubtitle(reader);

    QString shown;
    if (current.start <= frame() && frame() <= current.end) {
        const qsizetype bar = current.text.indexOf(u'|');
        if (bar >= 0)
            current.text[bar] = u'\n';
        shown = current.text;
    }
    if (label)
        label->setText(shown);
}

} // namespace qr
