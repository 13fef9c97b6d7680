#pragma once

#include <QByteArray>
#include <QSize>

class QWidget;
struct mpv_handle;

namespace qr {

struct MpvLibrary;

// A widget the engine draws into through its render API. Both kinds keep
// taking the engine's frames while hidden, so playback never waits on them.
enum class RenderPath { OpenGL, Software };

class MpvSurface {
public:
    virtual ~MpvSurface() = default;
    virtual RenderPath path() const = 0;
    virtual QWidget *widget() = 0;
    // The picture's display size; the software surface letterboxes by it.
    virtual void setPictureSize(QSize size) = 0;
    // Takes the frame the engine is waiting to have shown, if any, at once and
    // without drawing it: while the engine lets go of its video output, which
    // would otherwise wait for each frame in turn.
    virtual void dropFrame() = 0;
};

// Before the QApplication exists: where the software path is certain
// (forced, or no GPU device to render with) the toolkit is told to leave
// OpenGL alone, which spares the player loading a software rasteriser.
void prepareRenderPath();

// The path to render with: QUILVANE_RYN_RENDER=gl|sw decides when set;
// otherwise OpenGL only where its driver is a hardware one.
RenderPath chooseRenderPath();

// The engine's hardware decoding on a path: QUILVANE_RYN_HWDEC when set (its
// value as the engine takes it: no, auto-safe, vaapi-copy...); otherwise
// safe hardware decoding where OpenGL shows the picture (it falls back to
// software by itself where no device works), and software decoding on the
// software path, which is chosen where no GPU renders.
QByteArray hardwareDecoding(RenderPath path);

// Creates the surface of that path as a child of parent, or nullptr when the
// engine's render context cannot be made on it.
MpvSurface *createSurface(RenderPath path, const MpvLibrary &lib, mpv_handle *mpv, QWidget *parent);

} // namespace qr
