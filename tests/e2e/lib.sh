# Shared by the end-to-end scripts: a private store and home, a generated
# clip, the player started on it and its windows found, grabbed and compared;
# for the desktop scripts a window manager and a tray host, pointer drags and
# the windows' states.
# Usage from a script: source lib.sh PLAYER REGTOOL
set -euo pipefail

PLAYER=$1
REG=$2

if ! xdpyinfo >/dev/null 2>&1; then
  echo "FAIL: X display ${DISPLAY:-(none)} cannot be reached" >&2
  exit 1
fi

KEY='HKEY_LOCAL_MACHINE\Software\Tarvell\Quilvane\Ryn'
WORK=$(mktemp -d "${TMPDIR:-/tmp}/qr-e2e.XXXXXX")
# Keep the player's store, per-user settings and runtime files out of the real home.
export QUILVANE_RYN_REGISTRY=$WORK/registry.db HOME=$WORK XDG_CONFIG_HOME=$WORK/config XDG_RUNTIME_DIR=$WORK/run
mkdir -m 700 "$XDG_RUNTIME_DIR"
PID=
PANEL=
VIDEO=
HELPERS=() # the window manager and the tray host

# Screenshots to look at after a run, kept in the build folder
# (e2e-shots/TEST, named by the test) and emptied at each start.
SHOTS=${QR_E2E_SHOTS:-$WORK/shots}
rm -rf -- "$SHOTS"
mkdir -p -- "$SHOTS"

end_process() {
  if [ -n "$1" ] && kill -0 "$1" 2>/dev/null; then
    kill "$1" 2>/dev/null || true
    wait "$1" 2>/dev/null || true
  fi
}

cleanup() {
  end_process "$PID"
  local helper
  for helper in "${HELPERS[@]}"; do end_process "$helper"; done
  rm -rf "$WORK"
}
trap cleanup EXIT

# shot NAME [WINDOW]: the whole screen, or one window, as SHOTS/NAME.png.
shot() { import -silent -window "${2:-root}" -quality 10 "$SHOTS/$1.png" 2>/dev/null || echo "(no screenshot $1)" >&2; }

fail() {
  shot failure
  echo "FAIL: $*" >&2
  echo "screenshots: $SHOTS" >&2
  if [ -s "$WORK/player.log" ]; then
    echo "--- player output:" >&2
    cat "$WORK/player.log" >&2
  fi
  exit 1
}

now_us() { echo "${EPOCHREALTIME//[!0-9]/}"; }

# poll SECONDS COMMAND...: true as soon as COMMAND succeeds; fails early when the player died.
poll() {
  local deadline=$(($(now_us) + $1 * 1000000))
  shift
  until "$@"; do
    [ -z "$PID" ] || kill -0 "$PID" 2>/dev/null || fail "the player ended while waiting for: $*"
    [ "$(now_us)" -lt "$deadline" ] || return 1
    sleep 0.1
  done
}

# A moving test pattern, so a playing picture changes between grabs; long
# enough never to end during a test, so a still picture means a pause.
make_clip() {
  CLIP=$WORK/clip.mpg
  ffmpeg -nostdin -hide_banner -loglevel error \
    -f lavfi -i testsrc2=size=352x240:rate=25:duration=30 \
    -f lavfi -i sine=frequency=440:duration=30 \
    -c:v mpeg1video -q:v 4 -c:a mp2 -shortest "$CLIP" || fail "ffmpeg could not make the clip"
}

# store NAME=DATA...: create the settings key and write the values.
store() {
  "$REG" create "$KEY" || fail "could not create the settings key"
  local kv
  for kv in "$@"; do
    "$REG" set "$KEY" "${kv%%=*}" "${kv#*=}" || fail "could not set $kv"
  done
}

stored() { "$REG" get "$KEY" "$1" 2>/dev/null; }

start_player() {
  "$PLAYER" "$@" >"$WORK/player.log" 2>&1 &
  PID=$!
}

# find_window TITLE: the id of the mapped window with exactly that title.
find_window() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1; }
has_window() { [ -n "$(find_window "$1")" ]; }
no_window() { ! has_window "$1"; }

wait_windows() {
  poll 15 has_window 'Quilvane Ryn' || fail "no panel window \"Quilvane Ryn\" appeared"
  PANEL=$(find_window 'Quilvane Ryn')
  poll 10 has_window 'Quilvane ' || fail "no video window \"Quilvane \" appeared"
  VIDEO=$(find_window 'Quilvane ')
}

# geometry WINDOW: sets X, Y, WIDTH, HEIGHT (root coordinates; the player's
# windows have no window manager frame).
geometry() {
  local out
  out=$(xdotool getwindowgeometry --shell "$1") || fail "no geometry for window $1"
  eval "$(grep -E '^(X|Y|WIDTH|HEIGHT)=-?[0-9]+$' <<<"$out")"
}

# grab OUT: the video window's picture area, without the skin's top edge and grip.
grab() {
  geometry "$VIDEO"
  import -silent -window "$VIDEO" "$WORK/full.png" || fail "could not grab the video window"
  convert "$WORK/full.png" -crop "$((WIDTH - 24))x$((HEIGHT - 24))+12+12" +repage "$1"
}

colours() { convert "$1" -format %k info:; }
same_picture() { [ "$(compare -metric AE "$1" "$2" null: 2>&1)" = 0 ]; }

# True once the picture is not one flat colour and has changed since the last call.
LAST=
GRABS=0
picture_moves() {
  GRABS=$((GRABS + 1))
  local now=$WORK/pic-$GRABS.png before=$LAST
  grab "$now"
  LAST=$now
  [ "$(colours "$now")" -gt 50 ] && [ -n "$before" ] && ! same_picture "$before" "$now"
}

wait_playing() {
  poll 15 picture_moves || fail "the video window shows no moving picture (last grab: $(colours "${LAST:-$WORK/full.png}" 2>/dev/null) colours)"
}

# True once two grabs 0.4 s apart are identical.
picture_still() {
  grab "$WORK/still-a.png"
  sleep 0.4
  grab "$WORK/still-b.png"
  same_picture "$WORK/still-a.png" "$WORK/still-b.png"
}

focused_on() { [ "$(xdotool getwindowfocus 2>/dev/null)" = "$1" ]; }

# focus WINDOW: give it the keyboard; bare Xvfb has no window manager to do so on a click.
focus() {
  xdotool windowfocus --sync "$1" >/dev/null 2>&1 || true
  poll 5 focused_on "$1" || fail "window $1 did not take the keyboard focus"
}

# wait_exit SECONDS: sets RC to the player's exit status, fails when it keeps running.
wait_exit() {
  local deadline=$(($(now_us) + $1 * 1000000))
  while kill -0 "$PID" 2>/dev/null; do
    [ "$(now_us)" -lt "$deadline" ] || fail "the player is still running $1 s after quit"
    sleep 0.1
  done
  RC=0
  wait "$PID" || RC=$?
  PID=
}

# start_player_signals ARGS...: as start_player, with SIGINT, SIGHUP and
# SIGTERM at their defaults (a background job of a script ignores SIGINT).
start_player_signals() {
  env --default-signal=INT,HUP,TERM "$PLAYER" "$@" >"$WORK/player.log" 2>&1 &
  PID=$!
}

# fresh_store NAME=DATA...: an empty store holding only these values.
fresh_store() {
  rm -f "$QUILVANE_RYN_REGISTRY" "$QUILVANE_RYN_REGISTRY"-*
  store "$@"
}

# expect_stored WHEN <<EOT NAME VALUE lines EOT: the store holds each value.
expect_stored() {
  local name want got fails=0
  while read -r name want; do
    got=$(stored "$name") || got="(missing)"
    if [ "$got" != "$want" ]; then
      echo "\"$name\" = \"$got\", expected \"$want\"" >&2
      fails=1
    fi
  done
  [ "$fails" = 0 ] || fail "the store after $1 holds the wrong values"
}

# expect_saved_at_quit WHEN: the store holds what quit saves for windows at
# PANEL_X/PANEL_Y and VIDEO_X/VIDEO_Y, and a player state of all off.
# At 96 dpi a pixel is 15 twips.
expect_saved_at_quit() {
  expect_stored "$1" <<EOT
QV_RL $((PANEL_X * 15))
QV_RT $((PANEL_Y * 15))
QV_VL $((VIDEO_X * 15))
QV_VT $((VIDEO_Y * 15))
RMP_Mute no
RMP_Repeat no
RMP_PBView no
EOT
}

# window_places: PANEL_X, PANEL_Y, VIDEO_X, VIDEO_Y from the windows now.
window_places() {
  geometry "$PANEL"
  PANEL_X=$X PANEL_Y=$Y
  geometry "$VIDEO"
  VIDEO_X=$X VIDEO_Y=$Y
}

# ---- a desktop: a window manager, a tray host, drags and window states ------

# (Output is read whole before it is searched: with pipefail, a grep -q that
# stops reading early fails the pipe.)
wm_running() { [[ "$(xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null)" == *'window id'* ]]; }
tray_running() { [[ "$(xwininfo -root -tree 2>/dev/null)" == *'("panel" "trayer")'* ]]; }

# start_desktop [tray]: a light window manager (openbox, its stock settings),
# and with "tray" a tray host in the screen's bottom-right corner.
start_desktop() {
  openbox --sm-disable >"$WORK/openbox.log" 2>&1 &
  HELPERS+=($!)
  poll 15 wm_running || fail "the window manager did not start: $(cat "$WORK/openbox.log")"
  if [ "${1:-}" = tray ]; then
    trayer --edge bottom --align right --widthtype pixel --width 120 \
      --heighttype pixel --height 24 >"$WORK/trayer.log" 2>&1 &
    HELPERS+=($!)
    poll 15 tray_running || fail "the tray host did not start: $(cat "$WORK/trayer.log")"
  fi
}

# has_state WINDOW NAME: _NET_WM_STATE_NAME is among the window's states.
has_state() { grep -qw "_NET_WM_STATE_$2" <<<"$(xprop -id "$1" _NET_WM_STATE 2>/dev/null)"; }
lacks_state() { ! has_state "$@"; }
states() { xprop -id "$1" _NET_WM_STATE 2>/dev/null | sed 's/.*= *//'; }

# near WINDOW X Y [SLACK]: the window's top-left corner lies within SLACK
# pixels (0 unless given) of X, Y.
near() {
  geometry "$1"
  local slack=${4:-0}
  [ $((X - $2)) -le "$slack" ] && [ $(($2 - X)) -le "$slack" ] &&
    [ $((Y - $3)) -le "$slack" ] && [ $(($3 - Y)) -le "$slack" ]
}
sized() { geometry "$1" && [ "$WIDTH" = "$2" ] && [ "$HEIGHT" = "$3" ]; }

# holds SECONDS COMMAND...: COMMAND stays true for that long; false as soon
# as it is not. What should not happen is watched for a while.
holds() {
  local deadline=$(($(now_us) + $(awk "BEGIN { print int($1 * 1000000) }")))
  shift
  while [ "$(now_us)" -lt "$deadline" ]; do
    "$@" || return 1
    sleep 0.1
  done
}
# stays WINDOW X Y SECONDS: the window keeps that place for that long.
stays() { holds "$4" near "$1" "$2" "$3"; }

# press BUTTON X Y, then glide DX DY (relative to the press), then release.
# The first 24 steps are single pixels, as a hand makes them: the window
# manager takes a move over after the drag distance (10 logical pixels, 20
# device pixels at a scale of 2) from where the pointer is then. A glide
# waits for nothing; callers poll for the effect before they release, so
# that no release can overtake a move still on its way.
# point X Y: the pointer to X, Y. (xdotool's --sync waits for a move, and
# for ever when the pointer is there already.)
point() {
  [ "$(xdotool getmouselocation | cut -d ' ' -f 1-2)" = "x:$1 y:$2" ] || xdotool mousemove --sync "$1" "$2"
}
press() { point "$2" "$3" && xdotool mousedown "$1"; PRESS_X=$2 PRESS_Y=$3; }
glide() {
  local dx=$1 dy=$2 i sx=0 sy=0 x=$PRESS_X y=$PRESS_Y
  if [ "$dx" -ne 0 ]; then sx=$((dx > 0 ? 1 : -1)); else sy=$((dy > 0 ? 1 : -1)); fi
  for i in $(seq 1 24); do point $((x + i * sx)) $((y + i * sy)); done
  for i in 1 2 3 4 5 6; do
    point $((x + 24 * sx + (dx - 24 * sx) * i / 6)) $((y + 24 * sy + (dy - 24 * sy) * i / 6))
  done
}
release() { xdotool mouseup "$1"; }
# drag BUTTON WINDOW AT_X AT_Y DX DY [SLACK]: presses at AT_X, AT_Y from the
# window's top-left corner, glides DX DY, waits until the window has moved
# that far (within SLACK pixels, 3 unless given), releases. False when it
# did not move there.
drag() {
  geometry "$2"
  local x=$X y=$Y moved=0
  press "$1" $((x + $3)) $((y + $4))
  glide "$5" "$6"
  poll 10 near "$2" $((x + $5)) $((y + $6)) "${7:-3}" || moved=1
  release "$1"
  return $moved
}

# tray_icon: sets ICON_X, ICON_Y to the centre of the player's icon in the
# tray host; false while there is none. (An icon embedded in the tray is not
# found by xdotool.)
tray_icon() {
  local found
  found=$(xwininfo -root -tree 2>/dev/null |
    sed -n 's/.*"Quilvane Ryn": (.*)  \([0-9]*\)x\([0-9]*\)+-\{0,1\}[0-9]*+-\{0,1\}[0-9]*  +\(-\{0,1\}[0-9]*\)+\(-\{0,1\}[0-9]*\)$/\1 \2 \3 \4/p' |
    awk '$1 > 4 && $1 < 64 && $3 > 0 { print $3 + int($1 / 2), $4 + int($2 / 2); exit }')
  [ -n "$found" ] || return 1
  read -r ICON_X ICON_Y <<<"$found"
}
