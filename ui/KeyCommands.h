#pragma once

#include <QList>
#include <Qt>

class QKeyEvent;
class QWheelEvent;

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
    SkipBack,
    SkipForward,
    ToStart,
    ToEnd,
    AlwaysOnTop,
    Open,
    VolumeUp,
    VolumeDown,
    MuteOnOff,
    NextFile,
    PreviousFile,
    Menu,
    Screenshot,
    SpeedUp,
    SlowDown,
    NormalSpeed,
};

// The keys of the panel, the video window and the subtitle window: one
// table, tested row by row, so one press can run two commands (Ctrl+C runs
// the C row; Ctrl+P the P row too). A row's modifier must be held; others
// may be held as well. Nothing runs after a quit.
QList<PlayerCommand> commandsForKey(int key, Qt::KeyboardModifiers modifiers);

// Runs the commands of a key; false when the key has no row, so the window
// passes it on.
bool runKeyCommands(Session &session, const QKeyEvent *event);

// The mouse wheel over the panel or the video window: a volume step per
// notch, the wheel turned away from the user raising it whatever way the
// desktop scrolls. Finer wheels add up in `pending` until a notch is full.
void runWheelCommands(Session &session, QWheelEvent *event, int &pending);

} // namespace qr
