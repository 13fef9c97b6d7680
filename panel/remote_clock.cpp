// The 500 ms clock and the seek bar's mouse handlers.
#include "panel/remote.h"

#include "core/Player.h"
#include "core/media/MediaControl.h"
#include "desktop/cdlFunctions.h"
#include "desktop/windowpos.h"
#include "panel/SkinWidgets.h"
#include "panel/clock.h"
#include "panel/seekbar/simpleProgress.h"
#include "desktop/Twips.h"
#include "panel/seekbar/SeekMath.h"
#include "subtitles/subtitles.h"
#include "subtitles/frmSub.h"
#include "video/frmZoom.h"
#include "video/video.h"

namespace qr {

void remote::tmrKeepTime_Timer()
{
    if (fileLoaded()) {
        const double position = p.media.currentPosition();
        if (position > -1) {
            time->setText(ConvertTime(WholeSeconds(position)) + QStringLiteral(" / ") +
                          ConvertTime(WholeSeconds(p.media.duration())));
            progress->setValue(WholeSeconds(position));
        }
        if (p.media.displaySize() != FullScreen) {
            if (p.state.OnTopEnabled && !p.state.DialogOpen && !p.state.PanelInTray) {
                SetWindowOnTop(&p.videoWindow(), true, p.state.OnTopEnabled);
                SetWindowOnTop(this, true, p.state.OnTopEnabled);
                if (p.zoomVisible())
                    SetWindowOnTop(&p.zoom(), !p.state.ZoomListFocused, p.state.OnTopEnabled);
            }
            p.media.setFullScreenControls(false);
        }
        if (p.media.playState() == Playing && p.state.ScrollTitleEnabled) {
            p.state.StatusText = FileNameOnly(p.media.fileName()) + QStringLiteral(" Playing..");
            if (p.state.StatusText.size() > 20)
                status->setText(ScrollTitle(p.state.StatusText, TitleScrollPos));
        }
        if (p.media.playState() == Playing && p.state.UseSubtitles)
            SubtitleStep([this] { return p.media.currentPosition(); }, p.SubtitleFrameRate(), p.CurrentSubtitle(),
                         p.subtitleChannel(), p.subtitleWindow().subtitles);
    }
    if (p.state.UseSubtitles && !p.subtitleWindowVisible())
        p.subtitleWindow().show();
}

void remote::progress_MouseDown(int button, int, double x, double)
{
    if (!SeekButtonActs(button, fileLoaded()))
        return;
    const double barWidth = TwipsX(progress->width());
    status->setText(SeekStatusText(x, barWidth, true));
    p.media.setCurrentPosition(SeekTargetSeconds(x, barWidth, p.media.duration()));
}

void remote::progress_MouseMove(int button, int, double x, double)
{
    if (SeekButtonActs(button, fileLoaded()))
        status->setText(SeekStatusText(x, TwipsX(progress->width()), false));
}

} // namespace qr
