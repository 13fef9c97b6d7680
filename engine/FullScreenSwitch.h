#pragma once

#include <QObject>
#include <QPointer>
#include <QRect>
#include <QWidget>

namespace qr {

// Full screen as the media control does it: the view's top-level window goes
// full screen and the view fills it; leaving puts both back as they were.
// The view is never re-parented (an OpenGL widget would lose its context).
// While full screen, Esc in that window is taken before any of its own key
// handling and reported as escapePressed.
class FullScreenSwitch : public QObject {
    Q_OBJECT
public:
    explicit FullScreenSwitch(QWidget *view, QObject *parent = nullptr);
    ~FullScreenSwitch() override;

    bool isOn() const { return m_on; }
    void enter();
    void leave();

Q_SIGNALS:
    void escapePressed();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void fitView();

    QPointer<QWidget> m_view;
    QPointer<QWidget> m_window;
    QPointer<QWidget> m_above; // the sibling the view lay under
    QRect m_viewGeometry;
    Qt::WindowStates m_windowState;
    bool m_windowWasVisible = false;
    bool m_viewWasHidden = false;
    bool m_on = false;
};

} // namespace qr
