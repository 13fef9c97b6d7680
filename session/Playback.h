#pragma once

#include "engine/MediaControl.h"
#include "settings/PlayerSettings.h"

#include <QObject>
#include <QString>

#include <optional>

namespace qr {

class PanelLines;
class WindowStates;

// The file in use and how it plays: the transport, repeat, mute and the
// volume. What it reads of the engine answers at once from what the engine
// last reported.
class Playback : public QObject {
    Q_OBJECT
public:
    Playback(MediaControl &media, PanelLines &lines, WindowStates &windows);

    // The file the player was last asked to open; "" for none.
    QString currentFile() const { return m_currentFile; }
    void setCurrentFile(const QString &path) { m_currentFile = path; }
    // The file in the engine ("" for none), its length and where it plays,
    // in seconds, and how.
    QString loadedFile() const { return m_media.fileName(); }
    bool fileLoaded() const { return !loadedFile().isEmpty(); }
    double duration() const { return m_media.duration(); }
    double position() const { return m_media.currentPosition(); }
    PlayState playState() const { return m_media.playState(); }

    // Hands the file to the engine; throws MediaError when it refuses it.
    void load(const QString &path);
    // Nothing loaded any more.
    void unload();

    // Each false when nothing is loaded and nothing was done.
    bool play();
    bool pauseOrResume();
    void stop();
    // Five seconds back or on, unless within ten seconds of the start or the
    // end.
    void stepBack();
    void stepForward();
    static constexpr double StepSeconds = 5.0;
    // By the given seconds, no further than the start or the end.
    void skip(double seconds);
    // Straight to a position, announced as a jump when a file is loaded.
    void jumpTo(double seconds);

    bool muted() const { return m_muted; }
    void setMuted(bool on);
    bool repeat() const { return m_repeat; }
    void setRepeat(bool on);
    // The mute, repeat and zoom switches show only while a file is loaded.
    bool optionButtonsShown() const { return m_optionButtons; }
    void setOptionButtonsShown(bool shown);

    // 0..100 %, with or without a file, muted or not. The engine follows
    // and reports what it plays at.
    int volume() const { return m_volume; }
    int engineVolume() const { return m_media.volume(); }
    // A volume chosen in this run: shown as a hint, and it outlasts the next
    // file. The steps land on multiples of 5.
    void chooseVolume(int percent);
    void volumeUp();
    void volumeDown();
    // The volume remembered at quit, unless one was chosen in this run.
    void applyRememberedVolume(int percent);
    // What a volume chosen before the engine started becomes once it runs.
    void engineStarted();

    // The speed, from SlowestSpeed to FastestSpeed, the pitch kept; the
    // status line says "Speed 1.25x". The steps go through SpeedSteps, from
    // anywhere between two of them to the next.
    static constexpr double SpeedSteps[] = {0.5, 0.75, 1.0, 1.25, 1.5, 2.0};
    static constexpr double SlowestSpeed = 0.25;
    static constexpr double FastestSpeed = 4.0;
    double speed() const { return m_media.speed(); }
    void setSpeed(double factor);
    void speedUp();
    void slowDown();

    // The open file's tracks of a kind, and the one in use (0: none).
    QList<MediaTrack> tracks(MediaTrack::Kind kind) const;
    std::optional<MediaTrack> track(MediaTrack::Kind kind, int id) const;
    int currentTrack(MediaTrack::Kind kind) const { return m_media.currentTrack(kind); }
    void chooseAudioTrack(int id);
    // The container's title, else the file's name.
    QString title() const;

Q_SIGNALS:
    void playStateChanged(PlayState state);
    // The loaded file, or its length, changed.
    void mediaChanged();
    void engineVolumeChanged(int percent);
    // The position was put somewhere else rather than played to; seconds.
    void positionJumped(double seconds);
    // Mute, repeat, or whether the switches show.
    void switchesChanged();
    void speedChanged(double factor);
    void tracksChanged();
    // A jump is done: playback goes on from `seconds`, where it landed.
    void positionLanded(double seconds);

private:
    void applyVolume(int percent);

    MediaControl &m_media;
    PanelLines &m_lines;
    WindowStates &m_windows;

    QString m_currentFile;
    bool m_repeat = false;
    bool m_muted = false;
    bool m_optionButtons = true;
    int m_volume = PlayerSettings::FullVolume;
    bool m_volumeChosen = false;
};

} // namespace qr
