#pragma once

#include "engine/MpvSurface.h"

#include <QWindow>

#include <atomic>
#include <memory>

class QOffscreenSurface;
class QOpenGLContext;
struct mpv_render_context;

namespace qr {

struct MpvLibrary;

// The engine renders with OpenGL straight into a native child window, as it
// does in a window of its own: no texture copies, and the video window's
// other widgets stay plain raster ones. The context lives on an offscreen
// surface too, so a hidden video window still opens and plays files (its
// frames are then taken without drawing). The window lets every mouse event
// through to the videobox beneath it.
class GlView : public QWindow, public MpvSurface {
    Q_OBJECT
public:
    static GlView *create(const MpvLibrary &lib, mpv_handle *mpv, QWidget *parent);
    ~GlView() override;

    RenderPath path() const override { return RenderPath::OpenGL; }
    QWidget *widget() override { return m_container; }
    void setPictureSize(QSize) override {}
    void dropFrame() override;

protected:
    void exposeEvent(QExposeEvent *event) override;

private:
    GlView(const MpvLibrary &lib, std::unique_ptr<QOpenGLContext> context,
           std::unique_ptr<QOffscreenSurface> surface, mpv_render_context *render);
    static void onUpdate(void *self);
    void takeFrame();
    void render(bool skip);

    const MpvLibrary &m_lib;
    std::unique_ptr<QOpenGLContext> m_context;
    std::unique_ptr<QOffscreenSurface> m_surface;
    mpv_render_context *m_render;
    QWidget *m_container = nullptr; // owns this window
    std::atomic_bool m_updatePosted{false};
};

} // namespace qr
