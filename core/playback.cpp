#include "core/playback.h"

#include "core/Player.h"
#include "core/errortrap.h"
#include "core/media/MediaControl.h"
#include "core/playbackcontrols.h"
#include "desktop/MessageBox.h"
#include "desktop/cdlFunctions.h"
#include "panel/SkinWidgets.h"
#include "panel/remote.h"
#include "settings/SettingsKeys.h"
#include "settings/registry.h"
#include "subtitles/SubtitleReader.h"
#include "subtitles/frmSub.h"
#include "video/video.h"

#include <QLabel>

namespace qr {

namespace {

void missingFile(Player &p, const QString &prefix, const QString &path)
{
    ShowMessage(prefix + QLatin1Char('"') + path + QStringLiteral("\" doesnt exist!"), QStringLiteral("Fatal error"));
    p.SetStatus(QStringLiteral("No media loaded.."));
}

void restoreRememberedState(Player &p)
{
    remote &panel = p.panel();
    if (RegValueIs(SettingsKey, kRememberPlayer, kYes)) {
        if (RegValueIs(SettingsKey, kRMP_Mute, kYes))
            MuteOn(p);
        else
            panel.muted->show();
        if (RegValueIs(SettingsKey, kRMP_Repeat, kYes))
            RepeatOn(p);
        else
            panel.repeat->show();
        if (RegValueIs(SettingsKey, kRMP_PBView, kYes))
            OpenZoomPanel(p);
        panel.pbview->show();
    } else {
        ShowOptionButtons(p, true);
    }
}

void showSubtitleWindow(Player &p)
{
    if (p.state.UseSubtitles)
        p.subtitleWindow().show();
    else if (p.subtitleWindowVisible())
        p.subtitleWindow().hide();
}
} // namespace

void OpenMediaFile(Player &p, const QString &media, const QString &subs)
{
    if (!FileExists(media))
        return missingFile(p, QStringLiteral("File "), media);
    if (p.state.UseSubtitles && !FileExists(subs))
        return missingFile(p, QStringLiteral("Subs File "), subs);
    try {
        p.media.setFileName(media);
        if (p.state.UseSubtitles) {
            p.videoWindow().subsfile->setText(subs);
            p.subtitleChannel().close();
            if (!p.subtitleChannel().open(subs))
                throw MediaError(53, QStringLiteral("File not found: ") + subs);
        }
        if (RegValueIs(SettingsKey, kAutostart, kYes)) {
            if (!p.videoWindow().isVisible())
                p.videoWindow().show();
            p.media.play();
            p.panel().tmrKeepTime.start();
            restoreRememberedState(p);
            showSubtitleWindow(p);
            p.SetStatus(ShortFileTitle(media) + QLatin1Char(' '));
        } else {
            restoreRememberedState(p);
            showSubtitleWindow(p);
            p.SetStatus(ShortFileTitle(media) + QStringLiteral(" loaded.."));
        }
    } catch (const MediaError &e) {
        ReportError(p, QStringLiteral("An error occured while attempting to play file \"") + media + QStringLiteral("\"."),
                    e.code(), e.description());
    }
}

QString CorruptFileText(const QString &path)
{
    return QStringLiteral("The file [file]; is either corrupt or damaged.").replace(QStringLiteral("[file];"), path);
}

void ReportCorruptFile(const QString &path) { ShowMessage(CorruptFileText(path), QStringLiteral("File access error")); }

} // namespace qr
