#pragma once

#include <QObject>
#include <QPointer>
#include <QSystemTrayIcon>

namespace qr {

// The notification-area icon the panel hides behind, with the tip
// "Quilvane Ryn". A double-click or the context click on it asks for the
// panel back; a single click does nothing.
class TrayIcon : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    ~TrayIcon() override;

    void show(const QIcon &icon);
    void remove();
    bool present() const { return m_icon != nullptr; }
    QString tip() const;

Q_SIGNALS:
    void restoreRequested();

private:
    QPointer<QSystemTrayIcon> m_icon;
};

} // namespace qr
