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
    if (m_on || !m_view)
        return;
    m_on = true;
    m_window = m_view->window();
    m_windowState = m_window->windowState();
    m_windowWasVisible = m_window->isVisible();
    m_viewWasHidden = m_view->isHidden();
    if (m_view != m_window) {
        m_viewGeometry = m_view->geometry();
        m_above = nullptr;
        const QObjectList &siblings = m_view->parentWidget()->children();
        for (qsizetype i = siblings.indexOf(m_view) + 1; i < siblings.size() && !m_above; ++i)
            m_above = qobject_cast<QWidget *>(siblings.at(i));
        m_view->raise();
    }
    m_view->show();
    m_window->showFullScreen();
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
    if (!m_window || !m_view)
        return;
    m_window->setWindowState(m_windowState & ~Qt::WindowFullScreen);
    if (m_view != m_window) {
        m_view->setGeometry(m_viewGeometry);
        if (m_above && m_above->parentWidget() == m_view->parentWidget())
            m_view->stackUnder(m_above);
    }
    if (m_viewWasHidden)
        m_view->hide();
    if (!m_windowWasVisible)
        m_window->hide();
}

void FullScreenSwitch::fitView()
{
    if (m_on && m_view && m_window && m_view != m_window)
        m_view->setGeometry(QRect(m_view->parentWidget()->mapFrom(m_window, QPoint(0, 0)), m_window->size()));
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
