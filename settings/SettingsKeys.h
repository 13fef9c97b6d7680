#pragma once

#include <QString>

namespace qr {

// Every setting the player keeps lives as a text value in this key, read and
// written through registry.h. Names are exact, case as shown. A switch is the
// text "yes" or "no", always tested with RegValueIs (on = begins with "yes";
// absent = neither); a number is its decimal text. Only the options dialog
// creates the key, so on a fresh store every switch reads off and the splash
// shows.
inline const QString SettingsKey = QStringLiteral("HKEY_LOCAL_MACHINE\\Software\\Tarvell\\Quilvane\\Ryn");

// The two texts of a switch.
inline const QString kYes = QStringLiteral("yes");
inline const QString kNo = QStringLiteral("no");

// Switches, written by the options dialog.
// Switch (chkSplash); start-up skips the splash only when it begins with "no".
inline const QString kSplash = QStringLiteral("Splash");
// Switch (chkExts); start-up registers the file associations when "yes".
inline const QString kRegistext = QStringLiteral("Registext");
// Switch (chkWindowPos); start-up places the windows from QV_*, quit saves them, when "yes".
inline const QString kWindowpos = QStringLiteral("Windowpos");
// Switch (chkAutostart); opening a file starts playback when "yes".
inline const QString kAutostart = QStringLiteral("Autostart");
// Switch (chkOnTop); panel load sets the always-on-top switch when "yes".
inline const QString kOntop = QStringLiteral("Ontop");
// Switch (chkPlayer); opening a file applies, and quit saves, the RMP_* values when "yes".
inline const QString kRememberPlayer = QStringLiteral("RememberPlayer");
// Switch (chkscroll); start-up and the dialog's OK/Apply set title scrolling.
inline const QString kScrollTitle = QStringLiteral("ScrollTitle");
// Switch written by nothing in the player (quilvane-ryn-reg sets it); start-up turns subtitles on.
inline const QString kUseSubs = QStringLiteral("useSubs");

// Window positions, numbers in twips, saved on quit while "Windowpos" is on
// and read by start-up.
// Number; the panel's left edge (used when 0 < value < screen width, else 0).
inline const QString kQV_RL = QStringLiteral("QV_RL");
// Number; the panel's top edge.
inline const QString kQV_RT = QStringLiteral("QV_RT");
// Number; the video window's left edge.
inline const QString kQV_VL = QStringLiteral("QV_VL");
// Number; the video window's top edge (taken as a 16-bit signed integer).
inline const QString kQV_VT = QStringLiteral("QV_VT");

// Player state, saved on quit while "RememberPlayer" is on, applied when a
// file is opened.
// Switch; "yes" when mute was on (muted_over visible); opening a file mutes.
inline const QString kRMP_Mute = QStringLiteral("RMP_Mute");
// Switch; "yes" when repeat was on (repeat_over visible); opening a file turns repeat on.
inline const QString kRMP_Repeat = QStringLiteral("RMP_Repeat");
// Switch; "yes" when the zoom window was visible; opening a file shows the zoom options.
inline const QString kRMP_PBView = QStringLiteral("RMP_PBView");
// Number, 16-bit list index of cboZoomOpt; written on quit and when the zoom options hide; never read.
inline const QString kRMP_PBView_ResIdx = QStringLiteral("RMP_PBView_ResIdx");

} // namespace qr
