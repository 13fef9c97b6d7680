#pragma once

#include "core/media/MediaControl.h"

#include <QSet>
#include <QStringList>
#include <QWidget>

namespace qr::test {

// A media control whose every answer the test sets, and which records the
// members called on it. Any member can be told to throw.
class FakeMediaControl : public MediaControl {
    Q_OBJECT
public:
    explicit FakeMediaControl(QObject *parent = nullptr);
    ~FakeMediaControl() override;

    QString file;
    double position = 0.0;
    double length = 0.0;
    int state = Stopped;
    int width = 0;
    int height = 0;
    int display = Windowed;
    bool muted = false;
    bool controls = false;
    QStringList calls;        // "play", "setCurrentPosition 5" ...
    QSet<QString> throwing;   // member names that throw MediaError(-1, ...)

    QString fileName() const override;
    void setFileName(const QString &path) override;
    double currentPosition() const override;
    void setCurrentPosition(double seconds) override;
    double duration() const override;
    int playState() const override;
    void play() override;
    void pause() override;
    void stop() override;
    void setMute(bool on) override;
    int pictureWidth() const override;
    int pictureHeight() const override;
    int displaySize() const override;
    void setDisplaySize(int size) override;
    void setFullScreenControls(bool on) override;
    QWidget *view() override;

private:
    void record(const QString &call) const;
    QWidget *m_view;
};

} // namespace qr::test
