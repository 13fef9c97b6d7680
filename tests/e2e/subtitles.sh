# Subtitles from a file beside the clip: the right text shows at two
# positions, one of them reached by seeking back.
source "$(dirname "$0")/lib.sh" "$@"

make_clip
# At 25 frames a second: "short" from 0 to 10 s, nothing until 13 s, then a
# much wider line to the end. Linux line endings.
printf '{0}{250}short\n{325}{750}a much longer line of subtitles\n' >"${CLIP%.mpg}.sub"
store Splash=no Autostart=yes useSubs=yes
start_player "$CLIP"
wait_windows
poll 10 has_window 'Subtitles' || fail "no subtitle window appeared"
SUBS=$(find_window 'Subtitles')

# text_width: the width of what is not black in the subtitle window; 0 for none.
text_width() {
  import -silent -window "$SUBS" "$WORK/subs.png" 2>/dev/null || return 1
  local box
  box=$(convert "$WORK/subs.png" -fuzz 25% -trim -format '%w %h' info: 2>/dev/null) || return 1
  # A trim that finds nothing leaves one pixel.
  [ "$box" = "1 1" ] && echo 0 || echo "${box%% *}"
}
shows() { # shows MIN MAX: the text's width lies within MIN..MAX
  local w
  w=$(text_width) || return 1
  LAST_WIDTH=$w
  [ "$w" -ge "$1" ] && [ "$w" -le "$2" ]
}

poll 10 shows 10 2000 || fail "the first subtitle did not show (width ${LAST_WIDTH:-?})"
short=$LAST_WIDTH

focus "$PANEL"
xdotool key b b b # fifteen seconds on: the wide line
poll 5 shows $((short * 2)) 2000 || fail "the second subtitle did not show after seeking on (width $LAST_WIDTH, first $short)"
wide=$LAST_WIDTH

xdotool key z z # ten seconds back: the short one again
poll 5 shows $((short - 8)) $((short + 8)) ||
  fail "after seeking back the first subtitle did not come back (width $LAST_WIDTH, expected $short)"
echo "subtitles: $short pixels wide, then $wide, then $LAST_WIDTH after seeking back"
