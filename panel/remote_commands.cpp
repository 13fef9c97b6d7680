// The panel's own commands: the shared key table, full screen, always on
// top, about, options, the zoom strip, the tray and quitting.
#include "panel/remote.h"

#include "core/Player.h"
#include "core/frmAbout.h"
#include "core/media/MediaControl.h"
#include "core/playbackcontrols.h"
#include "desktop/KeyCodes.h"
#include "desktop/Twips.h"
#include "desktop/tray.h"
#include "desktop/windowpos.h"
#include "panel/SkinWidgets.h"
#include "settings/SettingsKeys.h"
#include "settings/frmOptions.h"
#include "settings/registry.h"
#include "skins/Skin.h"
#include "video/frmZoom.h"
#include "video/video.h"

#include <QComboBox>
#include <QKeyEvent>

namespace qr {

namespace {
constexpr int ShiftCtrl = 2;
constexpr int ShiftAlt = 4;
} // namespace

void remote::keyPressEvent(QKeyEvent *event)
{
    const int code = VirtualKeyCode(event);
    if (code == 0) {
        QWidget::keyPressEvent(event);
        return;
    }
    Form_KeyDown(code, KeyShiftState(event));
}

// Every row is tested on its own, so one press can run two commands
// (Ctrl+C runs the C row; Alt+Q and Ctrl+Q both quit).
void remote::Form_KeyDown(int keyCode, int shift)
{
    const bool ctrl = shift & ShiftCtrl;
    const bool alt = shift & ShiftAlt;
    if (keyCode == 13 && alt)
        FullScreenSwitch();
    if (keyCode == 'Q' && alt)
        return quit_Click();
    if (keyCode == 32)
        pause_Click();
    if (keyCode == 'X')
        play_over_Click();
    if (keyCode == 'C')
        pause_Click();
    if (keyCode == 'V')
        stop_Click();
    if (keyCode == 'Z')
        back_over_Click();
    if (keyCode == 'B')
        forward_over_Click();
    if (keyCode == 'T')
        p.media.setCurrentPosition(0.0);
    if (keyCode == 'G')
        p.media.setCurrentPosition(p.media.duration());
    if (keyCode == 'R')
        back_over_Click();
    if (keyCode == 'F')
        forward_over_Click();
    if (keyCode == 27)
        stop_Click();
    if (keyCode == 'P' && ctrl)
        pause_Click();
    if (keyCode == 'Q' && ctrl)
        return quit_Click();
    if (keyCode == 'A' && ctrl)
        Label1_Click();
    if (keyCode == 'L' && ctrl)
        load_Click();
}

void remote::FullScreenSwitch()
{
    if (!fileLoaded())
        return;
    if (p.media.displaySize() != FullScreen) {
        SetWindowOnTop(&p.videoWindow(), false, p.state.OnTopEnabled);
        SetWindowOnTop(this, false, p.state.OnTopEnabled);
        p.media.setFullScreenControls(true);
        p.media.setDisplaySize(FullScreen);
    } else {
        p.media.setDisplaySize(Windowed);
    }
}

// The windows reach the top-most band only at the next clock tick, since
// SetWindowOnTop grants it only once the switch is already on.
void remote::Label1_Click()
{
    if (p.state.OnTopEnabled) {
        SetWindowOnTop(&p.videoWindow(), false, p.state.OnTopEnabled);
        SetWindowOnTop(this, false, p.state.OnTopEnabled);
        status->setText(QStringLiteral("Always on Top Disabled"));
        p.state.OnTopEnabled = false;
        Label1->setBorderStyle(0);
    } else {
        SetWindowOnTop(&p.videoWindow(), true, p.state.OnTopEnabled);
        SetWindowOnTop(this, true, p.state.OnTopEnabled);
        status->setText(QStringLiteral("Always on Top Enabled"));
        p.state.OnTopEnabled = true;
        Label1->setBorderStyle(1);
    }
}

void remote::Label2_Click()
{
    p.about().show();
    p.state.DialogOpen = true;
    SetWindowOnTop(&p.about(), true, p.state.OnTopEnabled);
}

void remote::cmdOptions_Click()
{
    frmOptions &dialog = p.options();
    dialog.show();
    dialog.raise();
}

void remote::pbview_Click() { OpenZoomPanel(p); }

void remote::pbview_over_Click()
{
    pbview_over->hide();
    pbview->show();
    WriteValue(SettingsKey, kRMP_PBView_ResIdx, QString::number(p.zoom().cboZoomOpt->currentIndex()));
    p.zoom().hide();
}

void remote::Label5_Click()
{
    if (!Tray::available()) {
        // A panel hidden with no icon to bring it back would be lost.
        status->setText(QStringLiteral("No system tray available"));
        return;
    }
    p.state.PanelInTray = true;
    p.tray().AddTrayIcon(windowIcon(), QStringLiteral("Quilvane Ryn"), this);
    p.state.ZoomWasVisible = p.zoomVisible();
    if (p.zoomVisible())
        p.zoom().hide();
}

void remote::RestoreFromTray()
{
    p.tray().RestoreFromTray(this);
    if (p.state.ZoomWasVisible)
        p.zoom().show();
    p.state.PanelInTray = false;
}

void remote::quit_Click()
{
    p.state.CurrentMediaFile.clear();
    if (RegValueIs(SettingsKey, kWindowpos, kYes)) {
        WriteValue(SettingsKey, kQV_RT, TwipsText(TwipsY(y())));
        WriteValue(SettingsKey, kQV_RL, TwipsText(TwipsX(x())));
        WriteValue(SettingsKey, kQV_VT, TwipsText(TwipsY(p.videoWindow().y())));
        WriteValue(SettingsKey, kQV_VL, TwipsText(TwipsX(p.videoWindow().x())));
    }
    if (RegValueIs(SettingsKey, kRememberPlayer, kYes)) {
        WriteValue(SettingsKey, kRMP_Mute, muted_over->isVisibleTo(background) ? kYes : kNo);
        WriteValue(SettingsKey, kRMP_Repeat,
                   repeat_over->isVisibleTo(background) ? kYes : kNo);
        if (p.zoomVisible()) {
            WriteValue(SettingsKey, kRMP_PBView, kYes);
            WriteValue(SettingsKey, kRMP_PBView_ResIdx, QString::number(p.zoom().cboZoomOpt->currentIndex()));
        } else {
            WriteValue(SettingsKey, kRMP_PBView, kNo);
        }
    }
    p.CloseWindowsAndExit();
}

} // namespace qr
