#pragma once

#include "desktop/Desktop.h"

namespace qr {

// The desktop as Qt sees it: its screens, the system tray, QFileDialog and
// QInputDialog, the dialogs over the player's window that asked for them.
class QtDesktop : public Desktop {
public:
    QRect primaryScreen() const override;
    QList<QRect> screens() const override;
    QRect screenAt(QPoint point) const override;
    QRect freeAreaAt(QPoint point) const override;
    bool hasTray() const override;
    bool keepsWindowPositions() const override;
    QStringList chooseFiles(const QString &title, FileKind kind, bool several) override;
    QString picturesFolder() const override;
    std::optional<QString> askText(const QString &title, const QString &label,
                                   const QString &proposed) override;
};

} // namespace qr
