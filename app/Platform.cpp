#include "app/Platform.h"

#include <QByteArrayList>
#include <QtGlobal>

namespace qr {

QByteArray chooseQtPlatform(const PlatformEnvironment &environment)
{
    if (environment.waylandDisplay.isEmpty() || environment.display.isEmpty() ||
        !environment.qtPlatform.isEmpty())
        return {};
    return QByteArrayLiteral("xcb");
}

namespace {
PlatformEnvironment processEnvironment()
{
    return {qgetenv("WAYLAND_DISPLAY"), qgetenv("DISPLAY"), qgetenv("QT_QPA_PLATFORM")};
}
} // namespace

QByteArray chooseQtPlatform() { return chooseQtPlatform(processEnvironment()); }

bool hasDisplay(const PlatformEnvironment &environment)
{
    const QByteArray platform = environment.qtPlatform.split(':').front();
    if (platform == "xcb")
        return !environment.display.isEmpty();
    if (platform.startsWith("wayland"))
        return !environment.waylandDisplay.isEmpty();
    return !platform.isEmpty() || !environment.display.isEmpty() || !environment.waylandDisplay.isEmpty();
}

bool hasDisplay() { return hasDisplay(processEnvironment()); }

} // namespace qr
