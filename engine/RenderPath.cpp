#include "engine/GlView.h"
#include "engine/MpvNames.h"
#include "engine/MpvSurface.h"
#include "engine/SoftwareView.h"

#include <QDir>
#include <QFileInfo>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFunctions>

namespace qr {

namespace {

// Without a GPU that can render the only OpenGL there can be is a software
// rasteriser; not probing then spares the player loading one at all. A GPU
// that renders has a render node; a display-only device (a virtual
// machine's screen, simpledrm) has only a card node.
bool hasGpuDevice()
{
    return !QDir(QStringLiteral("/dev/dri"))
                .entryList({QStringLiteral("renderD*")}, QDir::System)
                .isEmpty() ||
           QFileInfo::exists(QStringLiteral("/dev/nvidia0"));
}

QString openGlRenderer()
{
    QOpenGLContext context;
    if (!context.create())
        return {};
    QOffscreenSurface surface;
    surface.setFormat(context.format());
    surface.create();
    if (!context.makeCurrent(&surface))
        return {};
    const auto *name = context.functions()->glGetString(GL_RENDERER);
    QString renderer = name ? QString::fromLatin1(reinterpret_cast<const char *>(name)) : QString();
    context.doneCurrent();
    return renderer;
}

bool isSoftwareRasteriser(const QString &renderer)
{
    for (const char *name : {"llvmpipe", "softpipe", "swrast"})
        if (renderer.contains(QLatin1String(name), Qt::CaseInsensitive))
            return true;
    return false;
}

QByteArray forcedPath() { return qgetenv("QUILVANE_RYN_RENDER").trimmed().toLower(); }

} // namespace

void prepareRenderPath()
{
    if (qEnvironmentVariableIsSet("QT_XCB_GL_INTEGRATION"))
        return;
    const QByteArray forced = forcedPath();
    const bool software = forced == "sw" || (forced != "gl" && !hasGpuDevice());
    // OpenGL through EGL, as the engine's own X11 output has it: VA-API's
    // frames reach OpenGL as EGL images, which GLX has no way to take.
    qputenv("QT_XCB_GL_INTEGRATION", software ? "none" : "xcb_egl");
}

RenderPath chooseRenderPath()
{
    const QByteArray forced = forcedPath();
    if (forced == "gl")
        return RenderPath::OpenGL;
    if (forced == "sw")
        return RenderPath::Software;
    if (!hasGpuDevice())
        return RenderPath::Software;
    const QString renderer = openGlRenderer();
    return renderer.isEmpty() || isSoftwareRasteriser(renderer) ? RenderPath::Software : RenderPath::OpenGL;
}

QByteArray hardwareDecoding(RenderPath path)
{
    const QByteArray asked = qgetenv("QUILVANE_RYN_HWDEC").trimmed();
    if (!asked.isEmpty())
        return asked;
    return path == RenderPath::OpenGL ? mpv::HwdecAutoSafe : mpv::HwdecNo;
}

MpvSurface *createSurface(RenderPath path, const MpvLibrary &lib, mpv_handle *mpv, QWidget *parent)
{
    if (path == RenderPath::OpenGL) {
        if (MpvSurface *gl = GlView::create(lib, mpv, parent))
            return gl;
    }
    return SoftwareView::create(lib, mpv, parent);
}

} // namespace qr
