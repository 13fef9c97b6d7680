#pragma once

#include <mpv/client.h>
#include <mpv/render.h>

#include <QString>

namespace qr {

// The libmpv functions the player calls. The program does not link libmpv:
// it is loaded when the engine starts, after the first window has shown,
// because mapping it and the two hundred libraries it needs takes longer
// than everything else the player does before its first window.
struct MpvLibrary {
    decltype(&::mpv_error_string) errorString;
    decltype(&::mpv_create) create;
    decltype(&::mpv_initialize) initialize;
    decltype(&::mpv_terminate_destroy) terminateDestroy;
    decltype(&::mpv_set_option_string) setOptionString;
    decltype(&::mpv_set_property) setProperty;
    decltype(&::mpv_set_property_async) setPropertyAsync;
    decltype(&::mpv_get_property_async) getPropertyAsync;
    decltype(&::mpv_command_async) commandAsync;
    decltype(&::mpv_observe_property) observeProperty;
    decltype(&::mpv_unobserve_property) unobserveProperty;
    decltype(&::mpv_wait_event) waitEvent;
    decltype(&::mpv_set_wakeup_callback) setWakeupCallback;
    decltype(&::mpv_render_context_create) renderContextCreate;
    decltype(&::mpv_render_context_free) renderContextFree;
    decltype(&::mpv_render_context_render) renderContextRender;
    decltype(&::mpv_render_context_update) renderContextUpdate;
    decltype(&::mpv_render_context_set_update_callback) renderContextSetUpdateCallback;
};

// The library of the client API the player was built against, loaded on
// the first call and kept for the rest of the run. Null when it cannot be
// loaded or lacks a function; `error` then says why.
const MpvLibrary *loadMpvLibrary(QString &error);

} // namespace qr
