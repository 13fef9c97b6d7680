# At a device pixel ratio of 2 (QT_SCALE_FACTOR=2) under a window manager:
# the panel is 548 x 226 device pixels, its skin drawn at the device's
# resolution (crisp edges, detail finer than a logical pixel), and the
# stored positions are logical pixels at 15 twips each, read and written.
source "$(dirname "$0")/lib.sh" "$@"

start_desktop
store Splash=no Windowpos=yes Ontop=yes QV_RL=1500 QV_RT=3000 QV_VL=4500 QV_VT=6000
QT_SCALE_FACTOR=2 start_player
wait_windows

# Logical 100,200 and 300,400: twice that in device pixels.
poll 5 near "$PANEL" 200 400 || fail "the panel lies at $X,$Y device pixels, not 200,400"
sized "$PANEL" 548 226 || fail "the panel is $WIDTH x $HEIGHT device pixels, not 548 x 226"
poll 5 near "$VIDEO" 600 800 || fail "the video window lies at $X,$Y device pixels, not 600,800"
sized "$VIDEO" 1440 960 || fail "the video window is $WIDTH x $HEIGHT device pixels, not 1440 x 960"

shot panel "$PANEL"
PNG=$SHOTS/panel.png
colour() { convert "$PNG" -format "%[pixel:p{$1,$2}] " info:; }
named() { convert xc:"$1" -format '%[pixel:p{0,0}] ' info:; }
# The skin's top edge: a one-pixel dark border over a one-pixel light line,
# two device rows each and nothing in between.
edge=$(colour 100 0)$(colour 100 1)$(colour 100 2)$(colour 100 3)
want=$(named '#0A080C')$(named '#0A080C')$(named '#4B3F5A')$(named '#4B3F5A')
[ "$edge" = "$want" ] || fail "the panel's top edge is not crisp: rows 0-3 are $edge, not $want"
# Drawn at one pixel per logical pixel and scaled up, every 2 x 2 block would
# be one colour: text and curves show finer.
convert "$PNG" -sample 50% -sample 200% "$WORK/blocks.png"
finer=$(compare -metric AE "$PNG" "$WORK/blocks.png" null: 2>&1 || true)
[ "${finer%%.*}" -gt 1000 ] || fail "the panel looks scaled up from one pixel per logical pixel ($finer pixels finer)"

drag 1 "$PANEL" 280 14 200 100 || fail "the panel could not be dragged by its credit line"
geometry "$PANEL"
panel_x=$X panel_y=$Y
focus "$PANEL"
xdotool key ctrl+q
wait_exit 8
# A logical pixel is 15 twips: half a device pixel's worth of rounding either way.
for pair in "QV_RL $panel_x" "QV_RT $panel_y"; do
  set -- $pair
  got=$(stored "$1")
  [ $((got * 2 - $2 * 15)) -le 15 ] && [ $(($2 * 15 - got * 2)) -le 15 ] ||
    fail "\"$1\" = $got twips for a panel at $2 device pixels"
done
echo "panel 548 x 226 device pixels, crisp; positions in logical pixels: $("$REG" list "$KEY" | grep QV_ | tr '\n' ' ')"
