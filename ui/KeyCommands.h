#pragma once

#include <QList>
#include <Qt>

class QKeyEvent;
class QWidget;

namespace qr {

class Session;

enum class PlayerCommand {
    FullScreen,
    Quit,
    PauseOrResume,
    Play,
    Stop,
    StepBack,
    StepForward,
    ToStart,
    ToEnd,
    AlwaysOnTop,
    Open,
};

// The keys of the panel, the video window and the subtitle window: one
// table, tested row by row, so one press can run two commands (Ctrl+C runs
// the C row; Ctrl+P the P row too). A row's modifier must be held; others
// may be held as well. Nothing runs after a quit.
QList<PlayerCommand> commandsForKey(int key, Qt::KeyboardModifiers modifiers);

// Runs the commands of a key pressed in `window`; false when the key has no
// row, so the window passes it on.
bool runKeyCommands(Session &session, QWidget *window, const QKeyEvent *event);

} // namespace qr
