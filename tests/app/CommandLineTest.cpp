// The command line and the platform asked of Qt: parsed before Qt starts.
#include "app/CommandLine.h"
#include "app/Platform.h"
#include "tests/support/QtPrinters.h"

#include <gtest/gtest.h>

namespace {

using Action = qr::CommandLine::Action;

TEST(CommandLine, ArgumentsBecomeAnActionAndFiles)
{
    const struct {
        const char *name;
        QStringList arguments;
        Action action;
        QStringList files;
    } cases[] = {
        {"none: no file, the panel takes drops", {}, Action::Run, {}},
        {"--help", {"--help"}, Action::PrintHelp, {}},
        {"-h", {"-h"}, Action::PrintHelp, {}},
        {"--version", {"--version"}, Action::PrintVersion, {}},
        {"the first option answers", {"a.mpg", "--version", "--help"}, Action::PrintVersion, {}},
        {"-- ends the options", {"--", "--help"}, Action::Run, {"--help"}},
        {"-- only once", {"--", "--", "x"}, Action::Run, {"--", "x"}},
        {"a single dash is a file", {"-"}, Action::Run, {"-"}},
        {"each argument as given",
         {" My Movie.avi ", "", "b c.mp4"},
         Action::Run,
         {" My Movie.avi ", "", "b c.mp4"}},
        {"file URI with an escaped blank", {"file:///tmp/a%20b.mpg"}, Action::Run, {"/tmp/a b.mpg"}},
        {"file URI on localhost", {"FILE://localhost/v/%C3%A9.avi"}, Action::Run, {"/v/\u00e9.avi"}},
        {"file URI of another host stays", {"file://nas/v.avi"}, Action::Run, {"file://nas/v.avi"}},
        {"relative file: text stays", {"file:v.avi"}, Action::Run, {"file:v.avi"}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const qr::CommandLine parsed = qr::parseCommandLine(c.arguments);
        EXPECT_EQ(parsed.action, c.action);
        EXPECT_EQ(parsed.files, c.files);
    }
}

TEST(CommandLine, UnknownOptionIsOneLineNamingIt)
{
    for (const auto &[arguments, option] : {std::pair{QStringList{"--fullscreen"}, "--fullscreen"},
                                            {{"a.mpg", "--help=x"}, "--help=x"},
                                            {{"---"}, "---"},
                                            {{"--bogus", "--help"}, "--bogus"}}) {
        const qr::CommandLine parsed = qr::parseCommandLine(arguments);
        EXPECT_EQ(parsed.action, Action::BadUsage) << option;
        EXPECT_EQ(parsed.message,
                  QString("quilvane-ryn: unknown option '%1' (see quilvane-ryn --help)").arg(option));
    }
}

TEST(CommandLine, UsageNamesFoldersUrisTheSettingsAndTheEnvironment)
{
    for (const char *part : {"--help", "--version", "FOLDER", "file://",
                             "$XDG_CONFIG_HOME/quilvane-ryn/registry.db", "QUILVANE_RYN_REGISTRY"})
        EXPECT_TRUE(qr::usageText().contains(part)) << part;
}

// X11 through XWayland only when both are there and the user chose none.
TEST(Platform, AskedOfQt)
{
    using Row = std::pair<qr::PlatformEnvironment, const char *>;
    for (const auto &[environment, platform] : {Row{{"wayland-0", ":0", ""}, "xcb"},
                                                {{"wayland-0", "", ""}, ""},
                                                {{"", ":0", ""}, ""},
                                                {{"wayland-0", ":0", "wayland"}, ""}})
        EXPECT_EQ(qr::chooseQtPlatform(environment), platform) << environment.waylandDisplay.toStdString();
}

} // namespace
