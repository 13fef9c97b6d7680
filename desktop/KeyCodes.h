#pragma once

class QKeyEvent;

namespace qr {

// The key table works on the classic virtual-key numbers: letters are their
// capitals (65..90), Enter 13, Space 32, Esc 27; 0 for keys it has no row for.
int VirtualKeyCode(const QKeyEvent *event);
// Modifier bits of the key table: 1 Shift, 2 Ctrl, 4 Alt.
int KeyShiftState(const QKeyEvent *event);

} // namespace qr
