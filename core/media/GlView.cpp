#include "core/media/GlView.h"

#include "core/media/MpvNames.h"

#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFramebufferObject>
#include <QOpenGLFunctions>
#include <QWindow>
#include <mpv/render_gl.h>

namespace qr {

namespace {
void *procAddress(void *context, const char *name)
{
    return reinterpret_cast<void *>(static_cast<QOpenGLContext *>(context)->getProcAddress(name));
}
} // namespace

GlView *GlView::create(mpv_handle *mpv, QWidget *parent)
{
    auto context = std::make_unique<QOpenGLContext>();
    context->setShareContext(QOpenGLContext::globalShareContext());
    if (!context->create())
        return nullptr;
    auto surface = std::make_unique<QOffscreenSurface>();
    surface->setFormat(context->format());
    surface->create();
    if (!context->makeCurrent(surface.get()))
        return nullptr;
    mpv_opengl_init_params init{&procAddress, context.get()};
    mpv_render_param params[] = {
        {MPV_RENDER_PARAM_API_TYPE, const_cast<char *>(MPV_RENDER_API_TYPE_OPENGL)},
        {MPV_RENDER_PARAM_OPENGL_INIT_PARAMS, &init},
        {MPV_RENDER_PARAM_INVALID, nullptr},
    };
    mpv_render_context *render = nullptr;
    const int made = mpv_render_context_create(&render, mpv, params);
    context->doneCurrent();
    if (made < 0)
        return nullptr;
    return new GlView(std::move(context), std::move(surface), render, parent);
}

GlView::GlView(std::unique_ptr<QOpenGLContext> context, std::unique_ptr<QOffscreenSurface> surface,
               mpv_render_context *render, QWidget *parent)
    : QOpenGLWidget(parent), m_context(std::move(context)), m_surface(std::move(surface)), m_render(render)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    mpv_render_context_set_update_callback(m_render, &GlView::onUpdate, this);
}

GlView::~GlView()
{
    m_context->makeCurrent(m_surface.get());
    mpv_render_context_set_update_callback(m_render, nullptr, nullptr);
    mpv_render_context_free(m_render);
    m_fbo.reset();
    m_context->doneCurrent();
    if (m_blitter.isCreated()) {
        makeCurrent();
        m_blitter.destroy();
        doneCurrent();
    }
}

// On the engine's thread: only post.
void GlView::onUpdate(void *self)
{
    auto *view = static_cast<GlView *>(self);
    if (!view->m_updatePosted.exchange(true))
        QMetaObject::invokeMethod(view, &GlView::takeFrame, Qt::QueuedConnection);
}

void GlView::takeFrame()
{
    m_updatePosted = false;
    if (!(mpv_render_context_update(m_render) & MPV_RENDER_UPDATE_FRAME))
        return;
    const QWindow *window = this->window()->windowHandle();
    const bool shown = isVisible() && window && window->isExposed() && !targetSize().isEmpty();
    render(!shown);
    if (shown)
        update();
}

QSize GlView::targetSize() const
{
    const qreal ratio = devicePixelRatioF();
    return QSize(qRound(width() * ratio), qRound(height() * ratio));
}

// Renders the engine's current frame into the texture, or only lets the
// engine count it as shown (skip) while nobody can see it.
void GlView::render(bool skip)
{
    QOpenGLContext *previous = QOpenGLContext::currentContext();
    QSurface *previousSurface = previous ? previous->surface() : nullptr;
    m_context->makeCurrent(m_surface.get());
    int block = 0; // the GUI thread never waits for a frame's display time
    if (skip) {
        int yes = 1;
        mpv_render_param params[] = {
            {MPV_RENDER_PARAM_SKIP_RENDERING, &yes},
            {MPV_RENDER_PARAM_BLOCK_FOR_TARGET_TIME, &block},
            {MPV_RENDER_PARAM_INVALID, nullptr},
        };
        mpv_render_context_render(m_render, params);
        m_stale = true;
    } else {
        const QSize size = targetSize();
        if (!m_fbo || m_fbo->size() != size)
            m_fbo = std::make_unique<QOpenGLFramebufferObject>(size);
        mpv_opengl_fbo fbo{static_cast<int>(m_fbo->handle()), size.width(), size.height(), 0};
        int flip = 0;
        mpv_render_param params[] = {
            {MPV_RENDER_PARAM_OPENGL_FBO, &fbo},
            {MPV_RENDER_PARAM_FLIP_Y, &flip},
            {MPV_RENDER_PARAM_BLOCK_FOR_TARGET_TIME, &block},
            {MPV_RENDER_PARAM_INVALID, nullptr},
        };
        mpv_render_context_render(m_render, params);
        // The widget's context reads the texture next; make the writes land.
        m_context->functions()->glFlush();
        m_stale = false;
    }
    m_context->doneCurrent();
    if (previous)
        previous->makeCurrent(previousSurface);
}

void GlView::initializeGL()
{
    m_blitter.create();
}

void GlView::resizeGL(int, int)
{
    m_stale = true;
}

void GlView::paintGL()
{
    if (m_stale || !m_fbo || m_fbo->size() != targetSize()) {
        render(false);
        makeCurrent(); // back to this widget's framebuffer
    }
    if (!m_fbo) {
        auto *gl = context()->functions();
        gl->glClearColor(31 / 255.f, 27 / 255.f, 37 / 255.f, 1.f);
        gl->glClear(GL_COLOR_BUFFER_BIT);
        return;
    }
    m_blitter.bind();
    m_blitter.blit(m_fbo->texture(), QMatrix4x4(), QOpenGLTextureBlitter::OriginTopLeft);
    m_blitter.release();
}

QPointF GlView::toEngine(QPointF pos) const
{
    return pos * devicePixelRatioF();
}

} // namespace qr
