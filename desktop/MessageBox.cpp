#include "desktop/MessageBox.h"

#include <QMessageBox>

namespace qr {

void showMessageBox(const QString &title, const QString &text, MessageIcon icon, QWidget *parent)
{
    QMessageBox box(icon == MessageIcon::Critical ? QMessageBox::Critical : QMessageBox::NoIcon, title, text,
                    QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

} // namespace qr
