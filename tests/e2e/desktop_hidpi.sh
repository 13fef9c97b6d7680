# At a device pixel ratio of 2 (QT_SCALE_FACTOR=2) under a window manager:
# the windows' stored places and sizes are logical pixels at 15 twips each,
# read and written, and the panel's skin is drawn at the device's
# resolution (crisp edges, detail finer than a logical pixel).
source "$(dirname "$0")/lib.sh" "$@"

start_desktop
store Splash=no Windowpos=yes Ontop=yes QV_RL=1500 QV_RT=3000 QV_VL=4500 QV_VT=6000
QT_SCALE_FACTOR=2 start_player
wait_windows
# Logical 100,200 and 300,400: twice that in device pixels.
poll near "$PANEL" 200 400 || fail "the panel lies at $X,$Y device pixels, not 200,400"
sized "$PANEL" 548 226 || fail "the panel is $WIDTH x $HEIGHT device pixels, not 548 x 226"
poll near "$VIDEO" 600 800 || fail "the video window lies at $X,$Y device pixels, not 600,800"
sized "$VIDEO" 1440 960 || fail "the video window is $WIDTH x $HEIGHT device pixels, not 1440 x 960"

shot panel "$PANEL"
PNG=$SHOTS/panel.png
colours_at() { local p; for p in "$@"; do convert "$PNG" -format "%[pixel:p{$p}] " info:; done; }
# The skin's top edge: a one-pixel dark border over a one-pixel light line,
# two device rows each and nothing in between.
edge=$(colours_at 100,0 100,1 100,2 100,3)
want=$(convert xc:'#0A080C' xc:'#0A080C' xc:'#4B3F5A' xc:'#4B3F5A' -format '%[pixel:p{0,0}] ' info:)
[ "$edge" = "$want" ] || fail "the panel's top edge is not crisp: rows 0-3 are $edge, not $want"
# Drawn at one pixel per logical pixel and scaled up, every 2 x 2 block would
# be one colour: text and curves show finer.
convert "$PNG" -sample 50% -sample 200% "$WORK/blocks.png"
finer=$(compare -metric AE "$PNG" "$WORK/blocks.png" null: 2>&1 || true)
((${finer%%.*} > 1000)) || fail "the panel looks scaled up from one pixel per logical pixel ($finer pixels finer)"

drag 1 "$PANEL" 280 14 200 100 || fail "the panel could not be dragged by its credit line"
geometry "$PANEL"
quit_player
# A logical pixel is 15 twips: half a device pixel's worth of rounding either way.
for pair in "QV_RL $X" "QV_RT $Y"; do
  set -- $pair
  got=$(stored "$1")
  (((got * 2 - $2 * 15) ** 2 <= 15 ** 2)) || fail "\"$1\" = $got twips for a panel at $2 device pixels"
done
echo "positions in logical pixels, panel crisp at 548 x 226 device pixels: $("$REG" list "$KEY" | grep QV_ | tr '\n' ' ')"
