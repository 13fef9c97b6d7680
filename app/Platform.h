#pragma once

#include <QByteArray>

namespace qr {

// The environment variables that decide which of Qt's window-system
// platforms the player runs on; an empty value counts as unset.
struct PlatformEnvironment {
    QByteArray waylandDisplay; // WAYLAND_DISPLAY
    QByteArray display;        // DISPLAY
    QByteArray qtPlatform;     // QT_QPA_PLATFORM, the user's own choice
};

// The platform to ask Qt for, or "" to leave the choice to Qt. The skin's
// windows need to be placed and kept on top, which only X11 allows: on a
// Wayland session that also offers X11 (XWayland) the player runs there,
// unless the user chose a platform.
QByteArray chooseQtPlatform(const PlatformEnvironment &environment);

// The same, read from the process's environment.
QByteArray chooseQtPlatform();

// True when windows can be shown: a display to connect to, or a platform
// chosen by the user (offscreen, say) that needs none.
bool hasDisplay(const PlatformEnvironment &environment);
bool hasDisplay();

} // namespace qr
