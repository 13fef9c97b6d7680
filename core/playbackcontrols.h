#pragma once

namespace qr {

class Player;

// Mute on: only with a file loaded; lights muted_over.
void MuteOn(Player &p);
// Repeat on: only with a file loaded; lights repeat_over.
void RepeatOn(Player &p);
// Docks the zoom strip to the panel's left, shows it, refills its list.
void OpenZoomPanel(Player &p);
// Shows the plain state images (true) or hides the whole group (false).
void ShowOptionButtons(Player &p, bool show);
// The engine's end notification: repeat, or wind up.
void EndOfMediaRule(Player &p);
// Keeps the visible zoom strip beside the panel.
void DockZoomToPanel(Player &p);

} // namespace qr
