# Two screens side by side (one wide X screen split in two monitors) under
# a window manager: the windows quit on the second screen come back where
# they were; stored coordinates no window could be reached at give the
# default placement, every window on a screen.
source "$(dirname "$0")/lib.sh" "$@"

xrandr --setmonitor left 1280/338x1024/270+0+0 screen >/dev/null &&
  xrandr --setmonitor right 1280/338x1024/270+1280+0 none >/dev/null ||
  fail "could not split the screen in two monitors"
[ "$(xrandr --listmonitors | head -n 1)" = "Monitors: 2" ] || fail "not two monitors: $(xrandr --listmonitors)"
start_desktop
make_clip

# on_a_screen WINDOW: the window lies wholly on one of the two screens.
on_a_screen() {
  geometry "$1"
  [ "$Y" -ge 0 ] && [ $((Y + HEIGHT)) -le 1024 ] &&
    { { [ "$X" -ge 0 ] && [ $((X + WIDTH)) -le 1280 ]; } || { [ "$X" -ge 1280 ] && [ $((X + WIDTH)) -le 2560 ]; }; }
}

store Splash=no Windowpos=yes Autostart=yes
start_player "$CLIP"
wait_windows
wait_playing
drag 1 "$PANEL" 140 7 1100 300 || fail "the panel could not be dragged by its credit line to the second screen"
drag 1 "$VIDEO" 100 3 150 200 || fail "the video window could not be dragged by its top edge"
geometry "$PANEL"
panel_x=$X panel_y=$Y
geometry "$VIDEO"
video_x=$X video_y=$Y
[ "$panel_x" -ge 1280 ] || fail "the panel is not on the second screen ($panel_x,$panel_y)"
shot before-quit

focus "$PANEL"
xdotool key ctrl+q
wait_exit 8
[ "$(stored QV_RL)" = $((panel_x * 15)) ] || fail "QV_RL is $(stored QV_RL), not $((panel_x * 15))"
[ "$(stored QV_VT)" = $((video_y * 15)) ] || fail "QV_VT is $(stored QV_VT), not $((video_y * 15))"

start_player "$CLIP"
wait_windows
poll 5 near "$PANEL" "$panel_x" "$panel_y" || fail "the panel came back at $X,$Y, not $panel_x,$panel_y on the second screen"
poll 5 near "$VIDEO" "$video_x" "$video_y" || fail "the video window came back at $X,$Y, not $video_x,$video_y"
shot after-restart
focus "$PANEL"
xdotool key ctrl+q
wait_exit 8

# Coordinates out of every screen's reach; "Ontop" shows the video window
# without a file.
store Autostart=no Ontop=yes
while read -r what values; do
  # shellcheck disable=SC2086 # name=value pairs
  store QV_RL=1500 QV_RT=1500 QV_VL=4500 QV_VT=6000 $values
  start_player
  wait_windows
  on_a_screen "$PANEL" || fail "with $what the panel lies at $X,$Y ($WIDTH x $HEIGHT), off the screens"
  on_a_screen "$VIDEO" || fail "with $what the video window lies at $X,$Y ($WIDTH x $HEIGHT), off the screens"
  shot "stored-$what"
  focus "$PANEL"
  xdotool key ctrl+q
  wait_exit 8
done <<'EOT'
panel-top-4e10 QV_RT=4e10
panel-top--4e10 QV_RT=-4e10
panel-top-1e300 QV_RT=1e300
panel-left-4e10 QV_RL=4e10
video-left-nan QV_VL=nan
video-top-inf QV_VT=inf
video-1e30--1e30 QV_VL=1e30 QV_VT=-1e30
EOT
echo "positions kept across a restart on the second screen; out-of-reach positions placed on a screen"
