#include "app/CommandLine.h"
#include "tests/support/QtPrinters.h"

#include <gtest/gtest.h>

namespace {

using Action = qr::CommandLine::Action;

TEST(CommandLine, ArgumentsBecomeAnActionAndAFile)
{
    const struct {
        const char *name;
        QStringList arguments;
        Action action;
        bool hasFile;
        QString file;
    } cases[] = {
        {"none: no file, the panel takes drops", {}, Action::Run, false, ""},
        {"--help", {"--help"}, Action::PrintHelp, false, ""},
        {"--version", {"--version"}, Action::PrintVersion, false, ""},
        {"the first option answers", {"a.mpg", "--version", "--help"}, Action::PrintVersion, false, ""},
        {"-- ends the options", {"--", "--help"}, Action::Run, true, "--help"},
        {"-- only once", {"--", "--", "x"}, Action::Run, true, "-- x"},
        {"a single dash is a file", {"-"}, Action::Run, true, "-"},
        {"one argument exactly as given", {" My Movie.avi "}, Action::Run, true, " My Movie.avi "},
        {"one empty argument is still a file", {""}, Action::Run, true, ""},
        {"several joined with one blank, trimmed", {" My", "Movie.avi "}, Action::Run, true, "My Movie.avi"},
        {"file URI with an escaped blank", {"file:///tmp/a%20b.mpg"}, Action::Run, true, "/tmp/a b.mpg"},
        {"file URI on localhost", {"FILE://localhost/v/%C3%A9.avi"}, Action::Run, true, "/v/\u00e9.avi"},
        {"file URI after --", {"--", "file:///x%25.mpg"}, Action::Run, true, "/x%.mpg"},
        {"file URI of another host stays", {"file://nas/v.avi"}, Action::Run, true, "file://nas/v.avi"},
        {"relative file: text stays", {"file:v.avi"}, Action::Run, true, "file:v.avi"},
        {"other URIs stay", {"http://host/v.avi"}, Action::Run, true, "http://host/v.avi"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const qr::CommandLine parsed = qr::parseCommandLine(c.arguments);
        EXPECT_EQ(parsed.action, c.action);
        EXPECT_EQ(parsed.hasFile, c.hasFile);
        EXPECT_EQ(parsed.file, c.file);
    }
}

TEST(CommandLine, UnknownOptionIsOneLineNamingIt)
{
    for (const QStringList &arguments : {QStringList{"--fullscreen"}, QStringList{"a.mpg", "--help=x"},
                                         QStringList{"---"}, QStringList{"--bogus", "--help"}}) {
        SCOPED_TRACE(arguments.join(' ').toStdString());
        const qr::CommandLine parsed = qr::parseCommandLine(arguments);
        EXPECT_EQ(parsed.action, Action::BadUsage);
        EXPECT_FALSE(parsed.hasFile);
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
         {"Usage: quilvane-ryn", "--help", "--version", "FILE", "file://",
          "$XDG_CONFIG_HOME/quilvane-ryn/registry.db", "QUILVANE_RYN_REGISTRY", "QUILVANE_RYN_RENDER=gl|sw"})
        EXPECT_TRUE(usage.contains(part)) << part;
    EXPECT_TRUE(usage.endsWith('\n'));
}

} // namespace
