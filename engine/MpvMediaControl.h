#pragma once

#include "engine/EngineTrace.h"
#include "engine/MediaControl.h"

#include <QColor>
#include <QHash>
#include <QPointer>
#include <QSize>
#include <QWidget>

#include <array>
#include <atomic>
#include <cstdint>

struct mpv_handle;
struct mpv_event;
struct mpv_event_property;
struct mpv_node;

namespace qr {

class FullScreenSwitch;
struct MpvLibrary;
class MpvSurface;
class VideoBox;

// The media control over libmpv. Everything runs on the GUI thread: the
// engine's threads only post a wake-up, and the queued call drains the
// engine's events. Reads answer from what the engine last reported; the play
// state is the control's own, as the player's transport expects it.
class MpvMediaControl : public MediaControl {
    Q_OBJECT
public:
    // Cheap: libmpv is loaded and the engine made by start(). `background`
    // fills what the picture does not cover.
    explicit MpvMediaControl(const QColor &background, QObject *parent = nullptr);
    ~MpvMediaControl() override;

    // To be called by main before the QApplication exists: on a machine
    // where only the software renderer can be used, the toolkit then never
    // loads an OpenGL rasteriser (tens of MB that nothing would use).
    static void prepareApplication();

    void start() override;
    bool isStarted() const override { return m_mpv != nullptr; }
    QString fileName() const override { return m_file; }
    void setFileName(const QString &path) override;
    double currentPosition() const override { return m_atStart ? 0.0 : m_position; }
    void setCurrentPosition(double seconds) override;
    double duration() const override { return m_duration; }
    PlayState playState() const override { return m_state; }
    void play() override;
    void pause() override;
    void stop() override;
    void setMute(bool on) override;
    int volume() const override { return m_volume; }
    void setVolume(int percent) override;
    int pictureWidth() const override { return m_width; }
    int pictureHeight() const override { return m_height; }
    DisplaySize displaySize() const override { return m_display; }
    void setDisplaySize(DisplaySize size) override;
    void setFullScreenControls(bool on) override;
    double frameRate() const override { return m_containerFps > 0 ? m_containerFps : m_estimatedFps; }
    QList<MediaTrack> tracks() const override { return m_tracks; }
    int currentTrack(MediaTrack::Kind kind) const override { return m_currentTracks[std::size_t(kind)]; }
    void selectTrack(MediaTrack::Kind kind, int id) override;
    QString trackSubtitleText() const override { return m_subtitleText; }
    double speed() const override { return m_speed; }
    void setSpeed(double factor) override;
    void setAspectRatio(double ratio) override;
    void saveScreenshot(const QString &path) override;
    void showOnScreen(const QString &text) override;
    QString mediaTitle() const override { return m_title; }
    QWidget *view() override;

    // Not members of the control: what the engine last reported for mute,
    // and the render path chosen at start ("gl", "sw"; "" before).
    bool isMuted() const { return m_muted; }
    QString renderPathName() const;

private:
    enum class Phase { Closed, Opening, Open };

    static void onWakeup(void *self);
    void drainEvents();
    void handleEvent(const mpv_event &event);
    void handleReply(std::uint64_t tag, int error, const mpv_event_property *value);
    void handleProperty(std::uint64_t tag, const mpv_event_property &property);

    void ensureSurface();
    void releaseVideoOutput();
    void observeAfresh();
    void setState(PlayState state);
    void setPause(bool on);
    void seekTo(double seconds);
    void setDuration(double seconds);
    void announce();
    void reachEnd();
    void fail(int error);
    void forget();
    // Tracks, subtitles, the picture's size, screenshots and the title.
    void askTracksAndTitle();
    void handleFileReport(std::uint64_t which, const mpv_event_property &property);
    bool fileReported() const
    {
        return m_phase == Phase::Open || (m_phase == Phase::Opening && m_fileLoaded);
    }
    void storeTracks(const mpv_node &list);
    void storeTitle(const mpv_event_property *title);
    const MediaTrack *findTrack(MediaTrack::Kind kind, int id) const;
    bool chosenSubtitleIs(bool pictureBased) const;
    void drawSubtitles(bool on);
    void updateSubtitleText();
    void reportPictureSize();
    void finishScreenshot(std::uint64_t serial, int error);
    void forgetFileReports();

    void toggleFullScreen();
    QColor barColour() const;
    void applyFullScreenLook();
    void onPointerMoved();
    void traceDrops();

    const QColor m_background;
    const MpvLibrary *m_lib = nullptr;
    mpv_handle *m_mpv = nullptr; // null until started
    std::atomic_bool m_wakeupPosted{false};
    QPointer<VideoBox> m_box;
    // The render surface, a child of m_box: gone with it if the window that
    // holds the box deletes it first.
    MpvSurface *surface() const { return m_surfaceWidget ? m_surface : nullptr; }
    MpvSurface *m_surface = nullptr;
    QPointer<QWidget> m_surfaceWidget;
    FullScreenSwitch *m_fullScreen;

    QString m_file;
    Phase m_phase = Phase::Closed;
    PlayState m_state = PlayState::Stopped;
    bool m_atStart = true; // stopped at the beginning: reads 0.0
    double m_position = 0.0;
    double m_duration = 0.0;
    int m_width = 0;
    int m_height = 0;
    bool m_muted = false;
    int m_volume = 100;
    double m_containerFps = 0.0;
    double m_estimatedFps = 0.0;
    DisplaySize m_display = DisplaySize::Windowed;
    bool m_controls = false;
    double m_speed = 1.0;

    QList<MediaTrack> m_tracks;
    std::array<int, 2> m_currentTracks{}; // by kind
    QString m_reportedSubtitle;           // the engine's text, kept while a seek is under way
    QString m_subtitleText;               // the chosen text track's, as announced
    bool m_subtitlesDrawn = false;
    QString m_title;
    QSize m_announcedSize; // the picture size the player was told last
    std::uint64_t m_screenshotSerial = 0;
    QHash<std::uint64_t, QString> m_screenshots; // not yet answered, by serial

    // Which engine events belong to the file opened last.
    std::uint64_t m_loadSerial = 0;
    bool m_awaitStart = false;   // loadfile accepted; its start-file comes next
    std::int64_t m_entryId = -1; // the engine's playlist entry of this file
    bool m_fileLoaded = false;
    bool m_sizeAsked = false;

    // A seek the engine has not yet carried out: its reports of the old
    // position are ignored until the seek is done. The engine takes the
    // command (queued), starts the seek (started), then restarts playback
    // where it landed.
    std::uint64_t m_seekSerial = 0;
    bool m_seekPending = false;
    bool m_seekQueued = false;
    bool m_seekStarted = false;
    bool m_endHandled = false;

    EngineTrace m_trace;
    QByteArray m_hwdecAsked; // as the engine reports them at the first picture, for the trace
    QByteArray m_decoder;
    // A count of dropped frames that the engine starts again at each seek, added up.
    struct DropCount {
        std::int64_t before = 0;
        std::int64_t last = 0;
        void see(std::int64_t count)
        {
            if (count < last)
                before += last;
            last = count;
        }
        std::int64_t sum() const { return before + last; }
    };
    DropCount m_drops[2]; // the video output's, the decoder's

    // Property observations are renewed after a seek, a pause change or a
    // new file, so that values read before it never arrive afterwards.
    std::uint64_t m_epoch = 0;
};

} // namespace qr
