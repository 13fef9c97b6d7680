#pragma once

#include <Qt>

class QWidget;

namespace qr {

// Lets the user move a borderless window with the mouse, held down with
// `button` since the press that calls this: the window system's own move, as
// if its caption had been grabbed, once the pointer has gone a drag distance
// (so a double-click on a drag surface still reaches it). Window managers
// end their move on the left button's release only, and a bare X server has
// none, so there, and for other buttons, the window follows the pointer
// until the button is released.
void dragWindow(QWidget *window, Qt::MouseButton button = Qt::LeftButton);

// Puts the window into the top-most band or takes it out, and shows it
// without taking the focus. The hint is changed on the window's native
// handle, and only when it differs, so the window is neither re-created nor
// made to flicker.
void setTopMost(QWidget *window, bool onTop);
bool isTopMost(const QWidget *window);

// A helper window of the panel: no button of its own in the task bar or the
// pager, and showing it leaves the keyboard focus where it is. It stays an
// ordinary window otherwise, so it can still go full screen and take keys
// when clicked. Called before the window is first shown.
void keepOffTaskBar(QWidget *window);

} // namespace qr
