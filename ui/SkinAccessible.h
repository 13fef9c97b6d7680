#pragma once

namespace qr {

// What a screen reader announces for the skinned controls, which Qt sees as
// plain widgets: the pictures that act as buttons, the panel's lines and
// the seek bar, each with its role, a name (its hint) and, for a line, its
// text. Installed once, before the first window.
void installSkinAccessibility();

// The property that makes a line of text (a hot spot) a button.
inline constexpr char AccessibleButton[] = "accessibleButton";

} // namespace qr
