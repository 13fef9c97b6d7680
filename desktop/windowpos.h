#pragma once

#include <functional>

class QWidget;

namespace qr {

// Lets the user move a borderless window with the mouse (the window system's
// own move, as if its caption were dragged), then runs the docking hook so
// that the zoom strip follows the panel.
void DragWindow(QWidget *window);
void SetAfterDragHook(std::function<void()> hook);

// Puts the window into the top-most band when `wanted` and `onTopEnabled`
// are both set, out of it otherwise; shows the window. The hint is changed
// on the window's native handle, and only when it differs.
void SetWindowOnTop(QWidget *window, bool wanted, bool onTopEnabled);

// The same without the global switch (the video and subtitle windows' own
// `AlwaysOnTop`).
void AlwaysOnTop(QWidget *window, bool wanted);

bool IsOnTop(const QWidget *window);

} // namespace qr
