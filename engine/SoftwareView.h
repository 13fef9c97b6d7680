#pragma once

#include "engine/MpvSurface.h"

#include <QImage>
#include <QWidget>

#include <atomic>
#include <cstdlib>
#include <memory>

struct mpv_render_context;

namespace qr {

// The engine's software renderer, for machines whose OpenGL is a software
// rasteriser: it costs a fraction of rendering through that rasteriser. The
// picture is rendered at its letterboxed rectangle straight into the
// window's backing store when this widget is repainted whole (each new
// frame); other paints (partial exposes, grabs) go through an image of its
// own. The bars are painted in the background colour.
class SoftwareView : public QWidget, public MpvSurface {
    Q_OBJECT
public:
    static SoftwareView *create(const MpvLibrary &lib, mpv_handle *mpv, QWidget *parent);
    ~SoftwareView() override;

    RenderPath path() const override { return RenderPath::Software; }
    QWidget *widget() override { return this; }
    void setPictureSize(QSize size) override;
    void dropFrame() override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    SoftwareView(const MpvLibrary &lib, mpv_render_context *context, QWidget *parent);
    static void onUpdate(void *self);
    void takeFrame();
    void skipFrame();
    bool canShow() const;
    bool render(uchar *pixels, qsizetype stride, QSize size, bool opaque);
    bool renderDirect(QPainter &painter, const QRegion &region, const QRect &rect, const QRect &logical);
    void renderOwn(const QRect &rect);
    bool windowIgnoresAlpha() const;
    QRect pictureRect() const; // device pixels, in this widget
    QRect logicalRect(const QRect &deviceRect) const;

    struct FreeBuffer {
        void operator()(uchar *p) const { std::free(p); }
    };

    const MpvLibrary &m_lib;
    mpv_render_context *m_context;
    std::atomic_bool m_updatePosted{false};
    QSize m_picture;
    bool m_newFrame = false; // a frame the engine handed over is not drawn yet
    std::unique_ptr<uchar, FreeBuffer> m_buffer;
    QImage m_image; // wraps m_buffer
    bool m_imageCurrent = false;
    QRect m_shownRect; // where the picture was last rendered, device pixels
};

} // namespace qr
