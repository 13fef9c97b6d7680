#include "desktop/Paths.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

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

const QStringList &mediaExtensions()
{
    static const QStringList extensions{
        QStringLiteral("avi"),  QStringLiteral("asf"),  QStringLiteral("mpg"), QStringLiteral("mpeg"),
        QStringLiteral("dat"),  QStringLiteral("mp4"),  QStringLiteral("m4v"), QStringLiteral("mkv"),
        QStringLiteral("webm"), QStringLiteral("mov"),  QStringLiteral("ogv"), QStringLiteral("flv"),
        QStringLiteral("ts"),   QStringLiteral("m2ts"), QStringLiteral("wmv"),
    };
    return extensions;
}

bool isMediaFileName(const QString &path)
{
    return mediaExtensions().contains(fileExtension(path).toLower());
}

bool naturalLess(const QString &a, const QString &b)
{
    qsizetype i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        if (a[i].isDigit() && b[j].isDigit()) {
            qsizetype endA = i, endB = j;
            while (endA < a.size() && a[endA].isDigit())
                ++endA;
            while (endB < b.size() && b[endB].isDigit())
                ++endB;
            // Leading zeros aside, the longer run is the larger number.
            QStringView x = QStringView(a).mid(i, endA - i), y = QStringView(b).mid(j, endB - j);
            while (x.size() > 1 && x.front() == QLatin1Char('0'))
                x = x.mid(1);
            while (y.size() > 1 && y.front() == QLatin1Char('0'))
                y = y.mid(1);
            if (x.size() != y.size())
                return x.size() < y.size();
            if (const int order = x.compare(y); order != 0)
                return order < 0;
            i = endA;
            j = endB;
            continue;
        }
        const QChar x = a[i].toCaseFolded(), y = b[j].toCaseFolded();
        if (x != y)
            return x < y;
        ++i;
        ++j;
    }
    if ((a.size() - i) != (b.size() - j))
        return a.size() - i < b.size() - j;
    return a < b; // the same but for case or leading zeros: a fixed order all the same
}

QStringList mediaFilesIn(const QString &folder)
{
    QStringList files;
    const QDir dir(folder);
    for (const QFileInfo &entry : dir.entryInfoList(QDir::Files | QDir::Readable))
        if (isMediaFileName(entry.fileName()))
            files << entry.filePath();
    std::sort(files.begin(), files.end(), [](const QString &x, const QString &y) {
        return naturalLess(fileNameOnly(x), fileNameOnly(y));
    });
    return files;
}

} // namespace qr
