#pragma once

#include "session/SubtitleFile.h"

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
    // Reads the file at `path` from its beginning; a file that is missing or
    // unreadable gives no subtitles.
    [[nodiscard]] SubtitleFile::LoadResult open(const QString &path);
    // The same file read anew, as each play does.
    [[nodiscard]] SubtitleFile::LoadResult reopen() { return open(m_path); }
    // Nothing loaded any more; the text shown stays.
    void close() { m_file.clear(); }

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
    QString m_text;
};

} // namespace qr
