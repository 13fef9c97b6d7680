# The tray under a window manager and a tray host: the panel goes to the
# tray and comes back where it was by a double-click or the context click
# on the icon, not by a single click; the zoom strip comes back when it was
# open, and stays closed when it was not.
source "$(dirname "$0")/lib.sh" "$@"

start_desktop tray
make_clip
store Splash=no Autostart=yes
start_player "$CLIP"
wait_windows
geometry "$PANEL"
px=$X py=$Y

panel_shown() { has_window 'Quilvane Ryn' && [ "$(find_window 'Quilvane Ryn')" = "$PANEL" ]; }
panel_gone() { ! panel_shown; }
zoom_shown() { has_window 'Quilvane Zoom options'; }
zoom_gone() { ! zoom_shown; }
no_tray_icon() { ! tray_icon; }

to_tray() {
  point $((px + 243)) $((py + 6)) # the tray hot spot
  xdotool click 1
  poll 5 panel_gone || fail "the panel did not go to the tray"
  poll 5 tray_icon || fail "no icon in the tray"
}

# round_trip HOW ZOOM: to the tray with the zoom strip open (yes) or not, back by HOW.
round_trip() {
  if [ "$2" = yes ]; then
    point $((px + 221)) $((py + 96)) # the zoom switch
    xdotool click 1
    poll 5 zoom_shown || fail "no zoom strip appeared"
  fi
  to_tray
  zoom_gone || fail "the zoom strip stayed when the panel went to the tray"
  shot "in-tray-$1"
  point "$ICON_X" "$ICON_Y"
  case $1 in
  double-click) xdotool click --repeat 2 --delay 120 1 ;;
  context-click) xdotool click 3 ;;
  esac
  poll 5 panel_shown || fail "a $1 on the tray icon did not bring the panel back"
  poll 5 near "$PANEL" "$px" "$py" || fail "the panel came back at $X,$Y, not $px,$py"
  if [ "$2" = yes ]; then
    poll 5 zoom_shown || fail "the zoom strip did not come back with the panel"
    poll 5 near "$(find_window 'Quilvane Zoom options')" $((px - 87)) "$py" || fail "the zoom strip came back away from the panel"
  else
    holds 1 zoom_gone || fail "the zoom strip came back though it was closed"
  fi
  poll 5 no_tray_icon || fail "the tray icon stayed when the panel came back"
  shot "back-$1"
}

round_trip double-click yes
point $((px + 221)) $((py + 96)) # the zoom strip closed again
xdotool click 1
poll 5 zoom_gone || fail "the zoom switch did not close the zoom strip"
round_trip context-click no

# A single click does nothing.
to_tray
point "$ICON_X" "$ICON_Y"
xdotool click 1
holds 1.5 panel_gone || fail "a single click on the tray icon brought the panel back"
point "$ICON_X" "$ICON_Y"
xdotool click --repeat 2 --delay 120 1
poll 5 panel_shown || fail "a double-click after a single one did not bring the panel back"
echo "to the tray and back by double-click and context click, panel in place, zoom strip as it was"
