#include "session/SubtitleTrack.h"

namespace qr {

SubtitleFile::LoadResult SubtitleTrack::open(const QString &path)
{
    m_path = path;
    return m_file.load(path);
}

void SubtitleTrack::follow(double seconds, double mediaFrameRate)
{
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
