#pragma once

#include <QObject>
#include <QStringList>
#include <optional>

namespace qr {

// The files to play, in order, and the one in use. A folder given stands
// for its media files. With a single file, "next" and "previous" are its
// neighbours among the media files of its folder, in the order a file
// manager shows them.
class PlayQueue : public QObject {
    Q_OBJECT
public:
    void replace(const QStringList &entries);
    bool isEmpty() const { return m_files.isEmpty(); }
    qsizetype size() const { return m_files.size(); }
    QString current() const { return m_files.value(m_current); }

    // The file after the current one in the queue, for the end of a file.
    std::optional<QString> following() const;
    // The file next or previous goes to: in the queue, or in the folder of
    // a single file. Looked up afresh, as the folder may have changed.
    std::optional<QString> neighbour(int direction);
    // What neighbour gave when the queue or the folder was last looked at.
    bool canGo(int direction) const { return direction > 0 ? m_canGoNext : m_canGoPrevious; }
    // The queue goes on to a file neighbour() or following() gave.
    void moveTo(const QString &path);

Q_SIGNALS:
    void changed();

private:
    std::optional<QString> look(int direction) const;
    void lookAround();

    QStringList m_files;
    qsizetype m_current = 0;
    bool m_canGoNext = false;
    bool m_canGoPrevious = false;
};

} // namespace qr
