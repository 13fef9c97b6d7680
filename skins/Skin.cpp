#include "skins/Skin.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QImage>
#include <QPainter>
#include <QPixmapCache>
#include <QSvgRenderer>

#include <cmath>

// The resources live in a static library: nothing else references them, so
// the linker would drop them without this explicit initialisation.
static void initSkinResources() { Q_INIT_RESOURCE(skins); }

namespace qr {

namespace {

void ensureResources()
{
    static const bool done = (initSkinResources(), true);
    (void)done;
}

QString resourcePath(const QString &name)
{
    return QStringLiteral(":/skins/") + name + QStringLiteral(".svg");
}

// A name is a plain file stem of the skin; anything with a path in it is not
// ours. Each name's answer is kept, since pictures are asked for at every paint.
bool validName(const QString &name)
{
    static QHash<QString, bool> known;
    const auto it = known.constFind(name);
    if (it != known.constEnd())
        return *it;
    const bool valid =
        !name.isEmpty() && !name.contains(QLatin1Char('/')) && QFileInfo::exists(resourcePath(name));
    known.insert(name, valid);
    return valid;
}

} // namespace

QSize skinSize(const QString &name)
{
    ensureResources();
    static QHash<QString, QSize> sizes;
    const auto it = sizes.constFind(name);
    if (it != sizes.constEnd())
        return *it;
    QSize size;
    if (validName(name)) {
        QSvgRenderer renderer(resourcePath(name));
        if (renderer.isValid())
            size = renderer.viewBoxF().size().toSize();
    }
    sizes.insert(name, size);
    return size;
}

QPixmap skinPixmap(const QString &name, const QSize &logicalSize, qreal devicePixelRatio)
{
    ensureResources();
    if (logicalSize.isEmpty() || !validName(name))
        return {};
    const qreal dpr = (devicePixelRatio > 0 && std::isfinite(devicePixelRatio)) ? devicePixelRatio : 1.0;
    const QSize device(qMax(1, qRound(logicalSize.width() * dpr)),
                       qMax(1, qRound(logicalSize.height() * dpr)));

    const QString key = QStringLiteral("qr-skin/%1/%2x%3@%4")
                            .arg(name)
                            .arg(logicalSize.width())
                            .arg(logicalSize.height())
                            .arg(dpr, 0, 'g', 6);
    QPixmap pixmap;
    if (QPixmapCache::find(key, &pixmap))
        return pixmap;

    QSvgRenderer renderer(resourcePath(name));
    if (!renderer.isValid())
        return {};
    QImage image(device, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(device)));
    }
    pixmap = QPixmap::fromImage(std::move(image));
    pixmap.setDevicePixelRatio(dpr);
    QPixmapCache::insert(key, pixmap);
    return pixmap;
}

QPixmap skinPixmap(const QString &name, qreal devicePixelRatio)
{
    return skinPixmap(name, skinSize(name), devicePixelRatio);
}

QStringList skinNames()
{
    ensureResources();
    QStringList names;
    const QStringList files =
        QDir(QStringLiteral(":/skins")).entryList({QStringLiteral("*.svg")}, QDir::Files, QDir::Name);
    for (const QString &file : files)
        names << QFileInfo(file).completeBaseName();
    return names;
}

QIcon programIcon()
{
    QIcon icon;
    for (int side : {16, 22, 24, 32, 48, 64, 128, 256})
        icon.addPixmap(skinPixmap(QStringLiteral("icon"), QSize(side, side), 1.0));
    return icon;
}

QColor videoBackground() { return QColor(31, 27, 37); }

QCursor sizerCursor(qreal devicePixelRatio)
{
    return QCursor(skinPixmap(QStringLiteral("sizer_cursor"), QSize(32, 32), devicePixelRatio), 16, 16);
}

} // namespace qr
