#pragma once

#include "core/media/MpvSurface.h"

#include <QImage>
#include <QWidget>

#include <atomic>
#include <cstdlib>
#include <memory>

struct mpv_render_context;

namespace qr {

// The engine's software renderer drawing into an image that this widget
// paints: on a machine whose OpenGL is a software rasteriser it costs a
// fraction of rendering through that rasteriser. The picture is rendered at
// its letterboxed rectangle only; the bars are painted in the background
// colour.
class SoftwareView : public QWidget, public MpvSurface {
    Q_OBJECT
public:
    static SoftwareView *create(mpv_handle *mpv, QWidget *parent);
    ~SoftwareView() override;

    RenderPath path() const override { return RenderPath::Software; }
    QWidget *widget() override { return this; }
    void setPictureSize(QSize size) override;
    QPointF toEngine(QPointF pos) const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    SoftwareView(mpv_render_context *context, QWidget *parent);
    static void onUpdate(void *self);
    void takeFrame();
    void render();
    QRect pictureRect() const; // device pixels

    struct FreeBuffer {
        void operator()(uchar *p) const { std::free(p); }
    };

    mpv_render_context *m_context;
    std::atomic_bool m_updatePosted{false};
    std::unique_ptr<uchar, FreeBuffer> m_buffer;
    QImage m_image;       // wraps m_buffer
    QRect m_imageRect;    // where m_image belongs, device pixels
    bool m_stale = true;  // frames were taken without drawing
    QSize m_picture;
};

} // namespace qr
