#include "engine/MpvLibrary.h"

#include <dlfcn.h>

namespace qr {

namespace {

// libmpv's file name carries the major version of its client API.
QByteArray libraryName() { return "libmpv.so." + QByteArray::number(MPV_CLIENT_API_VERSION >> 16); }

template <typename Function> bool resolve(void *handle, const char *name, Function &function)
{
    function = reinterpret_cast<Function>(dlsym(handle, name));
    return function != nullptr;
}

bool resolveAll(void *handle, MpvLibrary &lib, QByteArray &missing)
{
    const auto need = [&](const char *name, auto &function) {
        if (!resolve(handle, name, function) && missing.isEmpty())
            missing = name;
    };
    need("mpv_error_string", lib.errorString);
    need("mpv_create", lib.create);
    need("mpv_initialize", lib.initialize);
    need("mpv_terminate_destroy", lib.terminateDestroy);
    need("mpv_set_option_string", lib.setOptionString);
    need("mpv_set_property", lib.setProperty);
    need("mpv_set_property_async", lib.setPropertyAsync);
    need("mpv_get_property_async", lib.getPropertyAsync);
    need("mpv_command_async", lib.commandAsync);
    need("mpv_observe_property", lib.observeProperty);
    need("mpv_unobserve_property", lib.unobserveProperty);
    need("mpv_wait_event", lib.waitEvent);
    need("mpv_set_wakeup_callback", lib.setWakeupCallback);
    need("mpv_render_context_create", lib.renderContextCreate);
    need("mpv_render_context_free", lib.renderContextFree);
    need("mpv_render_context_render", lib.renderContextRender);
    need("mpv_render_context_update", lib.renderContextUpdate);
    need("mpv_render_context_set_update_callback", lib.renderContextSetUpdateCallback);
    return missing.isEmpty();
}

} // namespace

const MpvLibrary *loadMpvLibrary(QString &error)
{
    static MpvLibrary lib;
    static bool loaded = false;
    if (loaded)
        return &lib;
    const QByteArray name = libraryName();
    // Never closed: the engine's threads and exit handlers live in it.
    void *handle = dlopen(name.constData(), RTLD_LAZY | RTLD_LOCAL);
    if (!handle) {
        error = QString::fromLocal8Bit(dlerror());
        return nullptr;
    }
    QByteArray missing;
    if (!resolveAll(handle, lib, missing)) {
        error = QStringLiteral("%1 has no %2").arg(QString::fromLatin1(name), QString::fromLatin1(missing));
        return nullptr;
    }
    loaded = true;
    return &lib;
}

} // namespace qr
