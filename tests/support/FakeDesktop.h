#pragma once

#include "desktop/Desktop.h"

namespace qr::test {

// A desktop whose screens the test sets and whose dialogs and prompts give
// the answers queued in it (none left: cancelled).
class FakeDesktop : public Desktop {
public:
    QList<QRect> screenRects{QRect(0, 0, 1280, 1024)};
    int panelHeight = 0; // the desktop's own panel along each screen's top
    bool tray = true;
    bool keepsPositions = true;
    QList<QStringList> files;
    QList<std::optional<QString>> texts;
    QStringList asked; // the titles of the dialogs and prompts shown
    QString pictures;

    QRect primaryScreen() const override { return screenRects.value(0); }
    QList<QRect> screens() const override { return screenRects; }
    QRect screenAt(QPoint point) const override
    {
        for (const QRect &screen : screenRects)
            if (screen.contains(point))
                return screen;
        return primaryScreen();
    }
    QRect freeAreaAt(QPoint point) const override { return screenAt(point).adjusted(0, panelHeight, 0, 0); }
    bool hasTray() const override { return tray; }
    bool keepsWindowPositions() const override { return keepsPositions; }
    QStringList chooseFiles(const QString &title, FileKind, bool) override
    {
        asked << title;
        return files.isEmpty() ? QStringList() : files.takeFirst();
    }
    QString picturesFolder() const override { return pictures; }
    std::optional<QString> askText(const QString &title, const QString &, const QString &) override
    {
        asked << title;
        return texts.isEmpty() ? std::nullopt : texts.takeFirst();
    }
};

} // namespace qr::test
