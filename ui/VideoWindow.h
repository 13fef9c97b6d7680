#pragma once

#include <QWidget>

namespace qr {

class Session;
class SkinPicture;

// The borderless, skinned window that holds the engine's picture: dragged
// by its top edge, the picture or its surface, resized by the grip in its
// bottom-right corner. Its size and the picture's place in it are the
// session's; it shows them.
class VideoWindow : public QWidget {
    Q_OBJECT
public:
    VideoWindow(Session &session, QWidget *view, QWidget *parent = nullptr);
    ~VideoWindow() override;

protected:
    void changeEvent(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void followLayout();
    void layoutSkin();

    Session &m_session;
    QWidget *m_view;
    SkinPicture *m_topEdge[3];
    SkinPicture *m_grip;
    bool m_gripPressed = false; // once pressed, a left-button move over the grip resizes
    int m_wheelPending = 0;     // eighths of a degree short of a notch
};

} // namespace qr
