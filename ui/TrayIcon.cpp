#include "ui/TrayIcon.h"

namespace qr {

TrayIcon::~TrayIcon() { remove(); }

void TrayIcon::show(const QIcon &icon)
{
    remove();
    m_icon = new QSystemTrayIcon(icon, this);
    m_icon->setToolTip(QStringLiteral("Quilvane Ryn"));
    // Queued: coming back removes the icon, whose own mouse handling is
    // still running when it reports the click.
    connect(
        m_icon, &QSystemTrayIcon::activated, this,
        [this](QSystemTrayIcon::ActivationReason reason) {
            if (reason == QSystemTrayIcon::DoubleClick || reason == QSystemTrayIcon::Context)
                Q_EMIT restoreRequested();
        },
        Qt::QueuedConnection);
    m_icon->show();
}

void TrayIcon::remove()
{
    if (!m_icon)
        return;
    m_icon->hide();
    m_icon->deleteLater();
    m_icon = nullptr;
}

QString TrayIcon::tip() const { return m_icon ? m_icon->toolTip() : QString(); }

} // namespace qr
