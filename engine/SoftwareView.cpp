#include "engine/SoftwareView.h"

#include "engine/MpvLibrary.h"
#include "engine/MpvNames.h"

#include <QBackingStore>
#include <QGuiApplication>
#include <QPaintEngine>
#include <QPaintEvent>
#include <QPainter>
#include <QWindow>

namespace qr {

namespace {
constexpr int RowAlign = 64; // what the renderer's SIMD paths want
} // namespace

SoftwareView *SoftwareView::create(const MpvLibrary &lib, mpv_handle *mpv, QWidget *parent)
{
    mpv_render_param params[] = {
        {MPV_RENDER_PARAM_API_TYPE, const_cast<char *>(MPV_RENDER_API_TYPE_SW)},
        {MPV_RENDER_PARAM_INVALID, nullptr},
    };
    mpv_render_context *context = nullptr;
    if (lib.renderContextCreate(&context, mpv, params) < 0)
        return nullptr;
    // The picture is rendered into its own rectangle, computed here with
    // the right aspect, so the engine need not add (black) bars of its own.
    int keepAspect = 0;
    lib.setProperty(mpv, mpv::PropKeepAspect, MPV_FORMAT_FLAG, &keepAspect);
    return new SoftwareView(lib, context, parent);
}

SoftwareView::SoftwareView(const MpvLibrary &lib, mpv_render_context *context, QWidget *parent)
    : QWidget(parent), m_lib(lib), m_context(context)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    m_lib.renderContextSetUpdateCallback(m_context, &SoftwareView::onUpdate, this);
}

SoftwareView::~SoftwareView()
{
    m_lib.renderContextSetUpdateCallback(m_context, nullptr, nullptr);
    m_lib.renderContextFree(m_context);
}

// On the engine's thread: only post.
void SoftwareView::onUpdate(void *self)
{
    auto *view = static_cast<SoftwareView *>(self);
    if (!view->m_updatePosted.exchange(true))
        QMetaObject::invokeMethod(view, &SoftwareView::takeFrame, Qt::QueuedConnection);
}

// Whether a repaint asked for now will happen (and take the frame).
bool SoftwareView::canShow() const
{
    const QWindow *window = this->window()->windowHandle();
    return isVisible() && window && window->isExposed() && !m_picture.isEmpty() && !pictureRect().isEmpty();
}

void SoftwareView::takeFrame()
{
    m_updatePosted = false;
    if (!(m_lib.renderContextUpdate(m_context) & MPV_RENDER_UPDATE_FRAME))
        return;
    m_newFrame = true;
    if (canShow()) {
        // Only the picture: the bars beside it and the skin over the view's
        // corners stay as they are. Painted now, not from a later event.
        repaint(logicalRect(pictureRect()));
        return;
    }
    // Nobody can see it: let the engine count the frame as shown without
    // drawing it, so that playback goes on.
    skipFrame();
}

void SoftwareView::skipFrame()
{
    int skip = 1;
    mpv_render_param params[] = {
        {MPV_RENDER_PARAM_SKIP_RENDERING, &skip},
        {MPV_RENDER_PARAM_INVALID, nullptr},
    };
    m_lib.renderContextRender(m_context, params);
    m_imageCurrent = false; // the picture to show is that skipped frame
}

void SoftwareView::dropFrame()
{
    if (m_lib.renderContextUpdate(m_context) & MPV_RENDER_UPDATE_FRAME)
        skipFrame();
}

// Renders the engine's newest frame (or the last one again) into pixels
// laid out as QImage::Format_ARGB32, or Format_RGB32 (fourth byte left 0)
// when `opaque`.
bool SoftwareView::render(uchar *pixels, qsizetype stride, QSize size, bool opaque)
{
    int dimensions[2] = {size.width(), size.height()};
    size_t bytesPerLine = size_t(stride);
    int block = 0; // the GUI thread never waits for a frame's display time
    mpv_render_param params[] = {
        {MPV_RENDER_PARAM_SW_SIZE, dimensions},
        {MPV_RENDER_PARAM_SW_FORMAT, const_cast<char *>(opaque ? mpv::SwFormatBgr0 : mpv::SwFormatBgra)},
        {MPV_RENDER_PARAM_SW_STRIDE, &bytesPerLine},
        {MPV_RENDER_PARAM_SW_POINTER, pixels},
        {MPV_RENDER_PARAM_BLOCK_FOR_TARGET_TIME, &block},
        {MPV_RENDER_PARAM_INVALID, nullptr},
    };
    m_newFrame = false;
    return m_lib.renderContextRender(m_context, params) >= 0;
}

// The common case, a new frame repainting the whole picture: rendered in
// place in the window's backing store, saving a copy of every frame.
bool SoftwareView::renderDirect(QPainter &painter, const QRegion &region, const QRect &rect,
                                const QRect &logical)
{
    QBackingStore *store = backingStore();
    QPaintDevice *device = store ? store->paintDevice() : nullptr;
    if (!device || device->devType() != QInternal::Image || painter.paintEngine()->paintDevice() != device)
        return false;
    auto *image = static_cast<QImage *>(device);
    if (image->format() != QImage::Format_RGB32 && image->format() != QImage::Format_ARGB32_Premultiplied &&
        image->format() != QImage::Format_ARGB32)
        return false;
    if (!(QRegion(logical) - region).isEmpty())
        return false; // a partial repaint must not draw beyond its region
    const QPointF offset = QPointF(mapTo(window(), QPoint(0, 0))) * devicePixelRatioF();
    const QRect target(offset.toPoint() + rect.topLeft(), rect.size());
    if (!image->rect().contains(target))
        return false;
    uchar *origin = image->bits() + target.y() * image->bytesPerLine() + target.x() * 4;
    return render(origin, image->bytesPerLine(), target.size(),
                  image->format() == QImage::Format_RGB32 || windowIgnoresAlpha());
}

// Qt keeps an X11 window's store premultiplied even when the window's visual
// has no alpha and the server never reads the fourth byte. There the engine
// may leave that byte out, which spares it a pass over every pixel.
bool SoftwareView::windowIgnoresAlpha() const
{
    static const bool onX11 = QGuiApplication::platformName() == QLatin1String("xcb");
    const QWindow *handle = window()->windowHandle();
    return onX11 && handle && !handle->format().hasAlpha();
}

void SoftwareView::renderOwn(const QRect &rect)
{
    if (rect.size() != m_image.size()) {
        const qsizetype stride = (qsizetype(rect.width()) * 4 + RowAlign - 1) / RowAlign * RowAlign;
        m_buffer.reset(static_cast<uchar *>(std::aligned_alloc(RowAlign, size_t(stride) * rect.height())));
        m_image = m_buffer ? QImage(m_buffer.get(), rect.width(), rect.height(), stride,
                                    QImage::Format_ARGB32_Premultiplied)
                           : QImage();
    }
    m_image.setDevicePixelRatio(devicePixelRatioF());
    m_imageCurrent = !m_image.isNull() && render(m_image.bits(), m_image.bytesPerLine(), rect.size(), false);
}

void SoftwareView::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    const QRect rect = pictureRect();
    if (m_picture.isEmpty() || rect.isEmpty()) { // nothing to show (yet), or sound only
        painter.fillRect(event->rect(), palette().color(QPalette::Window));
        return;
    }
    const QRect target = logicalRect(rect);
    for (const QRect &bar : event->region() - target)
        painter.fillRect(bar, palette().color(QPalette::Window));
    if (rect != m_shownRect)
        m_imageCurrent = false;
    m_shownRect = rect;
    if (m_newFrame && renderDirect(painter, event->region(), rect, target)) {
        // The own image is stale now and would be rendered afresh anyway:
        // its memory (a whole picture's) goes back until it is wanted.
        m_imageCurrent = false;
        m_image = QImage();
        m_buffer.reset();
        return;
    }
    if (!m_imageCurrent || m_newFrame)
        renderOwn(rect);
    if (m_imageCurrent) {
        painter.setCompositionMode(QPainter::CompositionMode_Source); // opaque: a copy, no blending
        painter.drawImage(QPointF(rect.topLeft()) / devicePixelRatioF(), m_image);
    }
}

void SoftwareView::setPictureSize(QSize size)
{
    if (size == m_picture)
        return;
    m_picture = size;
    m_imageCurrent = false;
    // A new file's first picture came before its size: it is shown now,
    // not from a later event.
    if (canShow())
        repaint();
    else
        update();
}

QRect SoftwareView::logicalRect(const QRect &deviceRect) const
{
    const qreal ratio = devicePixelRatioF();
    return QRectF(QPointF(deviceRect.topLeft()) / ratio, QSizeF(deviceRect.size()) / ratio).toAlignedRect();
}

QRect SoftwareView::pictureRect() const
{
    const qreal ratio = devicePixelRatioF();
    const QSize area(qRound(width() * ratio), qRound(height() * ratio));
    if (m_picture.isEmpty() || area.isEmpty())
        return QRect(QPoint(0, 0), area);
    const QSize fitted = m_picture.scaled(area, Qt::KeepAspectRatio);
    return QRect(QPoint((area.width() - fitted.width()) / 2, (area.height() - fitted.height()) / 2), fitted);
}

} // namespace qr
