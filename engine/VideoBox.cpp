#include "engine/VideoBox.h"

#include <QMouseEvent>

namespace qr {

VideoBox::VideoBox(const QColor &background, QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("videobox"));
    setBackground(background);
    setAutoFillBackground(true);
}

void VideoBox::setBackground(const QColor &colour)
{
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, colour);
    setPalette(palette);
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

void VideoBox::mouseMoveEvent(QMouseEvent *) { Q_EMIT moved(); }

void VideoBox::mouseDoubleClickEvent(QMouseEvent *) { Q_EMIT doubleClicked(); }

void VideoBox::resizeEvent(QResizeEvent *)
{
    if (m_surface)
        m_surface->setGeometry(rect());
}

} // namespace qr
