#pragma once

#include <Qt>

class QKeyEvent;

namespace qr {

// The key table works on the classic virtual-key numbers: letters are their
// capitals (65..90), Enter 13, Space 32, Esc 27; 0 for keys it has no row for.
int VirtualKeyCode(const QKeyEvent *event);
// Modifier bits of the key table and the mouse handlers: 1 Shift, 2 Ctrl, 4 Alt.
int KeyShiftState(const QKeyEvent *event);
int ShiftCode(Qt::KeyboardModifiers modifiers);
// Mouse buttons as the handlers count them: 1 left, 2 right, 4 middle.
int MouseButtonCode(Qt::MouseButtons buttons);

} // namespace qr
