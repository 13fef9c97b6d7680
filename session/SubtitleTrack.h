#pragma once

#include "session/SubtitleFile.h"

#include <QDateTime>
#include <QObject>
#include <QString>

namespace qr {

// The subtitles of the file in use: whether the player uses subtitles at
// all, the subtitle file that goes with the media, and the text the
// subtitle window shows for the playing position.
class SubtitleTrack : public QObject {
    Q_OBJECT
public:
    bool inUse() const { return m_inUse; }
    void setInUse(bool on) { m_inUse = on; }

    QString path() const { return m_path; }
    // Reads the file at `path`; a file that is missing or unreadable gives
    // no subtitles.
    [[nodiscard]] SubtitleFile::LoadResult open(const QString &path);
    // The same file again, as each play asks for it: read anew only when it
    // changed (its size or time), so that a large file does not hold up play.
    [[nodiscard]] SubtitleFile::LoadResult reopen();
    // Not followed until opened again; the text shown stays, and so does
    // what was read, for the next open of the same file.
    void close() { m_open = false; }

    // The text for the position, the rate being the media's own (0 when
    // unknown).
    void follow(double seconds, double mediaFrameRate);
    QString text() const { return m_text; }
    void clearText() { setText(QString()); }

Q_SIGNALS:
    void textChanged(const QString &text);

private:
    void setText(const QString &text);

    bool m_inUse = false;
    QString m_path;
    SubtitleFile m_file;
    bool m_open = false;
    QDateTime m_modified; // of the file as it was read
    qint64 m_size = -1;
    QString m_text;
};

} // namespace qr
