# Shared by the end-to-end scripts: a private store and home, a generated
# clip, the player started and its windows found, grabbed, driven and quit;
# for the desktop scripts a window manager, a tray host, drags and states.
# Every wait is on an event, bounded by PATIENCE seconds.
# Usage from a script: source lib.sh PLAYER REGTOOL
set -euo pipefail
PLAYER=$1 REG=$2 PATIENCE=30
KEY='HKEY_LOCAL_MACHINE\Software\Tarvell\Quilvane\Ryn'
WORK=$(mktemp -d "${TMPDIR:-/tmp}/qr-e2e.XXXXXX")
# Keep the player's store, per-user settings and runtime files out of the real home.
export QUILVANE_RYN_REGISTRY=$WORK/registry.db HOME=$WORK XDG_CONFIG_HOME=$WORK/config XDG_RUNTIME_DIR=$WORK/run
mkdir -m 700 "$XDG_RUNTIME_DIR"
PID= PANEL= VIDEO= HELPERS=() # HELPERS: the window manager and the tray host
# Screenshots to look at after a failure: e2e-shots/TEST in the build folder.
SHOTS=${QR_E2E_SHOTS:-$WORK/shots}
rm -rf -- "$SHOTS" && mkdir -p -- "$SHOTS"
cleanup() {
  for p in $PID "${HELPERS[@]}"; do kill "$p" 2>/dev/null && wait "$p" 2>/dev/null || true; done
  rm -rf "$WORK"
}
trap cleanup EXIT

# shot NAME [WINDOW]: the whole screen, or one window, as SHOTS/NAME.png.
shot() { import -silent -window "${2:-root}" -quality 10 "$SHOTS/$1.png" 2>/dev/null || echo "(no screenshot $1)" >&2; }
fail() {
  [ -z "${DISPLAY:-}" ] || { shot failure && echo "screenshots: $SHOTS" >&2; }
  echo "FAIL: $*" >&2
  [ ! -s "$WORK/player.log" ] || { echo "--- player output:" >&2 && cat "$WORK/player.log" >&2; }
  exit 1
}
[ -z "${DISPLAY:-}" ] || xdpyinfo >/dev/null 2>&1 || fail "X display $DISPLAY cannot be reached"

now_us() { echo "${EPOCHREALTIME//[!0-9]/}"; }
not() { ! "$@"; }
# poll COMMAND...: true as soon as COMMAND is, false after PATIENCE seconds;
# fails at once when the player died.
poll() {
  local deadline=$(($(now_us) + PATIENCE * 1000000))
  until "$@"; do
    [ -z "$PID" ] || kill -0 "$PID" 2>/dev/null || fail "the player ended while waiting for: $*"
    [ "$(now_us)" -lt "$deadline" ] || return 1
    sleep 0.1
  done
}
# holds SECONDS COMMAND...: COMMAND stays true that long. What must not
# happen is watched for a while: a slow machine can only make this pass.
holds() { ! PATIENCE=$1 poll not "${@:2}"; }

# make_clip [NAME SIZE RATE CODEC SECONDS]: a moving test pattern with sound,
# long enough never to end during a test, so a still picture means a pause.
make_clip() {
  CLIP=$WORK/${1:-clip.mpg}
  local d=duration=${5:-60}
  ffmpeg -nostdin -hide_banner -loglevel error -f lavfi -i "testsrc2=size=${2:-352x240}:rate=${3:-25}:$d" \
    -f lavfi -i "sine=$d" -c:v "${4:-mpeg1video}" -q:v 4 -c:a mp2 -shortest "$CLIP" || fail "ffmpeg made no $CLIP"
}

# store NAME=DATA...: create the settings key and write the values.
store() {
  "$REG" create "$KEY" || fail "could not create the settings key"
  for kv in "$@"; do "$REG" set "$KEY" "${kv%%=*}" "${kv#*=}" || fail "could not set $kv"; done
}
fresh_store() { rm -f "$QUILVANE_RYN_REGISTRY"* && store "$@"; }
stored() { "$REG" get "$KEY" "$1" 2>/dev/null; }
# expect_stored WHEN NAME=DATA...: the store holds each value.
expect_stored() {
  local got bad=
  for kv in "${@:2}"; do
    got=$(stored "${kv%%=*}") || got="(missing)"
    [ "$got" = "${kv#*=}" ] || bad+=" ${kv%%=*}=\"$got\" (not \"${kv#*=}\")"
  done
  [ -z "$bad" ] || fail "after $1 the store holds$bad"
}

# start_player ARGS...: SIGINT, SIGHUP and SIGTERM at their defaults (a
# background job of a script ignores SIGINT); PLAYER_AS may run it as another user.
start_player() {
  ${PLAYER_AS[@]+"${PLAYER_AS[@]}"} env --default-signal=INT,HUP,TERM "$PLAYER" "$@" >"$WORK/player.log" 2>&1 &
  PID=$!
}
# find_window TITLE: the id of the mapped window with exactly that title.
find_window() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1; }
has_window() { [ -n "$(find_window "$1")" ]; }
# await VAR TITLE: waits for the window and sets VAR to its id.
await() { poll has_window "$2" || fail "no window \"$2\" appeared"; printf -v "$1" %s "$(find_window "$2")"; }
wait_windows() { await PANEL 'Quilvane Ryn' && await VIDEO 'Quilvane '; }
# wait_exit: sets RC to the player's exit status.
wait_exit() {
  local p=$PID
  PID=
  poll not kill -0 "$p" 2>/dev/null || { PID=$p && fail "the player is still running $PATIENCE s after quit"; }
  RC=0
  wait "$p" || RC=$?
}
focused_on() { [ "$(xdotool getwindowfocus 2>/dev/null)" = "$1" ]; }
# focus WINDOW: give it the keyboard; bare Xvfb has no window manager to do so on a click.
focus() {
  xdotool windowfocus --sync "$1" >/dev/null 2>&1 || true
  poll focused_on "$1" || fail "window $1 did not take the keyboard focus"
}
# quit_player: Ctrl+Q on the panel ends the player with status 0.
quit_player() {
  focus "$PANEL"
  xdotool key ctrl+q
  wait_exit
  [ "$RC" = 0 ] || fail "the player ended with status $RC after Ctrl+Q"
}

# geometry WINDOW: sets X, Y, WIDTH, HEIGHT (root coordinates).
geometry() {
  local out
  out=$(xdotool getwindowgeometry --shell "$1") || fail "no geometry for window $1"
  eval "$(grep -E '^(X|Y|WIDTH|HEIGHT)=-?[0-9]+$' <<<"$out")"
}
# near WINDOW X Y [SLACK]: its top-left corner is within SLACK (0) pixels of X, Y.
near() { geometry "$1" && (((X - $2) ** 2 <= ${4:-0} ** 2 && (Y - $3) ** 2 <= ${4:-0} ** 2)); }
sized() { geometry "$1" && [ "$WIDTH x $HEIGHT" = "$2 x $3" ]; }

# grab OUT: the video window's picture area, without the skin's top edge and grip.
grab() {
  geometry "$VIDEO"
  import -silent -window "$VIDEO" "$WORK/full.png" || fail "could not grab the video window"
  convert "$WORK/full.png" -crop "$((WIDTH - 24))x$((HEIGHT - 24))+12+12" +repage "$1"
}
same_picture() { [ "$(compare -metric AE "$1" "$2" null: 2>&1)" = 0 ]; }
# True once the picture is not one flat colour and differs from the last call's.
LAST= GRABS=0
picture_moves() {
  local before=$LAST
  LAST=$WORK/pic-$((GRABS += 1)).png
  grab "$LAST"
  (($(convert "$LAST" -format %k info:) > 50)) && [ -n "$before" ] && ! same_picture "$before" "$LAST"
}
wait_playing() { poll picture_moves || fail "the video window shows no moving picture"; }

# ---- a desktop: a window manager, a tray host, drags and window states ------

# (Output is read whole before it is searched: with pipefail, a grep -q that
# stops reading early fails the pipe.)
wm_running() { [[ "$(xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null)" == *'window id'* ]]; }
tray_running() { [[ "$(xwininfo -root -tree 2>/dev/null)" == *'("panel" "trayer")'* ]]; }
# start_desktop [tray]: openbox with its stock settings, and with "tray" a
# tray host in the screen's bottom-right corner.
start_desktop() {
  openbox --sm-disable >"$WORK/openbox.log" 2>&1 &
  HELPERS+=($!)
  poll wm_running || fail "the window manager did not start: $(cat "$WORK/openbox.log")"
  [ "${1:-}" = tray ] || return 0
  trayer --edge bottom --align right --widthtype pixel --width 120 --heighttype pixel --height 24 >"$WORK/trayer.log" 2>&1 &
  HELPERS+=($!)
  poll tray_running || fail "the tray host did not start: $(cat "$WORK/trayer.log")"
}
# has_state WINDOW NAME: _NET_WM_STATE_NAME is among the window's states.
states() { xprop -id "$1" _NET_WM_STATE 2>/dev/null | sed 's/.*= *//'; }
has_state() { [[ ",$(states "$1" | tr -d ' ')," == *",_NET_WM_STATE_$2,"* ]]; }

# point X Y: the pointer to X, Y. (xdotool's --sync waits for a move, and
# for ever when the pointer is there already.)
point() { [ "$(xdotool getmouselocation | cut -d ' ' -f 1-2)" = "x:$1 y:$2" ] || xdotool mousemove --sync "$1" "$2"; }
press() { point "$2" "$3" && xdotool mousedown "$1" && PRESS_X=$2 PRESS_Y=$3; }
# drag BUTTON WINDOW AT_X AT_Y DX DY: presses at AT_X, AT_Y from the window's
# corner and moves the pointer by DX DY: single pixels until the window has
# followed 24 (past the drag distance after which the player hands a move to
# the window manager, which takes it on from wherever the pointer is when it
# gets to it: late on a loaded machine), then the rest. True once the window
# moved that far, less the STEPS the pointer went before; released, the
# window is left to come to rest.
drag() {
  geometry "$2"
  local x=$X y=$Y steps=0 moved=0 sx=$((($5 > 0) - ($5 < 0))) sy=0
  [ "$sx" != 0 ] || sy=$((($6 > 0) - ($6 < 0)))
  press "$1" $((x + $3)) $((y + $4))
  while geometry "$2" && (((X - x) ** 2 + (Y - y) ** 2 < 24 ** 2 && steps++ < 200)); do
    point $((PRESS_X + steps * sx)) $((PRESS_Y + steps * sy))
  done
  point $((PRESS_X + $5)) $((PRESS_Y + $6))
  poll near "$2" $((x + $5)) $((y + $6)) $((steps + 3)) || moved=1
  xdotool mouseup "$1"
  poll settled "$2"
  return $moved
}
# settled WINDOW: its place is the same half a second apart.
settled() { geometry "$1" && local was="$X $Y" && sleep 0.5 && geometry "$1" && [ "$was" = "$X $Y" ]; }
# double_click_until COMMAND...: double-clicks where the pointer is until
# COMMAND holds (a loaded machine may split a pair into two single clicks).
double_click_until() {
  for _ in 1 2 3; do xdotool click --repeat 2 --delay 80 1 && PATIENCE=10 poll "$@" && return; done
  return 1
}
# tray_icon: sets ICON_X, ICON_Y to the centre of the player's icon in the
# tray host; false while there is none (xdotool finds no embedded icon).
tray_icon() {
  read -r ICON_X ICON_Y < <(xwininfo -root -tree 2>/dev/null | awk '/"Quilvane Ryn": \(/ {
    split($(NF - 1), size, /[x+]/); split($NF, at, "+")
    if (size[1] > 4 && size[1] < 64 && at[2] > 0) { print at[2] + int(size[1] / 2), at[3] + int(size[2] / 2); exit } }')
}
