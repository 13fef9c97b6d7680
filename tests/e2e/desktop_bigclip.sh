# A 4000 x 3000 clip on a 1280 x 1024 screen under a window manager: the
# video window fits the screen with the picture's aspect kept, and its grip,
# within reach, can be dragged.
source "$(dirname "$0")/lib.sh" "$@"

start_desktop
BIG=$WORK/big.avi
ffmpeg -nostdin -hide_banner -loglevel error -f lavfi -i testsrc2=size=4000x3000:rate=5:duration=2 \
  -c:v mpeg4 -q:v 20 "$BIG" || fail "ffmpeg could not make the 4000 x 3000 clip"
store Splash=no Autostart=yes
start_player "$BIG"
wait_windows

# The picture at 1280 x 960, in a window a pixel narrower and five lower.
poll 20 sized "$VIDEO" 1279 955 || fail "the video window is $WIDTH x $HEIGHT, not 1279 x 955"
geometry "$VIDEO"
[ "$X" -ge 0 ] && [ "$Y" -ge 0 ] && [ $((X + WIDTH)) -le 1280 ] && [ $((Y + HEIGHT)) -le 1024 ] ||
  fail "the video window lies at $X,$Y ($WIDTH x $HEIGHT), past the screen"
shot fitted

press 1 $((X + WIDTH - 13)) $((Y + HEIGHT - 13))
glide -400 -300
poll 5 sized "$VIDEO" 879 655 || fail "the grip did not resize the video window ($WIDTH x $HEIGHT)"
release 1
holds 1 sized "$VIDEO" 879 655 || fail "the video window changed size after the grip was let go ($WIDTH x $HEIGHT)"
shot grip-dragged
echo "a 4000 x 3000 clip in a 1279 x 955 window on the screen; its grip dragged"
