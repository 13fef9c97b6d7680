# Two screens side by side (one wide X screen split in two monitors) under
# a window manager: windows quit on the second screen come back there;
# stored coordinates no window could be reached at give every window a
# place on a screen.
source "$(dirname "$0")/lib.sh" "$@"

xrandr --setmonitor left 1280/338x1024/270+0+0 screen >/dev/null &&
  xrandr --setmonitor right 1280/338x1024/270+1280+0 none >/dev/null ||
  fail "could not split the screen in two monitors"
[ "$(xrandr --listmonitors | head -n 1)" = "Monitors: 2" ] || fail "not two monitors: $(xrandr --listmonitors)"
start_desktop
make_clip
store Splash=no Windowpos=yes Autostart=yes
start_player "$CLIP"
wait_windows
drag 1 "$PANEL" 140 7 1100 300 || fail "the panel could not be dragged by its credit line to the second screen"
drag 1 "$VIDEO" 100 3 150 200 || fail "the video window could not be dragged by its top edge"
quit_player
px=$(($(stored QV_RL) / 15)) py=$(($(stored QV_RT) / 15)) vx=$(($(stored QV_VL) / 15)) vy=$(($(stored QV_VT) / 15))
((px >= 1280)) || fail "the panel was not kept on the second screen ($px,$py)"
start_player "$CLIP"
wait_windows
poll near "$PANEL" "$px" "$py" || fail "the panel came back at $X,$Y, not $px,$py on the second screen"
poll near "$VIDEO" "$vx" "$vy" || fail "the video window came back at $X,$Y, not $vx,$vy"
shot restarted
quit_player

# on_a_screen WINDOW: the window lies wholly on one of the two screens.
on_a_screen() {
  geometry "$1"
  ((Y >= 0 && Y + HEIGHT <= 1024 && ((X >= 0 && X + WIDTH <= 1280) || (X >= 1280 && X + WIDTH <= 2560))))
}
# "Ontop" shows the video window without a file.
for values in QV_RT=4e10 QV_RL=-4e10 QV_VL=nan "QV_VL=1e30 QV_VT=-1e30"; do
  # shellcheck disable=SC2086 # name=value pairs
  store Autostart=no Ontop=yes QV_RL=1500 QV_RT=1500 QV_VL=4500 QV_VT=6000 $values
  start_player
  wait_windows
  for window in PANEL VIDEO; do
    on_a_screen "${!window}" || fail "with $values the $window window lies at $X,$Y ($WIDTH x $HEIGHT), off the screens"
  done
  quit_player
done
echo "positions kept across a restart on the second screen; out-of-reach positions placed on a screen"
