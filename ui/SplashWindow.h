#pragma once

#include <QTimer>
#include <QWidget>

class QLabel;

namespace qr {

// The splash window: the splash artwork with the version lines. It closes
// itself two seconds after it was made, or when clicked, and then says so
// once; whoever made it shows the panel.
class SplashWindow : public QWidget {
    Q_OBJECT
public:
    explicit SplashWindow(QWidget *parent = nullptr);

Q_SIGNALS:
    void finished();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void finish();

    QTimer *m_hideTimer;
    bool m_finished = false;
};

} // namespace qr
