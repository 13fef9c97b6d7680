#include "desktop/Paths.h"

#include <QFileInfo>

namespace qr {

namespace {
QString afterLast(const QString &path, QChar separator)
{
    const qsizetype at = path.lastIndexOf(separator);
    return at < 0 ? QString() : path.mid(at + 1);
}
} // namespace

// Of the name only: a dot in a folder's name starts no extension.
QString fileExtension(const QString &path)
{
    return afterLast(path.mid(path.lastIndexOf(QLatin1Char('/')) + 1), QLatin1Char('.'));
}

QString fileNameOnly(const QString &path) { return afterLast(path, QLatin1Char('/')); }

QString shortFileTitle(const QString &path)
{
    const QString name = fileNameOnly(path);
    return name.size() > 24 ? name.left(24) + QStringLiteral("...") : name;
}

bool fileExists(const QString &path)
{
    if (path.isEmpty())
        return false;
    const QFileInfo info(path);
    return info.exists() && info.isFile();
}

} // namespace qr
