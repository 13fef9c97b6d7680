#include "session/PanelLines.h"

#include "session/ClockText.h"

#include <algorithm>

namespace qr {

namespace {
constexpr qsizetype LongestStillTitle = 20;
} // namespace

void PanelLines::setStatus(const QString &text)
{
    m_statusText = text;
    showHint(text);
}

void PanelLines::showHint(const QString &text)
{
    if (text == m_status)
        return;
    m_status = text;
    Q_EMIT statusChanged(text);
}

void PanelLines::returnToStatusText() { showHint(m_statusText); }

void PanelLines::scrollTitle(const QString &title)
{
    m_statusText = title;
    if (title.size() > LongestStillTitle)
        showHint(qr::scrollTitle(title, m_scrollPosition));
}

void PanelLines::setTimeText(const QString &text)
{
    if (text == m_time)
        return;
    m_time = text;
    Q_EMIT timeTextChanged(text);
}

void PanelLines::setMediaInfo(const QString &text)
{
    if (text == m_mediaInfo)
        return;
    m_mediaInfo = text;
    Q_EMIT mediaInfoChanged(text);
}

void PanelLines::setSeekValue(qint64 value)
{
    m_seekValue = std::clamp<qint64>(value, 0, std::max<qint64>(m_seekMaximum, 0));
    Q_EMIT seekBarChanged(m_seekValue, m_seekMaximum);
}

} // namespace qr
