# Bad media on the command line: an empty file, a folder and an unreadable
# file each give the player's own message box, word for word (compared pixel
# by pixel with the box message_box shows), Return closes it, and Ctrl+Q
# then ends the player with status 0. No local file makes it connect anywhere.
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

# row FILE TITLE TEXT: the player started on FILE shows the box TITLE saying TEXT.
row() {
  fresh_store Splash=no Autostart=yes
  [ -z "${PLAYER_AS:-}" ] || chown nobody:nogroup "$QUILVANE_RYN_REGISTRY"*
  "$BOX_TOOL" "$2" "$3" >"$WORK/box-tool.log" 2>&1 &
  local tool=$! box
  await box "$2"
  import -silent -window "$box" "$WORK/expected.png" || fail "could not grab the reference box"
  kill "$tool" && wait "$tool" 2>/dev/null || true
  poll not has_window "$2" || fail "the reference box stayed"
  start_player "$M/$1"
  await box "$2"
  poll box_shows "$box" || fail "$1: the \"$2\" box does not say: $3"
  focus "$box"
  xdotool key Return
  poll not has_window "$2" || fail "$1: Return did not close the box"
  await PANEL 'Quilvane Ryn'
  quit_player
}

row empty.avi Error "$(play_error "$M/empty.avi" -17 'unrecognized file format')"
row folder.mpg 'Fatal error' "Folder \"$M/folder.mpg\" holds no media files!"

# Local files that name network addresses: playlists (one called .avi), an
# edit list, and a relative path that reads as a URL. Each fails, or plays the
# local clip, and nothing connects to the listener.
python3 -c 'import socket
s = socket.create_server(("127.0.0.1", 0))
print(s.getsockname()[1], flush=True)
while True: print("connected:", s.accept()[0].recv(100), flush=True)' >"$WORK/listener.log" 2>&1 &
HELPERS+=($!)
poll test -s "$WORK/listener.log" || fail "the listener did not start"
URL=http://127.0.0.1:$(head -n 1 "$WORK/listener.log")
printf '#EXTM3U\n%s/m3u.mpg\n' "$URL" >"$M/list.m3u"
printf '[playlist]\nFile1=%s/pls.mpg\nNumberOfEntries=1\n' "$URL" >"$M/list.pls"
printf '#EXTM3U\n%s/avi.mpg\n' "$URL" >"$M/list.avi"
printf '# mpv EDL v0\n%s/edl.mpg\n' "$URL" >"$M/edl.mpg"
for file in list.m3u list.pls list.avi edl.mpg; do
  fresh_store Splash=no Autostart=yes
  start_player "$M/$file"
  await box Error
  focus "$box"
  xdotool key Return
  await PANEL 'Quilvane Ryn'
  quit_player
done
make_clip
mkdir -p "$M/$URL" && cp "$CLIP" "$M/$URL/rel.mpg"
cd "$M"
start_player "$URL/rel.mpg"
wait_windows
wait_playing
quit_player
! grep -q connected "$WORK/listener.log" || fail "local media reached the network: $(cat "$WORK/listener.log")"

# Root reads every file: the unreadable one needs the player run as nobody,
# with a home, a store and the X server's cookie of its own.
if [ "$(id -u)" = 0 ]; then
  mkdir -p "$WORK/nobody/run" "$WORK/nobody/config"
  cp "$XAUTHORITY" "$WORK/nobody/Xauthority"
  chown -R nobody:nogroup "$WORK/nobody" && chmod 711 "$WORK" && chmod 755 "$M" || fail "no home for nobody"
  export QUILVANE_RYN_REGISTRY=$WORK/nobody/registry.db
  PLAYER_AS=(env HOME="$WORK/nobody" XDG_CONFIG_HOME="$WORK/nobody/config" XDG_RUNTIME_DIR="$WORK/nobody/run"
    XAUTHORITY="$WORK/nobody/Xauthority" setpriv --reuid=nobody --regid=nogroup --clear-groups)
fi
row unreadable.mp4 Error "$(play_error "$M/unreadable.mp4" -13 'loading failed')"
echo "empty.avi, folder.mpg and unreadable.mp4: the player's own boxes, word for word; no local file reached the network"
