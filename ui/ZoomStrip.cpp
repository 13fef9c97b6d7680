#include "ui/ZoomStrip.h"

#include "desktop/Twips.h"
#include "desktop/WindowHelpers.h"
#include "session/Session.h"
#include "skins/Skin.h"
#include "ui/SkinWidgets.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QStandardItemModel>

namespace qr {

ZoomStrip::ZoomStrip(Session &session, int panelHeight, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), m_session(session)
{
    setObjectName(QStringLiteral("ZoomStrip"));
    setWindowTitle(QStringLiteral("Quilvane Zoom options"));
    keepOffTaskBar(this);
    QPalette background = palette();
    background.setColor(QPalette::Window, videoBackground());
    setPalette(background);
    setAutoFillBackground(true);
    setFixedSize(pixelsX(1305), panelHeight);

    auto *top = new SkinPicture(QStringLiteral("zbgTOP"), this);
    placeTwips(top, 0, 0, 1350, 255);
    auto *middle = new SkinPicture(QStringLiteral("zbgMID"), this);
    placeTwips(middle, 0, 240, 1350, 1485);
    auto *bottom = new SkinPicture(QStringLiteral("zbgBOT"), this);
    placeTwips(bottom, 0, 1680, 1350, 135);
    // The middle piece stretches so the strip is exactly as high as the panel.
    middle->resize(middle->width(), panelHeight - (top->height() + bottom->height()));
    bottom->move(bottom->x(), middle->y() + middle->height());

    auto *title = new QLabel(QStringLiteral("Select zoom"), this);
    placeTwips(title, 240, 600, 1005, 255);
    title->setFont(skinFont());
    QPalette blue = title->palette();
    blue.setColor(QPalette::WindowText, QColor(0, 0, 128));
    title->setPalette(blue);

    m_choices = new QComboBox(this);
    m_choices->setObjectName(QStringLiteral("zoomChoices"));
    placeTwips(m_choices, 200, 1050, 1030, 330);
    m_choices->setFont(skinFont());
    m_choices->installEventFilter(this);
    connect(m_choices, &QComboBox::currentIndexChanged, &m_session, &Session::setZoomChoice);
    connect(m_choices, &QComboBox::activated, &m_session, &Session::chooseZoom);
    connect(&m_session.video(), &VideoSizing::zoomChoicesChanged, this, &ZoomStrip::fill);
    connect(&m_session.windows(), &WindowStates::panelPositionChanged, this, &ZoomStrip::dock);
    fill();
    dock();
}

void ZoomStrip::fill()
{
    const QSignalBlocker quiet(m_choices);
    m_choices->clear();
    auto *model = qobject_cast<QStandardItemModel *>(m_choices->model());
    for (const ZoomChoice &choice : m_session.video().zoomChoices()) {
        m_choices->addItem(choice.label);
        // The separators only separate: they cannot be chosen.
        if (choice.kind == ZoomChoice::Kind::Separator && model)
            model->item(m_choices->count() - 1)->setEnabled(false);
    }
    m_choices->setCurrentIndex(-1);
}

void ZoomStrip::dock() { move(m_session.windows().panelPosition() - QPoint(width(), 0)); }

bool ZoomStrip::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_choices && (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut))
        m_session.setZoomListFocused(event->type() == QEvent::FocusIn);
    return QWidget::eventFilter(watched, event);
}

void ZoomStrip::closeEvent(QCloseEvent *event)
{
    QWidget::closeEvent(event);
    m_session.windowClosed(PlayerWindow::ZoomStrip);
}

} // namespace qr
