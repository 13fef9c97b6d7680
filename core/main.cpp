// Quilvane Ryn: a compact, skinned video player over libmpv.
#include "app/CommandLine.h"
#include "core/Player.h"
#include "core/media/MpvMediaControl.h"
#include "desktop/MessageBox.h"

#include <QApplication>

#include <clocale>
#include <cstdio>

int main(int argc, char **argv)
{
    // Help, version and bad options are answered before Qt starts, so they need no display.
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

    // Before Qt starts: where only software can render, OpenGL is never loaded.
    qr::MpvMediaControl::prepareApplication();
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C"); // libmpv parses numbers the C way
    QApplication::setApplicationName(QStringLiteral("Quilvane Ryn"));
    QApplication::setApplicationVersion(
        QStringLiteral("%1.%2.%3").arg(QR_VERSION_MAJOR).arg(QR_VERSION_MINOR).arg(QR_VERSION_PATCH));
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
    // Again without the options Qt took for itself (-platform, -style, ...).
    const qr::CommandLine command = qr::parseCommandLine(app.arguments().mid(1));
    qr::Player player(*media, command.hasFile ? QStringList{command.file} : QStringList{});
    QObject::connect(&player, &qr::Player::exitRequested, &app, &QCoreApplication::exit,
                     Qt::QueuedConnection);
    player.Main();
    return app.exec();
}
