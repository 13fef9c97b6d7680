// message_box TITLE TEXT: shows the player's critical message box with this
// title and text, for the end-to-end tests to compare the player's own boxes
// with pixel by pixel.
#include "desktop/MessageBox.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (argc != 3)
        return 2;
    qr::showMessageBox(QString::fromLocal8Bit(argv[1]), QString::fromLocal8Bit(argv[2]),
                       qr::MessageIcon::Critical);
    return 0;
}
