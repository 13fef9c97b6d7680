#include "engine/VideoBox.h"

#include <QMouseEvent>

namespace qr {

VideoBox::VideoBox(const QColor &background, QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("videobox"));
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, background);
    setPalette(palette);
    setAutoFillBackground(true);
}

void VideoBox::setSurface(QWidget *surface)
{
    m_surface = surface;
    m_surface->setGeometry(rect());
    m_surface->show();
    // The surface paints every pixel; filling behind it would be wasted.
    setAutoFillBackground(false);
}

void VideoBox::setTrackMouse(bool on) { setMouseTracking(on); }

void VideoBox::mousePressEvent(QMouseEvent *event)
{
    Q_EMIT pressed(event->button(), event->modifiers(), event->position());
}

void VideoBox::mouseReleaseEvent(QMouseEvent *event) { Q_EMIT released(event->button(), event->position()); }

void VideoBox::mouseMoveEvent(QMouseEvent *event) { Q_EMIT moved(event->position()); }

void VideoBox::mouseDoubleClickEvent(QMouseEvent *) { Q_EMIT doubleClicked(); }

void VideoBox::resizeEvent(QResizeEvent *)
{
    if (m_surface)
        m_surface->setGeometry(rect());
}

} // namespace qr
