#include "ui/PlayerMenu.h"

#include "desktop/Paths.h"
#include "session/Session.h"
#include "session/TrackNames.h"

namespace qr {

PlayerMenu::PlayerMenu(Session &session, QWidget *parent) : QMenu(parent), m_session(session)
{
    setObjectName(QStringLiteral("PlayerMenu"));
    connect(this, &QMenu::aboutToShow, this, &PlayerMenu::rebuild);
}

QAction *PlayerMenu::item(QMenu *menu, const QString &text, const QString &keys, bool enabled,
                          std::function<void()> command)
{
    QAction *action = menu->addAction(text);
    // Shown beside the item; the keys themselves are the windows'.
    if (!keys.isEmpty())
        action->setShortcut(QKeySequence(keys));
    action->setShortcutContext(Qt::WidgetShortcut);
    action->setEnabled(enabled);
    connect(action, &QAction::triggered, this, std::move(command));
    return action;
}

void PlayerMenu::rebuild()
{
    clear();
    Session &s = m_session;
    const Playback &playback = s.playback();
    const bool loaded = playback.fileLoaded();

    item(this, tr("Open file..."), QStringLiteral("Ctrl+O"), true, [&s] { s.openFromDialog(); });
    if (const QStringList recent = s.history().recentFiles(); !recent.isEmpty()) {
        QMenu *menu = addMenu(tr("Open recent"));
        for (const QString &path : recent)
            item(menu, fileNameOnly(path), QString(), true, [&s, path] {
                s.openFile(path);
            })->setToolTip(path);
    }
    addSeparator();
    item(this, playback.playState() == PlayState::Playing ? tr("Pause") : tr("Play"), QStringLiteral("Space"),
         loaded, [&s] { s.playback().playState() == PlayState::Stopped ? s.play() : s.pauseOrResume(); });
    item(this, tr("Stop"), QStringLiteral("V"), loaded, [&s] { s.stop(); });
    item(this, tr("Previous file"), QStringLiteral("PgUp"), s.queue().canGo(-1), [&s] { s.previous(); });
    item(this, tr("Next file"), QStringLiteral("PgDown"), s.queue().canGo(+1), [&s] { s.next(); });
    addSeparator();
    addTracks(addMenu(tr("Audio track")));
    addSubtitles(addMenu(tr("Subtitles")));

    QMenu *speed = addMenu(tr("Speed"));
    speed->setEnabled(loaded);
    for (const double factor : Playback::SpeedSteps) {
        QAction *choice = item(speed, QStringLiteral("%1x").arg(factor), QString(), loaded,
                               [&s, factor] { s.setSpeed(factor); });
        choice->setCheckable(true);
        choice->setChecked(std::abs(playback.speed() - factor) < 1e-9);
    }
    speed->addSeparator();
    item(speed, tr("Faster"), QStringLiteral("]"), loaded, [&s] { s.speedUp(); });
    item(speed, tr("Slower"), QStringLiteral("["), loaded, [&s] { s.slowDown(); });
    item(speed, tr("Normal speed"), QStringLiteral("Backspace"), loaded, [&s] { s.setSpeed(1.0); });

    QMenu *aspect = addMenu(tr("Aspect ratio"));
    aspect->setEnabled(loaded);
    for (int i = 0; i < VideoSizing::aspectChoices().size(); ++i) {
        QAction *choice = item(aspect, VideoSizing::aspectChoices()[i].label, QString(), loaded,
                               [&s, i] { s.chooseAspect(i); });
        choice->setCheckable(true);
        choice->setChecked(s.video().aspectChoice() == i);
    }

    QMenu *zoom = addMenu(tr("Zoom"));
    zoom->setEnabled(loaded);
    const QList<ZoomChoice> &choices = s.video().zoomChoices();
    for (int i = 0; i < choices.size(); ++i) {
        if (choices[i].kind == ZoomChoice::Kind::Separator)
            zoom->addSeparator();
        else
            item(zoom, choices[i].label, QString(), loaded, [&s, i] { s.chooseZoom(i); });
    }
    item(this, tr("Screenshot"), QStringLiteral("S"), s.video().pictureVisible(),
         [&s] { s.takeScreenshot(); });
    addSeparator();
    QAction *onTop =
        item(this, tr("Always on top"), QStringLiteral("Ctrl+A"), true, [&s] { s.toggleAlwaysOnTop(); });
    onTop->setCheckable(true);
    onTop->setChecked(s.windows().alwaysOnTop());
    QAction *full = item(this, tr("Full screen"), QStringLiteral("Alt+Return"), loaded || s.fullScreen(),
                         [&s] { s.toggleFullScreen(); });
    full->setCheckable(true);
    full->setChecked(s.fullScreen());
    addSeparator();
    item(this, tr("Options..."), QString(), true, [&s] { s.showOptions(); });
    item(this, tr("About..."), QString(), true, [&s] { s.showAbout(); });
    item(this, tr("Quit"), QStringLiteral("Ctrl+Q"), true, [&s] { s.quit(); });
}

void PlayerMenu::addTracks(QMenu *menu)
{
    const Playback &playback = m_session.playback();
    const QList<MediaTrack> tracks = playback.tracks(MediaTrack::Kind::Audio);
    menu->setEnabled(!tracks.isEmpty());
    for (const MediaTrack &track : tracks) {
        QAction *choice = item(menu, trackLabel(track), QString(), true,
                               [this, id = track.id] { m_session.chooseAudioTrack(id); });
        choice->setCheckable(true);
        choice->setChecked(playback.currentTrack(MediaTrack::Kind::Audio) == track.id);
    }
}

void PlayerMenu::addSubtitles(QMenu *menu)
{
    Session &s = m_session;
    const bool loaded = s.playback().fileLoaded();
    menu->setEnabled(loaded);
    const SubtitleTrack &subtitles = s.subtitles();
    using Source = SubtitleTrack::Source;
    const auto checked = [](QAction *action, bool on) {
        action->setCheckable(true);
        action->setChecked(on);
    };
    checked(item(menu, tr("Off"), QString(), loaded, [&s] { s.subtitlesOff(); }),
            subtitles.source() == Source::Off || subtitles.source() == Source::None);
    if (!subtitles.path().isEmpty())
        checked(
            item(menu, fileNameOnly(subtitles.path()), QString(), loaded, [&s] { s.subtitlesFromFile(); }),
            subtitles.source() == Source::File);
    for (const MediaTrack &track : s.playback().tracks(MediaTrack::Kind::Subtitle))
        checked(item(menu, trackLabel(track), QString(), loaded,
                     [&s, id = track.id] { s.subtitlesFromTrack(id); }),
                subtitles.trackId() == track.id);
    menu->addSeparator();
    item(menu, tr("Load subtitle file..."), QString(), loaded, [&s] { s.loadSubtitleFile(); });
}

} // namespace qr
