#include "ui/ZoomStrip.h"

#include "desktop/Twips.h"
#include "desktop/WindowHelpers.h"
#include "session/Session.h"
#include "session/ZoomChoices.h"
#include "skins/Skin.h"
#include "ui/SkinWidgets.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QInputDialog>
#include <QLabel>

#include <cmath>

namespace qr {

namespace {
// An answer of a size prompt as a whole number; 0 for a cancel or no number.
int promptNumber(const QString &answer)
{
    bool ok = false;
    const double value = answer.trimmed().toDouble(&ok);
    return ok && std::isfinite(value) && std::fabs(value) < 1e6 ? static_cast<int>(std::nearbyint(value)) : 0;
}
} // namespace

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
    connect(m_choices, &QComboBox::activated, this, &ZoomStrip::choose);

    m_prompt = [this](const QString &text, const QString &caption, const QString &proposed) {
        bool ok = false;
        const QString answer = QInputDialog::getText(this, caption, text, QLineEdit::Normal, proposed, &ok);
        return ok ? answer : QString();
    };

    const auto fill = [this](const QStringList &choices) {
        const QSignalBlocker quiet(m_choices);
        m_choices->clear();
        m_choices->addItems(choices);
        m_choices->setCurrentIndex(-1);
    };
    connect(&m_session, &Session::zoomChoicesChanged, this, fill);
    connect(&m_session, &Session::panelPositionChanged, this, &ZoomStrip::dock);
    fill(m_session.zoomChoices());
    dock();
}

void ZoomStrip::dock() { move(m_session.panelPosition() - QPoint(width(), 0)); }

void ZoomStrip::choose(int index)
{
    if (m_choices->itemText(index) == CustomChoice)
        askForCustomSize();
    else
        m_session.chooseZoom(index);
}

void ZoomStrip::askForCustomSize()
{
    const int width = promptNumber(m_prompt(QStringLiteral("Select Horizontal Size to Zoom to:"),
                                            QStringLiteral("Horizontal Zoom"), QStringLiteral("704")));
    if (width < 1)
        return;
    const int height = promptNumber(m_prompt(QStringLiteral("Select Vertical Size to Zoom to:"),
                                             QStringLiteral("Vertical Zoom"), QStringLiteral("480")));
    if (height < 1)
        return;
    m_session.zoomToCustomSize(width, height);
}

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
