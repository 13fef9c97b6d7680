#include "desktop/WindowHelpers.h"

#include <QApplication>
#include <QCursor>
#include <QEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QWidget>
#include <QWindow>

#include <xcb/xcb.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

namespace qr {

namespace {

xcb_atom_t internAtom(xcb_connection_t *connection, const char *name)
{
    const xcb_intern_atom_cookie_t cookie = xcb_intern_atom(connection, 0, uint16_t(std::strlen(name)), name);
    const std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
        xcb_intern_atom_reply(connection, cookie, nullptr), &std::free);
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

// The X11 connection, or none on other window systems (Wayland, offscreen),
// where there is no task-bar state to set.
xcb_connection_t *x11Connection()
{
    const auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->connection() : nullptr;
}

// Adds the skip states to _NET_WM_STATE of a window not yet mapped, keeping
// what is there; the window manager reads them when it maps the window. Qt
// keeps atoms it finds there when it adds its own just before mapping.
void addSkipStates(QWidget *window)
{
    xcb_connection_t *connection = x11Connection();
    if (!connection)
        return;
    const auto id = static_cast<xcb_window_t>(window->winId());
    const xcb_atom_t state = internAtom(connection, "_NET_WM_STATE");
    const xcb_atom_t skips[] = {internAtom(connection, "_NET_WM_STATE_SKIP_TASKBAR"),
                                internAtom(connection, "_NET_WM_STATE_SKIP_PAGER")};
    if (state == XCB_ATOM_NONE)
        return;

    std::vector<xcb_atom_t> atoms;
    const xcb_get_property_cookie_t cookie =
        xcb_get_property(connection, 0, id, state, XCB_ATOM_ATOM, 0, 1024);
    const std::unique_ptr<xcb_get_property_reply_t, decltype(&std::free)> reply(
        xcb_get_property_reply(connection, cookie, nullptr), &std::free);
    if (reply && reply->type == XCB_ATOM_ATOM && reply->format == 32) {
        const auto *values = static_cast<const xcb_atom_t *>(xcb_get_property_value(reply.get()));
        atoms.assign(values, values + xcb_get_property_value_length(reply.get()) / sizeof(xcb_atom_t));
    }
    for (xcb_atom_t skip : skips)
        if (skip != XCB_ATOM_NONE && std::find(atoms.begin(), atoms.end(), skip) == atoms.end())
            atoms.push_back(skip);
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, id, state, XCB_ATOM_ATOM, 32,
                        uint32_t(atoms.size()), atoms.data());
    xcb_flush(connection);
}

// The window manager drops _NET_WM_STATE when a window is withdrawn, so the
// states go on again each time the window is about to be shown.
class TaskBarSkipper : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        // A widget hears of its show before its native window is mapped.
        if (event->type() == QEvent::Show && !event->spontaneous())
            addSkipStates(static_cast<QWidget *>(watched));
        return false;
    }
};

// One drag of a window, from a press until that button's release, seen
// through every event the application gets meanwhile. The window follows
// the pointer; with the left button it is handed to the window system's own
// move once the pointer has gone a drag distance, so that a click or a
// double-click on a drag surface stays one. The hand-over waits for a move
// reported after the window reached its last place: the window system takes
// the pointer's place in the window from it, and an earlier one would leave
// the window lagging behind. Other buttons, and window systems that cannot
// move a window, keep following to the end.
class WindowDrag : public QObject {
public:
    WindowDrag(QWidget *window, Qt::MouseButton button)
        : m_window(window), m_button(button), m_pressedAt(QCursor::pos()),
          m_offset(m_pressedAt - window->pos()), m_handOver(button == Qt::LeftButton)
    {
        qApp->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        const QEvent::Type type = event->type();
        // Each event reaches a window and then its widgets: the window's copy is enough.
        if ((type != QEvent::MouseMove && type != QEvent::MouseButtonRelease) || !watched->isWindowType())
            return false;
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if (!m_window || (type == QEvent::MouseButtonRelease && mouse->button() == m_button) ||
            !mouse->buttons().testFlag(m_button)) {
            finish();
            return false;
        }
        const QPoint at = mouse->globalPosition().toPoint();
        QWindow *handle = m_window->windowHandle();
        if (m_handOver && watched == handle &&
            (at - m_pressedAt).manhattanLength() >= QApplication::startDragDistance() &&
            handle->mapToGlobal(mouse->position()).toPoint() == at) {
            m_handOver = false;
            if (handle->startSystemMove()) {
                finish(); // the window system has the pointer until the release
                return false;
            }
        }
        m_window->move(at - m_offset);
        return false;
    }

private:
    void finish()
    {
        qApp->removeEventFilter(this);
        deleteLater();
    }

    QPointer<QWidget> m_window;
    Qt::MouseButton m_button;
    QPoint m_pressedAt;
    QPoint m_offset;
    bool m_handOver;
};

} // namespace

void dragWindow(QWidget *window, Qt::MouseButton button)
{
    if (!window || button == Qt::NoButton)
        return;
    window->winId();
    new WindowDrag(window, button);
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

void keepOffTaskBar(QWidget *window)
{
    if (!window)
        return;
    window->setAttribute(Qt::WA_ShowWithoutActivating);
    window->installEventFilter(new TaskBarSkipper(window));
}

} // namespace qr
