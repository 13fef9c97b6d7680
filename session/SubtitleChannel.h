#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <functional>

namespace qr {

// One line of a subtitle file: {start}{end}text, frames inclusive.
struct SubtitleEntry {
    int start = 0;
    int end = 0;
    QString text;
};

// Splits a line into its frames and text. Never fails: every step that
// cannot be carried out leaves its field at 0 / empty and parsing goes on.
SubtitleEntry parseSubtitleLine(const QString &line);

// The frame-number conversion of the parse: optional sign and blanks, a
// fraction rounded halves-to-even; false when not a number or outside
// -32768..32767.
bool parseFrameNumber(const QString &text, int &frame);

// The subtitle file in use: open for sequential reading, line by line. A
// line ends at CR or CR LF; a lone LF stays part of the line. Each line is
// UTF-8 when it is valid UTF-8, otherwise Windows-1252; a UTF-8 byte-order
// mark at the start is skipped.
class SubtitleChannel {
public:
    SubtitleChannel() = default;
    SubtitleChannel(const SubtitleChannel &) = delete;
    SubtitleChannel &operator=(const SubtitleChannel &) = delete;

    // Closes any open file first; false (and closed) when it cannot be read.
    bool open(const QString &path);
    void close();
    bool isOpen() const { return m_file.isOpen(); }

    // The next line, without its ending; "" at the end or when closed.
    QString readLine();

    // One clock tick: reads at most one line, when the current entry's end
    // frame has passed, and gives the text to show ("" outside the entry).
    // The position is asked anew each time it is needed.
    QString step(const std::function<double()> &position, int frameRate);

    // A longer line is cut here and the rest of it skipped, so that a wrong
    // file picked by mistake cannot fill memory.
    static constexpr qsizetype MaxLineBytes = 1 << 20;

private:
    bool fill();
    bool atEnd();

    QFile m_file;
    QByteArray m_buffer;
    qsizetype m_pos = 0;
    SubtitleEntry m_current; // the entry read last; kept across files
};

} // namespace qr
