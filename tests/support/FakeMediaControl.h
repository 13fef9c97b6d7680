#pragma once

#include "engine/MediaControl.h"

#include <QStringList>

namespace qr::test {

// A media control whose every answer the test sets, and which records the
// members called on it ("play", "setCurrentPosition 5", ...).
class FakeMediaControl : public MediaControl {
    Q_OBJECT
public:
    using MediaControl::MediaControl;

    bool running = true;      // started; a start-up test begins with it off
    bool refuseStart = false; // start throws
    QString file;
    double position = 0.0;
    double length = 0.0;
    PlayState state = PlayState::Stopped;
    int width = 0;
    int height = 0;
    DisplaySize display = DisplaySize::Windowed;
    double fps = 0.0;
    bool muted = false;
    int volumeLevel = 100;
    bool controls = false;
    bool refuseFiles = false; // setFileName throws for a path
    QWidget *viewWidget = nullptr;
    QStringList calls;

    void start() override;
    bool isStarted() const override { return running; }
    QString fileName() const override { return file; }
    void setFileName(const QString &path) override;
    double currentPosition() const override { return position; }
    void setCurrentPosition(double seconds) override;
    double duration() const override { return length; }
    PlayState playState() const override { return state; }
    void play() override;
    void pause() override;
    void stop() override;
    void setMute(bool on) override;
    int volume() const override { return volumeLevel; }
    void setVolume(int percent) override; // reported back at once
    int pictureWidth() const override { return width; }
    int pictureHeight() const override { return height; }
    DisplaySize displaySize() const override { return display; }
    void setDisplaySize(DisplaySize size) override;
    void setFullScreenControls(bool on) override;
    double frameRate() const override { return fps; }
    QWidget *view() override { return viewWidget; }

    QList<MediaTrack> trackList;
    int chosenAudio = 0, chosenSubtitle = 0;
    QString subtitleText;
    double speedFactor = 1.0;
    QString title;
    QList<MediaTrack> tracks() const override { return trackList; }
    int currentTrack(MediaTrack::Kind kind) const override
    {
        return kind == MediaTrack::Kind::Audio ? chosenAudio : chosenSubtitle;
    }
    void selectTrack(MediaTrack::Kind kind, int id) override;
    QString trackSubtitleText() const override { return subtitleText; }
    double speed() const override { return speedFactor; }
    void setSpeed(double factor) override;
    void setAspectRatio(double ratio) override;
    void saveScreenshot(const QString &path) override; // saved at once, as a file of "png"
    void showOnScreen(const QString &text) override { calls << QStringLiteral("showOnScreen ") + text; }
    QString mediaTitle() const override { return title; }

    // The play state, announced when it changes, as the engine's own controls
    // change it.
    void setState(PlayState newState);
    // What the engine does once a file is in: the stream opens.
    void openStream(int pictureWidth, int pictureHeight, double seconds);
};

} // namespace qr::test
