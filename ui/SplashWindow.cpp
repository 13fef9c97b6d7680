#include "ui/SplashWindow.h"

#include "desktop/Twips.h"
#include "skins/Skin.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

namespace qr {

namespace {
QLabel *makeLabel(const QString &name, const QString &text, const QColor &color, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(name);
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

SplashWindow::SplashWindow(QWidget *parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint), m_hideTimer(new QTimer(this))
{
    setObjectName(QStringLiteral("SplashWindow"));
    setFixedSize(skinSize(QStringLiteral("splash")));

    // the artwork keeps its lower band (from y 188) dark and clear for these
    const QColor light(0xE6, 0xDA, 0xF2);
    makeLabel(QStringLiteral("versionLine"), QStringLiteral("Version 1.0"), light, this)->move(16, 196);
    makeLabel(QStringLiteral("platformLine"), QStringLiteral("Linux"), QColor(0xA8, 0x98, 0xBC), this)
        ->move(16, 215);
    QLabel *number = makeLabel(
        QStringLiteral("versionNumber"),
        QStringLiteral("v%1.%2.%3").arg(QR_VERSION_MAJOR).arg(QR_VERSION_MINOR).arg(QR_VERSION_PATCH), light,
        this);
    number->move(width() - number->width() - pixelsX(120), 215);

    m_hideTimer->setSingleShot(true);
    m_hideTimer->setInterval(2000);
    connect(m_hideTimer, &QTimer::timeout, this, &SplashWindow::finish);
    m_hideTimer->start();

    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

// A click and the timer can both arrive; the panel is shown once.
void SplashWindow::finish()
{
    if (m_finished)
        return;
    m_finished = true;
    m_hideTimer->stop();
    close();
    Q_EMIT finished();
}

void SplashWindow::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawPixmap(0, 0, skinPixmap(QStringLiteral("splash"), size(), devicePixelRatioF()));
}

void SplashWindow::mouseReleaseEvent(QMouseEvent *event)
{
    if (rect().contains(event->position().toPoint()))
        finish();
}

void SplashWindow::closeEvent(QCloseEvent *event)
{
    // Closed from outside (the run ends): showing the panel is no longer
    // this window's business.
    m_hideTimer->stop();
    m_finished = true;
    event->accept();
}

} // namespace qr
