#include "desktop/tray.h"

#include <QWidget>

namespace qr {

Tray::~Tray() { RemoveTrayIcon(); }

namespace {
std::optional<bool> &availableOverride()
{
    static std::optional<bool> value;
    return value;
}
} // namespace

bool Tray::available() { return availableOverride().value_or(QSystemTrayIcon::isSystemTrayAvailable()); }

void Tray::overrideAvailable(std::optional<bool> available) { availableOverride() = available; }

void Tray::AddTrayIcon(const QIcon &icon, const QString &tip, QWidget *window)
{
    RemoveTrayIcon();
    m_icon = new QSystemTrayIcon(icon, this);
    m_icon->setToolTip(tip);
    connect(m_icon, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) { Q_EMIT mouseMessage(TrayMouseMessage(reason)); });
    m_icon->show();
    if (window)
        window->hide();
}

void Tray::RemoveTrayIcon()
{
    if (!m_icon)
        return;
    m_icon->hide();
    m_icon->deleteLater();
    m_icon = nullptr;
}

void Tray::RestoreFromTray(QWidget *window)
{
    RemoveTrayIcon();
    if (window)
        window->show();
}

QString Tray::tip() const { return m_icon ? m_icon->toolTip() : QString(); }

int TrayMouseMessage(QSystemTrayIcon::ActivationReason reason)
{
    switch (reason) {
    case QSystemTrayIcon::DoubleClick:
        return 1;
    case QSystemTrayIcon::Context:
        return 2;
    default:
        return 0;
    }
}

} // namespace qr
