#include "settings/fileext.h"

#include "settings/registry.h"

#include <QCoreApplication>

namespace qr {

namespace {

const QString kClassesRoot = QStringLiteral("HKEY_CLASSES_ROOT\\");
const QString kQvPath = QStringLiteral("QV_Path");

// Blanks only, as the stored command is compared.
QString TrimBlanks(const QString &text)
{
    qsizetype start = 0, end = text.size();
    while (start < end && text.at(start) == QLatin1Char(' '))
        ++start;
    while (end > start && text.at(end - 1) == QLatin1Char(' '))
        --end;
    return text.mid(start, end - start);
}

} // namespace

QString AssociationCommand(const QString &programDir)
{
    QString dir = programDir;
    if (!dir.endsWith(QLatin1Char('/')))
        dir += QLatin1Char('/');
    return dir + QStringLiteral("quilvane-ryn") + QStringLiteral(" %1");
}

void RegisterExtensions()
{
    RegisterExtensions(QCoreApplication::applicationDirPath());
}

void RegisterExtensions(const QString &programDir)
{
    const QString command = AssociationCommand(programDir);
    static const char *const kTypes[] = {"avifile", "mpegfile", "ASFfile", "datfile"};
    for (const char *type : kTypes) {
        const QString t = QString::fromLatin1(type);
        const QString open = kClassesRoot + t + QStringLiteral("\\Shell\\Open\\Command");
        const QString play = kClassesRoot + t + QStringLiteral("\\Shell\\Play\\Command");
        // A missing key or value reads as "Error", so it counts as taken.
        const QString current = TrimBlanks(ReadValue(open, QString()).value_or(QString()));
        if (!current.isEmpty()) {
            WriteValue(open, QString(), command);
            WriteValue(open, kQvPath, command);
            WriteValue(play, QString(), command);
            WriteValue(play, kQvPath, command);
        } else {
            if (t == QLatin1String("datfile"))
                WriteValue(kClassesRoot + QStringLiteral("*.dat"), QString(), t);
            WriteValue(open, QString(), command);
            WriteValue(play, QString(), command);
        }
    }
}

} // namespace qr
