#pragma once

#include <QObject>
#include <QString>
#include <stdexcept>

class QWidget;

namespace qr {

// What a failing media-control member throws: a numeric code and a text,
// as the error reporter shows them.
class MediaError : public std::runtime_error {
public:
    MediaError(int code, const QString &description)
        : std::runtime_error(description.toStdString()), m_code(code), m_description(description) {}
    int code() const { return m_code; }
    QString description() const { return m_description; }

private:
    int m_code;
    QString m_description;
};

enum PlayState { Stopped = 0, Paused = 1, Playing = 2 };
enum DisplaySize { FullScreen = 3, Windowed = 4 };

// The playback engine as the player sees it: the hosted media control
// `videobox`. Every window reaches the engine only through these members.
//
// Notifications, and what raises them:
//   StreamOpened        a file is open and its picture size is known
//                       (sound-only files: as soon as they are open).
//   EndOfMedia          the media played to its end; the control has already
//                       rewound to 0.0 and is stopped.
//   PictureMouseDown    a mouse press on the picture: button (1 left,
//                       2 right, 4 middle), shift (1 Shift, 2 Ctrl, 4 Alt),
//                       x and y in twips from the picture's top-left corner.
//   DurationChange      the first two-argument notification: the duration
//                       became known or changed (old, new seconds).
//   DisplayModeChange   the second two-argument notification: the control
//                       went full screen by its own gesture (a double-click
//                       on the picture); old and new display size.
//   StreamClosed        the argument-less one: the file was closed (file name
//                       put to "") or could not be opened.
class MediaControl : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    ~MediaControl() override = default;

    // "" means nothing loaded. Putting a path opens it; putting "" closes.
    virtual QString fileName() const = 0;
    virtual void setFileName(const QString &path) = 0;

    // Seconds. Reads answer at once from what the engine last reported.
    virtual double currentPosition() const = 0;
    virtual void setCurrentPosition(double seconds) = 0;
    virtual double duration() const = 0;

    virtual int playState() const = 0;
    virtual void play() = 0;
    virtual void pause() = 0;
    virtual void stop() = 0;

    virtual void setMute(bool on) = 0;

    // The size the picture is shown at (aspect corrected), in pixels;
    // 0 x 0 for sound-only media.
    virtual int pictureWidth() const = 0;
    virtual int pictureHeight() const = 0;

    virtual int displaySize() const = 0;
    virtual void setDisplaySize(int size) = 0;

    // The engine's own on-screen controls, shown only in full screen.
    virtual void setFullScreenControls(bool on) = 0;

    // Frames per second of the picture; 0 when unknown (the subtitle timing
    // then counts 25).
    virtual double frameRate() const { return 0.0; }

    // The widget that shows the picture; the video window places it.
    virtual QWidget *view() = 0;

Q_SIGNALS:
    void StreamOpened();
    void EndOfMedia(int result);
    void PictureMouseDown(int button, int shift, double x, double y);
    void DurationChange(double oldDuration, double newDuration);
    void DisplayModeChange(int oldSize, int newSize);
    void StreamClosed();
    // An engine failure that is not the answer to a member call (a file
    // that turns out to be unplayable after it was accepted, say).
    void EngineError(int code, const QString &description);
};

} // namespace qr
