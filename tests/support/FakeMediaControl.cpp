#include "tests/support/FakeMediaControl.h"

namespace qr::test {

FakeMediaControl::FakeMediaControl(QObject *parent) : MediaControl(parent), m_view(new QWidget) {}

FakeMediaControl::~FakeMediaControl()
{
    // The video window re-parents the view; delete it only if nobody did.
    if (!m_view->parent())
        delete m_view;
}

void FakeMediaControl::record(const QString &call) const
{
    const QString member = call.section(QLatin1Char(' '), 0, 0);
    const_cast<FakeMediaControl *>(this)->calls << call;
    if (throwing.contains(member))
        throw MediaError(-1, QStringLiteral("%1 failed").arg(member));
}

QString FakeMediaControl::fileName() const { return file; }
void FakeMediaControl::setFileName(const QString &path)
{
    record(QStringLiteral("setFileName ") + path);
    file = path;
}
double FakeMediaControl::currentPosition() const { return position; }
void FakeMediaControl::setCurrentPosition(double seconds)
{
    record(QStringLiteral("setCurrentPosition ") + QString::number(seconds));
    position = seconds;
}
double FakeMediaControl::duration() const { return length; }
int FakeMediaControl::playState() const { return state; }
void FakeMediaControl::play()
{
    record(QStringLiteral("play"));
    state = Playing;
}
void FakeMediaControl::pause()
{
    record(QStringLiteral("pause"));
    state = Paused;
}
void FakeMediaControl::stop()
{
    record(QStringLiteral("stop"));
    state = Stopped;
}
void FakeMediaControl::setMute(bool on)
{
    record(QStringLiteral("setMute ") + QString::number(on));
    muted = on;
}
int FakeMediaControl::pictureWidth() const { return width; }
int FakeMediaControl::pictureHeight() const { return height; }
int FakeMediaControl::displaySize() const { return display; }
void FakeMediaControl::setDisplaySize(int size)
{
    record(QStringLiteral("setDisplaySize ") + QString::number(size));
    display = size;
}
void FakeMediaControl::setFullScreenControls(bool on)
{
    record(QStringLiteral("setFullScreenControls ") + QString::number(on));
    controls = on;
}
QWidget *FakeMediaControl::view() { return m_view; }

} // namespace qr::test
