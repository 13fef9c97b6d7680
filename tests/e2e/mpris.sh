# The desktop's media controls: without a session bus the player starts and
# quits as ever and says nothing of it; on a private bus (run under
# dbus-run-session) playerctl reads and drives it, and a quit through the bus
# saves what quit saves, the volume included.
source "$(dirname "$0")/lib.sh" "$@"

make_clip
SECOND=$WORK/second.mpg
cp "$CLIP" "$SECOND"
store Splash=no Autostart=yes RememberPlayer=yes

# ---- no bus --------------------------------------------------------------
DBUS_SESSION_BUS_ADDRESS=unix:path=$WORK/no-bus start_player "$CLIP"
wait_windows
focus "$PANEL"
xdotool key ctrl+q
wait_exit 8
[ "$RC" = 0 ] || fail "without a bus the player ended with status $RC"
! grep -qi 'd-\?bus' "$WORK/player.log" || fail "without a bus the player spoke of it"

# ---- on the bus ----------------------------------------------------------
mpris() { playerctl --player=quilvane_ryn "$@" 2>/dev/null; }
# reads WANT ARGS...: true when `playerctl ARGS` prints WANT.
reads() {
  local want=$1
  shift
  [ "$(mpris "$@")" = "$want" ]
}
# expect WANT ARGS...: waits for it, or fails saying what was read instead.
expect() {
  poll 5 reads "$@" || fail "playerctl $(echo "${@:2}") reads \"$(mpris "${@:2}")\", expected \"$1\""
}
knows_length() { [ -n "$(mpris metadata mpris:length)" ]; }
near_ten() { awk -v p="$(mpris position)" 'BEGIN { exit !(p >= 9.9 && p < 10.6) }'; }

start_player "$CLIP"
wait_windows
poll 10 reads Playing status || fail "the player did not show up on the bus as Playing (status: \"$(mpris status)\")"
expect clip.mpg metadata xesam:title
expect "file://$CLIP" metadata xesam:url

mpris play-pause
expect Paused status
poll 5 knows_length || fail "no length in the metadata: the clip cannot be sought in"
mpris position 10
poll 5 near_ten || fail "the position reads $(mpris position) after \"position 10\""
POSITION=$(mpris position)

mpris volume 0.4
expect 0.400000 volume
# The keys and the wheel step the same volume.
focus "$PANEL"
xdotool key Up
expect 0.450000 volume
geometry "$PANEL"
xdotool mousemove $((X + WIDTH / 2)) $((Y + 40)) click 5
expect 0.400000 volume

mpris open "file://$SECOND"
expect second.mpg metadata xesam:title
expect Playing status
expect 0.400000 volume # a volume chosen in the run outlasts the next file
[ "$(mpris metadata mpris:trackid)" != "'/example/tarvell/QuilvaneRyn/Track/1'" ] ||
  fail "the second clip kept the first one's track id"

mpris stop
expect Stopped status

dbus-send --session --print-reply --dest=org.mpris.MediaPlayer2.quilvane_ryn \
  /org/mpris/MediaPlayer2 org.mpris.MediaPlayer2.Quit >/dev/null || fail "Quit through the bus was refused"
wait_exit 8
[ "$RC" = 0 ] || fail "the player ended with status $RC after Quit through the bus"

expect_stored "Quit through the bus" <<EOT
RMP_Volume 40
RMP_Mute no
RMP_Repeat no
RMP_PBView no
EOT
echo "driven by playerctl on a private bus (position 10 read $POSITION); store: $("$REG" list "$KEY" | tr '\n' ' ')"
