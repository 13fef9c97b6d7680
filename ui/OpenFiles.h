#pragma once

class QWidget;

namespace qr {

class Session;

// The open command: asks for a media file and, with subtitles in use, for
// its subtitle file, then opens them. A cancel leaves a loaded file as it
// was.
void openFilesFromDialogs(Session &session, QWidget *owner);

} // namespace qr
