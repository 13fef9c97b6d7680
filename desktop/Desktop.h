#pragma once

#include <QList>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QStringList>
#include <optional>

namespace qr {

enum class FileKind { Media, Subtitles };

// What the player asks of the desktop beyond its own windows: the screens
// it places them on, the notification area, the open dialog and a one-line
// prompt. The session is given one; tests give it a fake.
class Desktop {
public:
    virtual ~Desktop() = default;

    // Pixels on the virtual desktop.
    virtual QRect primaryScreen() const = 0;
    virtual QList<QRect> screens() const = 0;
    // The screen under the point, else the primary one: whole, and the part
    // the desktop's own panels and docks leave free.
    virtual QRect screenAt(QPoint point) const = 0;
    virtual QRect freeAreaAt(QPoint point) const = 0;

    virtual bool hasTray() const = 0;
    // False where the desktop neither tells nor keeps where windows are
    // (Wayland).
    virtual bool keepsWindowPositions() const = 0;

    // The open dialog: the chosen files that exist, none when cancelled.
    // An empty title is "Quilvane Ryn:: Open file".
    virtual QStringList chooseFiles(const QString &title, FileKind kind, bool several) = 0;
    // Where screenshots go: the user's pictures folder, else home.
    virtual QString picturesFolder() const = 0;
    // A one-line prompt; nothing when cancelled.
    virtual std::optional<QString> askText(const QString &title, const QString &label,
                                           const QString &proposed) = 0;
};

} // namespace qr
