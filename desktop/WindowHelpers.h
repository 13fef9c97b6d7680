#pragma once

class QWidget;

namespace qr {

// Lets the user move a borderless window with the mouse: the window
// system's own move, as if its caption had been grabbed.
void dragWindow(QWidget *window);

// Puts the window into the top-most band or takes it out, and shows it
// without taking the focus. The hint is changed on the window's native
// handle, and only when it differs, so the window is neither re-created nor
// made to flicker.
void setTopMost(QWidget *window, bool onTop);
bool isTopMost(const QWidget *window);

} // namespace qr
