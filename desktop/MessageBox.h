#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace qr {

// Every message box of the player goes through here, so that tests can read
// them without a window. All boxes are modal with an OK button only.
struct MessageBoxRequest {
    enum Icon { NoIcon, Critical };
    QString text;
    QString title;
    Icon icon = Critical;
};

// The application title, used by boxes that name no title of their own.
inline const QString AppTitle = QStringLiteral("QuilvaneRyn");

void ShowMessage(const QString &text, const QString &title,
                 MessageBoxRequest::Icon icon = MessageBoxRequest::Critical,
                 QWidget *parent = nullptr);

// Replaces the real box; pass an empty function to restore it.
using MessageBoxHandler = std::function<void(const MessageBoxRequest &)>;
void SetMessageBoxHandler(MessageBoxHandler handler);

} // namespace qr
