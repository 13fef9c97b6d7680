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

geometry "$PANEL"
panel_x=$X panel_y=$Y
geometry "$VIDEO"
video_x=$X video_y=$Y

xdotool key ctrl+q
wait_exit 8
[ "$RC" = 0 ] || fail "the player ended with status $RC after Ctrl+Q"

# At 96 dpi a pixel is 15 twips; the positions are the windows' own at quit.
fails=0
while read -r name want; do
  got=$(stored "$name") || got="(missing)"
  if [ "$got" != "$want" ]; then
    echo "\"$name\" = \"$got\", expected \"$want\"" >&2
    fails=1
  fi
done <<EOT
QV_RL $((panel_x * 15))
QV_RT $((panel_y * 15))
QV_VL $((video_x * 15))
QV_VT $((video_y * 15))
RMP_Mute no
RMP_Repeat no
RMP_PBView no
EOT
[ "$fails" = 0 ] || fail "the store after quit holds the wrong values"
echo "paused, quit with status 0; store: $("$REG" list "$KEY" | tr '\n' ' ')"
