#include "session/Playback.h"

#include "desktop/Paths.h"
#include "session/PanelLines.h"
#include "session/WindowStates.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace qr {

namespace {
constexpr double StepGuardSeconds = 10.0;
constexpr int VolumeStep = 5;

const QString Playing = QStringLiteral(" Playing..");
} // namespace

Playback::Playback(MediaControl &media, PanelLines &lines, WindowStates &windows)
    : m_media(media), m_lines(lines), m_windows(windows)
{
    connect(&m_media, &MediaControl::playStateChanged, this, &Playback::playStateChanged);
    connect(&m_media, &MediaControl::volumeChanged, this, &Playback::engineVolumeChanged);
    for (auto changed : {&MediaControl::streamOpened, &MediaControl::streamClosed})
        connect(&m_media, changed, this, &Playback::mediaChanged);
    connect(&m_media, &MediaControl::durationChanged, this, &Playback::mediaChanged);
    connect(&m_media, &MediaControl::speedChanged, this, &Playback::speedChanged);
    connect(&m_media, &MediaControl::tracksChanged, this, &Playback::tracksChanged);
    connect(&m_media, &MediaControl::seekLanded, this, &Playback::positionLanded);
}

void Playback::load(const QString &path)
{
    m_media.setFileName(path);
    Q_EMIT mediaChanged();
}

void Playback::unload()
{
    m_media.setFileName(QString());
    Q_EMIT mediaChanged();
}

bool Playback::play()
{
    if (!fileLoaded())
        return false;
    m_windows.setShown(PlayerWindow::Video, true);
    m_media.play();
    m_lines.setStatus(shortFileTitle(m_currentFile) + Playing);
    setOptionButtonsShown(true);
    return true;
}

bool Playback::pauseOrResume()
{
    if (!fileLoaded())
        return false;
    switch (m_media.playState()) {
    case PlayState::Paused:
        m_media.play();
        m_lines.setStatus(shortFileTitle(m_currentFile) + Playing);
        break;
    case PlayState::Playing:
        m_media.pause();
        m_lines.setStatus(QStringLiteral("Playback paused.."));
        break;
    case PlayState::Stopped:
        break;
    }
    return true;
}

void Playback::stop()
{
    if (!fileLoaded())
        return;
    m_media.stop();
    jumpTo(0.0);
    m_lines.setStatus(QStringLiteral("Playback stopped.."));
    m_lines.setMediaInfo(QString());
}

void Playback::stepBack()
{
    if (position() > StepGuardSeconds)
        jumpTo(position() - StepSeconds);
}

void Playback::stepForward()
{
    if (duration() - StepGuardSeconds > position())
        jumpTo(position() + StepSeconds);
}

void Playback::skip(double seconds)
{
    if (fileLoaded())
        jumpTo(std::clamp(position() + seconds, 0.0, std::max(duration(), 0.0)));
}

void Playback::jumpTo(double seconds)
{
    m_media.setCurrentPosition(seconds);
    if (fileLoaded())
        Q_EMIT positionJumped(m_media.currentPosition());
}

void Playback::setMuted(bool on)
{
    if (!fileLoaded())
        return;
    m_muted = on;
    m_media.setMute(on);
    Q_EMIT switchesChanged();
}

// Switching off needs no file.
void Playback::setRepeat(bool on)
{
    if (on && !fileLoaded())
        return;
    m_repeat = on;
    Q_EMIT switchesChanged();
}

void Playback::setOptionButtonsShown(bool shown)
{
    if (shown == m_optionButtons)
        return;
    m_optionButtons = shown;
    Q_EMIT switchesChanged();
}

void Playback::chooseVolume(int percent)
{
    percent = std::clamp(percent, 0, PlayerSettings::FullVolume);
    m_volumeChosen = true;
    applyVolume(percent);
    m_lines.showHint(QStringLiteral("Volume %1%").arg(percent));
}

// From anywhere between two steps, up or down to the next step.
void Playback::volumeUp() { chooseVolume((m_volume / VolumeStep + 1) * VolumeStep); }

void Playback::volumeDown()
{
    chooseVolume((m_volume + VolumeStep - 1) / VolumeStep * VolumeStep - VolumeStep);
}

void Playback::applyRememberedVolume(int percent)
{
    if (!m_volumeChosen)
        applyVolume(percent);
}

// A volume key that came before the engine.
void Playback::engineStarted()
{
    if (m_volume != PlayerSettings::FullVolume)
        m_media.setVolume(m_volume);
}

void Playback::setSpeed(double factor)
{
    if (!fileLoaded() || !std::isfinite(factor))
        return;
    factor = std::clamp(factor, SlowestSpeed, FastestSpeed);
    m_media.setSpeed(factor);
    m_lines.showHint(QStringLiteral("Speed %1x").arg(factor));
}

void Playback::speedUp()
{
    const auto *next = std::find_if(std::begin(SpeedSteps), std::end(SpeedSteps),
                                    [this](double step) { return step > speed() + 1e-9; });
    setSpeed(next == std::end(SpeedSteps) ? SpeedSteps[std::size(SpeedSteps) - 1] : *next);
}

void Playback::slowDown()
{
    const auto next = std::find_if(std::rbegin(SpeedSteps), std::rend(SpeedSteps),
                                   [this](double step) { return step < speed() - 1e-9; });
    setSpeed(next == std::rend(SpeedSteps) ? SpeedSteps[0] : *next);
}

QList<MediaTrack> Playback::tracks(MediaTrack::Kind kind) const
{
    QList<MediaTrack> ofKind;
    for (const MediaTrack &track : m_media.tracks())
        if (track.kind == kind)
            ofKind << track;
    return ofKind;
}

std::optional<MediaTrack> Playback::track(MediaTrack::Kind kind, int id) const
{
    for (const MediaTrack &track : m_media.tracks())
        if (track.kind == kind && track.id == id)
            return track;
    return std::nullopt;
}

void Playback::chooseAudioTrack(int id)
{
    if (fileLoaded())
        m_media.selectTrack(MediaTrack::Kind::Audio, id);
}

QString Playback::title() const
{
    const QString tagged = m_media.mediaTitle();
    return tagged.isEmpty() ? fileNameOnly(loadedFile()) : tagged;
}

void Playback::applyVolume(int percent)
{
    if (percent == m_volume)
        return;
    m_volume = percent;
    m_media.setVolume(percent);
}

} // namespace qr
