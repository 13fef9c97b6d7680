#pragma once

#include "engine/MediaControl.h"

#include <QFile>
#include <QStringList>
#include <optional>
#include <utility>

namespace qr::test {

// A media control whose every answer the test sets, and which records the
// members called on it ("play", "setCurrentPosition 5", ...).
class FakeMediaControl : public MediaControl {
public:
    bool running = true;      // started; a start-up test begins with it off
    bool refuseStart = false; // start throws
    bool refuseFiles = false; // setFileName throws for a path
    QString file;
    double position = 0.0, length = 0.0, fps = 0.0;
    PlayState state = PlayState::Stopped;
    int width = 0, height = 0, volumeLevel = 100;
    DisplaySize display = DisplaySize::Windowed;
    bool muted = false;
    QWidget *viewWidget = nullptr;
    QStringList calls;

    void start() override
    {
        if (running)
            return;
        record("start");
        if (refuseStart)
            throw MediaError(-4, "no engine here");
        running = true;
        Q_EMIT started();
    }
    bool isStarted() const override { return running; }
    QString fileName() const override { return file; }
    void setFileName(const QString &path) override
    {
        calls << "setFileName " + path;
        if (!path.isEmpty() && !running)
            throw MediaError(-3, "not started");
        if (!path.isEmpty() && refuseFiles)
            throw MediaError(-5, "cannot open");
        file = path;
    }
    double currentPosition() const override { return position; }
    void setCurrentPosition(double seconds) override
    {
        record("setCurrentPosition", position = seconds);
        Q_EMIT seekLanded(seconds);
    }
    double duration() const override { return length; }
    PlayState playState() const override { return state; }
    void play() override { transport("play", PlayState::Playing); }
    void pause() override { transport("pause", PlayState::Paused); }
    void stop() override { transport("stop", PlayState::Stopped); }
    void setMute(bool on) override { record("setMute", muted = on); }
    int volume() const override { return volumeLevel; }
    // Reported back at once, once the engine runs.
    void setVolume(int percent) override
    {
        if (!running)
            return;
        record("setVolume", percent);
        if (std::exchange(volumeLevel, percent) != percent)
            Q_EMIT volumeChanged(percent);
    }
    int pictureWidth() const override { return width; }
    int pictureHeight() const override { return height; }
    DisplaySize displaySize() const override { return display; }
    void setDisplaySize(DisplaySize size) override { record("setDisplaySize", int(display = size)); }
    void setFullScreenControls(bool on) override { record("setFullScreenControls", on); }
    double frameRate() const override { return fps; }
    QWidget *view() override { return viewWidget; }

    QList<MediaTrack> trackList;
    int chosenAudio = 0, chosenSubtitle = 0;
    QString subtitleText, title;
    double speedFactor = 1.0;
    QList<MediaTrack> tracks() const override { return trackList; }
    int currentTrack(MediaTrack::Kind kind) const override
    {
        return kind == MediaTrack::Kind::Audio ? chosenAudio : chosenSubtitle;
    }
    void selectTrack(MediaTrack::Kind kind, int id) override
    {
        const bool audio = kind == MediaTrack::Kind::Audio;
        record(audio ? "selectTrack audio" : "selectTrack sub", (audio ? chosenAudio : chosenSubtitle) = id);
        Q_EMIT tracksChanged();
    }
    QString trackSubtitleText() const override { return subtitleText; }
    double speed() const override { return speedFactor; }
    void setSpeed(double factor) override
    {
        record("setSpeed", speedFactor = factor);
        Q_EMIT speedChanged(factor);
    }
    void setAspectRatio(double ratio) override { record("setAspectRatio", ratio); }
    // Saved at once, as a file holding "png".
    void saveScreenshot(const QString &path) override
    {
        QFile shot(path);
        Q_EMIT screenshotSaved(path, shot.open(QIODevice::WriteOnly) && shot.write("png") == 3);
    }
    void showOnScreen(const QString &text) override { calls << "showOnScreen " + text; }
    QString mediaTitle() const override { return title; }

    // What the engine does once a file is in: the stream opens.
    void openStream(int pictureWidth, int pictureHeight, double seconds)
    {
        width = pictureWidth;
        height = pictureHeight;
        length = seconds;
        Q_EMIT streamOpened();
    }
    // The end of the media: rewound and stopped first, as the engine does.
    void reachEnd()
    {
        state = PlayState::Stopped;
        position = 0;
        Q_EMIT endOfMedia();
    }

private:
    void transport(const char *member, PlayState newState)
    {
        record(member);
        if (std::exchange(state, newState) != newState)
            Q_EMIT playStateChanged(newState);
    }
    void record(const char *member, std::optional<double> argument = std::nullopt)
    {
        calls << QString(member) + (argument ? " " + QString::number(*argument) : QString());
    }
};

} // namespace qr::test
