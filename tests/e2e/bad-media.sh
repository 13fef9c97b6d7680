# Bad media on the command line: an empty file, a folder and an unreadable
# file each give the player's own message box, word for word (compared pixel
# by pixel with the box message_box shows), Return closes it, and Ctrl+Q
# then ends the player with status 0.
# Usage: bad-media.sh PLAYER REGTOOL MESSAGE_BOX
source "$(dirname "$0")/lib.sh" "$1" "$2"
BOX_TOOL=$3
M=$WORK/media
mkdir "$M" "$M/folder.mpg"
: >"$M/empty.avi"
echo 'not for anyone' >"$M/unreadable.mp4"
chmod 000 "$M/unreadable.mp4"

# play_error FILE CODE DESCRIPTION: the text of the "Error" box for an engine failure.
play_error() {
  local nl=$'\r\n'
  printf '%s' "An error occured while attempting to play file \"$1\".$nl${nl}If this error occurs again, please send the errorcode/description in a mail to support@tarvell.example$nl$nl(Error code: #$2/Error description: $(basename "$1") could not be played: $3)"
}
# box_shows ID: the box looks as the reference does (once it is fully painted).
box_shows() { import -silent -window "$1" "$WORK/shown.png" 2>/dev/null && same_picture "$WORK/expected.png" "$WORK/shown.png"; }

# Root reads every file: the unreadable one needs the player run as nobody,
# with a home, a store and the X server's cookie of its own.
as_nobody() {
  local home=$WORK/nobody
  mkdir -p "$home/run" "$home/config"
  cp "$XAUTHORITY" "$home/Xauthority"
  chown -R nobody:nogroup "$home" && chmod 711 "$WORK" && chmod 755 "$M"
  export QUILVANE_RYN_REGISTRY=$home/registry.db
  PLAYER_AS=(env HOME="$home" XDG_CONFIG_HOME="$home/config" XDG_RUNTIME_DIR="$home/run"
    XAUTHORITY="$home/Xauthority" setpriv --reuid=nobody --regid=nogroup --clear-groups)
}

summary=()
# row FILE TITLE TEXT: the player started on FILE shows the box TITLE saying TEXT.
row() {
  fresh_store Splash=no Autostart=yes
  [ -z "${PLAYER_AS:-}" ] || chown nobody:nogroup "$QUILVANE_RYN_REGISTRY"*
  "$BOX_TOOL" "$2" "$3" >"$WORK/box-tool.log" 2>&1 &
  local tool=$! box
  await box "$2"
  import -silent -window "$box" "$WORK/expected.png" || fail "could not grab the reference box"
  kill "$tool" && wait "$tool" 2>/dev/null || true
  poll no_window "$2" || fail "the reference box stayed"

  start_player "$M/$1"
  await box "$2"
  poll box_shows "$box" || fail "$1: the \"$2\" box does not say: $3"
  focus "$box"
  xdotool key Return
  poll no_window "$2" || fail "$1: Return did not close the box"
  await PANEL 'Quilvane Ryn'
  quit_player
  summary+=("$1: \"$2\"")
}

unknown='unrecognized file format'
row empty.avi Error "$(play_error "$M/empty.avi" -17 "$unknown")"
row folder.mpg 'Fatal error' "File \"$M/folder.mpg\" doesnt exist!"
if [ "$(id -u)" != 0 ]; then
  row unreadable.mp4 Error "$(play_error "$M/unreadable.mp4" -13 'loading failed')"
elif id nobody >/dev/null 2>&1 && getent group nogroup >/dev/null && command -v setpriv >/dev/null; then
  as_nobody
  row unreadable.mp4 Error "$(play_error "$M/unreadable.mp4" -13 'loading failed')"
else
  summary+=("unreadable.mp4: SKIPPED, run as root without a user nobody and setpriv to drop root's right to read it")
fi
printf '%s\n' "${summary[@]}"
