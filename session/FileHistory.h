#pragma once

#include "settings/PlayerSettings.h"

#include <QObject>
#include <QStringList>
#include <optional>

namespace qr {

// The files opened last, and where files closed before their end were
// left. Read from the store once; kept here while the player runs and
// saved with the rest at quit, so that a store held by another program
// never holds up opening a file.
class FileHistory : public QObject {
    Q_OBJECT
public:
    explicit FileHistory(const PlayerSettings &settings);

    // Most recent first.
    QStringList recentFiles() const { return m_recent; }
    void opened(const QString &path);

    // Files shorter than this, and places this close to either end, are
    // not remembered.
    static constexpr double ShortestSeconds = 60;
    static constexpr double EndMarginSeconds = 10;
    // Where the file was left; nothing when it changed size since, or when
    // the place no longer lies within its length.
    std::optional<double> resumePoint(const QString &path, double duration) const;
    // The file closed at `seconds` of `duration`: remembered, or forgotten
    // when there is nothing worth coming back to.
    void left(const QString &path, double seconds, double duration);
    void forget(const QString &path);

    // What quit saves: only what changed in this run.
    void addTo(PlayerSettings::QuitState &state) const;

Q_SIGNALS:
    void recentFilesChanged();

private:
    static bool worthResuming(double seconds, double duration);

    QStringList m_recent;
    bool m_recentChanged = false;
    QList<PlayerSettings::ResumePoint> m_points; // oldest first
    bool m_pointsChanged = false;
};

} // namespace qr
