// Quilvane Ryn: a compact, skinned video player over libmpv.
#include "app/CommandLine.h"
#include "app/Platform.h"
#include "app/PlayerApp.h"
#include "app/SignalWatcher.h"
#include "desktop/QtDesktop.h"
#include "engine/MpvMediaControl.h"
#include "settings/RegistryStore.h"
#include "skins/Skin.h"

#include <QApplication>

#include <clocale>
#include <csignal>
#include <cstdio>
#include <malloc.h>

int main(int argc, char **argv)
{
    // A logout, a closed terminal or Ctrl+C ends the run as quit does. Until
    // the watcher below takes them, these wait blocked: from the first moment
    // none ends the player half-started, not even in a thread started before.
    const QList<int> endSignalNumbers{SIGTERM, SIGINT, SIGHUP};
    qr::SignalWatcher::blockSignals(endSignalNumbers);

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

    // Large blocks (the engine's frames and scaler buffers) are mapped on
    // their own and go back to the system when freed; with glibc's sliding
    // threshold they would pile up in the heap after the first one is freed.
    mallopt(M_MMAP_THRESHOLD, 128 * 1024);

    if (!qr::hasDisplay()) {
        std::fputs(
            "quilvane-ryn: no display to show the windows on (neither DISPLAY nor WAYLAND_DISPLAY is set)\n",
            stderr);
        return 1;
    }
    // Before Qt starts: X11 through XWayland where a Wayland session has it,
    // since Wayland lets no program place its windows or keep them on top.
    if (const QByteArray platform = qr::chooseQtPlatform(); !platform.isEmpty())
        qputenv("QT_QPA_PLATFORM", platform);
    // Where only software can render, OpenGL is never loaded.
    qr::MpvMediaControl::prepareApplication();
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C"); // libmpv parses numbers the C way
    QApplication::setApplicationName(QStringLiteral("Quilvane Ryn"));
    // The desktop entry's id: docks and task bars link the windows to it.
    QGuiApplication::setDesktopFileName(QStringLiteral("example.tarvell.QuilvaneRyn"));
    QApplication::setApplicationVersion(
        QStringLiteral("%1.%2.%3").arg(QR_VERSION_MAJOR).arg(QR_VERSION_MINOR).arg(QR_VERSION_PATCH));
    // The store is read and written on the GUI thread: a lock held elsewhere
    // is waited for only briefly.
    qr::RegistryStore::SetBusyTimeout(qr::RegistryStore::kPlayerBusyTimeoutMs);
    // The run ends through quit, not when a window closes.
    QApplication::setQuitOnLastWindowClosed(false);
    // Any that came before the player exists wait in the pipe until the loop runs.
    qr::SignalWatcher endSignals(endSignalNumbers);
    if (!endSignals.isWatching())
        std::fputs("quilvane-ryn: cannot watch for signals; they end the player without saving\n", stderr);

    // The engine itself starts once the first window is painted.
    qr::MpvMediaControl media(qr::videoBackground());
    // Again, without the options Qt took for itself (-platform, -style...).
    const qr::CommandLine command = qr::parseCommandLine(app.arguments().mid(1));

    qr::QtDesktop desktop;
    qr::PlayerApp player(media, desktop, command.files);
    QObject::connect(&player, &qr::PlayerApp::finished, &app, &QCoreApplication::exit, Qt::QueuedConnection);
    QObject::connect(&endSignals, &qr::SignalWatcher::received, &player, &qr::PlayerApp::quit,
                     Qt::SingleShotConnection);
    // Started from within the loop: a quit that comes while start-up shows a
    // message box must find the loop running, or it would be lost. A signal
    // that came before is taken first: the run then ends with no window and
    // nothing saved.
    QMetaObject::invokeMethod(
        &player,
        [&] {
            endSignals.takePending();
            player.start();
        },
        Qt::QueuedConnection);
    return app.exec();
}
