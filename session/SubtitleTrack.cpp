#include "session/SubtitleTrack.h"

#include <QFileInfo>

namespace qr {

SubtitleFile::LoadResult SubtitleTrack::open(const QString &path)
{
    m_path = path;
    m_open = true;
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
        return SubtitleFile::LoadResult::Loaded;
    }
    return open(m_path);
}

void SubtitleTrack::follow(double seconds, double mediaFrameRate)
{
    if (!m_open)
        return;
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
