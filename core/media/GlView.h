#pragma once

#include "core/media/MpvSurface.h"

#include <QOpenGLTextureBlitter>
#include <QOpenGLWidget>

#include <atomic>
#include <memory>

class QOffscreenSurface;
class QOpenGLContext;
class QOpenGLFramebufferObject;
struct mpv_render_context;

namespace qr {

// The engine renders with OpenGL in a context of its own, on an offscreen
// surface, into a texture that this widget draws. The context exists before
// the widget is ever shown, so a hidden video window still opens and plays
// files; the widget's own context (which Qt makes only once it is shown)
// merely shows the texture.
class GlView : public QOpenGLWidget, public MpvSurface {
    Q_OBJECT
public:
    static GlView *create(mpv_handle *mpv, QWidget *parent);
    ~GlView() override;

    RenderPath path() const override { return RenderPath::OpenGL; }
    QWidget *widget() override { return this; }
    void setPictureSize(QSize) override {}
    QPointF toEngine(QPointF pos) const override;

protected:
    void initializeGL() override;
    void paintGL() override;
    void resizeGL(int w, int h) override;

private:
    GlView(std::unique_ptr<QOpenGLContext> context, std::unique_ptr<QOffscreenSurface> surface,
           mpv_render_context *render, QWidget *parent);
    static void onUpdate(void *self);
    void takeFrame();
    void render(bool skip);
    QSize targetSize() const;

    std::unique_ptr<QOpenGLContext> m_context;
    std::unique_ptr<QOffscreenSurface> m_surface;
    std::unique_ptr<QOpenGLFramebufferObject> m_fbo;
    mpv_render_context *m_render;
    QOpenGLTextureBlitter m_blitter;
    std::atomic_bool m_updatePosted{false};
    bool m_stale = true;
};

} // namespace qr
