#include "core/playbackcontrols.h"

#include "core/Player.h"
#include "core/media/MediaControl.h"
#include "panel/SkinWidgets.h"
#include "panel/remote.h"
#include "subtitles/SubtitleReader.h"
#include "video/frmZoom.h"
#include "video/sizing.h"

namespace qr {

void MuteOn(Player &p)
{
    if (p.media.fileName().isEmpty())
        return;
    p.media.setMute(true);
    p.panel().muted_over->show();
}

void RepeatOn(Player &p)
{
    if (p.media.fileName().isEmpty())
        return;
    p.panel().repeat_over->show();
    p.state.RepeatEnabled = true;
}

void DockZoomToPanel(Player &p)
{
    const remote &panel = p.panel();
    frmZoom &zoom = p.zoom();
    zoom.move(panel.x() - zoom.width(), panel.y());
}

void OpenZoomPanel(Player &p)
{
    DockZoomToPanel(p);
    p.zoom().show();
    FillZoomList(p);
    p.panel().pbview_over->show();
    p.panel().pbview->hide();
}

void ShowOptionButtons(Player &p, bool show)
{
    remote &panel = p.panel();
    if (show) {
        for (QWidget *w : {static_cast<QWidget *>(panel.muted), static_cast<QWidget *>(panel.repeat),
                           static_cast<QWidget *>(panel.pbview)})
            w->show();
        return;
    }
    for (QWidget *w : {panel.muted, panel.muted_over, panel.repeat, panel.repeat_over, panel.pbview, panel.pbview_over})
        w->hide();
}

void EndOfMediaRule(Player &p)
{
    if (p.state.RepeatEnabled) {
        p.media.play();
        return;
    }
    p.SetStatus(QString());
    p.subtitleChannel().close();
}

} // namespace qr
