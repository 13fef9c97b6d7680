# The desktop's media controls on a private bus (run under dbus-run-session):
# playerctl finds the playing player, pauses it, seeks it, sets its volume
# and stops it; a quit through the bus ends it with status 0 and saves the volume.
# Three files on the command line play in turn; next and previous go through
# them; rate and loop status are set; a URI opened through the bus plays.
source "$(dirname "$0")/lib.sh" "$@"

make_clip
store Splash=no Autostart=yes RememberPlayer=yes
mpris() { playerctl --player=quilvane_ryn "$@" 2>/dev/null; }
# reads WANT ARGS...: `playerctl ARGS` prints WANT; expect waits for it.
reads() { [ "$(mpris "${@:2}")" = "$1" ]; }
expect() { poll reads "$@" || fail "playerctl ${*:2} reads \"$(mpris "${@:2}")\", not \"$1\""; }
bus() { dbus-send --session --print-reply --dest=org.mpris.MediaPlayer2.quilvane_ryn /org/mpris/MediaPlayer2 "$@"; }
PLAYER_IFACE=org.mpris.MediaPlayer2.Player
rate() { bus org.freedesktop.DBus.Properties.Get string:$PLAYER_IFACE string:Rate | awk 'END { print $NF }'; }
rate_is() { [ "$(rate)" = "$1" ]; }
knows_length() { [ -n "$(mpris metadata mpris:length)" ]; }
near_ten() { awk -v p="$(mpris position)" 'BEGIN { exit !(p >= 9.9 && p < 10.6) }'; }

start_player "$CLIP"
wait_windows
expect Playing status
expect clip.mpg metadata xesam:title
mpris play-pause
expect Paused status
poll knows_length || fail "no length in the metadata: the clip cannot be sought in"
mpris position 10
poll near_ten || fail "the position reads $(mpris position) after \"position 10\""
mpris volume 0.4
expect 0.400000 volume
mpris stop
expect Stopped status

bus org.mpris.MediaPlayer2.Quit >/dev/null || fail "Quit through the bus was refused"
wait_exit
[ "$RC" = 0 ] || fail "the player ended with status $RC after Quit through the bus"
expect_stored "Quit through the bus" RMP_Volume=40
for name in a b c; do make_clip "$name.mpg" 352x240 25 mpeg1video 2; done
make_clip d.mpg
start_player "$WORK/a.mpg" "$WORK/b.mpg" "$WORK/c.mpg"
wait_windows
expect a.mpg metadata xesam:title
expect b.mpg metadata xesam:title # a's end opens the next one
expect Playing status
expect c.mpg metadata xesam:title
poll reads Stopped status || fail "the last file did not stop at its end"
mpris previous
expect b.mpg metadata xesam:title
mpris next
expect c.mpg metadata xesam:title
mpris open "file://$WORK/d.mpg"
expect d.mpg metadata xesam:title
expect Playing status
mpris loop Track
expect Track loop
mpris loop None
expect None loop
for rate in 1.5 1; do
  bus org.freedesktop.DBus.Properties.Set string:$PLAYER_IFACE string:Rate variant:double:$rate >/dev/null ||
    fail "setting Rate to $rate was refused"
  poll rate_is "$rate" || fail "Rate reads $(rate), not $rate"
done
quit_player
echo "driven by playerctl on a private bus; store: $("$REG" list "$KEY" | tr '\n' ' ')"
