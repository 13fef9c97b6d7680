#include "desktop/cdlFunctions.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QStringList>

namespace qr {

namespace {
OpenDialogHandler &dialogHandler()
{
    static OpenDialogHandler h;
    return h;
}

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
    for (const QString &p : patterns.split(QLatin1Char(';')))
        list << anyCase(p);
    return QStringLiteral("%1 (%2)").arg(description, list.join(QLatin1Char(' ')));
}

// Text after the last `separator`; "" when there is none.
QString afterLast(const QString &path, QChar separator)
{
    const qsizetype at = path.lastIndexOf(separator);
    return at < 0 ? QString() : path.mid(at + 1);
}
} // namespace

QString OpenDialogFilter(const QString &kind)
{
    const QString all = QStringLiteral("All files (*)");
    if (kind == QLatin1String("media"))
        return filterEntry(QStringLiteral("Supported media types"), QStringLiteral("*.avi;*.asf;*.mpg;*.mpeg;*.dat")) +
               QStringLiteral(";;") + all;
    return filterEntry(QStringLiteral("Supported subtitle files"), QStringLiteral("*.txt;*.sub")) + QStringLiteral(";;") +
           all;
}

QString ShowOpenDialog(QWidget *owner, const QString &initialDir, QString title, const QString &kind)
{
    if (title.isEmpty())
        title = QStringLiteral("Quilvane Ryn:: Open file");
    QString path;
    if (dialogHandler()) {
        path = dialogHandler()(title, kind);
    } else {
        path = QFileDialog::getOpenFileName(owner, title, initialDir, OpenDialogFilter(kind), nullptr,
                                            QFileDialog::HideNameFilterDetails);
    }
    path = path.trimmed();
    return FileExists(path) ? path : QString();
}

void SetOpenDialogHandler(OpenDialogHandler handler) { dialogHandler() = std::move(handler); }

QString FileExtension(const QString &path) { return afterLast(path, QLatin1Char('.')); }

QString FileNameOnly(const QString &path) { return afterLast(path, QLatin1Char('/')); }

QString ShortFileTitle(const QString &path)
{
    const QString name = FileNameOnly(path);
    return name.size() > 24 ? name.left(24) + QStringLiteral("...") : name;
}

bool FileExists(const QString &path)
{
    if (path.isEmpty())
        return false;
    const QFileInfo info(path);
    return info.exists() && info.isFile(); // follows links; folders are not files
}

} // namespace qr
