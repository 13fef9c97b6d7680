#pragma once

#include <QString>

class QWidget;

namespace qr {

// Every box of the player: modal, with an OK button only.
enum class MessageIcon { None, Critical };
void showMessageBox(const QString &title, const QString &text, MessageIcon icon, QWidget *parent = nullptr);

} // namespace qr
