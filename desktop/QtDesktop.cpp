#include "desktop/QtDesktop.h"

#include "desktop/FileDialogs.h"
#include "desktop/Paths.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QInputDialog>
#include <QScreen>
#include <QStandardPaths>
#include <QSystemTrayIcon>

namespace qr {

namespace {
// Where no screen is known at all (no platform plugin yet).
constexpr QRect FallbackScreen(0, 0, 1024, 768);

const QScreen *screenUnder(QPoint point)
{
    const QScreen *screen = QGuiApplication::screenAt(point);
    return screen ? screen : QGuiApplication::primaryScreen();
}
} // namespace

QRect QtDesktop::primaryScreen() const
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry() : FallbackScreen;
}

QList<QRect> QtDesktop::screens() const
{
    QList<QRect> rects;
    for (const QScreen *screen : QGuiApplication::screens())
        rects << screen->geometry();
    return rects;
}

QRect QtDesktop::screenAt(QPoint point) const
{
    const QScreen *screen = screenUnder(point);
    return screen ? screen->geometry() : FallbackScreen;
}

QRect QtDesktop::freeAreaAt(QPoint point) const
{
    const QScreen *screen = screenUnder(point);
    return screen ? screen->availableGeometry() : FallbackScreen;
}

bool QtDesktop::hasTray() const { return QSystemTrayIcon::isSystemTrayAvailable(); }

bool QtDesktop::keepsWindowPositions() const
{
    return !QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

QStringList QtDesktop::chooseFiles(const QString &title, FileKind kind, bool several)
{
    const QString caption = title.isEmpty() ? QStringLiteral("Quilvane Ryn:: Open file") : title;
    const QString filter = openDialogFilter(kind);
    const auto options = QFileDialog::HideNameFilterDetails;
    QWidget *owner = QApplication::activeWindow();
    QStringList chosen =
        several
            ? QFileDialog::getOpenFileNames(owner, caption, QString(), filter, nullptr, options)
            : QStringList{QFileDialog::getOpenFileName(owner, caption, QString(), filter, nullptr, options)};
    QStringList files;
    for (QString &path : chosen)
        if (path = path.trimmed(); fileExists(path))
            files << path;
    return files;
}

QString QtDesktop::picturesFolder() const
{
    const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    return !pictures.isEmpty() && QFileInfo(pictures).isDir() ? pictures : QDir::homePath();
}

std::optional<QString> QtDesktop::askText(const QString &title, const QString &label, const QString &proposed)
{
    bool ok = false;
    const QString answer =
        QInputDialog::getText(QApplication::activeWindow(), title, label, QLineEdit::Normal, proposed, &ok);
    if (!ok)
        return std::nullopt;
    return answer;
}

} // namespace qr
