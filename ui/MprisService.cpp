#include "ui/MprisService.h"

#include "desktop/Paths.h"
#include "session/Session.h"
#include "settings/DesktopDefaults.h"

#include <QCoreApplication>
#include <QDBusAbstractAdaptor>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QFileInfo>
#include <QUrl>

#include <algorithm>
#include <cmath>

namespace qr {

namespace {

const QString RootInterface = QStringLiteral("org.mpris.MediaPlayer2");
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
    Q_PROPERTY(bool Fullscreen READ fullscreen WRITE setFullscreen)
    Q_PROPERTY(bool CanSetFullscreen READ canSetFullscreen)
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

    bool fullscreen() const { return m_service.fullScreen(); }
    void setFullscreen(bool on) { m_service.setFullScreen(on); }
    bool canSetFullscreen() const { return m_service.canControlTrack(); }

public Q_SLOTS:
    void Raise() { m_service.raise(); }
    void Quit() { m_service.quit(); }

private:
    MprisService &m_service;
};

// The introspection is written out for Position's annotation: it changes
// all the time, and the desktop learns it by asking, never by a signal.
class MprisPlayerAdaptor : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.mpris.MediaPlayer2.Player")
    Q_CLASSINFO("D-Bus Introspection",
                "  <interface name=\"org.mpris.MediaPlayer2.Player\">\n"
                "    <method name=\"Next\"/>\n"
                "    <method name=\"Previous\"/>\n"
                "    <method name=\"Pause\"/>\n"
                "    <method name=\"PlayPause\"/>\n"
                "    <method name=\"Stop\"/>\n"
                "    <method name=\"Play\"/>\n"
                "    <method name=\"Seek\"><arg name=\"Offset\" type=\"x\" direction=\"in\"/></method>\n"
                "    <method name=\"SetPosition\"><arg name=\"TrackId\" type=\"o\" direction=\"in\"/>"
                "<arg name=\"Position\" type=\"x\" direction=\"in\"/></method>\n"
                "    <method name=\"OpenUri\"><arg name=\"Uri\" type=\"s\" direction=\"in\"/></method>\n"
                "    <signal name=\"Seeked\"><arg name=\"Position\" type=\"x\"/></signal>\n"
                "    <property name=\"PlaybackStatus\" type=\"s\" access=\"read\"/>\n"
                "    <property name=\"LoopStatus\" type=\"s\" access=\"readwrite\"/>\n"
                "    <property name=\"Rate\" type=\"d\" access=\"readwrite\"/>\n"
                "    <property name=\"Metadata\" type=\"a{sv}\" access=\"read\">"
                "<annotation name=\"org.qtproject.QtDBus.QtTypeName\" value=\"QVariantMap\"/></property>\n"
                "    <property name=\"Volume\" type=\"d\" access=\"readwrite\"/>\n"
                "    <property name=\"Position\" type=\"x\" access=\"read\">"
                "<annotation name=\"org.freedesktop.DBus.Property.EmitsChangedSignal\" value=\"false\"/>"
                "</property>\n"
                "    <property name=\"MinimumRate\" type=\"d\" access=\"read\"/>\n"
                "    <property name=\"MaximumRate\" type=\"d\" access=\"read\"/>\n"
                "    <property name=\"CanGoNext\" type=\"b\" access=\"read\"/>\n"
                "    <property name=\"CanGoPrevious\" type=\"b\" access=\"read\"/>\n"
                "    <property name=\"CanPlay\" type=\"b\" access=\"read\"/>\n"
                "    <property name=\"CanPause\" type=\"b\" access=\"read\"/>\n"
                "    <property name=\"CanSeek\" type=\"b\" access=\"read\"/>\n"
                "    <property name=\"CanControl\" type=\"b\" access=\"read\"/>\n"
                "  </interface>\n")
    Q_PROPERTY(QString PlaybackStatus READ playbackStatus)
    Q_PROPERTY(QString LoopStatus READ loopStatus WRITE setLoopStatus)
    Q_PROPERTY(double Rate READ rate WRITE setRate)
    Q_PROPERTY(double MinimumRate READ minimumRate)
    Q_PROPERTY(double MaximumRate READ maximumRate)
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
    QString loopStatus() const { return m_service.loopStatus(); }
    void setLoopStatus(const QString &status) { m_service.setLoopStatus(status); }
    double rate() const { return m_service.rate(); }
    void setRate(double rate) { m_service.setRate(rate); }
    double minimumRate() const { return Playback::SlowestSpeed; }
    double maximumRate() const { return Playback::FastestSpeed; }
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
    connect(&m_session.playback(), &Playback::positionLanded, this,
            [this](double seconds) { Q_EMIT seeked(microseconds(seconds)); });
    connect(&m_session.playback(), &Playback::speedChanged, this, &MprisService::publishChanges);
    connect(&m_session.playback(), &Playback::switchesChanged, this, &MprisService::publishChanges);
    connect(&m_session.playback(), &Playback::tracksChanged, this, &MprisService::publishChanges);
    connect(&m_session.windows(), &WindowStates::videoFullScreenChanged, this, &MprisService::publishChanges);
    connect(&m_session.playback(), &Playback::playStateChanged, this, &MprisService::publishChanges);
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
            m_publishedRoot = publishedRootState();
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
        {QStringLiteral("xesam:title"), m_session.playback().title()},
        {QStringLiteral("xesam:url"),
         QUrl::fromLocalFile(QFileInfo(m_trackFile).absoluteFilePath()).toString(QUrl::FullyEncoded)},
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
        &m_session, [session = &m_session, path = url.toLocalFile()] { session->openAndPlay(path); },
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

QString MprisService::loopStatus() const
{
    return m_session.playback().repeat() ? QStringLiteral("Track") : QStringLiteral("None");
}

// The player repeats one file or none; "Playlist" it cannot do.
void MprisService::setLoopStatus(const QString &status)
{
    if (status == QLatin1String("Track") || status == QLatin1String("None"))
        m_session.setRepeat(status == QLatin1String("Track"));
}

double MprisService::rate() const { return m_session.playback().speed(); }

// A rate of 0 is a pause, by the interface's rules; a negative one, playing backwards, is refused.
void MprisService::setRate(double rate)
{
    if (std::isnan(rate) || rate < 0.0)
        return;
    if (rate > 0.0)
        m_session.setSpeed(rate);
    else if (m_session.playback().playState() == PlayState::Playing)
        m_session.pauseOrResume();
}

bool MprisService::fullScreen() const { return m_session.fullScreen(); }

void MprisService::setFullScreen(bool on) { m_session.setFullScreen(on); }

QVariantMap MprisService::publishedState() const
{
    const bool canControl = canControlTrack();
    return {
        {QStringLiteral("PlaybackStatus"), playbackStatus()},
        {QStringLiteral("LoopStatus"), loopStatus()},
        {QStringLiteral("Rate"), rate()},
        {QStringLiteral("Metadata"), metadata()},
        {QStringLiteral("Volume"), volume()},
        {QStringLiteral("CanPlay"), canControl},
        {QStringLiteral("CanPause"), canControl},
        {QStringLiteral("CanSeek"), canSeek()},
        {QStringLiteral("CanGoNext"), canGo(+1)},
        {QStringLiteral("CanGoPrevious"), canGo(-1)},
    };
}

QVariantMap MprisService::publishedRootState() const
{
    return {
        {QStringLiteral("Fullscreen"), fullScreen()},
        {QStringLiteral("CanSetFullscreen"), canControlTrack()},
    };
}

// For each interface, one PropertiesChanged with what differs from the last.
void MprisService::publishChanges()
{
    if (!m_bus)
        return;
    for (auto &[interface, published, now] : {std::tuple<const QString &, QVariantMap &, QVariantMap>{
                                                  PlayerInterface, m_published, publishedState()},
                                              {RootInterface, m_publishedRoot, publishedRootState()}}) {
        QVariantMap changed;
        for (auto it = now.cbegin(); it != now.cend(); ++it)
            if (published.value(it.key()) != it.value())
                changed.insert(it.key(), it.value());
        published = now;
        if (changed.isEmpty())
            continue;
        QDBusMessage signal =
            QDBusMessage::createSignal(ObjectPath, PropertiesInterface, QStringLiteral("PropertiesChanged"));
        signal << interface << changed << QStringList();
        m_bus->send(signal);
    }
}

} // namespace qr

#include "MprisService.moc"
