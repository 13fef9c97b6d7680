#pragma once

#include <QWidget>

class QLabel;

namespace qr {

class Session;

// The subtitle window: borderless and black, one centred white text that
// wraps. Dragged by any press; takes the player's keys. It is never put
// into the top-most band. Closed, it only hides, and the session shows it
// again at the clock's next tick while subtitles are in use.
class SubtitleWindow : public QWidget {
    Q_OBJECT
public:
    explicit SubtitleWindow(Session &session, QWidget *parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    Session &m_session;
    QLabel *m_text;
};

} // namespace qr
