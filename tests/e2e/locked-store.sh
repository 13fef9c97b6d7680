# Another program holds the store's write lock for 5 s: Ctrl+Q still ends the
# playing player within a second, with status 0, and standard error names
# the values it could not save; the store is left as it was.
# Usage: locked-store.sh PLAYER REGTOOL STORE_WRITER
source "$(dirname "$0")/lib.sh" "$1" "$2"
WRITER=$3
# The sanitizers' exit work (the leak check) is not part of quit.
LIMIT_MS=${QR_QUIT_LIMIT_MS:-1000}

make_clip
store Splash=no Windowpos=yes RememberPlayer=yes Autostart=yes
"$REG" export >"$WORK/before.reg"
start_player "$CLIP"
wait_windows
wait_playing
focus "$PANEL"

# The holder's standard input stays open (fd 7), so only its 5 s end the hold.
mkfifo "$WORK/hold-input"
exec 7<>"$WORK/hold-input"
"$WRITER" hold 5000 <"$WORK/hold-input" >"$WORK/holder.out" 2>&1 &
HOLDER=$!
locked() { grep -qx locked "$WORK/holder.out"; }
poll 10 locked || fail "the store could not be locked: $(cat "$WORK/holder.out")"

start=$(now_us)
xdotool key ctrl+q
while kill -0 "$PID" 2>/dev/null; do
  [ $(($(now_us) - start)) -lt 5000000 ] || fail "the player is still running 5 s after Ctrl+Q"
  sleep 0.02
done
took_ms=$((($(now_us) - start) / 1000))
RC=0
wait "$PID" || RC=$?
PID=
[ "$RC" = 0 ] || fail "the player ended with status $RC"
[ "$took_ms" -lt "$LIMIT_MS" ] || fail "quit took $took_ms ms with the store locked"
want='quilvane-ryn: the store is busy; not saved: QV_RT, QV_RL, QV_VT, QV_VL, RMP_Mute, RMP_Repeat, RMP_PBView, RMP_Volume, Recent'
grep -qxF "$want" "$WORK/player.log" || fail "standard error does not say: $want"

wait "$HOLDER" || fail "the lock holder failed: $(cat "$WORK/holder.out")"
exec 7>&-
"$REG" export >"$WORK/after.reg"
cmp -s "$WORK/before.reg" "$WORK/after.reg" || fail "the store changed although it was locked"
echo "quit with the store locked: status 0 after $took_ms ms; $want"
