#include "engine/GlView.h"

#include "engine/MpvLibrary.h"

#include <QGuiApplication>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QWidget>
#include <mpv/render_gl.h>

namespace qr {

namespace {
void *procAddress(void *context, const char *name)
{
    return reinterpret_cast<void *>(static_cast<QOpenGLContext *>(context)->getProcAddress(name));
}
} // namespace

GlView *GlView::create(const MpvLibrary &lib, mpv_handle *mpv, QWidget *parent)
{
    auto context = std::make_unique<QOpenGLContext>();
    if (!context->create())
        return nullptr;
    auto surface = std::make_unique<QOffscreenSurface>();
    surface->setFormat(context->format());
    surface->create();
    if (!context->makeCurrent(surface.get()))
        return nullptr;
    mpv_opengl_init_params init{&procAddress, context.get()};
    // VA-API hands decoded frames to OpenGL without a copy only when the
    // engine has the X display to open VA-API on.
    const auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    mpv_render_param params[] = {
        {MPV_RENDER_PARAM_API_TYPE, const_cast<char *>(MPV_RENDER_API_TYPE_OPENGL)},
        {MPV_RENDER_PARAM_OPENGL_INIT_PARAMS, &init},
        {x11 ? MPV_RENDER_PARAM_X11_DISPLAY : MPV_RENDER_PARAM_INVALID, x11 ? x11->display() : nullptr},
        {MPV_RENDER_PARAM_INVALID, nullptr},
    };
    mpv_render_context *render = nullptr;
    const int made = lib.renderContextCreate(&render, mpv, params);
    context->doneCurrent();
    if (made < 0)
        return nullptr;
    auto *view = new GlView(lib, std::move(context), std::move(surface), render);
    view->m_container = QWidget::createWindowContainer(view, parent);
    view->m_container->setAttribute(Qt::WA_TransparentForMouseEvents);
    view->m_container->setFocusPolicy(Qt::NoFocus);
    return view;
}

GlView::GlView(const MpvLibrary &lib, std::unique_ptr<QOpenGLContext> context,
               std::unique_ptr<QOffscreenSurface> surface, mpv_render_context *render)
    : m_lib(lib), m_context(std::move(context)), m_surface(std::move(surface)), m_render(render)
{
    setSurfaceType(QSurface::OpenGLSurface);
    setFormat(m_context->format());
    setFlag(Qt::WindowTransparentForInput);
    m_lib.renderContextSetUpdateCallback(m_render, &GlView::onUpdate, this);
}

GlView::~GlView()
{
    m_context->makeCurrent(m_surface.get());
    m_lib.renderContextSetUpdateCallback(m_render, nullptr, nullptr);
    m_lib.renderContextFree(m_render);
    m_context->doneCurrent();
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
    if (m_lib.renderContextUpdate(m_render) & MPV_RENDER_UPDATE_FRAME)
        render(!isExposed());
}

void GlView::dropFrame()
{
    if (m_lib.renderContextUpdate(m_render) & MPV_RENDER_UPDATE_FRAME)
        render(true);
}

void GlView::exposeEvent(QExposeEvent *)
{
    if (isExposed())
        render(false); // the frame shown last, at the window's size now
}

// Renders the engine's frame into this window, or only lets the engine
// count it as shown (skip) while nobody can see it.
void GlView::render(bool skip)
{
    const QSize size(qRound(width() * devicePixelRatio()), qRound(height() * devicePixelRatio()));
    skip = skip || size.isEmpty();
    if (!m_context->makeCurrent(skip ? static_cast<QSurface *>(m_surface.get()) : this))
        return;
    int yes = 1;
    int block = 0; // the GUI thread never waits for a frame's display time
    mpv_opengl_fbo fbo{static_cast<int>(m_context->defaultFramebufferObject()), size.width(), size.height(),
                       0};
    mpv_render_param params[] = {
        {skip ? MPV_RENDER_PARAM_SKIP_RENDERING : MPV_RENDER_PARAM_OPENGL_FBO,
         skip ? &yes : static_cast<void *>(&fbo)},
        {MPV_RENDER_PARAM_FLIP_Y, &yes}, // a window's framebuffer starts at the bottom
        {MPV_RENDER_PARAM_BLOCK_FOR_TARGET_TIME, &block},
        {MPV_RENDER_PARAM_INVALID, nullptr},
    };
    m_lib.renderContextRender(m_render, params);
    if (!skip)
        m_context->swapBuffers(this);
    m_context->doneCurrent();
}

} // namespace qr
