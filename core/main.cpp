// Quilvane Ryn: a compact, skinned video player over libmpv.
#include "core/Player.h"
#include "core/media/MpvMediaControl.h"
#include "desktop/MessageBox.h"

#include <QApplication>

#include <clocale>

int main(int argc, char **argv)
{
    // Before Qt starts: where only software can render, OpenGL is never loaded.
    qr::MpvMediaControl::prepareApplication();
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C"); // libmpv parses numbers the C way
    QApplication::setApplicationName(QStringLiteral("Quilvane Ryn"));
    QApplication::setApplicationVersion(QStringLiteral("%1.%2.%3").arg(QR_VERSION_MAJOR).arg(QR_VERSION_MINOR).arg(QR_VERSION_PATCH));
    // The run ends through quit, not when a window closes.
    QApplication::setQuitOnLastWindowClosed(false);

    std::unique_ptr<qr::MpvMediaControl> media;
    try {
        media = std::make_unique<qr::MpvMediaControl>();
    } catch (const qr::MediaError &e) {
        qr::ShowMessage(QStringLiteral("The playback engine could not be started.\r\n\r\n") + e.description(),
                        QStringLiteral("Fatal error"));
        return 1;
    }
    qr::Player player(*media, app.arguments().mid(1));
    QObject::connect(&player, &qr::Player::exitRequested, &app, &QCoreApplication::exit, Qt::QueuedConnection);
    player.Main();
    return app.exec();
}
