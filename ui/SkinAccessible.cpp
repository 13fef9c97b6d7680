#include "ui/SkinAccessible.h"

#include "ui/SeekBar.h"
#include "ui/SkinWidgets.h"

#include <QAccessibleWidget>

#include <utility>

namespace qr {

namespace {

// Pressed through the accessibility bus as by a click.
class SkinPictureAccessible : public QAccessibleWidget {
public:
    explicit SkinPictureAccessible(SkinPicture *picture) : QAccessibleWidget(picture, QAccessible::Button) {}

    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString &action) override
    {
        if (action == pressAction())
            Q_EMIT static_cast<SkinPicture *>(widget())->clicked();
    }
};

// A line of the panel: its name says which line, its text what it shows.
class SkinLabelAccessible : public QAccessibleWidget {
public:
    explicit SkinLabelAccessible(SkinLabel *label) : QAccessibleWidget(label, QAccessible::StaticText) {}

    QString text(QAccessible::Text t) const override
    {
        const auto *label = static_cast<const SkinLabel *>(widget());
        if (t == QAccessible::Value || (t == QAccessible::Name && widget()->accessibleName().isEmpty()))
            return label->text();
        return QAccessibleWidget::text(t);
    }
};

QAccessibleInterface *skinFactory(const QString &className, QObject *object)
{
    if (className == QLatin1String("qr::SkinLabel") && !object->property(AccessibleButton).toBool())
        return new SkinLabelAccessible(static_cast<SkinLabel *>(object));
    if (className == QLatin1String("qr::SkinLabel"))
        return new SkinPictureAccessible(static_cast<SkinPicture *>(object));
    // Only the pictures that act: the skin's background and edges are no controls.
    if (className == QLatin1String("qr::SkinPicture") &&
        !static_cast<QWidget *>(object)->accessibleName().isEmpty())
        return new SkinPictureAccessible(static_cast<SkinPicture *>(object));
    if (className == QLatin1String("qr::SeekBar"))
        return new QAccessibleWidget(static_cast<QWidget *>(object), QAccessible::Slider);
    return nullptr;
}

} // namespace

void installSkinAccessibility()
{
    static bool installed = false;
    if (!std::exchange(installed, true))
        QAccessible::installFactory(skinFactory);
}

} // namespace qr
