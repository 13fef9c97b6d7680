#include "ui/KeyCommands.h"

#include "session/Session.h"

#include <QKeyEvent>
#include <QWheelEvent>

namespace qr {

namespace {

struct KeyRow {
    int key;
    Qt::KeyboardModifier required; // Qt::NoModifier: any
    PlayerCommand command;
};

constexpr KeyRow KeyTable[] = {
    {Qt::Key_Return, Qt::AltModifier, PlayerCommand::FullScreen},
    {Qt::Key_Q, Qt::AltModifier, PlayerCommand::Quit},
    {Qt::Key_Space, Qt::NoModifier, PlayerCommand::PauseOrResume},
    {Qt::Key_X, Qt::NoModifier, PlayerCommand::Play},
    {Qt::Key_C, Qt::NoModifier, PlayerCommand::PauseOrResume},
    {Qt::Key_V, Qt::NoModifier, PlayerCommand::Stop},
    {Qt::Key_Z, Qt::NoModifier, PlayerCommand::StepBack},
    {Qt::Key_B, Qt::NoModifier, PlayerCommand::StepForward},
    {Qt::Key_T, Qt::NoModifier, PlayerCommand::ToStart},
    {Qt::Key_G, Qt::NoModifier, PlayerCommand::ToEnd},
    {Qt::Key_R, Qt::NoModifier, PlayerCommand::StepBack},
    {Qt::Key_F, Qt::NoModifier, PlayerCommand::StepForward},
    {Qt::Key_Escape, Qt::NoModifier, PlayerCommand::Stop},
    {Qt::Key_P, Qt::ControlModifier, PlayerCommand::PauseOrResume},
    {Qt::Key_Q, Qt::ControlModifier, PlayerCommand::Quit},
    {Qt::Key_A, Qt::ControlModifier, PlayerCommand::AlwaysOnTop},
    {Qt::Key_L, Qt::ControlModifier, PlayerCommand::Open},
    {Qt::Key_O, Qt::ControlModifier, PlayerCommand::Open},
    {Qt::Key_Left, Qt::NoModifier, PlayerCommand::SkipBack},
    {Qt::Key_Right, Qt::NoModifier, PlayerCommand::SkipForward},
    {Qt::Key_Home, Qt::NoModifier, PlayerCommand::ToStart},
    {Qt::Key_End, Qt::NoModifier, PlayerCommand::ToEnd},
    {Qt::Key_Up, Qt::NoModifier, PlayerCommand::VolumeUp},
    {Qt::Key_Down, Qt::NoModifier, PlayerCommand::VolumeDown},
    {Qt::Key_PageDown, Qt::NoModifier, PlayerCommand::NextFile},
    {Qt::Key_PageUp, Qt::NoModifier, PlayerCommand::PreviousFile},
    {Qt::Key_Menu, Qt::NoModifier, PlayerCommand::Menu},
    {Qt::Key_F10, Qt::ShiftModifier, PlayerCommand::Menu},
    {Qt::Key_S, Qt::NoModifier, PlayerCommand::Screenshot},
    {Qt::Key_BracketRight, Qt::NoModifier, PlayerCommand::SpeedUp},
    {Qt::Key_BracketLeft, Qt::NoModifier, PlayerCommand::SlowDown},
    {Qt::Key_Backspace, Qt::NoModifier, PlayerCommand::NormalSpeed},
    // The keyboard's media keys.
    {Qt::Key_MediaPlay, Qt::NoModifier, PlayerCommand::PauseOrResume},
    {Qt::Key_MediaPause, Qt::NoModifier, PlayerCommand::PauseOrResume},
    {Qt::Key_MediaTogglePlayPause, Qt::NoModifier, PlayerCommand::PauseOrResume},
    {Qt::Key_MediaStop, Qt::NoModifier, PlayerCommand::Stop},
    {Qt::Key_MediaNext, Qt::NoModifier, PlayerCommand::NextFile},
    {Qt::Key_MediaPrevious, Qt::NoModifier, PlayerCommand::PreviousFile},
    {Qt::Key_VolumeMute, Qt::NoModifier, PlayerCommand::MuteOnOff},
    {Qt::Key_VolumeUp, Qt::NoModifier, PlayerCommand::VolumeUp},
    {Qt::Key_VolumeDown, Qt::NoModifier, PlayerCommand::VolumeDown},
};

// One notch of a common mouse wheel, in eighths of a degree.
constexpr int WheelNotch = 120;

void run(PlayerCommand command, Session &session)
{
    switch (command) {
    case PlayerCommand::FullScreen:
        return session.toggleFullScreen();
    case PlayerCommand::Quit:
        return session.quit();
    case PlayerCommand::PauseOrResume:
        return session.pauseOrResume();
    case PlayerCommand::Play:
        return session.play();
    case PlayerCommand::Stop:
        return session.stop();
    case PlayerCommand::StepBack:
        return session.stepBack();
    case PlayerCommand::StepForward:
        return session.stepForward();
    case PlayerCommand::SkipBack:
        return session.skipBack();
    case PlayerCommand::SkipForward:
        return session.skipForward();
    case PlayerCommand::ToStart:
        return session.toStart();
    case PlayerCommand::ToEnd:
        return session.toEnd();
    case PlayerCommand::AlwaysOnTop:
        return session.toggleAlwaysOnTop();
    case PlayerCommand::Open:
        return session.openFromDialog();
    case PlayerCommand::VolumeUp:
        return session.volumeUp();
    case PlayerCommand::VolumeDown:
        return session.volumeDown();
    case PlayerCommand::MuteOnOff:
        return session.toggleMute();
    case PlayerCommand::Menu:
        return session.showMenu();
    case PlayerCommand::Screenshot:
        return session.takeScreenshot();
    case PlayerCommand::SpeedUp:
        return session.speedUp();
    case PlayerCommand::SlowDown:
        return session.slowDown();
    case PlayerCommand::NormalSpeed:
        return session.setSpeed(1.0);
    case PlayerCommand::NextFile:
        return session.next();
    case PlayerCommand::PreviousFile:
        return session.previous();
    }
}

} // namespace

QList<PlayerCommand> commandsForKey(int key, Qt::KeyboardModifiers modifiers)
{
    if (key == Qt::Key_Enter)
        key = Qt::Key_Return; // the keypad's Enter is Enter too
    QList<PlayerCommand> commands;
    for (const KeyRow &row : KeyTable) {
        if (row.key != key || (row.required != Qt::NoModifier && !modifiers.testFlag(row.required)))
            continue;
        commands << row.command;
        if (row.command == PlayerCommand::Quit)
            break;
    }
    return commands;
}

bool runKeyCommands(Session &session, const QKeyEvent *event)
{
    const QList<PlayerCommand> commands = commandsForKey(event->key(), event->modifiers());
    for (PlayerCommand command : commands)
        run(command, session);
    return !commands.isEmpty();
}

void runWheelCommands(Session &session, QWheelEvent *event, int &pending)
{
    event->accept();
    const int delta = event->inverted() ? -event->angleDelta().y() : event->angleDelta().y();
    if ((pending > 0 && delta < 0) || (pending < 0 && delta > 0))
        pending = 0; // turned back: what was gathered the other way is dropped
    pending += delta;
    for (; pending >= WheelNotch; pending -= WheelNotch)
        session.volumeUp();
    for (; pending <= -WheelNotch; pending += WheelNotch)
        session.volumeDown();
}

} // namespace qr
