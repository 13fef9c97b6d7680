#include "desktop/MessageBox.h"

#include <QMessageBox>

namespace qr {

namespace {
MessageBoxHandler &handler()
{
    static MessageBoxHandler h;
    return h;
}
} // namespace

void ShowMessage(const QString &text, const QString &title, MessageBoxRequest::Icon icon,
                 QWidget *parent)
{
    if (handler()) {
        handler()({text, title, icon});
        return;
    }
    QMessageBox box(icon == MessageBoxRequest::Critical ? QMessageBox::Critical : QMessageBox::NoIcon,
                    title, text, QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

void SetMessageBoxHandler(MessageBoxHandler h) { handler() = std::move(h); }

} // namespace qr
