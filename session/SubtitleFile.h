#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

namespace qr {

// One line of a frame-numbered subtitle file: {start}{end}text, frames
// inclusive, "|" in the text a line break.
struct SubtitleEntry {
    qint32 start = 0;
    qint32 end = 0;
    QString text;
};

// Splits a line into its frames and text. Never fails: each step that cannot
// be carried out leaves its field at 0 / empty and parsing goes on. A field
// is a number with optional sign, blanks and fraction (rounded halves to
// even); outside the 32-bit range it reads 0.
SubtitleEntry parseSubtitleLine(const QString &line);

// Subtitle text without the styling the subtitle window cannot show: tags
// such as <i> or <font ...> and {\an8}-style codes; text that merely looks
// like a tag ("a < b > c") stays.
QString plainSubtitleText(QString text);

// A whole subtitle file, read once and then asked for the text at any
// position. Two formats, told apart by the content: frame-numbered lines
// (see SubtitleEntry) and SubRip (counter, "00:00:01,000 --> 00:00:02,500",
// text lines, blank line), which is timed in milliseconds.
class SubtitleFile {
public:
    enum class [[nodiscard]] LoadResult{
        Loaded,     // read; it may still hold no entries
        Unreadable, // missing, vanished, a folder, a read error: no subtitles
        TooLarge,   // over MaxFileBytes: not a subtitle file
    };

    // Replaces whatever was loaded; on any result but Loaded the object is
    // left empty.
    LoadResult load(const QString &path);
    LoadResult loadBytes(const QByteArray &bytes);
    void clear();

    bool isLoaded() const { return m_loaded; }
    bool isSubRip() const { return m_subRip; }
    // The entries that can be shown (blank and malformed lines are not).
    qsizetype entryCount() const { return m_cues.size(); }

    // The rate a first line {1}{1}R or {0}{0}R declares, R in 1..240.
    std::optional<double> declaredFrameRate() const { return m_declaredRate; }
    // The rate to pass to textAt: the declared one, else the media's own
    // when it is known (positive), else DefaultFrameRate.
    double frameRateFor(double mediaFrameRate) const;

    // The text of every entry whose range holds the position, in file order,
    // one under the other; "" between entries. frameRate is ignored for
    // SubRip; a rate that is not positive shows nothing.
    QString textAt(double seconds, double frameRate) const;

    // The first file beside the media with its base name and the extension
    // .sub, .txt or .srt (in that order, in any case); "" when none exists.
    static QString findBeside(const QString &mediaPath);

    static constexpr qint64 MaxLineBytes = 1 << 20;
    static constexpr qint64 MaxFileBytes = 64 << 20;
    static constexpr double DefaultFrameRate = 25.0;

private:
    // An entry that can be shown, in the units of the format (frames, or
    // milliseconds for SubRip), both ends inclusive. Its text lives in
    // m_text so that a file of many tiny entries costs little per entry.
    struct Cue {
        qint32 first = 0;
        qint32 last = 0;
        qint32 maxLast = 0; // the largest `last` of the subtree this cue heads
        qint32 order = 0;   // position in the file
        qint32 textPos = 0;
        qint32 textLength = 0;
    };

    void addCue(qint64 first, qint64 last, const QString &text);
    void parseFrameLines(const QByteArray &bytes);
    void parseSubRip(const QByteArray &bytes);
    void buildIndex();
    qint32 indexRange(qsizetype begin, qsizetype end);
    void collect(qsizetype begin, qsizetype end, qint64 at, QList<const Cue *> &found) const;

    QList<Cue> m_cues; // sorted by first; an implicit search tree over it
    QString m_text;
    std::optional<double> m_declaredRate;
    bool m_loaded = false;
    bool m_subRip = false;
};

} // namespace qr
