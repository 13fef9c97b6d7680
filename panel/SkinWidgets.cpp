#include "panel/SkinWidgets.h"

#include "desktop/Twips.h"
#include "skins/Skin.h"

#include <QMouseEvent>
#include <QPainter>

namespace qr {

int MouseButtonCode(Qt::MouseButtons buttons)
{
    int code = 0;
    if (buttons & Qt::LeftButton)
        code |= 1;
    if (buttons & Qt::RightButton)
        code |= 2;
    if (buttons & Qt::MiddleButton)
        code |= 4;
    return code;
}

int ShiftCode(Qt::KeyboardModifiers modifiers)
{
    int code = 0;
    if (modifiers & Qt::ShiftModifier)
        code |= 1;
    if (modifiers & Qt::ControlModifier)
        code |= 2;
    if (modifiers & Qt::AltModifier)
        code |= 4;
    return code;
}

namespace {
// Emits the twips form of a mouse event through `signal`.
template <typename Widget, typename Signal>
void emitMouse(Widget *w, Signal signal, QMouseEvent *e, Qt::MouseButtons buttons)
{
    const QPointF p = e->position();
    Q_EMIT(w->*signal)(MouseButtonCode(buttons), ShiftCode(e->modifiers()), TwipsX(p.x()), TwipsY(p.y()));
}
} // namespace

SkinPicture::SkinPicture(const QString &skinName, QWidget *parent) : QWidget(parent), m_skin(skinName)
{
    setMouseTracking(true);
}

void SkinPicture::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawPixmap(0, 0, SkinPixmap(m_skin, size(), devicePixelRatioF()));
}

void SkinPicture::mousePressEvent(QMouseEvent *e)
{
    m_pressed = true;
    emitMouse(this, &SkinPicture::MouseDown, e, e->button());
}

void SkinPicture::mouseReleaseEvent(QMouseEvent *e)
{
    const bool click = m_pressed && rect().contains(e->position().toPoint());
    m_pressed = false;
    emitMouse(this, &SkinPicture::MouseUp, e, e->button());
    if (click)
        Q_EMIT Click();
}

void SkinPicture::mouseMoveEvent(QMouseEvent *e) { emitMouse(this, &SkinPicture::MouseMove, e, e->buttons()); }

SkinLabel::SkinLabel(QWidget *parent, const QString &text) : QLabel(text, parent)
{
    setTextFormat(Qt::PlainText);
    setAttribute(Qt::WA_TranslucentBackground);
    setAutoFillBackground(false);
    setMouseTracking(true);
    setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
}

void SkinLabel::setBorderStyle(int style)
{
    if (style == m_border)
        return;
    m_border = style;
    update();
}

void SkinLabel::paintEvent(QPaintEvent *event)
{
    QLabel::paintEvent(event);
    if (m_border != 1)
        return;
    QPainter painter(this);
    painter.setPen(QPen(palette().color(QPalette::WindowText), 1));
    painter.drawRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5));
}

void SkinLabel::mousePressEvent(QMouseEvent *e)
{
    m_pressed = true;
    emitMouse(this, &SkinLabel::MouseDown, e, e->button());
}

void SkinLabel::mouseReleaseEvent(QMouseEvent *e)
{
    const bool click = m_pressed && rect().contains(e->position().toPoint());
    m_pressed = false;
    emitMouse(this, &SkinLabel::MouseUp, e, e->button());
    if (click)
        Q_EMIT Click();
}

void SkinLabel::mouseMoveEvent(QMouseEvent *e) { emitMouse(this, &SkinLabel::MouseMove, e, e->buttons()); }

void PlaceTwips(QWidget *control, double left, double top, double width, double height)
{
    control->setGeometry(PixelsX(left), PixelsY(top), PixelsX(width), PixelsY(height));
}

} // namespace qr
