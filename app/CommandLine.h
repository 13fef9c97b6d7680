#pragma once

#include <QString>
#include <QStringList>

namespace qr {

// What start-up does with the arguments that follow the program name.
struct [[nodiscard]] CommandLine {
    enum class Action { Run, PrintHelp, PrintVersion, BadUsage };
    Action action = Action::Run;
    // Run: the files named, each argument one, an empty one or one of
    // blanks included.
    QStringList files;
    // BadUsage: one line for standard error, without the line break.
    QString message;
};

// --help and --version answer at once, any other "--" option is bad usage,
// and "--" alone ends the options. Each remaining argument names a file or
// a folder, exactly as given; a local file:// URI becomes its decoded path.
CommandLine parseCommandLine(const QStringList &arguments);

// The --help text, ending in a line break.
QString usageText();
// "Quilvane Ryn" and the version, without a line break.
QString versionText();

} // namespace qr
