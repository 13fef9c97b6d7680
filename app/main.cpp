// Quilvane Ryn: a compact, skinned video player over libmpv.
#include "app/CommandLine.h"
#include "app/Platform.h"
#include "app/PlayerApp.h"
#include "desktop/MessageBox.h"
#include "engine/MpvMediaControl.h"
#include "settings/RegistryStore.h"
#include "skins/Skin.h"

#include <QApplication>

#include <clocale>
#include <cstdio>
#include <memory>

int main(int argc, char **argv)
{
    // Help, version and bad options are answered before Qt starts, so they
    // need no display.
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    const qr::CommandLine early = qr::parseCommandLine(arguments);
    switch (early.action) {
    case qr::CommandLine::Action::PrintHelp:
        std::fputs(qPrintable(qr::usageText()), stdout);
        return 0;
    case qr::CommandLine::Action::PrintVersion:
        std::fputs(qPrintable(qr::versionText() + QLatin1Char('\n')), stdout);
        return 0;
    case qr::CommandLine::Action::BadUsage:
        std::fputs(qPrintable(early.message + QLatin1Char('\n')), stderr);
        return 2;
    case qr::CommandLine::Action::Run:
        break;
    }

    // Before Qt starts: X11 through XWayland where a Wayland session has it,
    // since Wayland lets no program place its windows or keep them on top.
    if (const QByteArray platform = qr::chooseQtPlatform(); !platform.isEmpty())
        qputenv("QT_QPA_PLATFORM", platform);
    // Where only software can render, OpenGL is never loaded.
    qr::MpvMediaControl::prepareApplication();
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C"); // libmpv parses numbers the C way
    QApplication::setApplicationName(QStringLiteral("Quilvane Ryn"));
    QApplication::setApplicationVersion(
        QStringLiteral("%1.%2.%3").arg(QR_VERSION_MAJOR).arg(QR_VERSION_MINOR).arg(QR_VERSION_PATCH));
    // The store is read and written on the GUI thread: a lock held elsewhere
    // is waited for only briefly.
    qr::RegistryStore::SetBusyTimeout(qr::RegistryStore::kPlayerBusyTimeoutMs);
    // The run ends through quit, not when a window closes.
    QApplication::setQuitOnLastWindowClosed(false);

    std::unique_ptr<qr::MpvMediaControl> media;
    try {
        media = std::make_unique<qr::MpvMediaControl>(qr::videoBackground());
    } catch (const qr::MediaError &e) {
        qr::showMessageBox(QStringLiteral("Fatal error"),
                           QStringLiteral("The playback engine could not be started.\r\n\r\n") +
                               e.description(),
                           qr::MessageIcon::Critical);
        return 1;
    }
    // Again, without the options Qt took for itself (-platform, -style...).
    const qr::CommandLine command = qr::parseCommandLine(app.arguments().mid(1));
    std::optional<QString> file;
    if (command.hasFile)
        file = command.file;

    qr::PlayerApp player(*media, file);
    QObject::connect(&player, &qr::PlayerApp::finished, &app, &QCoreApplication::exit, Qt::QueuedConnection);
    player.start();
    return app.exec();
}
