#pragma once

#include <QObject>
#include <QPointF>
#include <QString>
#include <stdexcept>

class QWidget;

namespace qr {

// What a failing media-control member throws: a numeric code and a text,
// as the error report shows them.
class MediaError : public std::runtime_error {
public:
    MediaError(int code, const QString &description)
        : std::runtime_error(description.toStdString()), m_code(code), m_description(description)
    {
    }
    int code() const { return m_code; }
    QString description() const { return m_description; }

private:
    int m_code;
    QString m_description;
};

enum class PlayState { Stopped = 0, Paused = 1, Playing = 2 };
enum class DisplaySize { FullScreen = 3, Windowed = 4 };

// One audio or subtitle track of the open file, as the engine lists it.
struct MediaTrack {
    enum class Kind { Audio, Subtitle };
    Kind kind = Kind::Audio;
    int id = 0;                // the engine's number for it, from 1
    QString language;          // "eng", "" when the file does not say
    QString title;             // "" when the file gives none
    QString codec;             // "ac3", "subrip", "hdmv_pgs_subtitle"...
    int channels = 0;          // audio: how many, 0 when unknown
    bool pictureBased = false; // subtitles drawn as pictures (DVD, Blu-ray)
    bool operator==(const MediaTrack &) const = default;
};

// The playback engine as the player sees it. Every part of the player
// reaches the engine only through these members; reads answer at once from
// what the engine last reported, and only start and setFileName can fail.
//
// The engine proper is made by start(), not with the control, so that the
// player's first window can show before it; until then nothing is loaded.
//
// Notifications, and what raises them:
//   started              start() made the engine: files can be opened now.
//   playStateChanged     the play state changed, by a member call or by the
//                        engine's own controls.
//   volumeChanged        the engine reports a new volume.
//   streamOpened         a file is open, its picture size is known and its
//                        first picture is in the view (sound-only files: as
//                        soon as they are open).
//   endOfMedia           the media played to its end; the control has already
//                        rewound to 0.0 and is stopped.
//   pictureMousePressed  a mouse press on the picture, at a position in
//                        pixels from the picture's top-left corner.
//   durationChanged      the duration became known or changed.
//   displayModeChanged   the control went full screen by its own gesture (a
//                        double-click on the picture).
//   streamClosed         the file was closed (file name put to "") or could
//                        not be opened.
//   engineError          a failure that is not the answer to a member call:
//                        a file that turns out to be unplayable after it was
//                        accepted, say.
//   seekLanded           a seek the control made (a put position, or the
//                        rewind of stop and of the end of media) is done: the
//                        first picture at the new place is in the view, and
//                        playback or the pause goes on from there; `seconds`
//                        is that place as the engine reports it then. Once
//                        per seek; a seek overtaken by a newer one before it
//                        lands reports nothing.
//   tracksChanged        the open file's tracks, or the ones chosen, changed.
//   trackSubtitleTextChanged
//                        the text of the chosen text subtitle track at the
//                        playing position changed.
//   speedChanged         the engine plays at another speed.
//   pictureSizeChanged   the picture's shown size changed while the file is
//                        open (an aspect ratio chosen, say).
//   screenshotSaved      a screenshot asked for was written to `path`, or
//                        could not be (`saved` false).
//   picturePointerMoved  the pointer moved over the picture while it is full
//                        screen with the full-screen controls on.
class MediaControl : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    ~MediaControl() override = default;

    // Makes and starts the engine and the path its picture takes to the
    // screen. Throws MediaError when the engine cannot be started; does
    // nothing once it runs.
    virtual void start() = 0;
    virtual bool isStarted() const = 0;

    // "" means nothing loaded. Putting a path opens it and throws MediaError
    // when the engine refuses it at once or is not started; putting ""
    // closes and never throws.
    virtual QString fileName() const = 0;
    virtual void setFileName(const QString &path) = 0;

    // Seconds.
    virtual double currentPosition() const = 0;
    virtual void setCurrentPosition(double seconds) = 0;
    virtual double duration() const = 0;

    virtual PlayState playState() const = 0;
    virtual void play() = 0;
    virtual void pause() = 0;
    virtual void stop() = 0;

    virtual void setMute(bool on) = 0;
    // 0..100 %, kept across files; mute is apart from it.
    virtual int volume() const = 0;
    virtual void setVolume(int percent) = 0;

    // The size the picture is shown at (aspect corrected), in pixels;
    // 0 x 0 for sound-only media.
    virtual int pictureWidth() const = 0;
    virtual int pictureHeight() const = 0;

    virtual DisplaySize displaySize() const = 0;
    virtual void setDisplaySize(DisplaySize size) = 0;

    // Whether the pointer over a full-screen picture is reported
    // (picturePointerMoved), so that the time can be shown over it.
    virtual void setFullScreenControls(bool on) = 0;

    // Frames per second of the picture as the media declares or the decoder
    // estimates it; 0 when unknown.
    virtual double frameRate() const = 0;

    // The open file's audio and subtitle tracks, and the one of each kind in
    // use (0: none). Choosing subtitle track 0 switches subtitles off. A
    // text subtitle track is not drawn by the engine: its text at the
    // playing position is trackSubtitleText(); picture-based tracks are
    // drawn on the picture.
    virtual QList<MediaTrack> tracks() const = 0;
    virtual int currentTrack(MediaTrack::Kind kind) const = 0;
    virtual void selectTrack(MediaTrack::Kind kind, int id) = 0;
    virtual QString trackSubtitleText() const = 0;

    // 1.0 is the file's own speed; the pitch is kept at any speed.
    virtual double speed() const = 0;
    virtual void setSpeed(double factor) = 0;
    // The picture's width over its height, as shown; 0 takes the file's own.
    virtual void setAspectRatio(double ratio) = 0;
    // The picture at the playing position, at its own size without
    // subtitles, as a PNG file; screenshotSaved says how it went.
    virtual void saveScreenshot(const QString &path) = 0;
    // A short text over the picture, for about a second.
    virtual void showOnScreen(const QString &text) = 0;
    // The title the file's container gives, "" when none.
    virtual QString mediaTitle() const = 0;

    // The widget that shows the picture; the video window places it.
    virtual QWidget *view() = 0;

Q_SIGNALS:
    void started();
    void playStateChanged(PlayState state);
    void volumeChanged(int percent);
    void streamOpened();
    void endOfMedia();
    void pictureMousePressed(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPointF position);
    void durationChanged(double seconds);
    void displayModeChanged(DisplaySize size);
    void streamClosed();
    void engineError(int code, const QString &description);
    void seekLanded(double seconds);
    void tracksChanged();
    void trackSubtitleTextChanged(const QString &text);
    void speedChanged(double factor);
    void pictureSizeChanged();
    void screenshotSaved(const QString &path, bool saved);
    void picturePointerMoved();
};

} // namespace qr
