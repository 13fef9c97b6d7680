#include "engine/FullScreenSwitch.h"

#include <QApplication>
#include <QKeyEvent>

namespace qr {

FullScreenSwitch::FullScreenSwitch(QWidget *view, QObject *parent) : QObject(parent), m_view(view) {}

FullScreenSwitch::~FullScreenSwitch()
{
    if (m_on)
        qApp->removeEventFilter(this);
}

void FullScreenSwitch::enter()
{
    QWidget *const view = m_view;
    if (m_on || !view)
        return;
    m_on = true;
    QWidget *const window = view->window();
    m_window = window;
    m_windowState = window->windowState();
    m_windowWasVisible = window->isVisible();
    m_viewWasHidden = view->isHidden();
    if (view != window) {
        m_viewGeometry = view->geometry();
        m_above = nullptr;
        const QObjectList &siblings = view->parentWidget()->children();
        for (qsizetype i = siblings.indexOf(view) + 1; i < siblings.size() && !m_above; ++i)
            m_above = qobject_cast<QWidget *>(siblings.at(i));
        view->raise();
    }
    view->show();
    window->showFullScreen();
    fitView();
    // Application-wide, so Esc is caught whichever child of the window has
    // the focus; installed only for as long as the window is full screen.
    qApp->installEventFilter(this);
}

void FullScreenSwitch::leave()
{
    if (!m_on)
        return;
    m_on = false;
    qApp->removeEventFilter(this);
    QWidget *const view = m_view;
    QWidget *const window = m_window;
    if (!window || !view)
        return;
    window->setWindowState(m_windowState & ~Qt::WindowFullScreen);
    if (view != window) {
        view->setGeometry(m_viewGeometry);
        if (QWidget *const above = m_above; above && above->parentWidget() == view->parentWidget())
            view->stackUnder(above);
    }
    if (m_viewWasHidden)
        view->hide();
    if (!m_windowWasVisible)
        window->hide();
}

void FullScreenSwitch::fitView()
{
    QWidget *const view = m_view;
    QWidget *const window = m_window;
    if (m_on && view && window && view != window)
        view->setGeometry(QRect(view->parentWidget()->mapFrom(window, QPoint(0, 0)), window->size()));
}

bool FullScreenSwitch::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (watched == m_window && type == QEvent::Resize) {
        // After the window's own resize handling, which may place the view.
        QMetaObject::invokeMethod(this, &FullScreenSwitch::fitView, Qt::QueuedConnection);
        return false;
    }
    if (type != QEvent::KeyPress && type != QEvent::KeyRelease && type != QEvent::ShortcutOverride)
        return false;
    auto *widget = qobject_cast<QWidget *>(watched);
    if (!widget || widget->window() != m_window || static_cast<QKeyEvent *>(event)->key() != Qt::Key_Escape)
        return false;
    if (type == QEvent::ShortcutOverride) {
        event->accept(); // no shortcut gets Esc; it comes as a key press
        return true;
    }
    if (type == QEvent::KeyPress)
        Q_EMIT escapePressed();
    return true;
}

} // namespace qr
