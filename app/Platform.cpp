#include "app/Platform.h"

#include <QtGlobal>

namespace qr {

QByteArray chooseQtPlatform(const PlatformEnvironment &environment)
{
    if (environment.waylandDisplay.isEmpty() || environment.display.isEmpty() ||
        !environment.qtPlatform.isEmpty())
        return {};
    return QByteArrayLiteral("xcb");
}

QByteArray chooseQtPlatform()
{
    return chooseQtPlatform({qgetenv("WAYLAND_DISPLAY"), qgetenv("DISPLAY"), qgetenv("QT_QPA_PLATFORM")});
}

} // namespace qr
