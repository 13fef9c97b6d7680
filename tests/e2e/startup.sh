# The player started on a clip with "Autostart" and no splash shows its
# 274 x 113 panel and a video window whose picture plays.
source "$(dirname "$0")/lib.sh" "$@"

make_clip
store Splash=no Autostart=yes
start_player "$CLIP"
wait_windows

geometry "$PANEL"
[ "$WIDTH x $HEIGHT" = "274 x 113" ] || fail "the panel is $WIDTH x $HEIGHT, not 274 x 113"

wait_playing
# Two seconds on, the picture is still shown and still moving.
sleep 2
picture_moves || fail "the picture stopped or vanished two seconds into playback"
echo "panel 274 x 113; the video window plays a picture of $(colours "$LAST") colours"
