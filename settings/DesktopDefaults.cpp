#include "settings/DesktopDefaults.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QSaveFile>
#include <QSet>
#include <QStringDecoder>

#include <optional>

namespace qr {

namespace {

const QString kDefaultsGroup = QStringLiteral("[Default Applications]");
// Far above any real list: start-up never reads a stray large file whole.
constexpr qint64 kMaxListSize = 1 << 20;

// An XDG base-directory variable; relative values are ignored, as the rules say.
QString xdgHome(const char *variable, const QString &underHome)
{
    const QString value = qEnvironmentVariable(variable);
    return QDir::isAbsolutePath(value) ? value : QDir::homePath() + underHome;
}

QStringList dataDirs()
{
    QStringList dirs{xdgHome("XDG_DATA_HOME", QStringLiteral("/.local/share"))};
    QString system = qEnvironmentVariable("XDG_DATA_DIRS");
    if (system.isEmpty())
        system = QStringLiteral("/usr/local/share:/usr/share");
    for (const QString &dir : system.split(QLatin1Char(':'), Qt::SkipEmptyParts))
        if (QDir::isAbsolutePath(dir))
            dirs.append(dir);
    return dirs;
}

bool desktopEntryInstalled()
{
    const QString entry = QStringLiteral("/applications/") + kDesktopEntryId;
    for (const QString &dir : dataDirs())
        if (QFileInfo(dir + entry).isFile())
            return true;
    return false;
}

// The write bits count even for root, whom access() never refuses.
bool isWritable(const QFileInfo &info)
{
    const auto anyWrite = QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;
    return info.isWritable() && (info.permissions() & anyWrite);
}

// The entry first in a "type=a.desktop;b.desktop;" value, the others kept after it.
QString withEntryFirst(const QString &value)
{
    QStringList entries;
    for (const QString &entry : value.split(QLatin1Char(';'), Qt::SkipEmptyParts))
        if (entry.trimmed() != kDesktopEntryId && !entry.trimmed().isEmpty())
            entries.append(entry.trimmed());
    entries.prepend(kDesktopEntryId);
    return entries.join(QLatin1Char(';')) + QLatin1Char(';');
}

// The file's text with the entry made the default for each type (the text
// itself when it already is), or nothing
// when the text is not a plain key file (a line that is neither a comment, a
// group nor a key, a key outside any group, a group named twice).
std::optional<QString> withDefaults(const QString &text, const QStringList &types)
{
    if (text.contains(QChar(0)) || text.contains(QLatin1Char('\r')))
        return std::nullopt;
    QStringList lines = text.split(QLatin1Char('\n'));
    if (lines.last().isEmpty())
        lines.removeLast();

    QSet<QString> groups;
    QSet<QString> present;
    bool changed = false;
    bool inGroup = false;
    bool inDefaults = false;
    qsizetype insertAt = -1; // just after the defaults group's last key
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString line = lines.at(i).trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        if (line.startsWith(QLatin1Char('['))) {
            const QString name = line.mid(1, line.size() - 2);
            if (!line.endsWith(QLatin1Char(']')) || name.isEmpty() || name.contains(QLatin1Char('[')) ||
                name.contains(QLatin1Char(']')) || groups.contains(name))
                return std::nullopt;
            groups.insert(name);
            inGroup = true;
            inDefaults = line == kDefaultsGroup;
            if (inDefaults)
                insertAt = i + 1;
            continue;
        }
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (!inGroup || equals < 0 || line.left(equals).trimmed().isEmpty())
            return std::nullopt;
        if (!inDefaults)
            continue;
        insertAt = i + 1;
        const QString key = line.left(equals).trimmed();
        for (const QString &type : types) {
            if (key.compare(type, Qt::CaseInsensitive) != 0)
                continue;
            present.insert(type);
            const QString value = line.mid(equals + 1);
            const QString first = value.section(QLatin1Char(';'), 0, 0).trimmed();
            if (first != kDesktopEntryId) {
                const QString &raw = lines.at(i);
                lines[i] = raw.left(raw.indexOf(QLatin1Char('=')) + 1) + withEntryFirst(value);
                changed = true;
            }
        }
    }

    QStringList added;
    for (const QString &type : types)
        if (!present.contains(type))
            added.append(type + QLatin1Char('=') + kDesktopEntryId + QLatin1Char(';'));
    if (!changed && added.isEmpty())
        return text;
    if (insertAt < 0) {
        if (!lines.isEmpty() && !lines.last().trimmed().isEmpty())
            lines.append(QString());
        lines.append(kDefaultsGroup);
        lines.append(added);
    } else {
        for (qsizetype i = 0; i < added.size(); ++i)
            lines.insert(insertAt + i, added.at(i));
    }
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

} // namespace

QStringList desktopDefaultTypes()
{
    static const char *const kTypes[] = {"video/x-msvideo", "video/mpeg", "application/vnd.ms-asf",
                                         "x-content/video-vcd"};
    const QMimeDatabase database;
    QStringList known;
    for (const char *name : kTypes) {
        const QMimeType type = database.mimeTypeForName(QString::fromLatin1(name));
        if (type.isValid())
            known.append(type.name());
    }
    return known;
}

bool setDesktopDefaults()
{
    // A few file tests first: without the entry, the MIME database is not even loaded.
    if (!desktopEntryInstalled())
        return false;
    const QStringList types = desktopDefaultTypes();
    if (types.isEmpty())
        return false;
    const QString configHome = xdgHome("XDG_CONFIG_HOME", QStringLiteral("/.config"));
    const QFileInfo folder(configHome);
    if (!folder.isDir() || !isWritable(folder))
        return false;

    const QString path = configHome + QStringLiteral("/mimeapps.list");
    const QFileInfo info(path);
    QString text;
    if (info.exists() || info.isSymLink()) {
        if (!info.isFile() || !isWritable(info) || info.size() > kMaxListSize)
            return false;
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return false;
        const QByteArray bytes = file.read(kMaxListSize + 1);
        if (bytes.size() > kMaxListSize || file.error() != QFileDevice::NoError)
            return false;
        // A byte-order mark stays in the text, and so makes the file odd.
        QStringDecoder decode(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
        text = decode(bytes);
        if (decode.hasError())
            return false;
    }

    const std::optional<QString> updated = withDefaults(text, types);
    if (!updated || *updated == text)
        return false;
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    const QByteArray data = updated->toUtf8();
    if (out.write(data) != data.size()) {
        out.cancelWriting();
        return false;
    }
    return out.commit();
}

} // namespace qr
