#include "panel/SkinWidgets.h"

#include "desktop/KeyCodes.h"
#include "desktop/Twips.h"
#include "skins/Skin.h"

#include <QMouseEvent>
#include <QPainter>

namespace qr {

namespace {
// The handler arguments of a mouse event.
struct MouseArgs {
    int button, shift;
    double x, y;
};
MouseArgs mouseArgs(const QMouseEvent *e, Qt::MouseButtons buttons)
{
    return {MouseButtonCode(buttons), ShiftCode(e->modifiers()), TwipsX(e->position().x()), TwipsY(e->position().y())};
}
} // namespace

SkinPicture::SkinPicture(const QString &skinName, QWidget *parent) : QWidget(parent), m_skin(skinName)
{
    setMouseTracking(true);
}

void SkinPicture::paintEvent(QPaintEvent *)
{
    if (m_skin.isEmpty())
        return;
    QPainter painter(this);
    painter.drawPixmap(0, 0, SkinPixmap(m_skin, size(), devicePixelRatioF()));
}

void SkinPicture::mousePressEvent(QMouseEvent *e)
{
    m_pressed = true;
    const MouseArgs a = mouseArgs(e, e->button());
    Q_EMIT MouseDown(a.button, a.shift, a.x, a.y);
}

void SkinPicture::mouseReleaseEvent(QMouseEvent *e)
{
    const bool click = m_pressed && rect().contains(e->position().toPoint());
    m_pressed = false;
    const MouseArgs a = mouseArgs(e, e->button());
    Q_EMIT MouseUp(a.button, a.shift, a.x, a.y);
    if (click)
        Q_EMIT Click();
}

void SkinPicture::mouseMoveEvent(QMouseEvent *e)
{
    const MouseArgs a = mouseArgs(e, e->buttons());
    Q_EMIT MouseMove(a.button, a.shift, a.x, a.y);
}

SkinLabel::SkinLabel(QWidget *parent, const QString &text) : SkinPicture(QString(), parent), m_text(text)
{
    setAttribute(Qt::WA_TranslucentBackground);
}

void SkinLabel::setText(const QString &text)
{
    if (text == m_text)
        return;
    m_text = text;
    update();
}

void SkinLabel::setBorderStyle(int style)
{
    if (style == m_border)
        return;
    m_border = style;
    update();
}

void SkinLabel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.setFont(font());
    painter.drawText(rect(), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, m_text);
    if (m_border == 1)
        painter.drawRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5));
}

void PlaceTwips(QWidget *control, double left, double top, double width, double height)
{
    control->setGeometry(PixelsX(left), PixelsY(top), PixelsX(width), PixelsY(height));
}

} // namespace qr
