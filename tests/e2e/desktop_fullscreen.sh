# Full screen under a window manager: Alt+Enter, a double-click on the
# picture and "full" in the zoom strip make the video window full screen,
# Alt+Enter and Esc bring it back where it was; with nothing loaded neither
# Alt+Enter nor "full" turns an empty window full screen.
source "$(dirname "$0")/lib.sh" "$@"

start_desktop
make_clip
SCREEN_W=1280 SCREEN_H=1024

# The window covers the screen and the picture spans it: the skin's colour
# shows neither in the middle nor near the right edge half-way down.
SKIN=$(convert xc:'rgb(31,27,37)' -format '%[pixel:p{0,0}]' info:)
pixel() { import -silent -window root -crop "1x1+$1+$2" +repage -format '%[pixel:p{0,0}]' info:; }
picture_spans() {
  [ "$(pixel $((SCREEN_W / 2)) $((SCREEN_H / 2)))" != "$SKIN" ] &&
    [ "$(pixel $((SCREEN_W - 20)) $((SCREEN_H / 2)))" != "$SKIN" ]
}
full_screen() {
  has_state "$VIDEO" FULLSCREEN && near "$VIDEO" 0 0 && sized "$VIDEO" "$SCREEN_W" "$SCREEN_H" && picture_spans
}
windowed() { lacks_state "$VIDEO" FULLSCREEN && near "$VIDEO" "$vx" "$vy" && sized "$VIDEO" "$vw" "$vh"; }
video_hidden() { no_window 'Quilvane '; }
no_full_screen() {
  local w
  for w in $(xdotool search --name '^Quilvane' 2>/dev/null); do
    ! has_state "$w" FULLSCREEN || return 1
  done
}

# Nothing loaded: a file the engine refuses leaves the zoom strip open (the
# player state remembers it) and no file behind it.
printf 'not a video at all' >"$WORK/garbage.mpg"
store Splash=no RememberPlayer=yes RMP_PBView=yes
start_player "$WORK/garbage.mpg"
poll 15 has_window 'Error' || fail "no error for a file the engine refuses"
focus "$(find_window 'Error')"
xdotool key Return
poll 5 no_window 'Error' || fail "the error box did not close"
poll 5 has_window 'Quilvane Zoom options' || fail "the remembered zoom strip did not open"
ZOOM=$(find_window 'Quilvane Zoom options')
PANEL=$(find_window 'Quilvane Ryn')
focus "$ZOOM"
xdotool key f # "full"
holds 1.5 no_full_screen || fail "\"full\" with nothing loaded made a window full screen"
focus "$PANEL"
xdotool key alt+Return
holds 1.5 no_full_screen || fail "Alt+Enter with nothing loaded made a window full screen"
holds 0.5 video_hidden || fail "the empty video window showed"
shot nothing-loaded
xdotool key ctrl+q
wait_exit 8

# A file playing.
store Autostart=yes RMP_PBView=no
start_player "$CLIP"
wait_windows
wait_playing
focus "$PANEL"
xdotool key space # paused: the picture stays, and stops taking the processor
poll 3 picture_still || fail "the picture still changes after Space"
geometry "$VIDEO"
vx=$X vy=$Y vw=$WIDTH vh=$HEIGHT

focus "$PANEL"
xdotool key alt+Return
poll 5 full_screen || fail "Alt+Enter did not make the video window full screen ($(states "$VIDEO"), $X,$Y $WIDTH x $HEIGHT)"
shot alt-enter
poll 5 focused_on "$VIDEO" || fail "the full-screen video window did not get the keyboard"
xdotool key alt+Return
poll 5 windowed || fail "Alt+Enter did not bring the video window back ($X,$Y $WIDTH x $HEIGHT)"

point $((vx + vw / 2)) $((vy + vh / 2))
xdotool click --repeat 2 --delay 120 1
poll 5 full_screen || fail "a double-click on the picture did not make it full screen ($(states "$VIDEO"))"
shot double-click
poll 5 focused_on "$VIDEO" || fail "the full-screen video window did not get the keyboard"
xdotool key Escape
poll 5 windowed || fail "Esc did not bring the video window back ($X,$Y $WIDTH x $HEIGHT)"

focus "$PANEL"
geometry "$PANEL"
point $((X + 221)) $((Y + 96)) # the zoom switch
xdotool click 1
poll 5 has_window 'Quilvane Zoom options' || fail "no zoom strip appeared"
ZOOM=$(find_window 'Quilvane Zoom options')
# choose_full KEYS LEAVE: keys in the zoom strip's list choose "full"; LEAVE brings the window back.
choose_full() {
  focus "$ZOOM"
  xdotool key $1
  poll 5 full_screen || fail "\"full\" did not make the video window full screen ($(states "$VIDEO"))"
  shot "full-then-$2"
  poll 5 focused_on "$VIDEO" || fail "the full-screen video window did not get the keyboard"
  xdotool key "$2"
  poll 5 windowed || fail "$2 after \"full\" did not bring the video window back ($X,$Y $WIDTH x $HEIGHT)"
}
choose_full f Escape
# The list acts on a change of choice: off "full" to the separator below it, then back.
choose_full "Down f" alt+Return
echo "full screen in and out by Alt+Enter, double-click, \"full\", Esc; none with nothing loaded"
