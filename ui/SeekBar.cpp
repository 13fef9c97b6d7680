#include "ui/SeekBar.h"

#include "desktop/Twips.h"

#include <QMouseEvent>
#include <QPainter>

#include <cmath>

namespace qr {

SeekBar::SeekBar(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("progress"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    // Moves are reported with no button held too.
    setMouseTracking(true);
}

void SeekBar::setColors(const QColor &background, const QColor &bar)
{
    m_background = background;
    m_bar = bar;
    update();
}

// Told twice a second while playing: the bar is drawn again only when a
// pixel of it changes.
void SeekBar::setPosition(qint64 value, qint64 maximum)
{
    double filled = 0;
    if (value >= 1) {
        filled = std::nearbyint(double(value) / double(maximum) * twipsX(width()));
        if (!std::isfinite(filled))
            return;
    }
    const qreal ratio = devicePixelRatioF();
    const bool looksDifferent =
        qRound(filledWidth(filled) * ratio) != qRound(filledWidth(m_filledTwips) * ratio);
    m_filledTwips = filled;
    if (looksDifferent)
        update();
}

double SeekBar::filledWidth(double filledTwips) const
{
    return std::min(filledTwips / twipsPerPixelX(), double(width()));
}

void SeekBar::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), m_background);
    if (m_filledTwips > 0)
        painter.fillRect(QRectF(0, 0, filledWidth(m_filledTwips), height()), m_bar);
}

void SeekBar::mousePressEvent(QMouseEvent *event)
{
    Q_EMIT pressed(event->button(), twipsX(event->position().x()));
}

void SeekBar::mouseMoveEvent(QMouseEvent *event)
{
    Q_EMIT moved(event->buttons(), twipsX(event->position().x()));
}

} // namespace qr
