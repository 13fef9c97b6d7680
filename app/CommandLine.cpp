#include "app/CommandLine.h"

#include <QUrl>

namespace qr {

namespace {

const QString kOptionPrefix = QStringLiteral("--");

// A URI handed over by a file manager; anything else, even a remote file://,
// stays as given so that opening it ends in the player's own message.
QString localPath(const QString &text)
{
    if (!text.startsWith(QLatin1String("file:"), Qt::CaseInsensitive))
        return text;
    QUrl url(text);
    if (!url.isValid() || !url.isLocalFile())
        return text;
    if (url.host().compare(QLatin1String("localhost"), Qt::CaseInsensitive) == 0)
        url.setHost(QString());
    else if (!url.host().isEmpty())
        return text;
    const QString path = url.toLocalFile();
    return path.startsWith(QLatin1Char('/')) ? path : text;
}

CommandLine withAction(CommandLine::Action action, const QString &message = QString())
{
    CommandLine result;
    result.action = action;
    result.message = message;
    return result;
}

} // namespace

CommandLine parseCommandLine(const QStringList &arguments)
{
    QStringList words;
    bool options = true;
    for (const QString &argument : arguments) {
        if (options && argument == kOptionPrefix) {
            options = false;
        } else if (options && argument == QLatin1String("-h")) {
            return withAction(CommandLine::Action::PrintHelp);
        } else if (options && argument.startsWith(kOptionPrefix)) {
            if (argument == QLatin1String("--help"))
                return withAction(CommandLine::Action::PrintHelp);
            if (argument == QLatin1String("--version"))
                return withAction(CommandLine::Action::PrintVersion);
            return withAction(
                CommandLine::Action::BadUsage,
                QStringLiteral("quilvane-ryn: unknown option '%1' (see quilvane-ryn --help)").arg(argument));
        } else {
            words.append(argument);
        }
    }
    CommandLine result;
    for (const QString &word : words)
        result.files << localPath(word);
    return result;
}

QString usageText()
{
    return QStringLiteral("Usage: quilvane-ryn [-h | --help | --version] [--] [FILE | FOLDER]...\n"
                          "\n"
                          "Plays the files, each a video or sound file given as a path or a file://\n"
                          "URI, one after the other in a small skinned player; a folder stands for\n"
                          "its media files in name order. Without a file the player starts empty:\n"
                          "drop files on its panel or open them with Ctrl+L.\n"
                          "\n"
                          "Options:\n"
                          "  -h, --help print this help and exit\n"
                          "  --version  print the version and exit\n"
                          "  --         end of the options: what follows are files, even if they\n"
                          "             begin with --\n"
                          "\n"
                          "Settings live in $XDG_CONFIG_HOME/quilvane-ryn/registry.db\n"
                          "(~/.config/quilvane-ryn/registry.db); quilvane-ryn-reg reads and edits them.\n"
                          "\n"
                          "Environment:\n"
                          "  QUILVANE_RYN_REGISTRY     the settings file to use instead\n"
                          "  QUILVANE_RYN_RENDER=gl|sw force the OpenGL or the software picture path\n"
                          "\n"
                          "Exit status: 0; 1 when the playback engine cannot start or there is no\n"
                          "display to show the windows on; 2 for an unknown option.\n");
}

QString versionText()
{
    return QStringLiteral("Quilvane Ryn %1.%2.%3")
        .arg(QR_VERSION_MAJOR)
        .arg(QR_VERSION_MINOR)
        .arg(QR_VERSION_PATCH);
}

} // namespace qr
