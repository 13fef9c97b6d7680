#pragma once

#include <QWidget>

namespace qr {

// The widget that holds the engine's picture. The video window
// re-parents and places it; the render surface inside always fills it.
// Mouse input on the picture arrives here and is passed on as signals.
class VideoBox : public QWidget {
    Q_OBJECT
public:
    // The surface inside inherits the background from the box's palette.
    explicit VideoBox(const QColor &background, QWidget *parent = nullptr);

    void setSurface(QWidget *surface);
    QWidget *surface() const { return m_surface; }
    // What fills the view beside the picture.
    void setBackground(const QColor &colour);
    // Report every pointer move, not only those with a button held.
    void setTrackMouse(bool on);

Q_SIGNALS:
    void pressed(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPointF pos);
    void moved();
    void doubleClicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    QWidget *m_surface = nullptr;
};

} // namespace qr
