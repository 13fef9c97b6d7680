#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

namespace qr {

// The subtitle channel: one text file open for sequential reading, line by
// line. A line ends at CR or CR LF; a lone LF stays part of the line.
//
// Each line is decoded as UTF-8 when it is valid UTF-8, otherwise as the
// Windows single-byte code page 1252 (Latin-1 plus its 0x80-0x9F
// punctuation), which is what files written for the old player use. A UTF-8
// byte-order mark at the start of the file is skipped.
class SubtitleReader {
public:
    SubtitleReader() = default;
    SubtitleReader(const SubtitleReader &) = delete;
    SubtitleReader &operator=(const SubtitleReader &) = delete;

    // Closes any open file first; false (and closed) when the file cannot be
    // opened for reading.
    bool open(const QString &path);
    void close();
    bool isOpen() const { return m_file.isOpen(); }

    // The next line, without its ending; "" at the end of the file or when
    // closed. Reads buffered, at most one line per call.
    QString readLine();

    // A longer line is cut here and the rest of it skipped, so that a wrong
    // file picked by mistake cannot fill memory.
    static constexpr qsizetype MaxLineBytes = 1 << 20;

private:
    bool fill();
    bool atEnd();

    QFile m_file;
    QByteArray m_buffer;
    qsizetype m_pos = 0;
};

} // namespace qr
