# Under a window manager: the video window, the zoom strip and the subtitle
# window have no task-bar button and leave the focus on the panel; Ctrl+A
# puts the panel and the video window into the top-most band and takes them
# out; the video window is dragged by its top edge, its picture and (right
# button) its surface but not by the right button on its top edge; its grip
# resizes it down to its limits; the zoom strip follows a dragged panel.
source "$(dirname "$0")/lib.sh" "$@"

start_desktop
make_clip
printf '{0}{750}Quilvane\n' >"${CLIP%.mpg}.sub"
store Splash=no useSubs=yes
start_player "$CLIP"
poll 15 has_window 'Quilvane Ryn' || fail "no panel appeared"
PANEL=$(find_window 'Quilvane Ryn')
poll 10 has_window 'Subtitles' || fail "no subtitle window appeared"
SUBS=$(find_window 'Subtitles')
poll 5 focused_on "$PANEL" || fail "the panel did not get the focus"

# Each helper window appears while the panel has the focus, and leaves it there.
xdotool key x # play: the video window appears
poll 10 has_window 'Quilvane ' || fail "no video window appeared on X"
VIDEO=$(find_window 'Quilvane ')
wait_playing
focused_on "$PANEL" || fail "the video window took the focus when it appeared"

geometry "$PANEL"
point $((X + 221)) $((Y + 96)) # the zoom switch
xdotool click 1
poll 5 has_window 'Quilvane Zoom options' || fail "no zoom strip appeared"
ZOOM=$(find_window 'Quilvane Zoom options')
focused_on "$PANEL" || fail "the zoom strip took the focus when it appeared"

# Closed by the desktop, the subtitle window comes back at a tick of the
# clock, which stands while playback is paused.
xdotool key space
focus "$SUBS"
xdotool key alt+F4
poll 5 no_window 'Subtitles' || fail "the subtitle window did not close on Alt+F4"
focus "$PANEL"
xdotool key space
poll 5 has_window 'Subtitles' || fail "the subtitle window did not come back"
SUBS=$(find_window 'Subtitles')
focused_on "$PANEL" || fail "the subtitle window took the focus when it came back"
shot helpers

for window in VIDEO ZOOM SUBS; do
  poll 5 has_state "${!window}" SKIP_TASKBAR || fail "the $window window has a task-bar button ($(states "${!window}"))"
done
lacks_state "$PANEL" SKIP_TASKBAR || fail "the panel has no task-bar button"
[[ "$(xprop -id "$PANEL" _NET_WM_ICON)" == *'Icon (32 x 32)'* ]] || fail "the panel has no 32 x 32 icon"

# Ctrl+A: into the band at the clock's next tick, out of it at once.
xdotool key ctrl+a
poll 5 has_state "$PANEL" ABOVE || fail "Ctrl+A did not put the panel on top ($(states "$PANEL"))"
poll 5 has_state "$VIDEO" ABOVE || fail "Ctrl+A did not put the video window on top ($(states "$VIDEO"))"
shot on-top
xdotool key ctrl+a
poll 5 lacks_state "$PANEL" ABOVE || fail "a second Ctrl+A left the panel on top"
poll 5 lacks_state "$VIDEO" ABOVE || fail "a second Ctrl+A left the video window on top"

# Drags of the video window.
geometry "$VIDEO"
vw=$WIDTH vh=$HEIGHT
drag 1 "$VIDEO" 100 3 60 40 || fail "a drag by the top edge did not move the video window"
geometry "$VIDEO"
vx=$X vy=$Y
point $((vx + 600)) $((vy + 500))
stays "$VIDEO" "$vx" "$vy" 1 || fail "the video window moved on after the top edge was let go"

drag 1 "$VIDEO" $((vw / 2)) $((vh / 2)) -50 30 || fail "a drag by the picture did not move the video window"
geometry "$VIDEO"
vx=$X vy=$Y

press 3 $((vx + 100)) $((vy + 3)) # the right button on the top edge
glide 40 40
stays "$VIDEO" "$vx" "$vy" 1 || fail "the right button on the top edge moved the video window"
release 3

# The window's surface shows in a one-pixel column right of the picture.
drag 3 "$VIDEO" $((vw - 1)) $((vh / 2)) 30 -20 0 || fail "the right button on the window's surface did not move it"
point $((vx + 300)) $((vy + 300))
stays "$VIDEO" $((vx + 30)) $((vy - 20)) 1 || fail "the video window followed the pointer after the right button was let go"
shot dragged

# The grip: its top-left corner follows the pointer. Larger, then towards
# the window's top-left corner past its limits (wider than the grip, higher
# than the top edge and the grip), then back.
geometry "$VIDEO"
vx=$X vy=$Y vw=$WIDTH vh=$HEIGHT
press 1 $((vx + vw - 13)) $((vy + vh - 13))
glide 80 50
poll 5 sized "$VIDEO" $((vw + 80)) $((vh + 50)) || fail "the grip did not resize the video window ($WIDTH x $HEIGHT)"
point $((vx + 40)) $((vy + 45))
poll 5 sized "$VIDEO" 53 58 || fail "the grip did not shrink the video window ($WIDTH x $HEIGHT)"
for i in $(seq 1 45); do point $((vx + 40 - i)) $((vy + 45 - i)); done
at_limit() { geometry "$VIDEO" && { [ "$WIDTH" = 14 ] || [ "$HEIGHT" = 21 ]; }; }
poll 5 at_limit || fail "the grip did not take the video window to its limits ($WIDTH x $HEIGHT)"
[ "$WIDTH" -ge 14 ] && [ "$HEIGHT" -ge 21 ] || fail "past its limits the video window became $WIDTH x $HEIGHT"
shot grip-limit
point $((vx + 300)) $((vy + 200))
poll 5 sized "$VIDEO" 313 213 || fail "from its limits the grip did not enlarge the video window ($WIDTH x $HEIGHT)"
release 1

# The zoom strip follows the panel, dragged by its credit line.
geometry "$ZOOM"
zw=$WIDTH
drag 1 "$PANEL" 140 7 70 90 || fail "a drag by the credit line did not move the panel"
geometry "$PANEL"
poll 5 near "$ZOOM" $((X - zw)) "$Y" || fail "the zoom strip did not follow the panel to $((X - zw)),$Y"
shot zoom-follows
echo "no task-bar buttons but the panel's, focus kept, on-top band, drags, grip and zoom strip under openbox"
