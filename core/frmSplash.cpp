#include "core/frmSplash.h"

#include "desktop/Twips.h"
#include "skins/Skin.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>

namespace qr {

namespace {

QLabel *makeLabel(const QString &text, const QColor &color, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(9);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, color);
    label->setPalette(palette);
    // clicks on a label are clicks on the splash
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    label->adjustSize();
    return label;
}

} // namespace

frmSplash::frmSplash(QWidget *parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("frmSplash"));
    setFixedSize(SkinSize(QStringLiteral("splash")));

    // the artwork keeps its lower band (from y 188) dark and clear for these
    const QColor light(0xE6, 0xDA, 0xF2);
    Label1 = makeLabel(QStringLiteral("Version 1.0"), light, this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->move(16, 196);
    Label2 = makeLabel(QStringLiteral("Windows 98"), QColor(0xA8, 0x98, 0xBC), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->move(16, 215);
    vernfo = makeLabel(QString(), light, this);
    vernfo->setObjectName(QStringLiteral("vernfo"));

    tmrHide = new QTimer(this);
    tmrHide->setObjectName(QStringLiteral("tmrHide"));
    tmrHide->setSingleShot(true);
    tmrHide->setInterval(2000);
    connect(tmrHide, &QTimer::timeout, this, &frmSplash::tmrHide_Timer);

    Form_Load();
    tmrHide->start();

    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void frmSplash::Form_Load()
{
    vernfo->setText(QStringLiteral("v%1.%2.%3").arg(QR_VERSION_MAJOR).arg(QR_VERSION_MINOR).arg(QR_VERSION_PATCH));
    vernfo->adjustSize();
    vernfo->move(width() - vernfo->width() - PixelsX(120), 215);
}

void frmSplash::tmrHide_Timer() { closeToPanel(); }

void frmSplash::Form_Click() { closeToPanel(); }

void frmSplash::closeToPanel()
{
    // a click and the timer can both arrive; the panel is shown once
    if (m_finished)
        return;
    m_finished = true;
    tmrHide->stop();
    close();
    emit closedToPanel();
}

void frmSplash::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawPixmap(0, 0, SkinPixmap(QStringLiteral("splash"), size(), devicePixelRatioF()));
}

void frmSplash::mouseReleaseEvent(QMouseEvent *event)
{
    if (rect().contains(event->position().toPoint()))
        Form_Click();
}

void frmSplash::closeEvent(QCloseEvent *event)
{
    // closed from outside (program shutdown): the timer goes with the window,
    // and showing the panel is no longer this window's business
    tmrHide->stop();
    m_finished = true;
    event->accept();
}

} // namespace qr
