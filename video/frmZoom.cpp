#include "video/frmZoom.h"

#include "core/Player.h"
#include "core/media/MediaControl.h"
#include "desktop/Twips.h"
#include "desktop/windowpos.h"
#include "panel/SkinWidgets.h"
#include "panel/remote.h"
#include "video/sizing.h"
#include "video/video.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGuiApplication>
#include <QInputDialog>
#include <QLabel>
#include <QScreen>
#include <cmath>

namespace qr {

namespace {
QFont arial()
{
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(8.25);
    return font;
}

// The answer of a size prompt as a whole number; 0 for a cancel or no number.
int promptNumber(const QString &answer)
{
    bool ok = false;
    const double value = answer.trimmed().toDouble(&ok);
    return ok && std::isfinite(value) && std::fabs(value) < 1e6 ? static_cast<int>(std::nearbyint(value)) : 0;
}

QRect screenRect()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry() : QRect(0, 0, 1024, 768);
}
} // namespace

frmZoom::frmZoom(Player &player) : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint), p(player)
{
    setWindowTitle(QStringLiteral("Quilvane Zoom options"));
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(31, 27, 37));
    setPalette(pal);
    setAutoFillBackground(true);
    const int panelHeight = p.panel().height();
    setFixedSize(PixelsX(1305), panelHeight);

    zoom = new QWidget(this);
    zoom->setGeometry(0, 0, PixelsX(1335), PixelsY(2055));
    zbgTOP = new SkinPicture(QStringLiteral("zbgTOP"), zoom);
    PlaceTwips(zbgTOP, 0, 0, 1350, 255);
    zbgMID = new SkinPicture(QStringLiteral("zbgMID"), zoom);
    PlaceTwips(zbgMID, 0, 240, 1350, 1485);
    zbgBOT = new SkinPicture(QStringLiteral("zbgBOT"), zoom);
    PlaceTwips(zbgBOT, 0, 1680, 1350, 135);
    // The middle piece stretches so the strip is exactly as high as the panel.
    zbgMID->resize(zbgMID->width(), panelHeight - (zbgTOP->height() + zbgBOT->height()));
    zbgBOT->move(zbgBOT->x(), zbgMID->y() + zbgMID->height());

    Label1 = new QLabel(QStringLiteral("Select zoom"), zoom);
    PlaceTwips(Label1, 240, 600, 1005, 255);
    Label1->setFont(arial());
    QPalette text = Label1->palette();
    text.setColor(QPalette::WindowText, QColor(0, 0, 128));
    Label1->setPalette(text);

    cboZoomOpt = new QComboBox(zoom);
    PlaceTwips(cboZoomOpt, 200, 1050, 1030, 330);
    cboZoomOpt->setFont(arial());
    cboZoomOpt->installEventFilter(this);
    connect(cboZoomOpt, &QComboBox::activated, this, &frmZoom::cboZoomOpt_Click);

    m_prompt = [this](const QString &label, const QString &title, const QString &proposed) {
        bool ok = false;
        const QString answer = QInputDialog::getText(this, title, label, QLineEdit::Normal, proposed, &ok);
        return ok ? answer : QString();
    };
}

bool frmZoom::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == cboZoomOpt) {
        if (event->type() == QEvent::FocusIn)
            p.state.ZoomListFocused = true;
        else if (event->type() == QEvent::FocusOut)
            p.state.ZoomListFocused = false;
    }
    return QWidget::eventFilter(watched, event);
}

void frmZoom::closeEvent(QCloseEvent *event)
{
    p.panel().pbview_over->hide();
    p.panel().pbview->show();
    QWidget::closeEvent(event);
}

void frmZoom::resizeVid(double height, double width)
{
    video &win = p.videoWindow();
    if (height > 0 && width > 0) {
        const double subs = p.state.UseSubtitles ? 70 : 0;
        const double windowHeight = height + win.topEdgeHeight() + win.sizerSize() + subs;
        win.setSizeTwips(width, windowHeight);
        win.setVideoboxTwips(QRectF(15, win.topEdgeHeight(), width - 15 - 15,
                                    windowHeight - win.topEdgeHeight() - 15 + subs));
        const double screenHeight = TwipsY(screenRect().height());
        if (TwipsY(win.y()) + windowHeight > screenHeight)
            win.move(win.x(), PixelsY(screenHeight - windowHeight));
    }
    FitVideoToWindow(p, 0, 0);
}

void frmZoom::cboZoomOpt_Click()
{
    const QString sel = cboZoomOpt->currentText();
    const double tpx = TwipsPerPixelX();
    const double tpy = TwipsPerPixelY();
    const int wn = p.media.pictureWidth();
    const int hn = p.media.pictureHeight();
    const QString own = QString::number(wn) + QLatin1Char('x') + QString::number(hn);
    auto sized = [&](double w, double h, const QString &text) {
        resizeVid(tpy * h, std::nearbyint(tpx * w));
        p.state.VideoSizeText = text;
    };
    static const QStringList fixed{QStringLiteral("352x240"), QStringLiteral("352x288"), QStringLiteral("704x480"),
                                   QStringLiteral("704x576")};
    if (sel == QLatin1String("50%")) {
        sized(wn / 2.0, hn / 2.0, SizeNumber(wn / 2.0) + QLatin1Char('x') + SizeNumber(hn / 2.0));
    } else if (sel == QLatin1String("100%")) {
        sized(wn, hn, QString::number(wn) + QLatin1Char('x') + QString::number(hn));
    } else if (sel == QLatin1String("200%")) {
        sized(2.0 * wn, 2.0 * hn, QString::number(2 * wn) + QLatin1Char('x') + QString::number(2 * hn));
    } else if (sel == QLatin1String("full")) {
        p.media.setDisplaySize(FullScreen);
        p.media.setFullScreenControls(true);
        SetWindowOnTop(&p.videoWindow(), false, p.state.OnTopEnabled);
        SetWindowOnTop(&p.panel(), false, p.state.OnTopEnabled);
        const QRect screen = screenRect();
        p.state.VideoSizeText = SizeNumber(screen.width()) + QLatin1Char('x') + SizeNumber(screen.height());
    } else if (fixed.contains(sel)) {
        sized(sel.section(QLatin1Char('x'), 0, 0).toInt(), sel.section(QLatin1Char('x'), 1, 1).toInt(), sel);
    } else if (sel == own && !p.media.fileName().isEmpty()) {
        sized(wn, hn, sel);
    } else if (sel == QLatin1String("Custom...")) {
        return customSize();
    }
    ShowMediaInfo(p);
}

void frmZoom::customSize()
{
    const int hw = promptNumber(
        m_prompt(QStringLiteral("Select Horizontal Size to Zoom to:"), QStringLiteral("Horizontal Zoom"), QStringLiteral("704")));
    if (hw < 1)
        return;
    const int vh = promptNumber(
        m_prompt(QStringLiteral("Select Vertical Size to Zoom to:"), QStringLiteral("Vertical Zoom"), QStringLiteral("480")));
    if (vh < 1)
        return;
    const QRect screen = screenRect();
    if (screen.width() < hw || screen.height() < vh)
        return;
    resizeVid(vh * TwipsPerPixelY(), hw * TwipsPerPixelX());
    p.state.VideoSizeText = QString::number(hw) + QLatin1Char('x') + QString::number(vh);
    ShowMediaInfo(p);
}

} // namespace qr
