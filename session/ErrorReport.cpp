#include "session/ErrorReport.h"

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
    return (subtitles ? QStringLiteral("Subs File \"") : QStringLiteral("File \"")) + path +
           QStringLiteral("\" doesnt exist!");
}

QString corruptFileText(const QString &path)
{
    return QStringLiteral("The file [file]; is either corrupt or damaged.")
        .replace(QStringLiteral("[file];"), path);
}

} // namespace qr
