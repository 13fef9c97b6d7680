#include "settings/FileTypes.h"

#include "settings/Registry.h"

namespace qr {

namespace {

const QString kClassesRoot = QStringLiteral("HKEY_CLASSES_ROOT\\");
const QString kQvPath = QStringLiteral("QV_Path");

// Blanks only, as the stored command is compared.
QString trimBlanks(const QString &text)
{
    qsizetype start = 0, end = text.size();
    while (start < end && text.at(start) == QLatin1Char(' '))
        ++start;
    while (end > start && text.at(end - 1) == QLatin1Char(' '))
        --end;
    return text.mid(start, end - start);
}

// Registration is best effort, as it always was: a value the store refuses
// stays as it was, and the player plays either way.
void writeQuietly(const QString &key, const QString &name, const QString &text)
{
    static_cast<void>(writeValue(key, name, text));
}

} // namespace

QString associationCommand(const QString &programDir)
{
    QString dir = programDir;
    if (!dir.endsWith(QLatin1Char('/')))
        dir += QLatin1Char('/');
    return dir + QStringLiteral("quilvane-ryn") + QStringLiteral(" %1");
}

void registerExtensions(const QString &programDir)
{
    const QString command = associationCommand(programDir);
    static const char *const kTypes[] = {"avifile", "mpegfile", "ASFfile", "datfile"};
    for (const char *type : kTypes) {
        const QString t = QString::fromLatin1(type);
        const QString open = kClassesRoot + t + QStringLiteral("\\Shell\\Open\\Command");
        const QString play = kClassesRoot + t + QStringLiteral("\\Shell\\Play\\Command");
        // A key or value that cannot be read counts as taken.
        const RegistryResult<QString> stored = readValue(open, QString());
        if (!stored || !trimBlanks(*stored).isEmpty()) {
            writeQuietly(open, QString(), command);
            writeQuietly(open, kQvPath, command);
            writeQuietly(play, QString(), command);
            writeQuietly(play, kQvPath, command);
        } else {
            if (t == QLatin1String("datfile"))
                writeQuietly(kClassesRoot + QStringLiteral("*.dat"), QString(), t);
            writeQuietly(open, QString(), command);
            writeQuietly(play, QString(), command);
        }
    }
}

} // namespace qr
