#include "session/FileHistory.h"

#include <QFileInfo>

namespace qr {

namespace {
qint64 sizeOf(const QString &path) { return QFileInfo(path).size(); }
} // namespace

FileHistory::FileHistory(const PlayerSettings &settings)
    : m_recent(settings.recentFiles()), m_points(settings.resumePoints())
{
}

void FileHistory::opened(const QString &path)
{
    if (!m_recent.isEmpty() && m_recent.front() == path)
        return;
    m_recent.removeAll(path);
    m_recent.prepend(path);
    m_recent = m_recent.mid(0, PlayerSettings::MaxRecentFiles);
    m_recentChanged = true;
    Q_EMIT recentFilesChanged();
}

bool FileHistory::worthResuming(double seconds, double duration)
{
    return duration >= ShortestSeconds && seconds > EndMarginSeconds && seconds < duration - EndMarginSeconds;
}

std::optional<double> FileHistory::resumePoint(const QString &path, double duration) const
{
    const qint64 size = sizeOf(path);
    for (const PlayerSettings::ResumePoint &point : m_points)
        if (point.path == path && point.size == size && worthResuming(point.seconds, duration))
            return point.seconds;
    return std::nullopt;
}

void FileHistory::left(const QString &path, double seconds, double duration)
{
    if (!worthResuming(seconds, duration))
        return forget(path);
    forget(path);
    m_points.append({path, sizeOf(path), seconds});
    m_points = m_points.mid(std::max<qsizetype>(0, m_points.size() - PlayerSettings::MaxResumePoints));
    m_pointsChanged = true;
}

void FileHistory::forget(const QString &path)
{
    if (m_points.removeIf([&](const PlayerSettings::ResumePoint &point) { return point.path == path; }) > 0)
        m_pointsChanged = true;
}

void FileHistory::addTo(PlayerSettings::QuitState &state) const
{
    if (m_recentChanged)
        state.recentFiles = m_recent;
    if (m_pointsChanged)
        state.resumePoints = m_points;
}

} // namespace qr
