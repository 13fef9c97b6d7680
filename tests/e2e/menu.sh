# A Matroska file with two audio and two SubRip tracks: the default text
# track shows in the player's own subtitle window; the menu, opened by the
# Menu key and worked by the keyboard, switches it off and on again; S saves
# the picture at its own size into the Pictures folder.
source "$(dirname "$0")/lib.sh" "$@"

srt() { printf '1\n00:00:00,000 --> 00:01:00,000\n%s\n' "$1" >"$WORK/$2"; }
srt $'Top line\nBottom line' full.srt
srt Unten forced.srt
ffmpeg -nostdin -hide_banner -loglevel error -f lavfi -i testsrc2=size=320x240:rate=25:duration=60 \
  -f lavfi -i sine=duration=60 -f lavfi -i sine=frequency=660:duration=60 -i "$WORK/full.srt" -i "$WORK/forced.srt" \
  -map 0 -map 1 -map 2 -map 3 -map 4 -c:v mpeg4 -q:v 5 -c:a:0 ac3 -c:a:1 libvorbis -c:s srt \
  -metadata:s:a:0 language=eng -metadata:s:a:1 language=ger -metadata:s:s:0 language=eng \
  -metadata:s:s:1 language=ger "$WORK/tracks.mkv" || fail "ffmpeg made no tracks.mkv"
mkdir "$HOME/Pictures"
store Splash=no Autostart=yes
start_player "$WORK/tracks.mkv"
wait_windows
await SUBS Subtitles
wait_playing
shot subtitles

focus "$PANEL"
xdotool key s
png() { compgen -G "$HOME/Pictures/tracks - 0.00.*.png"; }
shot_size() { png >/dev/null && identify -format '%wx%h' "$(png | head -n 1)" 2>/dev/null; }
shot_is() { [ "$(shot_size)" = "$1" ]; } # the engine writes the file as it goes
poll shot_is 320x240 || fail "S saved no 320x240 screenshot in $HOME/Pictures: $(ls "$HOME/Pictures") $(shot_size)"
size=$(shot_size)

# Open file, Open recent, Pause, Stop (the neighbours are greyed out), Audio track, Subtitles.
mapped() { xdotool search --onlyvisible --classname quilvane-ryn 2>/dev/null | wc -l; }
menu_up() { [ "$(mapped)" -gt "$windows" ]; }
subtitles_menu() {
  focus "$PANEL"
  windows=$(mapped)
  xdotool key Menu
  poll menu_up || fail "the Menu key opened no menu"
  xdotool key Down Down Down Down Down Down Right
}
subtitles_menu
xdotool key Return # Off
poll not has_window Subtitles || fail "Subtitles > Off left the subtitle window up"
subtitles_menu
xdotool key Down Down Return # the first track, after Off
await SUBS Subtitles
quit_player
echo "the default text track in the subtitle window, off and on from the menu, a screenshot of $size"
