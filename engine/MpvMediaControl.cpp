#include "engine/MpvMediaControl.h"

#include "engine/FullScreenSwitch.h"
#include "engine/MpvLibrary.h"
#include "engine/MpvNames.h"
#include "engine/MpvSurface.h"
#include "engine/VideoBox.h"

#include <QDeadlineTimer>
#include <QFileInfo>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace qr {

namespace {

// Reply and observation tags: a kind in the low bits, a serial above it.
enum Kind : std::uint64_t {
    Untracked,
    LoadReply,
    SeekReply,
    LandingReply,
    DurationReply,
    WidthReply,
    HeightReply,
    IdleReport,
    HwdecReply,
    DecoderReply,
    FormatReply,
    TracksReply,
    TitleReply,
    ScreenshotReply
};
enum Observed : std::uint64_t {
    TimePos,
    Duration,
    EofReached,
    PictureParams, // both sides of the shown size at once: one change, one report
    Mute,
    Volume,
    ContainerFps,
    EstimatedFps,
    Speed,
    TrackList,
    SubtitleText,
    Title,
    VoDrops, // these two last, and only for the trace
    DecoderDrops,
    ObservedCount
};
constexpr int KindBits = 5;
static_assert(ObservedCount <= 1 << KindBits && ScreenshotReply < 1 << KindBits);

constexpr std::uint64_t tag(std::uint64_t kind, std::uint64_t serial) { return serial << KindBits | kind; }
constexpr std::uint64_t kindOf(std::uint64_t tag) { return tag & ((1u << KindBits) - 1); }
constexpr std::uint64_t serialOf(std::uint64_t tag) { return tag >> KindBits; }

struct ObservedProperty {
    const char *name;
    mpv_format format;
};
constexpr ObservedProperty Observations[ObservedCount] = {
    {mpv::PropTimePos, MPV_FORMAT_DOUBLE},
    {mpv::PropDuration, MPV_FORMAT_DOUBLE},
    {mpv::PropEofReached, MPV_FORMAT_FLAG},
    {mpv::PropVideoOutParams, MPV_FORMAT_NODE},
    {mpv::PropMute, MPV_FORMAT_FLAG},
    {mpv::PropVolume, MPV_FORMAT_DOUBLE},
    {mpv::PropContainerFps, MPV_FORMAT_DOUBLE},
    {mpv::PropEstimatedFps, MPV_FORMAT_DOUBLE},
    {mpv::PropSpeed, MPV_FORMAT_DOUBLE},
    {mpv::PropTrackList, MPV_FORMAT_NODE},
    {mpv::PropSubtitleText, MPV_FORMAT_STRING},
    {mpv::PropTitle, MPV_FORMAT_STRING},
    {mpv::PropFrameDropCount, MPV_FORMAT_INT64},
    {mpv::PropDecoderFrameDropCount, MPV_FORMAT_INT64},
};

bool readFlag(const mpv_event_property &p, bool &out)
{
    if (p.format != MPV_FORMAT_FLAG)
        return false;
    out = *static_cast<int *>(p.data) != 0;
    return true;
}

bool readDouble(const mpv_event_property &p, double &out)
{
    double value = 0.0;
    if (p.format == MPV_FORMAT_DOUBLE)
        value = *static_cast<double *>(p.data);
    else if (p.format == MPV_FORMAT_INT64)
        value = double(*static_cast<std::int64_t *>(p.data));
    else
        return false;
    if (!std::isfinite(value))
        return false;
    out = value;
    return true;
}

QByteArray readBytes(const mpv_event_property *p)
{
    return p && p->format == MPV_FORMAT_STRING ? QByteArray(*static_cast<char **>(p->data)) : QByteArray();
}

int readInt(const mpv_event_property *p)
{
    return p && p->format == MPV_FORMAT_INT64 ? int(*static_cast<std::int64_t *>(p->data)) : 0;
}

QString readString(const mpv_event_property *p)
{
    return p && p->format == MPV_FORMAT_STRING ? QString::fromUtf8(*static_cast<char **>(p->data))
                                               : QString();
}

// A field of a map node (a track-list entry), or a null node.
mpv_node field(const mpv_node &map, const char *key)
{
    if (map.format == MPV_FORMAT_NODE_MAP)
        for (int i = 0; i < map.u.list->num; ++i)
            if (std::strcmp(map.u.list->keys[i], key) == 0)
                return map.u.list->values[i];
    return mpv_node{};
}

QString fieldString(const mpv_node &map, const char *key)
{
    const mpv_node value = field(map, key);
    return value.format == MPV_FORMAT_STRING ? QString::fromUtf8(value.u.string) : QString();
}

int fieldInt(const mpv_node &map, const char *key)
{
    const mpv_node value = field(map, key);
    return value.format == MPV_FORMAT_INT64 ? int(value.u.int64) : 0;
}

} // namespace

MpvMediaControl::MpvMediaControl(const QColor &background, QObject *parent)
    : MediaControl(parent), m_background(background)
{
    m_box = new VideoBox(background);
    m_fullScreen = new FullScreenSwitch(m_box, this);
    connect(m_fullScreen, &FullScreenSwitch::escapePressed, this,
            [this] { setDisplaySize(DisplaySize::Windowed); });
    connect(m_box, &VideoBox::pressed, this, &MediaControl::pictureMousePressed);
    connect(m_box, &VideoBox::moved, this, &MpvMediaControl::onPointerMoved);
    connect(m_box, &VideoBox::doubleClicked, this, &MpvMediaControl::toggleFullScreen);
}

MpvMediaControl::~MpvMediaControl()
{
    if (m_mpv) {
        m_lib->setWakeupCallback(m_mpv, nullptr, nullptr);
        traceDrops();
        releaseVideoOutput();
    }
    delete m_fullScreen;
    delete m_box; // frees the render context, which must go before the engine
    if (m_mpv)
        m_lib->terminateDestroy(m_mpv);
}

void MpvMediaControl::start()
{
    if (m_mpv)
        return;
    QString loadError;
    const MpvLibrary *lib = loadMpvLibrary(loadError);
    if (!lib)
        throw MediaError(MPV_ERROR_UNSUPPORTED, loadError);
    mpv_handle *mpv = lib->create();
    if (!mpv)
        throw MediaError(MPV_ERROR_NOMEM, QStringLiteral("The playback engine could not be created."));
    const QByteArray backgroundName = barColour().name().toLatin1();
    const std::pair<const char *, const char *> options[] = {
        {mpv::OptVideoOutput, mpv::VideoOutputLibmpv},
        {mpv::OptHwdec, mpv::HwdecNo}, // until the picture's path is known
        {mpv::OptKeepOpen, mpv::Yes},  // the end stays open, so it can be caught and rewound
        {mpv::OptAudioFallbackToNull, mpv::Yes},
        {mpv::OptAudioClientName, "Quilvane Ryn"},
        {mpv::OptBackground, backgroundName.constData()},
        {mpv::OptVideoTimingOffset, "0"}, // frames are announced when due: rendering never waits
        {mpv::OptSubAuto, mpv::No},       // subtitles are the player's own window
        {mpv::PropSubtitleVisibility, mpv::No},
        {mpv::OptResetOnNextFile, mpv::ResetTracks},
        {mpv::OptAudioPitchCorrection, mpv::Yes},
        {mpv::OptScreenshotFormat, mpv::ScreenshotPng}, // whatever the name ends in
        {mpv::OptYtdl, mpv::No},
        {mpv::OptAccessReferences, mpv::No},
        {mpv::OptDemuxerLavfOptions, mpv::LavfFilesOnly},
        {mpv::OptLoadScripts, mpv::No},
        {mpv::OptLoadStatsOverlay, mpv::No},
        {mpv::OptLoadOsdConsole, mpv::No},
        {mpv::OptLoadAutoProfiles, mpv::No},
        {mpv::OptInputDefaultBindings, mpv::No},
        {mpv::PropPause, mpv::Yes},
    };
    for (const auto &[name, value] : options)
        lib->setOptionString(mpv, name, value);
    if (const int error = lib->initialize(mpv); error < 0) {
        lib->terminateDestroy(mpv);
        throw MediaError(error, QStringLiteral("The playback engine could not be started: %1")
                                    .arg(QString::fromUtf8(lib->errorString(error))));
    }
    m_lib = lib;
    m_mpv = mpv;
    observeAfresh();
    m_lib->setWakeupCallback(m_mpv, &MpvMediaControl::onWakeup, this);
    ensureSurface();
    Q_EMIT started();
}

void MpvMediaControl::prepareApplication() { prepareRenderPath(); }

QWidget *MpvMediaControl::view() { return m_box; }

QString MpvMediaControl::renderPathName() const
{
    const MpvSurface *const view = surface();
    if (!view)
        return {};
    return view->path() == RenderPath::OpenGL ? QStringLiteral("gl") : QStringLiteral("sw");
}

// ---- members ---------------------------------------------------------------

void MpvMediaControl::setFileName(const QString &path)
{
    if (path.isEmpty()) {
        if (m_file.isEmpty())
            return;
        forget();
        setDisplaySize(DisplaySize::Windowed);
        Q_EMIT streamClosed();
        return;
    }
    if (!m_mpv)
        throw MediaError(MPV_ERROR_UNINITIALIZED, QStringLiteral("The playback engine is not started."));
    ensureSurface();
    forget();
    m_file = path;
    m_phase = Phase::Opening;
    setPause(true);
    // Absolute, so that no name ("http://...", "av://...", "-") is taken for
    // anything but the file it names.
    const QByteArray file = QFileInfo(path).absoluteFilePath().toUtf8();
    const char *args[] = {mpv::CmdLoadFile, file.constData(), mpv::LoadReplace, nullptr};
    if (m_trace.isOn())
        m_trace.write("open " + file);
    const int error = m_lib->commandAsync(m_mpv, tag(LoadReply, m_loadSerial), args);
    if (error < 0) {
        forget();
        throw MediaError(error,
                         QStringLiteral("%1 could not be opened: %2")
                             .arg(QFileInfo(path).fileName(), QString::fromUtf8(m_lib->errorString(error))));
    }
}

void MpvMediaControl::setCurrentPosition(double seconds)
{
    if (m_file.isEmpty() || !std::isfinite(seconds))
        return;
    seconds = std::max(0.0, m_duration > 0.0 ? std::min(seconds, m_duration) : seconds);
    m_position = seconds;
    m_atStart = m_state == PlayState::Stopped && seconds == 0.0;
    seekTo(seconds);
}

void MpvMediaControl::play()
{
    if (m_file.isEmpty() || m_state == PlayState::Playing)
        return;
    setPause(false);
    m_atStart = false;
    setState(PlayState::Playing);
}

void MpvMediaControl::pause()
{
    if (m_state != PlayState::Playing)
        return;
    setPause(true);
    setState(PlayState::Paused);
}

void MpvMediaControl::stop()
{
    if (m_file.isEmpty())
        return;
    setPause(true);
    seekTo(0.0); // shows the first picture again
    m_position = 0.0;
    m_atStart = true;
    setState(PlayState::Stopped);
}

void MpvMediaControl::setMute(bool on)
{
    if (!m_mpv)
        return;
    int flag = on ? 1 : 0;
    m_lib->setPropertyAsync(m_mpv, Untracked, mpv::PropMute, MPV_FORMAT_FLAG, &flag);
}

void MpvMediaControl::setVolume(int percent)
{
    if (!m_mpv)
        return;
    double volume = std::clamp(percent, 0, 100);
    m_lib->setPropertyAsync(m_mpv, Untracked, mpv::PropVolume, MPV_FORMAT_DOUBLE, &volume);
}

void MpvMediaControl::setDisplaySize(DisplaySize size)
{
    if (size == m_display)
        return;
    m_display = size;
    if (size == DisplaySize::FullScreen)
        m_fullScreen->enter();
    else
        m_fullScreen->leave();
    applyFullScreenLook();
}

void MpvMediaControl::setFullScreenControls(bool on)
{
    if (on == m_controls)
        return; // asked at every tick of the session's clock
    m_controls = on;
    applyFullScreenLook();
}

// ---- the engine ------------------------------------------------------------

// On one of the engine's threads: only post.
void MpvMediaControl::onWakeup(void *self)
{
    auto *control = static_cast<MpvMediaControl *>(self);
    if (!control->m_wakeupPosted.exchange(true))
        QMetaObject::invokeMethod(control, &MpvMediaControl::drainEvents, Qt::QueuedConnection);
}

void MpvMediaControl::drainEvents()
{
    m_wakeupPosted = false;
    for (;;) {
        const mpv_event *event = m_lib->waitEvent(m_mpv, 0);
        if (event->event_id == MPV_EVENT_NONE)
            break;
        handleEvent(*event);
    }
    reportPictureSize();
}

void MpvMediaControl::handleEvent(const mpv_event &event)
{
    switch (event.event_id) {
    case MPV_EVENT_COMMAND_REPLY:
    case MPV_EVENT_GET_PROPERTY_REPLY:
        handleReply(event.reply_userdata, event.error,
                    event.event_id == MPV_EVENT_GET_PROPERTY_REPLY
                        ? static_cast<mpv_event_property *>(event.data)
                        : nullptr);
        break;
    case MPV_EVENT_START_FILE:
        // loadfile replaces the playlist: the first start after its reply is ours.
        if (m_awaitStart) {
            m_awaitStart = false;
            m_entryId = static_cast<mpv_event_start_file *>(event.data)->playlist_entry_id;
        }
        break;
    case MPV_EVENT_END_FILE: {
        const auto *end = static_cast<mpv_event_end_file *>(event.data);
        if (m_phase == Phase::Closed || end->playlist_entry_id != m_entryId)
            break;
        if (end->reason != MPV_END_FILE_REASON_STOP && end->reason != MPV_END_FILE_REASON_QUIT)
            fail(end->reason == MPV_END_FILE_REASON_ERROR ? end->error : MPV_ERROR_NOTHING_TO_PLAY);
        break;
    }
    case MPV_EVENT_FILE_LOADED:
        if (m_phase == Phase::Opening && m_entryId >= 0 && !m_awaitStart && !m_fileLoaded) {
            m_fileLoaded = true;
            observeAfresh(); // nothing the previous file reported may arrive now
            m_lib->getPropertyAsync(m_mpv, tag(FormatReply, m_loadSerial), mpv::PropFileFormat,
                                    MPV_FORMAT_STRING);
        }
        break;
    case MPV_EVENT_PLAYBACK_RESTART:
        // The first restart of a file comes once its first picture is decoded:
        // its size is known then, or there is no picture.
        if (m_phase == Phase::Opening && m_fileLoaded && !m_sizeAsked) {
            m_sizeAsked = true;
            askTracksAndTitle();
            m_lib->getPropertyAsync(m_mpv, tag(DurationReply, m_loadSerial), mpv::PropDuration,
                                    MPV_FORMAT_DOUBLE);
            m_lib->getPropertyAsync(m_mpv, tag(WidthReply, m_loadSerial), mpv::PropDisplayWidth,
                                    MPV_FORMAT_INT64);
            if (m_trace.isOn()) {
                m_lib->getPropertyAsync(m_mpv, tag(HwdecReply, m_loadSerial), mpv::OptHwdec,
                                        MPV_FORMAT_STRING);
                m_lib->getPropertyAsync(m_mpv, tag(DecoderReply, m_loadSerial), mpv::PropHwdecCurrent,
                                        MPV_FORMAT_STRING);
            }
            m_lib->getPropertyAsync(m_mpv, tag(HeightReply, m_loadSerial), mpv::PropDisplayHeight,
                                    MPV_FORMAT_INT64);
        }
        if (m_seekPending && m_seekStarted) {
            m_seekPending = false;
            m_lib->getPropertyAsync(m_mpv, tag(LandingReply, m_seekSerial), mpv::PropTimePos,
                                    MPV_FORMAT_DOUBLE);
            observeAfresh();
        }
        break;
    case MPV_EVENT_SEEK:
        // Only a seek started after the engine took ours can be ours: a
        // restart before it ends a seek that ours overtook.
        if (m_seekPending && m_seekQueued)
            m_seekStarted = true;
        break;
    case MPV_EVENT_PROPERTY_CHANGE:
        handleProperty(event.reply_userdata, *static_cast<mpv_event_property *>(event.data));
        break;
    default:
        break;
    }
}

void MpvMediaControl::handleReply(std::uint64_t replyTag, int error, const mpv_event_property *value)
{
    const std::uint64_t serial = serialOf(replyTag);
    switch (kindOf(replyTag)) {
    case LoadReply:
        if (serial != m_loadSerial || m_phase != Phase::Opening)
            return;
        if (error < 0)
            fail(error);
        else
            m_awaitStart = true;
        return;
    case SeekReply:
        if (serial != m_seekSerial)
            return;
        m_seekQueued = true;
        if (error < 0) // nothing to seek in (yet): no report to wait for
            m_seekPending = false;
        return;
    case LandingReply: {
        double seconds = 0.0;
        if (serial != m_seekSerial || error < 0 || !value || !readDouble(*value, seconds))
            return;
        seconds = std::max(0.0, seconds); // paused sound reads its buffer early
        if (m_trace.isOn())
            m_trace.write("landed " + QByteArray::number(seconds, 'f', 3));
        Q_EMIT seekLanded(seconds);
        return;
    }
    case ScreenshotReply:
        finishScreenshot(serial, error);
        return;
    case DurationReply:
    case WidthReply:
    case HeightReply:
    case HwdecReply:
    case DecoderReply:
    case FormatReply:
    case TracksReply:
    case TitleReply:
        break;
    default:
        return;
    }
    if (serial != m_loadSerial || m_phase != Phase::Opening)
        return;
    switch (kindOf(replyTag)) {
    case DurationReply: {
        double seconds = 0.0;
        if (error >= 0 && value && readDouble(*value, seconds))
            setDuration(seconds);
        break;
    }
    case WidthReply:
        m_width = error >= 0 ? readInt(value) : 0;
        break;
    case HwdecReply:
        m_hwdecAsked = readBytes(value);
        break;
    case DecoderReply:
        m_decoder = readBytes(value);
        break;
    case FormatReply:
        // MPEG program streams' demuxer seeks land on a keyframe after the
        // target, and exact seeks then half a second late: they start a
        // second earlier. Not for other files, where it would often decode a
        // whole group of pictures more.
        if (readBytes(value) == mpv::FileFormatMpegPs) {
            const char *offset = "1";
            m_lib->setPropertyAsync(m_mpv, Untracked, mpv::FileHrSeekDemuxerOffset, MPV_FORMAT_STRING,
                                    &offset);
        }
        break;
    case HeightReply: // asked last: everything StreamOpened promises is known now
        m_height = error >= 0 ? readInt(value) : 0;
        announce();
        break;
    case TracksReply:
        if (error >= 0 && value && value->format == MPV_FORMAT_NODE)
            storeTracks(*static_cast<mpv_node *>(value->data));
        drawSubtitles(chosenSubtitleIs(true)); // the track the engine chose itself
        break;
    case TitleReply:
        storeTitle(error >= 0 ? value : nullptr);
        break;
    }
}

void MpvMediaControl::handleProperty(std::uint64_t propertyTag, const mpv_event_property &property)
{
    if (serialOf(propertyTag) != m_epoch)
        return;
    const auto which = Observed(kindOf(propertyTag));
    if (which == Mute) {
        readFlag(property, m_muted);
        return;
    }
    if (which == Volume) {
        double reported = 0.0;
        if (readDouble(property, reported) && std::lround(reported) != m_volume) {
            m_volume = int(std::lround(reported));
            Q_EMIT volumeChanged(m_volume);
        }
        return;
    }
    if (which == Speed) {
        double factor = 0.0;
        if (readDouble(property, factor) && factor != m_speed) {
            m_speed = factor;
            Q_EMIT speedChanged(factor);
        }
        return;
    }
    if (which == ContainerFps || which == EstimatedFps) {
        double fps = 0.0;
        readDouble(property, fps);
        (which == ContainerFps ? m_containerFps : m_estimatedFps) = fps > 0.0 ? fps : 0.0;
        return;
    }
    if (which == VoDrops || which == DecoderDrops) {
        double count = 0.0;
        if (m_phase == Phase::Open && readDouble(property, count))
            m_drops[which - VoDrops].see(std::int64_t(count));
        return;
    }
    if (m_phase == Phase::Closed)
        return;
    switch (which) {
    case TimePos:
        if (!m_seekPending)
            readDouble(property, m_position);
        break;
    case Duration: {
        double seconds = 0.0;
        if (readDouble(property, seconds))
            setDuration(seconds);
        break;
    }
    case EofReached: {
        bool atEnd = false;
        readFlag(property, atEnd);
        if (!atEnd)
            m_endHandled = false;
        else if (m_phase == Phase::Open && !m_seekPending && !m_endHandled)
            reachEnd();
        break;
    }
    case PictureParams: {
        if (m_phase != Phase::Open || property.format != MPV_FORMAT_NODE)
            break;
        const mpv_node &params = *static_cast<mpv_node *>(property.data);
        const int width = fieldInt(params, mpv::ParamDisplayWidth),
                  height = fieldInt(params, mpv::ParamDisplayHeight);
        if (width <= 0 || height <= 0)
            break;
        m_width = width;
        m_height = height;
        if (MpvSurface *view = surface())
            view->setPictureSize(QSize(m_width, m_height));
        break;
    }
    case TrackList:
    case SubtitleText:
    case Title:
        handleFileReport(which, property);
        break;
    default:
        break;
    }
}

void MpvMediaControl::observeAfresh()
{
    const std::uint64_t count = m_trace.isOn() ? ObservedCount : VoDrops;
    for (std::uint64_t i = 0; i < count; ++i)
        m_lib->unobserveProperty(m_mpv, tag(i, m_epoch));
    ++m_epoch;
    for (std::uint64_t i = 0; i < count; ++i)
        m_lib->observeProperty(m_mpv, tag(i, m_epoch), Observations[i].name, Observations[i].format);
}

void MpvMediaControl::ensureSurface()
{
    if (m_surfaceWidget || !m_box || !m_mpv)
        return;
    m_surface = createSurface(chooseRenderPath(), *m_lib, m_mpv, m_box);
    if (!m_surface)
        return;
    m_surfaceWidget = m_surface->widget();
    m_box->setSurface(m_surfaceWidget);
    // Before any file: the engine takes it for the next one it opens.
    const QByteArray hwdec = hardwareDecoding(m_surface->path());
    const char *value = hwdec.constData();
    m_lib->setProperty(m_mpv, mpv::OptHwdec, MPV_FORMAT_STRING, &value);
}

// Freeing the render context while the engine still has a video output makes
// that output wait up to 200 ms for each frame it hands over, since nothing
// takes them then: quit took 0.4 s longer. So the file is dropped first while
// frames are still taken, until the engine is idle and its output gone. No
// call here waits for the engine, which may itself be waiting for a frame.
void MpvMediaControl::releaseVideoOutput()
{
    MpvSurface *view = surface();
    if (!view)
        return;
    // The first report is the state now, before the stop.
    m_lib->observeProperty(m_mpv, tag(IdleReport, 0), mpv::PropIdleActive, MPV_FORMAT_FLAG);
    const char *args[] = {mpv::CmdStop, nullptr};
    m_lib->commandAsync(m_mpv, Untracked, args);
    const QDeadlineTimer deadline(1000);
    bool idle = false;
    while (!idle && !deadline.hasExpired()) {
        view->dropFrame();
        const mpv_event *event = m_lib->waitEvent(m_mpv, 0.005);
        if (event->event_id == MPV_EVENT_PROPERTY_CHANGE && event->reply_userdata == tag(IdleReport, 0))
            readFlag(*static_cast<mpv_event_property *>(event->data), idle);
    }
}

void MpvMediaControl::setState(PlayState state)
{
    if (state == m_state)
        return;
    m_state = state;
    Q_EMIT playStateChanged(state);
}

void MpvMediaControl::setPause(bool on)
{
    int flag = on ? 1 : 0;
    m_lib->setPropertyAsync(m_mpv, Untracked, mpv::PropPause, MPV_FORMAT_FLAG, &flag);
    observeAfresh();
}

void MpvMediaControl::seekTo(double seconds)
{
    const QByteArray target = QByteArray::number(seconds, 'f', 3);
    const char *args[] = {mpv::CmdSeek, target.constData(), mpv::SeekAbsoluteExact, nullptr};
    if (m_trace.isOn())
        m_trace.write("seek " + target);
    m_seekPending = m_lib->commandAsync(m_mpv, tag(SeekReply, ++m_seekSerial), args) >= 0;
    m_seekQueued = false;
    m_seekStarted = false;
}

void MpvMediaControl::setDuration(double seconds)
{
    if (seconds == m_duration)
        return;
    m_duration = seconds;
    Q_EMIT durationChanged(seconds);
}

void MpvMediaControl::announce()
{
    m_phase = Phase::Open;
    m_announcedSize = QSize(m_width, m_height);
    if (MpvSurface *view = surface())
        view->setPictureSize(QSize(m_width, m_height));
    if (m_trace.isOn())
        m_trace.write("opened " + QByteArray::number(m_width) + 'x' + QByteArray::number(m_height) +
                      " hwdec=" + m_hwdecAsked + " decoder=" + m_decoder);
    Q_EMIT streamOpened();
}

// The engine stays paused on the last picture (keep-open); the control
// rewinds and stops, as the player's end-of-media rule expects.
void MpvMediaControl::reachEnd()
{
    m_endHandled = true;
    setPause(true);
    seekTo(0.0);
    m_position = 0.0;
    m_atStart = true;
    setState(PlayState::Stopped);
    Q_EMIT endOfMedia();
}

void MpvMediaControl::fail(int error)
{
    const QString name = QFileInfo(m_file).fileName();
    forget();
    setDisplaySize(DisplaySize::Windowed);
    Q_EMIT engineError(
        error,
        QStringLiteral("%1 could not be played: %2").arg(name, QString::fromUtf8(m_lib->errorString(error))));
    Q_EMIT streamClosed();
}

// Back to the state without media; the engine drops its file. The display
// stays as it is: a file replacing another keeps full screen.
void MpvMediaControl::forget()
{
    traceDrops();
    if (m_phase != Phase::Closed) {
        const char *args[] = {mpv::CmdStop, nullptr};
        m_lib->commandAsync(m_mpv, Untracked, args);
    }
    m_file.clear();
    m_phase = Phase::Closed;
    m_atStart = true;
    m_position = 0.0;
    m_duration = 0.0;
    m_width = m_height = 0;
    m_containerFps = m_estimatedFps = 0.0;
    ++m_loadSerial;
    m_awaitStart = false;
    m_entryId = -1;
    m_fileLoaded = false;
    m_sizeAsked = false;
    m_seekPending = false;
    ++m_seekSerial; // a seek of the file before lands nowhere
    m_endHandled = false;
    forgetFileReports();
    if (MpvSurface *view = surface())
        view->setPictureSize(QSize());
    setState(PlayState::Stopped);
}

// The engine's own counts as the file closes (the trace only).
void MpvMediaControl::traceDrops()
{
    if (m_trace.isOn() && m_phase == Phase::Open)
        m_trace.write("dropped vo=" + QByteArray::number(m_drops[0].sum()) +
                      " decoder=" + QByteArray::number(m_drops[1].sum()));
    m_drops[0] = m_drops[1] = {};
}

// ---- tracks, subtitles, speed, the picture, the title ----------------------

void MpvMediaControl::selectTrack(MediaTrack::Kind kind, int id)
{
    const MediaTrack *track = findTrack(kind, id);
    if (m_phase != Phase::Open || (id != 0 && !track))
        return;
    const QByteArray value = id == 0 ? QByteArray(mpv::No) : QByteArray::number(id);
    const char *text = value.constData();
    const bool subtitle = kind == MediaTrack::Kind::Subtitle;
    const bool drawn = track && track->pictureBased;
    if (subtitle && !drawn) // hidden first: a text track never shows on the picture
        drawSubtitles(false);
    m_lib->setPropertyAsync(m_mpv, Untracked, subtitle ? mpv::PropSubtitleTrack : mpv::PropAudioTrack,
                            MPV_FORMAT_STRING, &text);
    if (subtitle && drawn) // shown after: the text track before must not appear
        drawSubtitles(true);
}

void MpvMediaControl::setSpeed(double factor)
{
    if (!m_mpv || !std::isfinite(factor))
        return;
    factor = std::clamp(factor, 0.01, 100.0); // what the engine takes
    m_lib->setPropertyAsync(m_mpv, Untracked, mpv::PropSpeed, MPV_FORMAT_DOUBLE, &factor);
}

void MpvMediaControl::setAspectRatio(double ratio)
{
    if (!m_mpv)
        return;
    const QByteArray value = ratio > 0.0 && std::isfinite(ratio) ? QByteArray::number(ratio, 'g', 8)
                                                                 : QByteArray(mpv::AspectOfFile);
    const char *text = value.constData();
    m_lib->setPropertyAsync(m_mpv, Untracked, mpv::PropAspectOverride, MPV_FORMAT_STRING, &text);
}

void MpvMediaControl::saveScreenshot(const QString &path)
{
    const QByteArray file = path.toUtf8();
    const char *args[] = {mpv::CmdScreenshotToFile, file.constData(), mpv::ScreenshotVideo, nullptr};
    const std::uint64_t serial = ++m_screenshotSerial;
    if (!m_mpv || m_lib->commandAsync(m_mpv, tag(ScreenshotReply, serial), args) < 0) {
        Q_EMIT screenshotSaved(path, false);
        return;
    }
    m_screenshots.insert(serial, path);
}

void MpvMediaControl::finishScreenshot(std::uint64_t serial, int error)
{
    if (const auto asked = m_screenshots.find(serial); asked != m_screenshots.end()) {
        const QString path = *asked;
        m_screenshots.erase(asked);
        Q_EMIT screenshotSaved(path, error >= 0);
    }
}

void MpvMediaControl::showOnScreen(const QString &text)
{
    if (!m_mpv)
        return;
    const QByteArray line = text.toUtf8(); // shown as it is: the client API expands no properties
    const char *args[] = {mpv::CmdShowText, line.constData(), mpv::ShowTextMilliseconds, nullptr};
    m_lib->commandAsync(m_mpv, Untracked, args);
}

// Asked before the picture size, whose answer opens the stream: the tracks
// and the title are known when streamOpened is announced.
void MpvMediaControl::askTracksAndTitle()
{
    m_lib->getPropertyAsync(m_mpv, tag(TracksReply, m_loadSerial), mpv::PropTrackList, MPV_FORMAT_NODE);
    m_lib->getPropertyAsync(m_mpv, tag(TitleReply, m_loadSerial), mpv::PropTitle, MPV_FORMAT_STRING);
}

void MpvMediaControl::handleFileReport(std::uint64_t which, const mpv_event_property &property)
{
    if (!fileReported())
        return;
    if (which == TrackList && property.format == MPV_FORMAT_NODE)
        storeTracks(*static_cast<mpv_node *>(property.data));
    else if (which == Title)
        storeTitle(&property);
    else if (which == SubtitleText) {
        // Unavailable while the engine seeks: the text there follows.
        if (property.format == MPV_FORMAT_STRING || !m_seekPending)
            m_reportedSubtitle = readString(&property);
        updateSubtitleText();
    }
}

void MpvMediaControl::storeTracks(const mpv_node &list)
{
    QList<MediaTrack> tracks;
    std::array<int, 2> current{};
    for (int i = 0; list.format == MPV_FORMAT_NODE_ARRAY && i < list.u.list->num; ++i) {
        const mpv_node &entry = list.u.list->values[i];
        const QString type = fieldString(entry, mpv::TrackType);
        if (type != QLatin1String(mpv::TrackAudio) && type != QLatin1String(mpv::TrackSubtitle))
            continue;
        MediaTrack track;
        track.kind =
            type == QLatin1String(mpv::TrackAudio) ? MediaTrack::Kind::Audio : MediaTrack::Kind::Subtitle;
        track.id = fieldInt(entry, mpv::TrackId);
        track.language = fieldString(entry, mpv::TrackLanguage);
        track.title = fieldString(entry, mpv::TrackTitle);
        track.codec = fieldString(entry, mpv::TrackCodec);
        track.channels = fieldInt(entry, mpv::TrackChannels);
        track.pictureBased = track.kind == MediaTrack::Kind::Subtitle &&
                             std::ranges::any_of(mpv::PictureSubtitleCodecs, [&](const char *codec) {
                                 return track.codec == QLatin1String(codec);
                             });
        const mpv_node selected = field(entry, mpv::TrackSelected);
        if (selected.format == MPV_FORMAT_FLAG && selected.u.flag)
            current[std::size_t(track.kind)] = track.id;
        tracks.append(track);
    }
    if (tracks == m_tracks && current == m_currentTracks)
        return;
    m_tracks = tracks;
    m_currentTracks = current;
    updateSubtitleText();
    if (m_phase == Phase::Open) // before, streamOpened tells
        Q_EMIT tracksChanged();
}

void MpvMediaControl::storeTitle(const mpv_event_property *title) { m_title = readString(title); }

const MediaTrack *MpvMediaControl::findTrack(MediaTrack::Kind kind, int id) const
{
    const auto found =
        std::ranges::find_if(m_tracks, [&](const MediaTrack &t) { return t.kind == kind && t.id == id; });
    return found == m_tracks.end() ? nullptr : &*found;
}

bool MpvMediaControl::chosenSubtitleIs(bool pictureBased) const
{
    const MediaTrack *chosen =
        findTrack(MediaTrack::Kind::Subtitle, currentTrack(MediaTrack::Kind::Subtitle));
    return chosen && chosen->pictureBased == pictureBased;
}

void MpvMediaControl::drawSubtitles(bool on)
{
    if (on == m_subtitlesDrawn || !m_mpv)
        return;
    m_subtitlesDrawn = on;
    int flag = on ? 1 : 0;
    m_lib->setPropertyAsync(m_mpv, Untracked, mpv::PropSubtitleVisibility, MPV_FORMAT_FLAG, &flag);
}

void MpvMediaControl::updateSubtitleText()
{
    const QString text = chosenSubtitleIs(false) ? m_reportedSubtitle : QString();
    if (text == m_subtitleText)
        return;
    m_subtitleText = text;
    Q_EMIT trackSubtitleTextChanged(text);
}

// Once per change of the shown size, after both sides of it are reported.
void MpvMediaControl::reportPictureSize()
{
    if (m_phase != Phase::Open || QSize(m_width, m_height) == m_announcedSize)
        return;
    m_announcedSize = QSize(m_width, m_height);
    Q_EMIT pictureSizeChanged();
}

// Whatever the file reported goes with it; the next file's text tracks start hidden.
void MpvMediaControl::forgetFileReports()
{
    m_tracks.clear();
    m_currentTracks = {};
    m_reportedSubtitle.clear();
    m_title.clear();
    m_announcedSize = QSize();
    drawSubtitles(false);
    updateSubtitleText();
}

// ---- full screen and the mouse --------------------------------------------

void MpvMediaControl::toggleFullScreen()
{
    if (m_file.isEmpty())
        return;
    if (m_display == DisplaySize::FullScreen) {
        setDisplaySize(DisplaySize::Windowed);
        return;
    }
    setDisplaySize(DisplaySize::FullScreen);
    Q_EMIT displayModeChanged(DisplaySize::FullScreen);
}

// Full screen shows the picture between black bars, the skin's colour
// otherwise: the view's own fill and the engine's. With the controls switched
// on, a pointer moving over the full-screen picture is reported.
QColor MpvMediaControl::barColour() const
{
    return m_display == DisplaySize::FullScreen ? QColor(Qt::black) : m_background;
}

void MpvMediaControl::applyFullScreenLook()
{
    if (m_box) {
        m_box->setBackground(barColour());
        m_box->setTrackMouse(m_controls && m_display == DisplaySize::FullScreen);
    }
    if (!m_mpv)
        return;
    const QByteArray colour = barColour().name().toLatin1();
    const char *value = colour.constData();
    m_lib->setPropertyAsync(m_mpv, Untracked, mpv::OptBackground, MPV_FORMAT_STRING, &value);
}

void MpvMediaControl::onPointerMoved()
{
    if (m_controls && m_display == DisplaySize::FullScreen)
        Q_EMIT picturePointerMoved();
}

} // namespace qr
