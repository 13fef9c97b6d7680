#include "desktop/MessageBox.h"

#include <QMessageBox>

namespace qr {

void showMessageBox(const QString &title, const QString &text, MessageIcon icon, QWidget *parent)
{
    QMessageBox box(icon == MessageIcon::Critical ? QMessageBox::Critical : QMessageBox::NoIcon, title, text,
                    QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    // The box knows its size once shown: then it is centred over its parent
    // (Qt's own guess is off by the frame it expects), and raised above the
    // player's other windows, the subtitle window among them.
    box.show();
    if (parent) {
        const QRect over = parent->window()->frameGeometry();
        box.move(over.center() - QRect(QPoint(), box.frameGeometry().size()).center());
    }
    box.raise();
    box.activateWindow();
    box.exec();
}

} // namespace qr
