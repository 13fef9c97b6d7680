// The transport commands of the panel: play, pause or resume, stop, the
// 5-second steps, mute, repeat and the status refresh.
#include "panel/remote.h"

#include "core/Player.h"
#include "core/media/MediaControl.h"
#include "core/playback.h"
#include "core/playbackcontrols.h"
#include "desktop/MessageBox.h"
#include "desktop/cdlFunctions.h"
#include "panel/SkinWidgets.h"
#include "subtitles/SubtitleReader.h"
#include "video/video.h"

#include <QLabel>

namespace qr {

namespace {
constexpr double StepSeconds = 5.0;
constexpr double StepGuardSeconds = 10.0;
} // namespace

void remote::play_over_Click()
{
    if (!fileLoaded())
        return;
    try {
        if (!p.videoWindow().isVisible())
            p.videoWindow().show();
        p.media.play();
        if (p.state.UseSubtitles) {
            p.subtitleChannel().close();
            p.subtitleChannel().open(p.videoWindow().subsfile->text());
        }
        p.SetStatus(ShortFileTitle(p.state.CurrentMediaFile) + QStringLiteral(" Playing.."));
        tmrKeepTime.start();
        ShowOptionButtons(p, true);
    } catch (const MediaError &) {
        ReportCorruptFile(p.state.CurrentMediaFile);
        p.state.CurrentMediaFile.clear();
        p.SetStatus(QStringLiteral("No media loaded.."));
    }
}

void remote::pause_Click()
{
    if (!fileLoaded())
        return;
    switch (p.media.playState()) {
    case Paused:
        p.media.play();
        p.SetStatus(ShortFileTitle(p.state.CurrentMediaFile) + QStringLiteral(" Playing.."));
        tmrKeepTime.start();
        break;
    case Playing:
        p.media.pause();
        p.SetStatus(QStringLiteral("Playback paused.."));
        tmrKeepTime.stop();
        break;
    default:
        break;
    }
}

void remote::stop_Click()
{
    if (!fileLoaded())
        return;
    p.media.stop();
    if (p.state.UseSubtitles)
        p.subtitleChannel().close();
    p.media.setCurrentPosition(0.0);
    p.SetStatus(QStringLiteral("Playback stopped.."));
    playbackInfo->clear();
}

// A click is a press and then a click, so one click on a step button steps
// twice; keys call the click handler alone and step once.
void remote::back_over_Click() { StepBack(); }
void remote::forward_over_Click() { StepForward(); }

void remote::StepBack()
{
    status->setText(QStringLiteral("Seeking"));
    Timer2.start();
    if (p.media.currentPosition() > StepGuardSeconds)
        p.media.setCurrentPosition(p.media.currentPosition() - StepSeconds);
}

void remote::StepForward()
{
    status->setText(QStringLiteral("Seeking.."));
    Timer2.start();
    if (p.media.duration() - StepGuardSeconds > p.media.currentPosition())
        p.media.setCurrentPosition(p.media.currentPosition() + StepSeconds);
}

void remote::muted_Click() { MuteOn(p); }

void remote::muted_over_Click()
{
    if (!fileLoaded())
        return;
    if (muted->isHidden())
        muted->show();
    muted_over->hide();
    p.media.setMute(false);
}

void remote::repeat_Click() { RepeatOn(p); }

void remote::repeat_over_Click()
{
    if (repeat->isHidden())
        repeat->show();
    repeat_over->hide();
    p.state.RepeatEnabled = false;
}

void remote::Timer2_Timer()
{
    Timer2.stop();
    if (p.state.CurrentMediaFile.isEmpty()) {
        p.SetStatus(QStringLiteral("No media loaded.."));
        ShowOptionButtons(p, false);
        return;
    }
    const int state = p.media.playState();
    if (state == Paused) {
        p.SetStatus(QStringLiteral("Playback paused.."));
        return;
    }
    if (state == Playing) {
        p.state.StatusText = FileNameOnly(p.state.CurrentMediaFile) + QStringLiteral(" Playing..");
        // A long title is left to the title scroll.
        if (p.state.StatusText.size() < 21)
            p.SetStatus(ShortFileTitle(p.state.CurrentMediaFile) + QStringLiteral(" Playing.."));
        return;
    }
    if (p.media.playState() == Stopped)
        p.SetStatus(QStringLiteral("Playback stopped.."));
}

void remote::load_Click()
{
    QString media;
    try {
        status->setText(QStringLiteral("Load file.."));
        media = ShowOpenDialog(this, QString(), QStringLiteral("Open Media"), QStringLiteral("media"));
        if (media.isEmpty()) {
            if (!fileLoaded())
                status->setText(QStringLiteral("No media loaded.."));
            return;
        }
        QString subs;
        if (p.state.UseSubtitles) {
            status->setText(QStringLiteral("Load Subtitles.."));
            subs = ShowOpenDialog(this, QString(), QStringLiteral("Open Subtitles Resource"), QStringLiteral("Sub"));
            if (subs.isEmpty()) {
                if (!fileLoaded()) {
                    ShowMessage(QStringLiteral("No Subtitles file selected.  Deselect Subtitles use in the options panel."),
                                QStringLiteral("Subtitles not loaded."));
                    status->setText(QStringLiteral("No media loaded.."));
                }
                return;
            }
        }
        p.state.CurrentMediaFile = media;
        OpenMediaFile(p, media, subs);
    } catch (const MediaError &) {
        p.media.view()->setVisible(false);
        ReportCorruptFile(media);
        p.state.CurrentMediaFile.clear();
        p.SetStatus(QStringLiteral("No media loaded.."));
    }
}

} // namespace qr
