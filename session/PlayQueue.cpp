#include "session/PlayQueue.h"

#include "desktop/Paths.h"

#include <QFileInfo>

#include <algorithm>

namespace qr {

void PlayQueue::replace(const QStringList &entries)
{
    m_files.clear();
    for (const QString &entry : entries) {
        // A folder without media files stays itself, for its own message.
        const QStringList inFolder = QFileInfo(entry).isDir() ? mediaFilesIn(entry) : QStringList();
        m_files << (inFolder.isEmpty() ? QStringList{entry} : inFolder);
    }
    m_current = 0;
    lookAround();
}

std::optional<QString> PlayQueue::following() const
{
    if (m_current + 1 < m_files.size())
        return m_files[m_current + 1];
    return std::nullopt;
}

std::optional<QString> PlayQueue::neighbour(int direction)
{
    lookAround();
    return look(direction);
}

void PlayQueue::moveTo(const QString &path)
{
    const qsizetype at = m_files.indexOf(path);
    if (m_files.size() > 1 && at >= 0) {
        m_current = at;
    } else {
        m_files = {path};
        m_current = 0;
    }
    lookAround();
}

std::optional<QString> PlayQueue::look(int direction) const
{
    if (m_files.size() > 1) {
        const qsizetype at = m_current + (direction > 0 ? 1 : -1);
        return at >= 0 && at < m_files.size() ? std::optional(m_files[at]) : std::nullopt;
    }
    if (m_files.isEmpty())
        return std::nullopt;
    const QString file = m_files.front();
    const QStringList folder = mediaFilesIn(QFileInfo(file).path());
    const QString name = fileNameOnly(file);
    // Where the file is, or would be were it a media file itself.
    const auto before = [](const QString &entry, const QString &n) {
        return naturalLess(fileNameOnly(entry), n);
    };
    const auto place = std::lower_bound(folder.begin(), folder.end(), name, before);
    const bool inFolder = place != folder.end() && fileNameOnly(*place) == name;
    const qsizetype at = place - folder.begin();
    const qsizetype target = direction > 0 ? at + (inFolder ? 1 : 0) : at - 1;
    return target >= 0 && target < folder.size() ? std::optional(folder[target]) : std::nullopt;
}

void PlayQueue::lookAround()
{
    const bool next = look(+1).has_value(), previous = look(-1).has_value();
    m_canGoNext = next;
    m_canGoPrevious = previous;
    Q_EMIT changed();
}

} // namespace qr
