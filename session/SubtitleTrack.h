#pragma once

#include "session/SubtitleFile.h"

#include <QDateTime>
#include <QObject>
#include <QString>

namespace qr {

// The subtitles of the file in use: whether the player uses subtitle files
// at all ("useSubs"), where the subtitles shown come from (the subtitle
// file that goes with the media, or one of the media's own tracks), and the
// text the subtitle window shows for the playing position.
class SubtitleTrack : public QObject {
    Q_OBJECT
public:
    // Subtitle files are asked for and looked for with each media file.
    bool inUse() const { return m_inUse; }
    void setInUse(bool on) { m_inUse = on; }

    enum class Source {
        None,         // nothing chosen
        Off,          // switched off from the menu
        File,         // the subtitle file
        Track,        // a text track of the media: its text in the window
        PictureTrack, // a picture track: drawn by the engine on the picture
    };
    Source source() const { return m_source; }
    int trackId() const
    {
        return m_source == Source::Track || m_source == Source::PictureTrack ? m_trackId : 0;
    }
    // The subtitle window shows for a file or a text track, and, with
    // subtitle files in use, while nothing is chosen yet.
    bool showsWindow() const
    {
        return m_source == Source::File || m_source == Source::Track || (m_inUse && m_source == Source::None);
    }

    QString path() const { return m_path; }
    // Reads the file at `path` and shows it; a file that is missing or
    // unreadable gives no subtitles.
    [[nodiscard]] SubtitleFile::LoadResult open(const QString &path);
    // The same file again, as each play asks for it: read anew only when it
    // changed (its size or time), so that a large file does not hold up play.
    [[nodiscard]] SubtitleFile::LoadResult reopen();
    // Not followed until opened again; the text shown stays, and so does
    // what was read, for the next open of the same file.
    void close() { m_open = false; }

    void useTrack(int id, bool pictureBased);
    void useNone();
    void switchOff();

    // The text for the position (a file, the rate being the media's own,
    // 0 when unknown), or the track's text as the engine reports it.
    void follow(double seconds, double mediaFrameRate, const QString &trackText);
    QString text() const { return m_text; }
    void clearText() { setText(QString()); }

Q_SIGNALS:
    void textChanged(const QString &text);

private:
    void setText(const QString &text);

    bool m_inUse = false;
    Source m_source = Source::None;
    int m_trackId = 0;
    QString m_path;
    SubtitleFile m_file;
    bool m_open = false;
    QDateTime m_modified; // of the file as it was read
    qint64 m_size = -1;
    QString m_text;
};

} // namespace qr
