#include "session/ErrorReport.h"

#include <QFileInfo>

namespace qr {

QString fillErrorText(const QString &text, int code, const QString &description)
{
    QString filled = text;
    filled.replace(QStringLiteral("[err.Number]"), QString::number(code));
    filled.replace(QStringLiteral("[err.Description]"), description);
    return filled;
}

QString errorReportText(const QString &message, int code, const QString &description)
{
    const QString details =
        fillErrorText(QStringLiteral("(Error code: #[err.Number]/Error description: [err.Description])"),
                      code, description);
    const QString support =
        QStringLiteral("If this error occurs again, please send the errorcode/description in a mail to ") +
        SupportAddress;
    const QString crlf = QStringLiteral("\r\n");
    return message + crlf + crlf + support + crlf + crlf + details;
}

QString playFailedMessage(const QString &path)
{
    return QStringLiteral("An error occured while attempting to play file \"") + path + QStringLiteral("\".");
}

QString missingFileText(const QString &path, bool subtitles)
{
    const QFileInfo info(path);
    const QString kind = subtitles ? QStringLiteral("Subs File \"") : QStringLiteral("File \"");
    if (info.isDir())
        return QStringLiteral("Folder \"") + path + QStringLiteral("\" holds no media files!");
    // There, but no file to read: a pipe, a device, a link that leads nowhere.
    if (!path.isEmpty() && (info.exists() || info.isSymLink()))
        return kind + path + QStringLiteral("\" is not a file that can be played!");
    return kind + path + QStringLiteral("\" doesnt exist!");
}

QString corruptFileText(const QString &path)
{
    return QStringLiteral("The file [file]; is either corrupt or damaged.")
        .replace(QStringLiteral("[file];"), path);
}

namespace {
QString storeFailure(RegistryError error)
{
    switch (error) {
    case RegistryError::Busy:
        return QStringLiteral("the store is busy");
    case RegistryError::AccessDenied:
        return QStringLiteral("the store is read-only");
    case RegistryError::Damaged:
        return QStringLiteral("the store is damaged");
    case RegistryError::NotFound:
        return QStringLiteral("the settings key is gone");
    case RegistryError::MalformedPath:
    case RegistryError::UnknownRoot:
    case RegistryError::ValueTooLong:
    case RegistryError::Failed:
        break;
    }
    return QStringLiteral("the store could not be written");
}
} // namespace

QString notSavedText(RegistryError error, const QStringList &names)
{
    return QStringLiteral("quilvane-ryn: ") + storeFailure(error) + QStringLiteral("; not saved: ") +
           names.join(QStringLiteral(", "));
}

} // namespace qr
