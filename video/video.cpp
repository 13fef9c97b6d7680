#include "video/video.h"

#include "core/Player.h"
#include "core/errortrap.h"
#include "core/media/MediaControl.h"
#include "core/playbackcontrols.h"
#include "desktop/KeyCodes.h"
#include "desktop/Twips.h"
#include "desktop/windowpos.h"
#include "panel/SkinWidgets.h"
#include "panel/clock.h"
#include "panel/remote.h"
#include "panel/seekbar/simpleProgress.h"
#include "skins/Skin.h"
#include "video/sizing.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>

namespace qr {

const QColor VideoBackground(31, 27, 37);

video::video(Player &player) : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint), p(player)
{
    setWindowTitle(QStringLiteral("Quilvane "));
    setAttribute(Qt::WA_OpaquePaintEvent);

    subsfile = new QLabel(this);
    subsfile->setGeometry(PixelsX(4020), PixelsY(2340), PixelsX(1230), PixelsY(345));
    subsfile->hide();

    videobox = p.media.view();
    videobox->setParent(this);
    const double widths[3] = {2115, 1650, 1830};
    const char *names[3] = {"topedge0", "topedge1", "topedge2"};
    for (int i = 0; i < 3; ++i) {
        topedge[i] = new SkinPicture(QString::fromLatin1(names[i]), this);
        topedge[i]->resize(PixelsX(widths[i]), PixelsY(105));
        connect(topedge[i], &SkinPicture::MouseDown, this, [this](int button) {
            if (button == 1)
                DragWindow(this);
        });
    }
    // The middle piece reaches under the right one.
    topedge[2]->raise();
    sizer = new SkinPicture(QStringLiteral("sizer"), this);
    sizer->resize(PixelsX(195), PixelsY(195));
    sizer->setCursor(SizerCursor(devicePixelRatioF()));
    connect(sizer, &SkinPicture::MouseDown, this, &video::sizer_MouseDown);
    connect(sizer, &SkinPicture::MouseMove, this, [this](int button, int, double x, double y) { sizer_MouseMove(button, x, y); });
    connect(sizer, &SkinPicture::MouseUp, this, [this](int button) { sizer_MouseUp(button); });


}

void video::Form_Load()
{
    resize(PixelsX(TwipsX(720)), PixelsY(TwipsY(480)));
    FitVideoToWindow(p, 0, 0);
    videobox->setVisible(false);
    layoutSkin();
}

double video::widthTwips() const { return TwipsX(width()); }
double video::heightTwips() const { return TwipsY(height()); }

void video::setSizeTwips(double width, double height) { resize(PixelsX(width), PixelsY(height)); }

void video::setVideoboxTwips(const QRectF &box)
{
    m_box = box;
    videobox->setGeometry(PixelsX(box.left()), PixelsY(box.top()), PixelsX(box.width()), PixelsY(box.height()));
}

void video::layoutSkin()
{
    const int w = width();
    topedge[0]->move(0, 0);
    topedge[1]->setGeometry(topedge[0]->width(), 0, w, topedge[1]->height());
    topedge[2]->move(w - topedge[2]->width(), 0);
    sizer->move(w - sizer->width(), height() - sizer->height());
    sizer->raise();
}

void video::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    layoutSkin();
}

void video::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), VideoBackground);
}

void video::keyPressEvent(QKeyEvent *event)
{
    const int code = VirtualKeyCode(event);
    if (code == 0)
        return QWidget::keyPressEvent(event);
    p.panel().Form_KeyDown(code, KeyShiftState(event));
}

void video::mousePressEvent(QMouseEvent *) { DragWindow(this); }

void video::closeEvent(QCloseEvent *event)
{
    try {
        p.media.stop();
    } catch (const MediaError &) {
        // Nothing loaded to stop.
    }
    QWidget::closeEvent(event);
}

void video::StreamOpened()
{
    remote &panel = p.panel();
    panel.progress->setMax(WholeSeconds(p.media.duration()));
    panel.time->setText(QStringLiteral("00:00:00/00:00:00"));
    panel.progress->setValue(0);
    const double width = std::nearbyint(TwipsX(p.media.pictureWidth()));
    const double height = std::nearbyint(TwipsY(p.media.pictureHeight()) + (p.state.UseSubtitles ? 30 : 0));
    p.state.VideoSizeText.clear();
    FitVideoToWindow(p, width, height);
    setSizeTwips(m_box.left() + m_box.width() + 15, m_box.top() + m_box.height() + 15);
    FillZoomList(p);
    ShowMediaInfo(p);
    // Sound-only media has no picture to show.
    videobox->setVisible(p.media.pictureWidth() > 0 && p.media.pictureHeight() > 0);
}

void video::EndOfMedia() { EndOfMediaRule(p); }

void video::PictureMouseDown(int button, int, double, double)
{
    if (button == 1)
        DragWindow(this);
}

void video::DurationChange() { p.panel().progress->setMax(WholeSeconds(p.media.duration())); }

void video::DisplayModeChange()
{
    AlwaysOnTop(this, false);
    AlwaysOnTop(&p.panel(), false);
    p.media.setFullScreenControls(true);
}

void video::StreamClosed() { videobox->setVisible(false); }

void video::EngineError(int code, const QString &description)
{
    const QString path = p.state.CurrentMediaFile;
    ReportError(p, QStringLiteral("An error occured while attempting to play file \"") + path + QStringLiteral("\"."),
                code, description);
}

void video::sizer_MouseDown() { GripPressed = true; }

void video::sizer_MouseMove(int button, double x, double y)
{
    if (button != 1 || !GripPressed)
        return;
    const float W = static_cast<float>(widthTwips());
    const float H = static_cast<float>(heightTwips());
    const float a = W - static_cast<float>(sizerSize()) + static_cast<float>(x);
    const float b = H - static_cast<float>(topEdgeHeight() + sizerSize()) + static_cast<float>(y);
    if (a > 0 && b > 0)
        setSizeTwips(W + x, H + y);
}

void video::sizer_MouseUp(int button)
{
    if (button == 1 && GripPressed)
        FitVideoToWindow(p, 0, 0);
}

} // namespace qr
