#include "session/SubtitleTrack.h"

#include <QFileInfo>

namespace qr {

SubtitleFile::LoadResult SubtitleTrack::open(const QString &path)
{
    m_path = path;
    m_open = true;
    m_source = Source::File;
    const QFileInfo info(path);
    m_modified = info.lastModified();
    m_size = info.size();
    return m_file.load(path);
}

SubtitleFile::LoadResult SubtitleTrack::reopen()
{
    const QFileInfo info(m_path);
    if (m_file.isLoaded() && info.exists() && info.size() == m_size && info.lastModified() == m_modified) {
        m_open = true;
        m_source = Source::File;
        return SubtitleFile::LoadResult::Loaded;
    }
    return open(m_path);
}

void SubtitleTrack::useTrack(int id, bool pictureBased)
{
    m_source = pictureBased ? Source::PictureTrack : Source::Track;
    m_trackId = id;
    if (pictureBased)
        clearText();
}

void SubtitleTrack::useNone()
{
    m_source = Source::None;
    clearText();
}

void SubtitleTrack::switchOff()
{
    m_source = Source::Off;
    clearText();
}

void SubtitleTrack::follow(double seconds, double mediaFrameRate, const QString &trackText)
{
    if (m_source == Source::Track)
        setText(plainSubtitleText(trackText));
    else if (m_source == Source::File && m_open)
        setText(m_file.textAt(seconds, m_file.frameRateFor(mediaFrameRate)));
}

void SubtitleTrack::setText(const QString &text)
{
    if (text == m_text)
        return;
    m_text = text;
    Q_EMIT textChanged(text);
}

} // namespace qr
