#include "desktop/FileDialogs.h"

#include "desktop/Paths.h"

#include <QStringList>

namespace qr {

namespace {

// "*.avi" -> "*.[aA][vV][iI]": Linux names are case-sensitive, the patterns
// are meant not to be, so CLIP.AVI is offered too.
QString anyCase(const QString &pattern)
{
    QString out;
    for (const QChar c : pattern) {
        if (c.isLetter())
            out += QStringLiteral("[%1%2]").arg(c.toLower(), c.toUpper());
        else
            out += c;
    }
    return out;
}

QString filterEntry(const QString &description, const QString &patterns)
{
    QStringList list;
    for (const QString &pattern : patterns.split(QLatin1Char(';')))
        list << anyCase(pattern);
    return QStringLiteral("%1 (%2)").arg(description, list.join(QLatin1Char(' ')));
}

} // namespace

QString openDialogFilter(FileKind kind)
{
    const QString all = QStringLiteral(";;All files (*)");
    if (kind == FileKind::Media) {
        QStringList every;
        for (const QString &extension : mediaExtensions())
            every << QStringLiteral("*.") + extension;
        return filterEntry(QStringLiteral("All media files"), every.join(QLatin1Char(';'))) +
               QStringLiteral(";;") +
               filterEntry(QStringLiteral("Supported media types"),
                           QStringLiteral("*.avi;*.asf;*.mpg;*.mpeg;*.dat")) +
               all;
    }
    return filterEntry(QStringLiteral("Supported subtitle files"), QStringLiteral("*.txt;*.sub;*.srt")) + all;
}

} // namespace qr
