#include "ui/MprisService.h"

#include "desktop/Paths.h"
#include "session/Session.h"
#include "settings/DesktopDefaults.h"

#include <QCoreApplication>
#include <QDBusAbstractAdaptor>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QUrl>

#include <algorithm>
#include <cmath>

namespace qr {

namespace {

const QString PlayerInterface = QStringLiteral("org.mpris.MediaPlayer2.Player");
const QString PropertiesInterface = QStringLiteral("org.freedesktop.DBus.Properties");
const QString NoTrack = QStringLiteral("/org/mpris/MediaPlayer2/TrackList/NoTrack");
const QString TrackPathPrefix = QStringLiteral("/example/tarvell/QuilvaneRyn/Track/");

constexpr double MicrosecondsPerSecond = 1e6;

qlonglong microseconds(double seconds) { return std::llround(seconds * MicrosecondsPerSecond); }

// The slot and property names of the adaptors are the interfaces' member
// names; each one hands over to the service.
class MprisRootAdaptor : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.mpris.MediaPlayer2")
    Q_PROPERTY(bool CanQuit READ yes)
    Q_PROPERTY(bool CanRaise READ yes)
    Q_PROPERTY(bool HasTrackList READ no)
    Q_PROPERTY(QString Identity READ identity)
    Q_PROPERTY(QString DesktopEntry READ desktopEntry)
    Q_PROPERTY(QStringList SupportedUriSchemes READ supportedUriSchemes)
    Q_PROPERTY(QStringList SupportedMimeTypes READ supportedMimeTypes)
public:
    explicit MprisRootAdaptor(MprisService *service) : QDBusAbstractAdaptor(service), m_service(*service) {}

    bool yes() const { return true; }
    bool no() const { return false; }
    QString identity() const { return QStringLiteral("Quilvane Ryn"); }
    QString desktopEntry() const { return kDesktopEntryId.section(QLatin1Char('.'), 0, -2); }
    QStringList supportedUriSchemes() const { return {QStringLiteral("file")}; }
    // As the desktop entry lists them.
    QStringList supportedMimeTypes() const
    {
        return {QStringLiteral("video/x-msvideo"),
                QStringLiteral("video/mpeg"),
                QStringLiteral("application/vnd.ms-asf"),
                QStringLiteral("video/x-ms-wmv"),
                QStringLiteral("x-content/video-vcd"),
                QStringLiteral("video/mp4"),
                QStringLiteral("video/x-matroska"),
                QStringLiteral("video/webm"),
                QStringLiteral("video/quicktime"),
                QStringLiteral("video/ogg"),
                QStringLiteral("video/x-flv"),
                QStringLiteral("video/mp2t")};
    }

public Q_SLOTS:
    void Raise() { m_service.raise(); }
    void Quit() { m_service.quit(); }

private:
    MprisService &m_service;
};

class MprisPlayerAdaptor : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.mpris.MediaPlayer2.Player")
    Q_PROPERTY(QString PlaybackStatus READ playbackStatus)
    Q_PROPERTY(double Rate READ normalRate)
    Q_PROPERTY(double MinimumRate READ normalRate)
    Q_PROPERTY(double MaximumRate READ normalRate)
    Q_PROPERTY(QVariantMap Metadata READ metadata)
    Q_PROPERTY(double Volume READ volume WRITE setVolume)
    Q_PROPERTY(qlonglong Position READ position)
    Q_PROPERTY(bool CanGoNext READ canGoNext)
    Q_PROPERTY(bool CanGoPrevious READ canGoPrevious)
    Q_PROPERTY(bool CanPlay READ canControlTrack)
    Q_PROPERTY(bool CanPause READ canControlTrack)
    Q_PROPERTY(bool CanSeek READ canSeek)
    Q_PROPERTY(bool CanControl READ yes)
public:
    explicit MprisPlayerAdaptor(MprisService *service) : QDBusAbstractAdaptor(service), m_service(*service)
    {
        connect(service, &MprisService::seeked, this, &MprisPlayerAdaptor::Seeked);
    }

    QString playbackStatus() const { return m_service.playbackStatus(); }
    double normalRate() const { return 1.0; } // no other speed
    QVariantMap metadata() const { return m_service.metadata(); }
    double volume() const { return m_service.volume(); }
    void setVolume(double volume) { m_service.setVolume(volume); }
    qlonglong position() const { return m_service.positionMicroseconds(); }
    bool canControlTrack() const { return m_service.canControlTrack(); }
    bool canSeek() const { return m_service.canSeek(); }
    bool canGoNext() const { return m_service.canGo(+1); }
    bool canGoPrevious() const { return m_service.canGo(-1); }
    bool yes() const { return true; }
    bool no() const { return false; }

public Q_SLOTS:
    void Next() { m_service.next(); }
    void Previous() { m_service.previous(); }
    void Pause() { m_service.pause(); }
    void PlayPause() { m_service.playPause(); }
    void Stop() { m_service.stop(); }
    void Play() { m_service.play(); }
    void Seek(qlonglong offset) { m_service.seek(offset); }
    void SetPosition(const QDBusObjectPath &trackId, qlonglong position)
    {
        m_service.setPosition(trackId.path(), position);
    }
    void OpenUri(const QString &uri) { m_service.openUri(uri); }

Q_SIGNALS:
    void Seeked(qlonglong position);

private:
    MprisService &m_service;
};

} // namespace

MprisService::MprisService(Session &session, QObject *parent) : QObject(parent), m_session(session)
{
    new MprisRootAdaptor(this);
    new MprisPlayerAdaptor(this);
    connect(&m_session.playback(), &Playback::playStateChanged, this, &MprisService::publishChanges);
    connect(&m_session.playback(), &Playback::engineVolumeChanged, this, &MprisService::publishChanges);
    connect(&m_session.playback(), &Playback::mediaChanged, this, &MprisService::followFile);
    connect(&m_session.queue(), &PlayQueue::changed, this, &MprisService::publishChanges);
    connect(&m_session.playback(), &Playback::positionJumped, this,
            [this](double seconds) { Q_EMIT seeked(microseconds(seconds)); });
    followFile();
}

MprisService::~MprisService()
{
    if (!m_bus)
        return;
    m_bus->unregisterService(m_serviceName);
    m_bus->unregisterObject(ObjectPath);
}

bool MprisService::registerOn(QDBusConnection bus)
{
    if (m_bus || !bus.isConnected() || !bus.registerObject(ObjectPath, this))
        return false;
    for (const QString &name : {ServiceName, ServiceName + QStringLiteral(".instance") +
                                                 QString::number(QCoreApplication::applicationPid())}) {
        if (bus.registerService(name)) {
            m_bus = bus;
            m_serviceName = name;
            m_published = publishedState();
            return true;
        }
    }
    bus.unregisterObject(ObjectPath);
    return false;
}

QString MprisService::playbackStatus() const
{
    switch (m_session.playback().playState()) {
    case PlayState::Playing:
        return QStringLiteral("Playing");
    case PlayState::Paused:
        return QStringLiteral("Paused");
    case PlayState::Stopped:
        break;
    }
    return QStringLiteral("Stopped");
}

QString MprisService::trackId() const
{
    return m_trackFile.isEmpty() ? NoTrack : TrackPathPrefix + QString::number(m_trackNumber);
}

// Nothing loaded, no track: an empty map.
QVariantMap MprisService::metadata() const
{
    if (m_trackFile.isEmpty())
        return {};
    QVariantMap data{
        {QStringLiteral("mpris:trackid"), QVariant::fromValue(QDBusObjectPath(trackId()))},
        {QStringLiteral("xesam:title"), fileNameOnly(m_trackFile)},
        {QStringLiteral("xesam:url"), QUrl::fromLocalFile(m_trackFile).toString(QUrl::FullyEncoded)},
    };
    if (m_session.playback().duration() > 0)
        data.insert(QStringLiteral("mpris:length"), microseconds(m_session.playback().duration()));
    return data;
}

// What the engine plays at: a change reaches the desktop once it is made.
double MprisService::volume() const
{
    return m_session.playback().engineVolume() / double(PlayerSettings::FullVolume);
}

// Louder than full is full; a value that is no number changes nothing.
void MprisService::setVolume(double volume)
{
    if (std::isfinite(volume))
        m_session.setVolume(int(std::lround(std::clamp(volume, 0.0, 1.0) * PlayerSettings::FullVolume)));
}

qlonglong MprisService::positionMicroseconds() const { return microseconds(m_session.playback().position()); }

bool MprisService::canControlTrack() const { return m_session.playback().fileLoaded(); }

// Once the length is known.
bool MprisService::canSeek() const
{
    return m_session.playback().fileLoaded() && m_session.playback().duration() > 0;
}

void MprisService::raise() { m_session.raisePanel(); }

// Later, so that the caller has its answer before the windows close.
void MprisService::quit() { QMetaObject::invokeMethod(&m_session, &Session::quit, Qt::QueuedConnection); }

void MprisService::play()
{
    if (m_session.playback().playState() != PlayState::Playing)
        m_session.play();
}

void MprisService::pause()
{
    if (m_session.playback().playState() == PlayState::Playing)
        m_session.pauseOrResume();
}

void MprisService::playPause()
{
    if (m_session.playback().playState() == PlayState::Stopped)
        m_session.play();
    else
        m_session.pauseOrResume();
}

void MprisService::stop() { m_session.stop(); }

bool MprisService::canGo(int direction) const { return m_session.queue().canGo(direction); }

void MprisService::next() { m_session.next(); }

void MprisService::previous() { m_session.previous(); }

// Before the start is the start; past the end is the end.
void MprisService::seek(qlonglong offsetMicroseconds)
{
    if (!canSeek())
        return;
    const double target =
        m_session.playback().position() + static_cast<double>(offsetMicroseconds) / MicrosecondsPerSecond;
    m_session.seekTo(std::clamp(target, 0.0, m_session.playback().duration()));
}

// Only for the track playing now, and only within it.
void MprisService::setPosition(const QString &forTrack, qlonglong positionMicroseconds)
{
    if (!canSeek() || forTrack != trackId() || positionMicroseconds < 0 ||
        positionMicroseconds > microseconds(m_session.playback().duration()))
        return;
    m_session.seekTo(static_cast<double>(positionMicroseconds) / MicrosecondsPerSecond);
}

// The open dialog's road, with its checks and messages; later, so that a
// message box never holds the caller's answer.
void MprisService::openUri(const QString &uri)
{
    const QUrl url(uri);
    if (!url.isLocalFile()) {
        if (calledFromDBus())
            sendErrorReply(QDBusError::NotSupported,
                           QStringLiteral("Only file:// URIs can be opened: ") + uri);
        return;
    }
    QMetaObject::invokeMethod(
        &m_session, [session = &m_session, path = url.toLocalFile()] { session->openFile(path); },
        Qt::QueuedConnection);
}

// Each new file is a new track.
void MprisService::followFile()
{
    const QString file = m_session.playback().loadedFile();
    if (file != m_trackFile) {
        m_trackFile = file;
        if (!file.isEmpty())
            ++m_trackNumber;
    }
    publishChanges();
}

QVariantMap MprisService::publishedState() const
{
    const bool canControl = canControlTrack();
    return {
        {QStringLiteral("PlaybackStatus"), playbackStatus()},
        {QStringLiteral("Metadata"), metadata()},
        {QStringLiteral("Volume"), volume()},
        {QStringLiteral("CanPlay"), canControl},
        {QStringLiteral("CanPause"), canControl},
        {QStringLiteral("CanSeek"), canSeek()},
        {QStringLiteral("CanGoNext"), canGo(+1)},
        {QStringLiteral("CanGoPrevious"), canGo(-1)},
    };
}

// One PropertiesChanged with what differs from the last one.
void MprisService::publishChanges()
{
    if (!m_bus)
        return;
    const QVariantMap now = publishedState();
    QVariantMap changed;
    for (auto it = now.cbegin(); it != now.cend(); ++it)
        if (m_published.value(it.key()) != it.value())
            changed.insert(it.key(), it.value());
    m_published = now;
    if (changed.isEmpty())
        return;
    QDBusMessage signal =
        QDBusMessage::createSignal(ObjectPath, PropertiesInterface, QStringLiteral("PropertiesChanged"));
    signal << PlayerInterface << changed << QStringList();
    m_bus->send(signal);
}

} // namespace qr

#include "MprisService.moc"
