#pragma once

#include <QString>

namespace qr {

// The process-wide state every window shares; one instance, handed to the
// windows by the player.
struct AppState {
    QString CurrentMediaFile; // path of the media file opened last; "" = none
    QString StatusText;       // what the status line returns to after a hint
    QString VideoSizeText;    // size the picture is shown at, "704x576"; "" = unset

    bool UseSubtitles = false;
    bool ScrollTitleEnabled = false;
    bool OnTopEnabled = false;
    bool RepeatEnabled = false;
    bool DialogOpen = false;
    bool PanelInTray = false;
    bool ZoomWasVisible = false;
    bool ZoomListFocused = false;
};

} // namespace qr
