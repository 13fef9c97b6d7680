# Bad media given on the command line: each gives the player's own message
# box, word for word (compared pixel by pixel with the same box shown by
# message_box), or plays; then Ctrl+Q still ends the player with status 0.
# Usage: bad-media.sh PLAYER REGTOOL MESSAGE_BOX
source "$(dirname "$0")/lib.sh" "$1" "$2"
BOX_TOOL=$3

ff() { ffmpeg -nostdin -hide_banner -loglevel error -y "$@" || fail "ffmpeg could not make ${*: -1}"; }
M=$WORK/media
mkdir "$M"
: >"$M/empty.avi"
# The same bytes every run: random ones could now and then look like a format.
LC_ALL=C awk 'BEGIN { srand(12); for (i = 0; i < 200000; i++) printf "%c", int(rand() * 256) }' >"$M/random.mpg"
ff -f lavfi -i testsrc2=size=352x240:rate=25:duration=4 -c:v libx264 -preset ultrafast "$M/whole.mp4"
# The index of an MP4 comes last: a third of the file has none.
head -c $(($(stat -c %s "$M/whole.mp4") / 3)) "$M/whole.mp4" >"$M/truncated.mp4"
printf 'Shopping list\nmilk\nbread\n' >"$M/text.avi"
mkdir "$M/folder.mpg"
ff -f lavfi -i testsrc2=size=4000x3000:rate=5:duration=20 -c:v mpeg4 -q:v 20 "$M/huge.avi"
ff -f lavfi -i sine=frequency=440:duration=20 -c:a libmp3lame "$M/sound.mp3"

CRLF=$'\r\n'
# play_error FILE DESCRIPTION: the text of the "Error" box for an engine failure.
play_error() {
  printf '%s' "An error occured while attempting to play file \"$1\".$CRLF${CRLF}If this error occurs again, please send the errorcode/description in a mail to support@tarvell.example$CRLF$CRLF(Error code: #$2/Error description: $(basename "$1") could not be played: $3)"
}

# The box, as message_box shows it.
reference_box() {
  "$BOX_TOOL" "$1" "$2" >"$WORK/box-tool.log" 2>&1 &
  local tool=$!
  poll 10 has_window "$1" || fail "message_box showed no \"$1\" box"
  import -silent -window "$(find_window "$1")" "$WORK/expected.png" || fail "could not grab the reference box"
  kill "$tool"
  wait "$tool" 2>/dev/null || true
  poll 5 no_window "$1" || fail "the reference box stayed"
}
no_window() { ! has_window "$1"; }

# The picture as the screen shows it: the huge clip's window reaches past the
# screen, where a window cannot be grabbed.
screen_picture() {
  geometry "$VIDEO"
  local right=$((X + WIDTH - 12)) bottom=$((Y + HEIGHT - 12))
  [ "$right" -le 1280 ] || right=1280
  [ "$bottom" -le 1024 ] || bottom=1024
  import -silent -window root -crop "$((right - X - 12))x$((bottom - Y - 12))+$((X + 12))+$((Y + 12))" +repage "$1"
}
picture_on_screen_moves() {
  screen_picture "$WORK/screen-a.png"
  sleep 0.5
  screen_picture "$WORK/screen-b.png"
  ! same_picture "$WORK/screen-a.png" "$WORK/screen-b.png"
}
# Sound only: the time line on the panel counts on.
panel_moves() {
  import -silent -window "$PANEL" "$WORK/panel-a.png"
  sleep 1.2
  import -silent -window "$PANEL" "$WORK/panel-b.png"
  ! same_picture "$WORK/panel-a.png" "$WORK/panel-b.png"
}

# Root reads every file: an unreadable one needs the player run as nobody,
# with a home, a store and the X server's cookie of its own.
AS_USER=()
as_nobody() {
  local home=$WORK/nobody
  mkdir -p "$home/run" "$home/config"
  cp "$XAUTHORITY" "$home/Xauthority"
  QUILVANE_RYN_REGISTRY=$home/registry.db "$REG" create "$KEY" &&
    QUILVANE_RYN_REGISTRY=$home/registry.db "$REG" set "$KEY" Splash no &&
    QUILVANE_RYN_REGISTRY=$home/registry.db "$REG" set "$KEY" Autostart yes || fail "no store for nobody"
  chown -R nobody:nogroup "$home"
  chmod 711 "$WORK"
  chmod 755 "$M"
  AS_USER=(env QUILVANE_RYN_REGISTRY="$home/registry.db" HOME="$home" XDG_CONFIG_HOME="$home/config"
    XDG_RUNTIME_DIR="$home/run" XAUTHORITY="$home/Xauthority"
    setpriv --reuid=nobody --regid=nogroup --clear-groups)
}

summary=()
# row FILE EXPECT [TITLE TEXT]: EXPECT is "box", "picture" or "sound".
row() {
  local file=$M/$1 expect=$2 title=${3:-} text=${4:-}
  fresh_store Splash=no Autostart=yes
  [ "$expect" != box ] || reference_box "$title" "$text"
  "${AS_USER[@]}" env --default-signal=INT,HUP,TERM "$PLAYER" "$file" >"$WORK/player.log" 2>&1 &
  PID=$!
  case $expect in
  box)
    poll 20 has_window "$title" || fail "$1: no \"$title\" box"
    local box
    box=$(find_window "$title")
    sleep 0.3 # fully painted
    import -silent -window "$box" "$WORK/shown.png" || fail "$1: could not grab the box"
    same_picture "$WORK/expected.png" "$WORK/shown.png" ||
      fail "$1: the \"$title\" box does not say: $text"
    focus "$box"
    xdotool key Return
    poll 5 no_window "$title" || fail "$1: Return did not close the box"
    poll 10 has_window 'Quilvane Ryn' || fail "$1: no panel after the box"
    PANEL=$(find_window 'Quilvane Ryn')
    ;;
  picture)
    wait_windows
    poll 20 picture_on_screen_moves || fail "$1: no moving picture on screen"
    ;;
  sound)
    wait_windows
    poll 10 panel_moves || fail "$1: the panel's time line does not move"
    ! has_window Error || fail "$1: an error box came up"
    ;;
  esac
  focus "$PANEL"
  xdotool key ctrl+q
  wait_exit 10
  [ "$RC" = 0 ] || fail "$1: the player ended with status $RC after Ctrl+Q"
  summary+=("$1: $expect${title:+ \"$title\"}")
}

unknown='unrecognized file format'
row empty.avi box Error "$(play_error "$M/empty.avi" -17 "$unknown")"
row random.mpg box Error "$(play_error "$M/random.mpg" -17 "$unknown")"
row truncated.mp4 box Error "$(play_error "$M/truncated.mp4" -17 "$unknown")"
row text.avi box Error "$(play_error "$M/text.avi" -17 "$unknown")"
row folder.mpg box 'Fatal error' "File \"$M/folder.mpg\" doesnt exist!"
row huge.avi picture
row sound.mp3 sound

cp "$M/whole.mp4" "$M/unreadable.mp4"
chmod 000 "$M/unreadable.mp4"
if [ "$(id -u)" != 0 ]; then
  row unreadable.mp4 box Error "$(play_error "$M/unreadable.mp4" -13 'loading failed')"
elif id nobody >/dev/null 2>&1 && getent group nogroup >/dev/null && command -v setpriv >/dev/null; then
  as_nobody
  row unreadable.mp4 box Error "$(play_error "$M/unreadable.mp4" -13 'loading failed')"
else
  summary+=("unreadable.mp4: SKIPPED, run as root without a user nobody and setpriv to drop root's right to read it")
fi
printf '%s\n' "${summary[@]}"
