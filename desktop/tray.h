#pragma once

#include <QIcon>
#include <QObject>
#include <QSystemTrayIcon>
#include <optional>

class QWidget;

namespace qr {

// The notification-area icon the panel hides behind. Between AddTrayIcon and
// RemoveTrayIcon the icon exists; its activations arrive as `mouseMessage`
// with the code TrayMouseMessage gives.
class Tray : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    ~Tray() override;

    static bool available();
    // Tests stand in for a desktop with or without a notification area.
    static void overrideAvailable(std::optional<bool> available);

    // Adds the icon, then hides the window.
    void AddTrayIcon(const QIcon &icon, const QString &tip, QWidget *window);
    // Harmless when no icon is present.
    void RemoveTrayIcon();
    // RemoveTrayIcon, then shows the window.
    void RestoreFromTray(QWidget *window);
    bool present() const { return m_icon != nullptr; }
    QString tip() const;

Q_SIGNALS:
    void mouseMessage(int code);

private:
    QSystemTrayIcon *m_icon = nullptr;
};

// 1 = double-click, 2 = context (right-button) request, 0 = anything else.
int TrayMouseMessage(QSystemTrayIcon::ActivationReason reason);

} // namespace qr
