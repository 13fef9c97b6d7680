#include "panel/seekbar/simpleProgress.h"

#include "desktop/Twips.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>

#include <cmath>

namespace qr {

namespace {

int buttonBits(Qt::MouseButtons buttons)
{
    return (buttons.testFlag(Qt::LeftButton) ? 1 : 0) | (buttons.testFlag(Qt::RightButton) ? 2 : 0) |
           (buttons.testFlag(Qt::MiddleButton) ? 4 : 0);
}

int shiftBits(Qt::KeyboardModifiers modifiers)
{
    return (modifiers.testFlag(Qt::ShiftModifier) ? 1 : 0) | (modifiers.testFlag(Qt::ControlModifier) ? 2 : 0) |
           (modifiers.testFlag(Qt::AltModifier) ? 4 : 0);
}

qint64 bagInteger(const QVariantMap &bag, const QString &name, qint64 fallback)
{
    bool ok = false;
    const qint64 v = bag.value(name).toLongLong(&ok);
    return ok ? v : fallback;
}

quint32 bagColor(const QVariantMap &bag, const QString &name, quint32 fallback)
{
    // Stored either as unsigned or as the signed 32-bit form (-2147483633).
    return static_cast<quint32>(bagInteger(bag, name, fallback) & 0xFFFFFFFF);
}

} // namespace

QColor OleColorToQColor(quint32 ole)
{
    if (ole & 0x80000000u) {
        const QPalette pal = QApplication::palette();
        switch (ole & 0xFF) {
        case 0x05: return pal.color(QPalette::Base);           // window
        case 0x08: return pal.color(QPalette::Text);           // window text
        case 0x0D: return pal.color(QPalette::Highlight);      // highlight
        case 0x0E: return pal.color(QPalette::HighlightedText);
        case 0x10: return pal.color(QPalette::Dark);           // button shadow
        case 0x12: return pal.color(QPalette::ButtonText);
        case 0x14: return pal.color(QPalette::Light);          // button highlight
        default: return pal.color(QPalette::Button);           // button face and the rest
        }
    }
    return QColor(ole & 0xFF, (ole >> 8) & 0xFF, (ole >> 16) & 0xFF);
}

simpleProgressPicture::simpleProgressPicture(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Picture1"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    // Moves are reported with no button held too (button 0).
    setMouseTracking(true);
}

void simpleProgressPicture::setBackground(quint32 ole)
{
    m_background = ole;
    clear();
}

void simpleProgressPicture::setBorderStyle(int style)
{
    if (style == m_borderStyle)
        return;
    m_borderStyle = style;
    update();
}

double simpleProgressPicture::scaleWidth() const { return TwipsX(qMax(0, width() - 2 * inset())); }
double simpleProgressPicture::scaleHeight() const { return TwipsY(qMax(0, height() - 2 * inset())); }

void simpleProgressPicture::clear()
{
    m_barTwips = 0;
    update();
}

void simpleProgressPicture::fillBar(double widthTwips, quint32 ole)
{
    m_barTwips = widthTwips;
    m_barColor = ole;
    update();
}

void simpleProgressPicture::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const int in = inset();
    const QRect inner = rect().adjusted(in, in, -in, -in);
    if (in)
        p.fillRect(rect(), palette().color(QPalette::Dark));
    p.fillRect(inner, OleColorToQColor(m_background));
    if (m_barTwips > 0) {
        const double barPixels = qMin(m_barTwips / TwipsPerPixelX(), double(inner.width()));
        p.fillRect(QRectF(inner.left(), inner.top(), barPixels, inner.height()), OleColorToQColor(m_barColor));
    }
}

void simpleProgressPicture::mousePressEvent(QMouseEvent *event)
{
    const QPointF at = event->position() - QPointF(inset(), inset());
    emit pressed(buttonBits(event->button()), shiftBits(event->modifiers()), TwipsX(at.x()), TwipsY(at.y()));
}

void simpleProgressPicture::mouseMoveEvent(QMouseEvent *event)
{
    const QPointF at = event->position() - QPointF(inset(), inset());
    emit moved(buttonBits(event->buttons()), shiftBits(event->modifiers()), TwipsX(at.x()), TwipsY(at.y()));
}

simpleProgress::simpleProgress(QWidget *parent) : QWidget(parent)
{
    Picture1 = new simpleProgressPicture(this);
    Picture1->setGeometry(rect());
    Picture1->setBackground(DefaultBackColor);
    Picture1->setBorderStyle(0);
    connect(Picture1, &simpleProgressPicture::pressed, this, &simpleProgress::MouseDown);
    connect(Picture1, &simpleProgressPicture::moved, this, &simpleProgress::MouseMove);
    RedrawBar();
}

void simpleProgress::setValue(qint64 v)
{
    m_value = v;
    if (m_value > m_max)
        m_value = m_max;
    if (m_value < 0)
        m_value = 0;
    RedrawBar();
}

void simpleProgress::setMax(qint64 m) { m_max = m; }

void simpleProgress::setBarColor(quint32 ole)
{
    m_barColor = ole;
    RedrawBar();
}

void simpleProgress::setBackColor(quint32 ole)
{
    Picture1->setBackground(ole);
    RedrawBar();
}

void simpleProgress::setBorder(int style)
{
    if (style == 0 || style == 1)
        m_border = style;
    Picture1->setBorderStyle(m_border);
    RedrawBar();
}

void simpleProgress::RedrawBar()
{
    if (m_value < 1) {
        Picture1->clear();
        return;
    }
    // max 0 leaves the picture as it is.
    const double bar = std::nearbyint(double(m_value) / double(m_max) * Picture1->scaleWidth());
    if (!std::isfinite(bar))
        return;
    Picture1->clear();
    Picture1->fillBar(bar, m_barColor);
}

void simpleProgress::ReadProperties(const QVariantMap &bag)
{
    Picture1->setBackground(bagColor(bag, QStringLiteral("BackColor"), DefaultBackColor));
    m_barColor = bagColor(bag, QStringLiteral("BarColor"), DefaultBarColor);
    m_max = bagInteger(bag, QStringLiteral("max"), DefaultMax);
    m_value = bagInteger(bag, QStringLiteral("Value"), 0);
    const qint64 border = bagInteger(bag, QStringLiteral("border"), 0);
    // Only 0 and 1 are border styles; anything else loads as the default.
    m_border = (border == 0 || border == 1) ? int(border) : 0;
}

QVariantMap simpleProgress::WriteProperties() const
{
    QVariantMap bag;
    if (BackColor() != DefaultBackColor)
        bag.insert(QStringLiteral("BackColor"), BackColor());
    if (m_barColor != DefaultBarColor)
        bag.insert(QStringLiteral("BarColor"), m_barColor);
    if (m_max != DefaultMax)
        bag.insert(QStringLiteral("max"), m_max);
    if (m_value != 0)
        bag.insert(QStringLiteral("Value"), m_value);
    if (m_border != 0)
        bag.insert(QStringLiteral("border"), m_border);
    return bag;
}

void simpleProgress::resizeEvent(QResizeEvent *) { Picture1->setGeometry(rect()); }

} // namespace qr
