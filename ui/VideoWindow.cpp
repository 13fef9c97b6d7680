#include "ui/VideoWindow.h"

#include "desktop/Twips.h"
#include "desktop/WindowHelpers.h"
#include "session/Session.h"
#include "skins/Skin.h"
#include "ui/KeyCommands.h"
#include "ui/SkinWidgets.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QPainter>

namespace qr {

VideoWindow::VideoWindow(Session &session, QWidget *view, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), m_session(session), m_view(view)
{
    setObjectName(QStringLiteral("VideoWindow"));
    setWindowTitle(QStringLiteral("Quilvane "));
    setAttribute(Qt::WA_OpaquePaintEvent);
    keepOffTaskBar(this);

    m_view->setParent(this);
    const std::pair<const char *, double> pieces[3] = {
        {"topedge0", 2115}, {"topedge1", 1650}, {"topedge2", 1830}};
    for (int i = 0; i < 3; ++i) {
        m_topEdge[i] = new SkinPicture(QString::fromLatin1(pieces[i].first), this);
        m_topEdge[i]->resize(pixelsX(pieces[i].second), pixelsY(VideoLayout::TopEdge));
        connect(m_topEdge[i], &SkinPicture::pressed, this, [this](Qt::MouseButton button) {
            if (button == Qt::LeftButton)
                dragWindow(this);
        });
    }
    // The stretched middle piece reaches under the right one.
    m_topEdge[2]->raise();

    m_grip = new SkinPicture(QStringLiteral("sizer"), this);
    m_grip->resize(pixelsX(VideoLayout::GripSize), pixelsY(VideoLayout::GripSize));
    m_grip->setCursor(sizerCursor(devicePixelRatioF()));
    connect(m_grip, &SkinPicture::pressed, this, [this] { m_gripPressed = true; });
    connect(m_grip, &SkinPicture::moved, this, [this](Qt::MouseButtons buttons, QPointF at) {
        if (buttons == Qt::LeftButton && m_gripPressed)
            m_session.dragVideoGrip(QPointF(twipsX(at.x()), twipsY(at.y())));
    });
    connect(m_grip, &SkinPicture::released, this, [this](Qt::MouseButton button) {
        if (button == Qt::LeftButton && m_gripPressed)
            m_session.releaseVideoGrip();
    });

    for (SkinPicture *control : findChildren<SkinPicture *>())
        connect(control, &SkinPicture::contextClicked, &m_session, &Session::showMenu);

    const VideoSizing &video = m_session.video();
    connect(&video, &VideoSizing::layoutChanged, this, &VideoWindow::followLayout);
    connect(&video, &VideoSizing::pictureVisibleChanged, m_view, &QWidget::setVisible);
    connect(&m_session.windows(), &WindowStates::videoPositionChanged, this,
            [this](QPoint position) { move(position); });
    m_view->setVisible(video.pictureVisible());
    move(m_session.windows().videoPosition());
    followLayout();
}

VideoWindow::~VideoWindow()
{
    // The view belongs to the engine, which outlives this window.
    m_view->hide();
    m_view->setParent(nullptr);
}

void VideoWindow::followLayout()
{
    const VideoLayout &layout = m_session.video().layout();
    resize(layout.windowSize());
    m_view->setGeometry(layout.pictureRect());
    layoutSkin();
}

void VideoWindow::layoutSkin()
{
    const int w = width();
    m_topEdge[0]->move(0, 0);
    m_topEdge[1]->setGeometry(m_topEdge[0]->width(), 0, w, m_topEdge[1]->height());
    m_topEdge[2]->move(w - m_topEdge[2]->width(), 0);
    m_grip->move(w - m_grip->width(), height() - m_grip->height());
    m_grip->raise();
}

// Full screen shows the picture alone: no edge, no grip.
void VideoWindow::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange)
        return;
    const bool full = isFullScreen();
    for (QWidget *skin : {static_cast<QWidget *>(m_grip), static_cast<QWidget *>(m_topEdge[0]),
                          static_cast<QWidget *>(m_topEdge[1]), static_cast<QWidget *>(m_topEdge[2])})
        skin->setVisible(!full);
    m_session.videoFullScreenChanged(full);
}

void VideoWindow::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    layoutSkin();
}

void VideoWindow::moveEvent(QMoveEvent *event)
{
    QWidget::moveEvent(event);
    m_session.videoMoved(pos());
}

void VideoWindow::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), videoBackground());
}

void VideoWindow::keyPressEvent(QKeyEvent *event)
{
    if (!runKeyCommands(m_session, event))
        QWidget::keyPressEvent(event);
}

void VideoWindow::wheelEvent(QWheelEvent *event) { runWheelCommands(m_session, event, m_wheelPending); }

void VideoWindow::mousePressEvent(QMouseEvent *event) { dragWindow(this, event->button()); }

void VideoWindow::closeEvent(QCloseEvent *event)
{
    QWidget::closeEvent(event);
    m_session.windowClosed(PlayerWindow::Video);
}

} // namespace qr
