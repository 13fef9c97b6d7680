#pragma once

#include <QDBusConnection>
#include <QDBusContext>
#include <QObject>
#include <QVariantMap>

#include <optional>

namespace qr {

class Session;

// The desktop's media controls (MPRIS): the session as seen from the
// session bus, under org.mpris.MediaPlayer2.quilvane_ryn. A view like the
// windows: commands go to the session, and the published state follows its
// signals, so the desktop hears of a change when it happens.
class MprisService : public QObject, protected QDBusContext {
    Q_OBJECT
public:
    static inline const QString ServiceName = QStringLiteral("org.mpris.MediaPlayer2.quilvane_ryn");
    static inline const QString ObjectPath = QStringLiteral("/org/mpris/MediaPlayer2");

    explicit MprisService(Session &session, QObject *parent = nullptr);
    ~MprisService() override;

    // Puts the service on `bus`; a second player running at the same time
    // takes the name with ".instance" and its process id after it. False,
    // and nothing registered, when the bus is not there or refuses.
    bool registerOn(QDBusConnection bus);

    // ---- what the adaptors publish and run -----------------------------
    QString playbackStatus() const;
    QString loopStatus() const;
    void setLoopStatus(const QString &status);
    double rate() const;
    void setRate(double rate);
    bool fullScreen() const;
    void setFullScreen(bool on);
    QVariantMap metadata() const;
    double volume() const;
    void setVolume(double volume);
    qlonglong positionMicroseconds() const;
    bool canControlTrack() const;
    bool canSeek() const;
    void raise();
    void quit();
    void play();
    void pause();
    void playPause();
    void stop();
    bool canGo(int direction) const;
    void next();
    void previous();
    void seek(qlonglong offsetMicroseconds);
    void setPosition(const QString &trackId, qlonglong positionMicroseconds);
    void openUri(const QString &uri);

Q_SIGNALS:
    void seeked(qlonglong positionMicroseconds);

private:
    QString trackId() const;
    QVariantMap publishedState() const;
    QVariantMap publishedRootState() const;
    void publishChanges();
    void followFile();

    Session &m_session;
    std::optional<QDBusConnection> m_bus; // once registered
    QString m_serviceName;
    QString m_trackFile; // the file the track number was given to
    int m_trackNumber = 0;
    QVariantMap m_published;     // the player's properties as last announced
    QVariantMap m_publishedRoot; // and the root interface's
};

} // namespace qr
