#include "core/media/SoftwareView.h"

#include "core/media/MpvNames.h"

#include <QPainter>
#include <QPaintEvent>
#include <mpv/render.h>

#include <cmath>

namespace qr {

namespace {
const QColor Background(31, 27, 37);
constexpr int RowAlign = 64; // what the renderer's SIMD paths want
} // namespace

SoftwareView *SoftwareView::create(mpv_handle *mpv, QWidget *parent)
{
    mpv_render_param params[] = {
        {MPV_RENDER_PARAM_API_TYPE, const_cast<char *>(MPV_RENDER_API_TYPE_SW)},
        {MPV_RENDER_PARAM_INVALID, nullptr},
    };
    mpv_render_context *context = nullptr;
    if (mpv_render_context_create(&context, mpv, params) < 0)
        return nullptr;
    // The picture is rendered into its own rectangle, computed here with
    // the right aspect, so the engine need not add (black) bars of its own.
    int keepAspect = 0;
    mpv_set_property(mpv, mpv::PropKeepAspect, MPV_FORMAT_FLAG, &keepAspect);
    return new SoftwareView(context, parent);
}

SoftwareView::SoftwareView(mpv_render_context *context, QWidget *parent) : QWidget(parent), m_context(context)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    mpv_render_context_set_update_callback(m_context, &SoftwareView::onUpdate, this);
}

SoftwareView::~SoftwareView()
{
    mpv_render_context_set_update_callback(m_context, nullptr, nullptr);
    mpv_render_context_free(m_context);
}

// On the engine's thread: only post.
void SoftwareView::onUpdate(void *self)
{
    auto *view = static_cast<SoftwareView *>(self);
    if (!view->m_updatePosted.exchange(true))
        QMetaObject::invokeMethod(view, &SoftwareView::takeFrame, Qt::QueuedConnection);
}

void SoftwareView::takeFrame()
{
    m_updatePosted = false;
    if (!(mpv_render_context_update(m_context) & MPV_RENDER_UPDATE_FRAME))
        return;
    if (isVisible() && !m_picture.isEmpty() && !pictureRect().isEmpty()) {
        render();
        update();
        return;
    }
    // Hidden: let the engine count the frame as shown without drawing it.
    int skip = 1;
    mpv_render_param params[] = {
        {MPV_RENDER_PARAM_SKIP_RENDERING, &skip},
        {MPV_RENDER_PARAM_INVALID, nullptr},
    };
    mpv_render_context_render(m_context, params);
    m_stale = true;
}

void SoftwareView::render()
{
    const QRect rect = pictureRect();
    if (rect.size() != m_image.size()) {
        const qsizetype stride = (qsizetype(rect.width()) * 4 + RowAlign - 1) / RowAlign * RowAlign;
        m_buffer.reset(static_cast<uchar *>(std::aligned_alloc(RowAlign, size_t(stride) * rect.height())));
        if (!m_buffer) {
            m_image = QImage();
            return;
        }
        m_image = QImage(m_buffer.get(), rect.width(), rect.height(), stride, QImage::Format_ARGB32_Premultiplied);
    }
    m_image.setDevicePixelRatio(devicePixelRatioF());
    m_imageRect = rect;
    int size[2] = {rect.width(), rect.height()};
    size_t stride = size_t(m_image.bytesPerLine());
    int block = 0; // the GUI thread never waits for a frame's display time
    mpv_render_param params[] = {
        {MPV_RENDER_PARAM_SW_SIZE, size},
        {MPV_RENDER_PARAM_SW_FORMAT, const_cast<char *>(mpv::SwFormatBgra)},
        {MPV_RENDER_PARAM_SW_STRIDE, &stride},
        {MPV_RENDER_PARAM_SW_POINTER, m_buffer.get()},
        {MPV_RENDER_PARAM_BLOCK_FOR_TARGET_TIME, &block},
        {MPV_RENDER_PARAM_INVALID, nullptr},
    };
    mpv_render_context_render(m_context, params);
    m_stale = false;
}

void SoftwareView::setPictureSize(QSize size)
{
    if (size == m_picture)
        return;
    m_picture = size;
    m_stale = true;
    update();
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

QPointF SoftwareView::toEngine(QPointF pos) const
{
    return pos * devicePixelRatioF() - QPointF(m_imageRect.topLeft());
}

void SoftwareView::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    if (m_picture.isEmpty()) { // nothing to show (yet), or sound only
        painter.fillRect(event->rect(), Background);
        return;
    }
    if (m_stale || pictureRect() != m_imageRect)
        render();
    const qreal ratio = devicePixelRatioF();
    const QRectF target(QPointF(m_imageRect.topLeft()) / ratio, QSizeF(m_imageRect.size()) / ratio);
    for (const QRect &bar : QRegion(event->rect()) - target.toAlignedRect())
        painter.fillRect(bar, Background);
    if (!m_image.isNull()) {
        painter.setCompositionMode(QPainter::CompositionMode_Source); // opaque: a copy, no blending
        painter.drawImage(target.topLeft(), m_image);
    }
}

} // namespace qr
