# SIGTERM, SIGINT and SIGHUP end a playing player through quit: status 0 and
# the store holds what quit saves. One that comes while a start-up message
# box waits ends the player too, and saves nothing: no window was placed.
source "$(dirname "$0")/lib.sh" "$@"

make_clip
for sig in TERM INT HUP; do
  fresh_store Splash=no Windowpos=yes RememberPlayer=yes Autostart=yes
  start_player_signals "$CLIP"
  wait_windows
  wait_playing
  window_places
  kill -s "$sig" "$PID"
  wait_exit 8
  [ "$RC" = 0 ] || fail "the player ended with status $RC on SIG$sig"
  expect_saved_at_quit "SIG$sig"
done

fresh_store Splash=no Windowpos=yes RememberPlayer=yes RMP_Mute=yes
"$REG" export >"$WORK/before.reg"
start_player_signals "$WORK/missing.mpg"
poll 15 has_window 'Fatal error' || fail "no \"Fatal error\" box for a missing file"
kill -s TERM "$PID"
wait_exit 8
[ "$RC" = 0 ] || fail "the player ended with status $RC on SIGTERM during the start-up box"
"$REG" export >"$WORK/after.reg"
cmp -s "$WORK/before.reg" "$WORK/after.reg" || fail "SIGTERM before the windows were placed changed the store"
echo "SIGTERM, SIGINT and SIGHUP: status 0, quit's values saved; during the start-up box: status 0, store unchanged"
