#include "desktop/WindowHelpers.h"

#include <QWidget>
#include <QWindow>

namespace qr {

void dragWindow(QWidget *window)
{
    if (!window)
        return;
    window->winId();
    if (QWindow *handle = window->windowHandle())
        handle->startSystemMove();
}

void setTopMost(QWidget *window, bool onTop)
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

bool isTopMost(const QWidget *window)
{
    const QWindow *handle = window ? window->windowHandle() : nullptr;
    return handle && handle->flags().testFlag(Qt::WindowStaysOnTopHint);
}

} // namespace qr
