#include "app/CommandLine.h"
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
        {"--version", {"--version"}, Action::PrintVersion, {}},
        {"the first option answers", {"a.mpg", "--version", "--help"}, Action::PrintVersion, {}},
        {"-- ends the options", {"--", "--help"}, Action::Run, {"--help"}},
        {"-- only once", {"--", "--", "x"}, Action::Run, {"--", "x"}},
        {"a single dash is a file", {"-"}, Action::Run, {"-"}},
        {"each argument exactly as given",
         {" My Movie.avi ", "b c.mp4"},
         Action::Run,
         {" My Movie.avi ", "b c.mp4"}},
        {"an empty argument is still a file", {""}, Action::Run, {""}},
        {"file URI with an escaped blank", {"file:///tmp/a%20b.mpg"}, Action::Run, {"/tmp/a b.mpg"}},
        {"file URI on localhost", {"FILE://localhost/v/%C3%A9.avi"}, Action::Run, {"/v/\u00e9.avi"}},
        {"file URI after --", {"--", "file:///x%25.mpg"}, Action::Run, {"/x%.mpg"}},
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
    for (const QStringList &arguments : {QStringList{"--fullscreen"}, QStringList{"a.mpg", "--help=x"},
                                         QStringList{"---"}, QStringList{"--bogus", "--help"}}) {
        SCOPED_TRACE(arguments.join(' ').toStdString());
        const qr::CommandLine parsed = qr::parseCommandLine(arguments);
        EXPECT_EQ(parsed.action, Action::BadUsage);
        const QString option = *std::find_if(arguments.begin(), arguments.end(),
                                             [](const QString &a) { return a.startsWith("--"); });
        EXPECT_TRUE(parsed.message.contains("'" + option + "'")) << parsed.message.toStdString();
        EXPECT_FALSE(parsed.message.contains('\n'));
    }
}

TEST(CommandLine, TextsNameVersionSettingsAndEnvironment)
{
    EXPECT_EQ(qr::versionText(), "Quilvane Ryn 1.0.1");
    const QString usage = qr::usageText();
    for (const char *part :
         {"Usage: quilvane-ryn", "--help", "--version", "FOLDER", "file://",
          "$XDG_CONFIG_HOME/quilvane-ryn/registry.db", "QUILVANE_RYN_REGISTRY", "QUILVANE_RYN_RENDER=gl|sw"})
        EXPECT_TRUE(usage.contains(part)) << part;
}

} // namespace
