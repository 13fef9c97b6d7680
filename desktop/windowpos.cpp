#include "desktop/windowpos.h"

#include <QWidget>
#include <QWindow>

namespace qr {

namespace {
std::function<void()> &afterDrag()
{
    static std::function<void()> hook;
    return hook;
}

void applyOnTop(QWidget *window, bool onTop)
{
    if (!window)
        return;
    window->setAttribute(Qt::WA_ShowWithoutActivating);
    window->winId(); // the native window must exist before its flags can change
    QWindow *handle = window->windowHandle();
    if (handle && handle->flags().testFlag(Qt::WindowStaysOnTopHint) != onTop)
        handle->setFlag(Qt::WindowStaysOnTopHint, onTop);
    if (!window->isVisible())
        window->show();
}
} // namespace

void DragWindow(QWidget *window)
{
    if (window) {
        window->winId();
        if (QWindow *handle = window->windowHandle())
            handle->startSystemMove();
    }
    if (afterDrag())
        afterDrag()();
}

void SetAfterDragHook(std::function<void()> hook) { afterDrag() = std::move(hook); }

void SetWindowOnTop(QWidget *window, bool wanted, bool onTopEnabled) { applyOnTop(window, wanted && onTopEnabled); }

void AlwaysOnTop(QWidget *window, bool wanted) { applyOnTop(window, wanted); }

bool IsOnTop(const QWidget *window)
{
    const QWindow *handle = window ? window->windowHandle() : nullptr;
    return handle && handle->flags().testFlag(Qt::WindowStaysOnTopHint);
}

} // namespace qr
