#include "tests/support/FakeMediaControl.h"

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
}

void FakeMediaControl::play()
{
    calls << QStringLiteral("play");
    state = PlayState::Playing;
}

void FakeMediaControl::pause()
{
    calls << QStringLiteral("pause");
    state = PlayState::Paused;
}

void FakeMediaControl::stop()
{
    calls << QStringLiteral("stop");
    state = PlayState::Stopped;
}

void FakeMediaControl::setMute(bool on)
{
    calls << QStringLiteral("setMute ") + QString::number(on);
    muted = on;
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

} // namespace qr::test
