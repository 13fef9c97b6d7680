#include "tests/support/FakeMediaControl.h"

#include <QFile>

namespace qr::test {

void FakeMediaControl::start()
{
    if (running)
        return;
    calls << QStringLiteral("start");
    if (refuseStart)
        throw MediaError(-4, QStringLiteral("no engine here"));
    running = true;
    Q_EMIT started();
}

void FakeMediaControl::setFileName(const QString &path)
{
    calls << QStringLiteral("setFileName ") + path;
    if (!running && !path.isEmpty())
        throw MediaError(-3, QStringLiteral("not started"));
    if (refuseFiles && !path.isEmpty())
        throw MediaError(-5, QStringLiteral("cannot open"));
    file = path;
}

void FakeMediaControl::setCurrentPosition(double seconds)
{
    calls << QStringLiteral("setCurrentPosition ") + QString::number(seconds);
    position = seconds;
    Q_EMIT seekLanded(seconds);
}

void FakeMediaControl::play()
{
    calls << QStringLiteral("play");
    setState(PlayState::Playing);
}

void FakeMediaControl::pause()
{
    calls << QStringLiteral("pause");
    setState(PlayState::Paused);
}

void FakeMediaControl::stop()
{
    calls << QStringLiteral("stop");
    setState(PlayState::Stopped);
}

void FakeMediaControl::setMute(bool on)
{
    calls << QStringLiteral("setMute ") + QString::number(on);
    muted = on;
}

void FakeMediaControl::setVolume(int percent)
{
    if (!running) // as the engine: nothing to set yet
        return;
    calls << QStringLiteral("setVolume ") + QString::number(percent);
    if (percent == volumeLevel)
        return;
    volumeLevel = percent;
    Q_EMIT volumeChanged(percent);
}

void FakeMediaControl::setState(PlayState newState)
{
    if (newState == state)
        return;
    state = newState;
    Q_EMIT playStateChanged(newState);
}

void FakeMediaControl::setDisplaySize(DisplaySize size)
{
    calls << QStringLiteral("setDisplaySize ") + QString::number(int(size));
    display = size;
}

void FakeMediaControl::setFullScreenControls(bool on)
{
    calls << QStringLiteral("setFullScreenControls ") + QString::number(on);
    controls = on;
}

void FakeMediaControl::openStream(int pictureWidth, int pictureHeight, double seconds)
{
    width = pictureWidth;
    height = pictureHeight;
    length = seconds;
    Q_EMIT streamOpened();
}

void FakeMediaControl::selectTrack(MediaTrack::Kind kind, int id)
{
    calls
        << QStringLiteral("selectTrack %1 %2").arg(kind == MediaTrack::Kind::Audio ? "audio" : "sub").arg(id);
    (kind == MediaTrack::Kind::Audio ? chosenAudio : chosenSubtitle) = id;
    Q_EMIT tracksChanged();
}

void FakeMediaControl::setSpeed(double factor)
{
    calls << QStringLiteral("setSpeed ") + QString::number(factor);
    speedFactor = factor;
    Q_EMIT speedChanged(factor);
}

void FakeMediaControl::setAspectRatio(double ratio)
{
    calls << QStringLiteral("setAspectRatio ") + QString::number(ratio);
}

void FakeMediaControl::saveScreenshot(const QString &path)
{
    QFile shot(path);
    const bool saved = shot.open(QIODevice::WriteOnly) && shot.write("png") == 3;
    Q_EMIT screenshotSaved(path, saved);
}

} // namespace qr::test
