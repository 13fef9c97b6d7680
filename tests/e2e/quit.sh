# Space on the panel pauses the playing clip; Ctrl+Q then ends the player with
# status 0 and the store holds the window positions and the player state.
source "$(dirname "$0")/lib.sh" "$@"

make_clip
store Splash=no Windowpos=yes RememberPlayer=yes Autostart=yes
start_player "$CLIP"
wait_windows
wait_playing

focus "$PANEL"
xdotool key space
poll 3 picture_still || fail "the picture still changes after Space on the panel"
sleep 1
grab "$WORK/later.png"
same_picture "$WORK/still-b.png" "$WORK/later.png" || fail "the paused picture changed a second later"

window_places

xdotool key ctrl+q
wait_exit 8
[ "$RC" = 0 ] || fail "the player ended with status $RC after Ctrl+Q"

# The positions are the windows' own at quit.
expect_saved_at_quit quit
echo "paused, quit with status 0; store: $("$REG" list "$KEY" | tr '\n' ' ')"
