#include "ui/SkinWidgets.h"

#include "desktop/Twips.h"
#include "skins/Skin.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>

namespace qr {

SkinPicture::SkinPicture(const QString &skinName, QWidget *parent) : QWidget(parent), m_skin(skinName)
{
    setObjectName(skinName);
    setMouseTracking(true);
}

void SkinPicture::paintEvent(QPaintEvent *)
{
    if (m_skin.isEmpty())
        return;
    const qreal ratio = devicePixelRatioF();
    if (m_pixmap.isNull() || m_pixmap.devicePixelRatio() != ratio || m_pixmapSize != size()) {
        m_pixmap = skinPixmap(m_skin, size(), ratio);
        m_pixmapSize = size();
    }
    QPainter painter(this);
    painter.drawPixmap(0, 0, m_pixmap);
}

void SkinPicture::mousePressEvent(QMouseEvent *event)
{
    m_pressed = true;
    m_pressedAt = event->globalPosition();
    Q_EMIT pressed(event->button(), event->position());
}

void SkinPicture::mouseReleaseEvent(QMouseEvent *event)
{
    // A window dragged along with the pointer keeps the pointer over it:
    // how far the pointer went tells a drag from a click.
    const bool click =
        m_pressed && rect().contains(event->position().toPoint()) &&
        (event->globalPosition() - m_pressedAt).manhattanLength() < QApplication::startDragDistance();
    m_pressed = false;
    Q_EMIT released(event->button());
    if (!click)
        return;
    if (event->button() == Qt::LeftButton)
        Q_EMIT clicked();
    else if (event->button() == Qt::RightButton)
        Q_EMIT contextClicked();
}

void SkinPicture::mouseMoveEvent(QMouseEvent *event) { Q_EMIT moved(event->buttons(), event->position()); }

SkinLabel::SkinLabel(QWidget *parent, const QString &text) : SkinPicture(QString(), parent), m_text(text)
{
    setAttribute(Qt::WA_TranslucentBackground);
    setFont(skinFont());
}

void SkinLabel::setText(const QString &text)
{
    if (text == m_text)
        return;
    m_text = text;
    update();
}

void SkinLabel::setFramed(bool framed)
{
    if (framed == m_framed)
        return;
    m_framed = framed;
    update();
}

void SkinLabel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.setFont(font());
    painter.drawText(rect(), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, m_text);
    if (m_framed)
        painter.drawRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5));
}

void placeTwips(QWidget *control, double left, double top, double width, double height)
{
    control->setGeometry(pixelsX(left), pixelsY(top), pixelsX(width), pixelsY(height));
}

QFont skinFont(bool bold)
{
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(8.25);
    font.setBold(bold);
    return font;
}

} // namespace qr
