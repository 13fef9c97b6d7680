# Under a window manager and a tray host: the helper windows keep off the
# task bar and leave the focus on the panel; Ctrl+A stacks the windows on
# top and back; the video window is dragged by its top edge, its picture
# and (right button) its surface, not by the right button on its top edge,
# and sized by its grip; the zoom strip follows the panel; Alt+Enter, a
# double-click and "full" make the video window full screen, Alt+Enter and
# Esc bring it back; the panel goes to the tray and comes back by a double
# or context click, not a single one; a 4000 x 3000 clip fits the screen.
source "$(dirname "$0")/lib.sh" "$@"

start_desktop tray
make_clip
printf '{0}{1500}Quilvane\n' >"$WORK/clip.sub"
store Splash=no useSubs=yes
start_player "$CLIP"
await PANEL 'Quilvane Ryn'
await SUBS Subtitles
poll focused_on "$PANEL" || fail "the panel did not get the focus"
xdotool key x # play: the video window appears
await VIDEO 'Quilvane '
wait_playing
geometry "$PANEL"
point $((X + 221)) $((Y + 96)) # the zoom switch
xdotool click 1
await ZOOM 'Quilvane Zoom options'
focused_on "$PANEL" || fail "a helper window took the focus when it appeared"
for window in VIDEO ZOOM SUBS; do
  poll has_state "${!window}" SKIP_TASKBAR || fail "the $window window has a task-bar button ($(states "${!window}"))"
done
not has_state "$PANEL" SKIP_TASKBAR || fail "the panel has no task-bar button"
[[ "$(xprop -id "$PANEL" _NET_WM_ICON)" == *'Icon (32 x 32)'* ]] || fail "the panel has no 32 x 32 icon"
for want in has_state "not has_state"; do # Ctrl+A: into the top-most band, and out again
  xdotool key ctrl+a
  for window in PANEL VIDEO; do
    poll $want "${!window}" ABOVE || fail "after Ctrl+A the $window window's states are: $(states "${!window}")"
  done
done
shot helpers

geometry "$VIDEO"
vw=$WIDTH vh=$HEIGHT
drag 1 "$VIDEO" 100 3 60 40 || fail "a drag by the top edge did not move the video window"
drag 1 "$VIDEO" $((vw / 2)) $((vh / 2)) -50 30 || fail "a drag by the picture did not move the video window"
geometry "$VIDEO"
press 3 $((X + 100)) $((Y + 3)) && point $((X + 140)) $((Y + 43))
holds 1 near "$VIDEO" "$X" "$Y" || fail "the right button on the top edge moved the video window"
xdotool mouseup 3
# The window's surface shows in a one-pixel column right of the picture.
drag 3 "$VIDEO" $((vw - 1)) $((vh / 2)) 30 -20 || fail "the right button on the window's surface did not move it"
geometry "$VIDEO"
vx=$X vy=$Y
press 1 $((vx + vw - 13)) $((vy + vh - 13)) && point $((vx + vw + 67)) $((vy + vh + 37)) # the grip
poll sized "$VIDEO" $((vw += 80)) $((vh += 50)) || fail "the grip did not size the video window ($WIDTH x $HEIGHT)"
xdotool mouseup 1
geometry "$ZOOM"
zw=$WIDTH
drag 1 "$PANEL" 140 7 70 90 || fail "a drag by the credit line did not move the panel"
geometry "$PANEL"
px=$X py=$Y
poll near "$ZOOM" $((px - zw)) "$py" || fail "the zoom strip did not follow the panel to $((px - zw)),$py"
shot dragged

# Full screen: the window covers the screen and the picture spans it (the
# skin's colour shows neither in the middle nor near the right edge).
SKIN=$(convert xc:'rgb(31,27,37)' -format '%[pixel:p{0,0}]' info:)
picture_at() { [ "$(import -silent -window root -crop "1x1+$1+$2" +repage -format '%[pixel:p{0,0}]' info:)" != "$SKIN" ]; }
full_screen() { has_state "$VIDEO" FULLSCREEN && near "$VIDEO" 0 0 && sized "$VIDEO" 1280 1024 && picture_at 640 512 && picture_at 1260 512; }
windowed() { not has_state "$VIDEO" FULLSCREEN && near "$VIDEO" "$vx" "$vy" && sized "$VIDEO" "$vw" "$vh"; }
# full_screen_by WHAT LEAVE: full screen by WHAT, with the keyboard; back by the key LEAVE.
full_screen_by() {
  poll full_screen || fail "$1 did not make the video window full screen ($(states "$VIDEO"), $X,$Y $WIDTH x $HEIGHT)"
  shot "full-by-$1"
  poll focused_on "$VIDEO" || fail "the full-screen video window did not get the keyboard"
  xdotool key "$2"
  poll windowed || fail "$2 did not bring the video window back ($X,$Y $WIDTH x $HEIGHT)"
}
focus "$PANEL"
xdotool key alt+Return
full_screen_by Alt+Enter alt+Return
point $((vx + vw / 2)) $((vy + vh / 2))
double_click_until has_state "$VIDEO" FULLSCREEN || fail "a double-click on the picture did not make it full screen"
full_screen_by double-click Escape
focus "$ZOOM"
xdotool key f # "full" in the zoom strip's list
full_screen_by '"full"' Escape

# The tray, by the hot spot on the panel. (After Ctrl+A the panel comes back
# from the tray as a new X window.)
to_tray() {
  point $((px + 243)) $((py + 6))
  xdotool click 1
  poll not has_window 'Quilvane Ryn' || fail "the panel did not go to the tray"
  poll tray_icon || fail "no icon in the tray"
  point "$ICON_X" "$ICON_Y"
}
back() {
  await PANEL 'Quilvane Ryn'
  poll near "$PANEL" "$px" "$py" || fail "the panel came back at $X,$Y, not $px,$py"
  poll not tray_icon || fail "the tray icon stayed when the panel came back"
}
to_tray
shot in-tray
double_click_until has_window 'Quilvane Ryn' || fail "a double-click on the tray icon did not bring the panel back"
back
to_tray
xdotool click 3
back
to_tray
xdotool click 1
holds 2 not has_window 'Quilvane Ryn' || fail "a single click on the tray icon brought the panel back"
double_click_until has_window 'Quilvane Ryn' || fail "a double-click after a single one did not bring the panel back"
back
quit_player

# The picture at 1280 x 960, in a window a pixel narrower and five lower, on the screen.
make_clip big.avi 4000x3000 2 mpeg4 10
store Autostart=yes useSubs=no
start_player "$CLIP"
wait_windows
poll sized "$VIDEO" 1279 955 || fail "the video window is $WIDTH x $HEIGHT, not 1279 x 955"
((X >= 0 && Y >= 0 && X + WIDTH <= 1280 && Y + HEIGHT <= 1024)) || fail "the video window lies at $X,$Y, past the screen"
wait_playing
shot big
quit_player
echo "helpers off the task bar and unfocused, on top and back, dragged, full screen and back, tray round trips, a big clip fitted"
