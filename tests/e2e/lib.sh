# Shared by the end-to-end scripts: a private store and home, a generated
# clip, the player started on it and its windows found, grabbed and compared.
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

cleanup() {
  if [ -n "$PID" ] && kill -0 "$PID" 2>/dev/null; then
    kill "$PID" 2>/dev/null || true
    wait "$PID" 2>/dev/null || true
  fi
  rm -rf "$WORK"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
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

wait_windows() {
  poll 15 has_window 'Quilvane Ryn' || fail "no panel window \"Quilvane Ryn\" appeared"
  PANEL=$(find_window 'Quilvane Ryn')
  poll 10 has_window 'Quilvane ' || fail "no video window \"Quilvane \" appeared"
  VIDEO=$(find_window 'Quilvane ')
}

# geometry WINDOW: sets X, Y, WIDTH, HEIGHT (root coordinates; there is no window manager frame).
geometry() {
  local out
  out=$(xdotool getwindowgeometry --shell "$1") || fail "no geometry for window $1"
  eval "$(grep -E '^(X|Y|WIDTH|HEIGHT)=[0-9]+$' <<<"$out")"
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

# expect_saved_at_quit: the store holds what quit saves for windows at
# PANEL_X/PANEL_Y and VIDEO_X/VIDEO_Y, and a player state of all off.
# At 96 dpi a pixel is 15 twips.
expect_saved_at_quit() {
  local name want got fails=0
  while read -r name want; do
    got=$(stored "$name") || got="(missing)"
    if [ "$got" != "$want" ]; then
      echo "\"$name\" = \"$got\", expected \"$want\"" >&2
      fails=1
    fi
  done <<EOT
QV_RL $((PANEL_X * 15))
QV_RT $((PANEL_Y * 15))
QV_VL $((VIDEO_X * 15))
QV_VT $((VIDEO_Y * 15))
RMP_Mute no
RMP_Repeat no
RMP_PBView no
EOT
  [ "$fails" = 0 ] || fail "the store after $1 holds the wrong values"
}

# window_places: PANEL_X, PANEL_Y, VIDEO_X, VIDEO_Y from the windows now.
window_places() {
  geometry "$PANEL"
  PANEL_X=$X PANEL_Y=$Y
  geometry "$VIDEO"
  VIDEO_X=$X VIDEO_Y=$Y
}
