# A clip on a bare X server: the 274 x 113 panel, a moving picture and its
# subtitles show; Ctrl+Q, SIGTERM, SIGINT and SIGHUP end the run with status
# 0 and save what quit saves; a start-up box shows centred over the panel;
# with the store locked quit ends all the same and names what it lost.
# Usage: quit.sh PLAYER REGTOOL STORE_WRITER
source "$(dirname "$0")/lib.sh" "$1" "$2"
WRITER=$3
# No session bus: the player runs as ever and says nothing of it.
export DBUS_SESSION_BUS_ADDRESS=unix:path=$WORK/no-bus
make_clip
# At 25 frames a second: "short" for 10 s, then a much wider line from 13 s.
printf '{0}{250}short\n{325}{1500}a much longer line of subtitles\n' >"$WORK/clip.sub"
KEEP=(Splash=no Windowpos=yes RememberPlayer=yes Autostart=yes useSubs=yes)

# text_within MIN MAX: what is not black in the subtitle window is MIN..MAX pixels wide.
text_within() {
  import -silent -window "$SUBS" "$WORK/subs.png" 2>/dev/null &&
    WIDE=$(convert "$WORK/subs.png" -fuzz 25% -trim -format %w info: 2>/dev/null) && ((WIDE >= $1 && WIDE <= $2))
}

for how in ctrl+q TERM INT HUP; do
  fresh_store "${KEEP[@]}"
  start_player "$CLIP"
  wait_windows
  wait_playing
  if [ "$how" = ctrl+q ]; then
    sized "$PANEL" 274 113 || fail "the panel is $WIDTH x $HEIGHT, not 274 x 113"
    await SUBS Subtitles
    poll text_within 10 2000 || fail "the first subtitle did not show (${WIDE:-?} wide)"
    short=$WIDE
    focus "$PANEL"
    xdotool key b b b # fifteen seconds on: the wide line
    poll text_within $((short * 2)) 2000 || fail "the second subtitle did not show after seeking ($WIDE wide, first $short)"
  fi
  geometry "$PANEL" && px=$X py=$Y
  geometry "$VIDEO" && vx=$X vy=$Y
  if [ "$how" = ctrl+q ]; then quit_player; else kill -s "$how" "$PID" && wait_exit; fi
  [ "$RC" = 0 ] || fail "the player ended with status $RC on $how"
  # The windows' places at quit, at 15 twips a pixel, and a player state of all off.
  expect_stored "$how" QV_RL=$((px * 15)) QV_RT=$((py * 15)) QV_VL=$((vx * 15)) QV_VT=$((vy * 15)) \
    RMP_Mute=no RMP_Repeat=no RMP_PBView=no
done
! grep -qi 'd-\?bus' "$WORK/player.log" || fail "without a bus the player spoke of it"

# A box at start waits for the panel's place and shows centred over it.
fresh_store Splash=no
start_player "$WORK/missing.mpg"
await BOX 'Fatal error'
await PANEL 'Quilvane Ryn'
geometry "$PANEL" && centre=$((X + WIDTH / 2))
geometry "$BOX" && (((X + WIDTH / 2 - centre) ** 2 <= 4)) || fail "the box ($X,$Y $WIDTH x $HEIGHT) is not centred over the panel (centre $centre)"
kill -s TERM "$PID"
wait_exit
[ "$RC" = 0 ] || fail "the player ended with status $RC on SIGTERM during the start-up box"

# A quit that must not hang: it ends while the lock is still held, which is
# until this script lets go. (bench/ measures how long it takes.)
fresh_store "${KEEP[@]}"
"$REG" export >"$WORK/before.reg"
start_player "$CLIP"
wait_windows
wait_playing
mkfifo "$WORK/hold"
exec 7<>"$WORK/hold" # the hold ends when this closes
"$WRITER" hold <"$WORK/hold" >"$WORK/holder.out" 2>&1 7>&- &
HOLDER=$!
locked() { [ "$(cat "$WORK/holder.out" 2>/dev/null)" = locked ]; }
poll locked || fail "the store could not be locked: $(cat "$WORK/holder.out")"
quit_player
kill -0 "$HOLDER" || fail "the lock ended before quit did"
want='quilvane-ryn: the store is busy; not saved: QV_RT, QV_RL, QV_VT, QV_VL, RMP_Mute, RMP_Repeat, RMP_PBView, RMP_Volume, Recent'
grep -qxF "$want" "$WORK/player.log" || fail "standard error does not say: $want"
exec 7>&-
wait "$HOLDER" || fail "the lock holder failed: $(cat "$WORK/holder.out")"
"$REG" export | cmp -s "$WORK/before.reg" - || fail "the store changed although it was locked"
echo "subtitles $short then $WIDE pixels wide; Ctrl+Q, SIGTERM, SIGINT, SIGHUP saved; quit with the store locked"
