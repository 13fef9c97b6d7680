// Which window-system platform the player asks Qt for, from the environment.
#include "app/Platform.h"

#include <gtest/gtest.h>

namespace {

TEST(Platform, X11ThroughXWaylandOnlyWhenBothAreThereAndTheUserChoseNone)
{
    const struct {
        const char *name;
        qr::PlatformEnvironment environment;
        QByteArray platform;
    } cases[] = {
        {"Wayland with XWayland", {"wayland-0", ":0", ""}, "xcb"},
        {"Wayland alone: Qt's choice", {"wayland-0", "", ""}, ""},
        {"X11 alone: Qt's choice", {"", ":0", ""}, ""},
        {"neither", {"", "", ""}, ""},
        {"the user's platform is kept", {"wayland-0", ":0", "wayland"}, ""},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(qr::chooseQtPlatform(c.environment).toStdString(), c.platform.toStdString());
    }
}

} // namespace
